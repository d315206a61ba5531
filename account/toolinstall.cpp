#include "account/toolinstall.h"

#include <filesystem>
#include <sys/stat.h>

#include "account/accountfolder.h"
#include "account/accountprofile.h"

namespace pw {

namespace fs = std::filesystem;

std::string builtAccountToolPath() {
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return std::string(kToolFileName);
    return (self.parent_path() / std::string(kToolFileName)).string();
}

ToolInstallResult installAccountTool(const ProgramFolder& folder, const std::string& builtToolPath) {
    std::error_code ec;
    const auto builtTime = fs::last_write_time(builtToolPath, ec);
    if (ec || !fs::is_regular_file(builtToolPath, ec)) return ToolInstallResult::BuiltToolMissing;
    createGoogleFolder(folder);
    const std::string target = googleFile(folder, kToolFileName);
    const auto installedTime = fs::last_write_time(target, ec);
    if (!ec && installedTime >= builtTime) return ToolInstallResult::AlreadyCurrent;

    const std::string temp = target + ".new";
    fs::copy_file(builtToolPath, temp, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::permissions(temp, fs::perms::owner_all, ec);
    if (!ec) fs::last_write_time(temp, builtTime, ec);
    if (!ec) fs::rename(temp, target, ec);
    if (ec) {
        fs::remove(temp, ec);
        return ToolInstallResult::CopyFailed;
    }
    return ToolInstallResult::Installed;
}

}  // namespace pw
