#pragma once
// AccountProfile: what the account tool needs to log in to one advertising
// account. Its file is the fixed 1,052-byte record, field by field.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "io/programfolder.h"

namespace pw {

enum class ProxyType : int32_t { Http = 0, Https = 1, Socks = 2 };

struct AccountProfile {
    static constexpr size_t kFileSize = 1052;
    static constexpr size_t kNameSize = 128;
    static constexpr size_t kEmailSize = 128;
    static constexpr size_t kPasswordSize = 128;
    static constexpr size_t kTokenSize = 256;
    static constexpr size_t kProxyAddressSize = 16;
    static constexpr size_t kProxyUserSize = 128;
    static constexpr size_t kProxyPasswordSize = 128;
    static constexpr size_t kClientEmailSize = 128;

    std::string name;
    std::string email;     // manager account
    std::string password;  // manager password
    std::string token;     // developer token
    bool useProxy = false;
    int32_t proxyType = 0;  // a ProxyType value; others are sent as "http"
    std::string proxyAddress;
    int32_t proxyPort = 0;  // 0: not set
    std::string proxyUser;
    std::string proxyPassword;
    std::string clientEmail;  // may be empty
    bool operator==(const AccountProfile&) const = default;
};

// The record's bytes: text fields NUL-terminated and zero-filled, numbers
// little-endian. Texts longer than their field are cut (validation refuses
// them before a profile is saved).
std::array<uint8_t, AccountProfile::kFileSize> profileBytes(const AccountProfile& profile);
// Reads what the bytes hold; a short record leaves the rest empty.
AccountProfile profileFromBytes(std::string_view bytes);

// None when the file cannot be opened or is empty.
std::optional<AccountProfile> loadProfile(const std::string& path);
// Written whole (readable by the user only) and replaced atomically.
bool saveProfile(const AccountProfile& profile, const std::string& path);

// The profile files: "<program folder>/Google/<name>.google".
constexpr std::string_view kProfileExtension = ".google";
std::string profilePath(const ProgramFolder& folder, std::string_view fileName);
// The file names of every profile, cut at the first ".google", in name order.
std::vector<std::string> listProfiles(const ProgramFolder& folder);
// The default profile, or none when no default is set or its file does not load.
std::optional<AccountProfile> loadDefaultProfile(const ProgramFolder& folder, std::string_view defaultName);
// Creates the Google folder, readable by the user only.
void createGoogleFolder(const ProgramFolder& folder);

}  // namespace pw
