#pragma once
// A program folder in a temporary folder with the account tool installed, and
// runs of the tool through the program's own bridge.

#include <future>
#include <optional>
#include <string>

#include "account/accountfolder.h"
#include "account/accounttool.h"
#include "account/toolcommandline.h"
#include "account/toolinstall.h"
#include "core/atomicfile.h"
#include "tests/testsupport.h"

namespace pw::test {

class SandboxFolder {
public:
    SandboxFolder() : folder_(temp_.path()) {
        EXPECT_EQ(installAccountTool(folder_, PW_TOOL_PATH), ToolInstallResult::Installed);
    }

    const ProgramFolder& folder() const { return folder_; }

    // Runs the line and waits for its end callback; the text of the output
    // file the line names, or none when the run left no file.
    std::optional<std::string> run(const std::string& line) {
        std::string output;
        for (const std::string& word : splitToolCommandLine(line))
            if (auto option = parseToolOption(word); option && option->name == "outfile") output = option->value;
        std::promise<std::optional<std::string>> ended;
        int32_t pid = 0;
        const bool started = startAccountTool(
            folder_, line, [&](const std::optional<std::string>& path, const ToolExit&) { ended.set_value(path); }, output, pid);
        EXPECT_TRUE(started) << line;
        if (!started) return std::nullopt;
        const std::optional<std::string> path = ended.get_future().get();
        std::string text;
        if (!path || !readWholeFile(*path, text)) return std::nullopt;
        return text;
    }

    // The whole sandbox as JSON text, from the tool itself.
    std::string dump() const {
        const std::string command = "cd '" + folder_.googleFolder() + "' && ./pwram --dump";
        std::string text;
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char buffer[4096];
            size_t n = 0;
            while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, n);
            ::pclose(pipe);
        }
        return text;
    }

private:
    TempFolder temp_;
    ProgramFolder folder_;
};

}  // namespace pw::test
