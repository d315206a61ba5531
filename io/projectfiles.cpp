#include "io/projectfiles.h"

#include <filesystem>

#include "core/atomicfile.h"
#include "core/textencoding.h"

namespace pw {

std::string newProjectPath(const ProgramFolder& folder, std::string_view name) {
    if (name.size() > kProjectExtension.size() && name.ends_with(kProjectExtension))
        name.remove_suffix(kProjectExtension.size());
    // Bytes, not characters: a file name on disk is limited in bytes.
    const std::string_view kept = clipToBytes(name, kMaxProjectFileName - kProjectExtension.size());
    return folder.projectsFolder() + "/" + std::string(kept) + std::string(kProjectExtension);
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    const bool same = std::filesystem::equivalent(a, b, error);
    return !error && same;
}

CopyProjectResult copyProjectFile(const std::string& source, const std::string& target) {
    if (sameFile(source, target)) return CopyProjectResult::SameFile;
    std::string bytes;
    if (!readWholeFile(source, bytes)) return CopyProjectResult::SourceMissing;
    return replaceFileAtomically(target, bytes, ReadOnlyFile::Replace) ? CopyProjectResult::Copied
                                                                         : CopyProjectResult::CannotWrite;
}

}  // namespace pw
