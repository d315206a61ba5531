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

namespace pw {

std::string fileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool fileExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

bool removeFile(const std::string& path) {
    std::error_code error;
    std::filesystem::permissions(path, std::filesystem::perms::owner_write, std::filesystem::perm_options::add, error);
    return std::filesystem::remove(path, error);
}

}  // namespace pw
