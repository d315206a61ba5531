#pragma once
// pwstg.bin: the program-wide settings, 137 bytes, and the background colour
// presets offered as "Skin:".

#include <cstdint>
#include <string>
#include <string_view>

#include "io/programfolder.h"

namespace pw {

constexpr size_t kProfileNameSize = 128;
constexpr uint32_t kDefaultBackgroundColor = 0x00DCC8B8;  // red in the low byte: "Sky Blue"

struct AppSettings {
    bool confirmDelete = true;
    bool autoUpdateCheck = true;
    uint32_t backgroundColor = kDefaultBackgroundColor;
    std::string defaultProfile;
    bool commitHintPending = true;
    uint8_t reserved1 = 0;  // kept as read
    uint8_t reserved2 = 0;

    bool operator==(const AppSettings&) const = default;
};

// Missing or short files fall back to defaults field by field.
AppSettings loadAppSettings(const std::string& path);
// False when the file cannot be written; a read-only pwstg.bin is left as it is.
bool saveAppSettings(const std::string& path, const AppSettings& settings);

// The settings of the running program; every change rewrites the file.
class SettingsStore {
public:
    explicit SettingsStore(ProgramFolder folder);
    const AppSettings& values() const { return values_; }

    // Flags and colour rewrite the file only when the value changes.
    bool setConfirmDelete(bool on);
    bool setAutoUpdateCheck(bool on);
    bool setBackgroundColor(uint32_t color);
    bool setCommitHintPending(bool on);
    bool setDefaultProfile(std::string_view name);

private:
    bool store();

    ProgramFolder folder_;
    AppSettings values_;
};

struct SkinPreset {
    std::string_view name;
    uint8_t red, green, blue;
    uint32_t color() const { return red | (green << 8) | (blue << 16); }
};
constexpr SkinPreset kSkinPresets[] = {
    {"Denim Blue", 80, 117, 163},   {"Lavender", 203, 185, 236},   {"Mellow Yellow", 233, 235, 137},
    {"Periwinkle", 160, 162, 211},  {"Grey", 204, 204, 204},       {"Money Green", 153, 204, 153},
    {"Steel Blue", 153, 153, 204},  {"Tangerine", 245, 205, 112},  {"PWR Green", 111, 199, 73},
    {"Sky Blue", 184, 200, 220},
};
constexpr int kSkinPresetCount = static_cast<int>(std::size(kSkinPresets));
constexpr std::string_view kCustomSkin = "Custom...";
// The preset showing this colour, or kSkinPresetCount ("Custom...").
int skinIndexForColor(uint32_t color);

}  // namespace pw
