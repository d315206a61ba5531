// Fuzzes the project-file reader. The input is used twice: as it is, and as
// a body given a correct checksum, so that the fuzzer gets past the checksum
// into the records. Whatever loads must save into a file that loads again.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/projectfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace pw;
    const std::string raw(reinterpret_cast<const char*>(data), size);

    Project direct;
    loadProjectFromBytes(direct, raw);

    std::string withSum = raw;
    if (const auto sum = checksumOfBody(withSum)) withSum.append(reinterpret_cast<const char*>(&*sum), 4);
    for (const bool adsOnly : {false, true}) {
        Project project;
        if (loadProjectFromBytes(project, withSum, {}, adsOnly) != LoadCode::Loaded) continue;
        Project again;
        if (loadProjectFromBytes(again, projectFileBytes(project)) != LoadCode::Loaded) std::abort();
    }
    return 0;
}
