#include "account/accountprofile.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "account/accountentities.h"
#include "account/accountfolder.h"
#include "core/atomicfile.h"
#include "core/text.h"

namespace pw {

namespace {

struct Field {
    size_t offset;
    size_t size;
};
constexpr Field kName{0, 128}, kEmail{128, 128}, kPassword{256, 128}, kToken{384, 256}, kUseProxy{640, 1},
    kProxyType{644, 4}, kProxyAddress{648, 16}, kProxyPort{664, 4}, kProxyUser{668, 128}, kProxyPassword{796, 128},
    kClientEmail{924, 128};

void putText(std::array<uint8_t, AccountProfile::kFileSize>& bytes, Field field, std::string_view text) {
    text = cutWhole(text, field.size - 1);
    std::memcpy(bytes.data() + field.offset, text.data(), text.size());
}

void putInt(std::array<uint8_t, AccountProfile::kFileSize>& bytes, Field field, int32_t value) {
    const auto u = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes[field.offset + i] = static_cast<uint8_t>(u >> (8 * i));
}

// The field's text up to its NUL, taken from the bytes that were read.
std::string getText(std::string_view bytes, Field field) {
    if (bytes.size() <= field.offset) return {};
    const std::string_view area = bytes.substr(field.offset, std::min(field.size, bytes.size() - field.offset));
    return std::string(area.substr(0, area.find('\0')));
}

int32_t getInt(std::string_view bytes, Field field) {
    uint32_t u = 0;
    for (size_t i = 0; i < 4 && field.offset + i < bytes.size(); ++i)
        u |= static_cast<uint32_t>(static_cast<uint8_t>(bytes[field.offset + i])) << (8 * i);
    return static_cast<int32_t>(u);
}

}  // namespace

std::array<uint8_t, AccountProfile::kFileSize> profileBytes(const AccountProfile& p) {
    std::array<uint8_t, AccountProfile::kFileSize> bytes{};
    putText(bytes, kName, p.name);
    putText(bytes, kEmail, p.email);
    putText(bytes, kPassword, p.password);
    putText(bytes, kToken, p.token);
    bytes[kUseProxy.offset] = p.useProxy ? 1 : 0;
    putInt(bytes, kProxyType, p.proxyType);
    putText(bytes, kProxyAddress, p.proxyAddress);
    putInt(bytes, kProxyPort, p.proxyPort);
    putText(bytes, kProxyUser, p.proxyUser);
    putText(bytes, kProxyPassword, p.proxyPassword);
    putText(bytes, kClientEmail, p.clientEmail);
    return bytes;
}

AccountProfile profileFromBytes(std::string_view bytes) {
    AccountProfile p;
    p.name = getText(bytes, kName);
    p.email = getText(bytes, kEmail);
    p.password = getText(bytes, kPassword);
    p.token = getText(bytes, kToken);
    p.useProxy = bytes.size() > kUseProxy.offset && bytes[kUseProxy.offset] != 0;
    p.proxyType = getInt(bytes, kProxyType);
    p.proxyAddress = getText(bytes, kProxyAddress);
    p.proxyPort = getInt(bytes, kProxyPort);
    p.proxyUser = getText(bytes, kProxyUser);
    p.proxyPassword = getText(bytes, kProxyPassword);
    p.clientEmail = getText(bytes, kClientEmail);
    return p;
}

std::optional<AccountProfile> loadProfile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes(AccountProfile::kFileSize, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<size_t>(in.gcount()));
    if (bytes.empty()) return std::nullopt;
    return profileFromBytes(bytes);
}

bool saveProfile(const AccountProfile& profile, const std::string& path) {
    const auto bytes = profileBytes(profile);
    // The file holds a password: created for the user alone.
    return writePrivateFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string profilePath(const ProgramFolder& folder, std::string_view fileName) {
    return folder.googleFolder() + "/" + std::string(fileName) + std::string(kProfileExtension);
}

std::vector<std::string> listProfiles(const ProgramFolder& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder.googleFolder(), ec)) {
        if (!entry.is_regular_file(ec)) continue;
        const std::string file = entry.path().filename().string();
        const size_t cut = file.find(kProfileExtension);
        if (cut == std::string::npos) continue;
        // "*.google" matches only names that end with it.
        if (file.size() < kProfileExtension.size() ||
            file.compare(file.size() - kProfileExtension.size(), kProfileExtension.size(), kProfileExtension) != 0)
            continue;
        names.push_back(file.substr(0, cut));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<AccountProfile> loadDefaultProfile(const ProgramFolder& folder, std::string_view defaultName) {
    if (defaultName.empty()) return std::nullopt;
    return loadProfile(profilePath(folder, defaultName));
}

void createGoogleFolder(const ProgramFolder& folder) {
    createFolder(folder.root());
    ::mkdir(folder.googleFolder().c_str(), 0700);
}

}  // namespace pw
