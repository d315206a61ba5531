#pragma once
// Runs one account-tool line in the benchmarks' sandbox folder and waits for
// it: the text of the output file it names.

#include <future>
#include <optional>
#include <string>
#include <string_view>

#include "account/accountfolder.h"
#include "account/accounttool.h"
#include "core/atomicfile.h"

namespace pw::bench {

inline std::string runToolNow(const ProgramFolder& folder, const std::string& line,
                              std::string_view output = kChangeOutput) {
    std::promise<std::string> done;
    int32_t pid = 0;
    const bool started = startAccountTool(
        folder, line,
        [&](const std::optional<std::string>& path, const ToolExit&) {
            std::string text;
            if (path) readWholeFile(*path, text);
            done.set_value(text);
        },
        output, pid);
    return started ? done.get_future().get() : std::string();
}

}  // namespace pw::bench
