#include "io/appsettings.h"

#include <cstring>

#include "core/atomicfile.h"
#include "core/textencoding.h"

namespace pw {

AppSettings loadAppSettings(const std::string& path) {
    AppSettings s;
    std::string bytes;
    if (!readWholeFile(path, bytes) || bytes.size() < 6) return s;
    s.confirmDelete = bytes[0] != 0;
    s.autoUpdateCheck = bytes[1] != 0;
    std::memcpy(&s.backgroundColor, bytes.data() + 2, 4);
    size_t pos = 6;
    if (bytes.size() - pos >= kProfileNameSize) {
        const std::string_view name(bytes.data() + pos, kProfileNameSize - 1);
        s.defaultProfile = toUtf8(name.substr(0, name.find('\0')));
        pos += kProfileNameSize;
    } else {
        pos = bytes.size();
    }
    if (pos < bytes.size()) s.commitHintPending = bytes[pos++] != 0;
    if (pos < bytes.size()) s.reserved1 = static_cast<uint8_t>(bytes[pos++]);
    if (pos < bytes.size()) s.reserved2 = static_cast<uint8_t>(bytes[pos++]);
    return s;
}

bool saveAppSettings(const std::string& path, const AppSettings& s) {
    std::string bytes;
    bytes.push_back(s.confirmDelete ? 1 : 0);
    bytes.push_back(s.autoUpdateCheck ? 1 : 0);
    char color[4];
    std::memcpy(color, &s.backgroundColor, 4);
    bytes.append(color, 4);
    const std::string_view name = clipToBytes(s.defaultProfile, kProfileNameSize - 1);
    bytes.append(name);
    bytes.append(kProfileNameSize - name.size(), '\0');
    bytes.push_back(s.commitHintPending ? 1 : 0);
    bytes.push_back(static_cast<char>(s.reserved1));
    bytes.push_back(static_cast<char>(s.reserved2));
    return replaceFileAtomically(path, bytes);
}

SettingsStore::SettingsStore(ProgramFolder folder)
    : folder_(std::move(folder)), values_(loadAppSettings(folder_.settingsFile())) {}

bool SettingsStore::store() {
    createFolder(folder_.programSubfolder());
    return saveAppSettings(folder_.settingsFile(), values_);
}

namespace {
template <typename T>
bool changeAndStore(T& field, T value, auto&& store) {
    if (field == value) return true;
    field = value;
    return store();
}
}  // namespace

bool SettingsStore::setConfirmDelete(bool on) { return changeAndStore(values_.confirmDelete, on, [this] { return store(); }); }
bool SettingsStore::setAutoUpdateCheck(bool on) {
    return changeAndStore(values_.autoUpdateCheck, on, [this] { return store(); });
}
bool SettingsStore::setBackgroundColor(uint32_t color) {
    return changeAndStore(values_.backgroundColor, color, [this] { return store(); });
}
bool SettingsStore::setCommitHintPending(bool on) {
    return changeAndStore(values_.commitHintPending, on, [this] { return store(); });
}
bool SettingsStore::setDefaultProfile(std::string_view name) {
    values_.defaultProfile = clipToBytes(name, kProfileNameSize - 1);
    return store();
}

int skinIndexForColor(uint32_t color) {
    for (int i = 0; i < kSkinPresetCount; ++i)
        if (kSkinPresets[i].color() == color) return i;
    return kSkinPresetCount;
}

}  // namespace pw
