#include "io/programfolder.h"

#include <cstdlib>
#include <filesystem>

namespace pw {

ProgramFolder::ProgramFolder(std::string root) : root_(std::move(root)) {
    if (root_.empty()) root_ = "./";
    if (root_.back() != '/') root_.push_back('/');
}

ProgramFolder ProgramFolder::standard(std::string_view dataDirOption) {
    if (!dataDirOption.empty()) return ProgramFolder(std::string(dataDirOption));
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) return ProgramFolder(std::string(xdg) + "/phrasewright");
    if (const char* home = std::getenv("HOME"); home && *home)
        return ProgramFolder(std::string(home) + "/.local/share/phrasewright");
    return ProgramFolder("./");
}

void createFolder(const std::string& path) {
    std::error_code ignored;
    std::filesystem::create_directories(path, ignored);
}

}  // namespace pw
