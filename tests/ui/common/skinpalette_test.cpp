#include "ui/common/skinpalette.h"

#include <gtest/gtest.h>

#include <string>

#include "io/appsettings.h"

namespace pw::ui {
namespace {

// Every preset and a few extremes a custom colour may bring.
TEST(SkinPalette, TextDisabledTextAndFocusAreReadableOnEverySkin) {
    std::vector<std::pair<std::string, Rgb>> skins;
    for (const SkinPreset& preset : kSkinPresets) skins.push_back({std::string(preset.name), {preset.red, preset.green, preset.blue}});
    skins.push_back({"black", {0, 0, 0}});
    skins.push_back({"white", {255, 255, 255}});
    skins.push_back({"mid grey", {119, 119, 119}});
    skins.push_back({"navy", {20, 70, 160}});
    for (const auto& [name, background] : skins) {
        SCOPED_TRACE(name);
        const SkinPalette p = skinPalette(background);
        EXPECT_GE(contrastRatio(p.windowText, background), kTextContrast);
        EXPECT_GE(contrastRatio(p.buttonText, p.button), kTextContrast);
        EXPECT_GE(contrastRatio(p.disabledText, background), kGreyedContrast);
        EXPECT_GE(contrastRatio(p.disabledButtonText, p.button), kGreyedContrast);
        EXPECT_GE(contrastRatio(p.disabledBoxText, {255, 255, 255}), kGreyedContrast);
        // Greyed text must still look greyed next to enabled text.
        EXPECT_LT(contrastRatio(p.disabledText, background), contrastRatio(p.windowText, background));
        EXPECT_GE(contrastRatio(p.highlightedText, p.highlight), kTextContrast);
        if (name != "navy" && name != "black") {  // no blue stands out from these; the lists' white still shows it
            EXPECT_GE(contrastRatio(p.highlight, background), kMarkContrast);
        }
        EXPECT_GE(contrastRatio(p.highlight, {255, 255, 255}), kMarkContrast);
    }
}

TEST(SkinPalette, ContrastAndStoredColours) {
    EXPECT_NEAR(contrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 0.01);
    EXPECT_NEAR(contrastRatio({10, 20, 30}, {10, 20, 30}), 1.0, 0.001);
    EXPECT_EQ(rgbOfSetting(0x00DCC8B8u), (Rgb{184, 200, 220}));  // Sky Blue as stored
}

}  // namespace
}  // namespace pw::ui
