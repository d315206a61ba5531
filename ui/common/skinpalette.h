#pragma once
// The colours a skin paints with, chosen from its background so that text,
// disabled text and the focus stay readable on every skin, dark or light.

#include <cstdint>

namespace pw::ui {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// The background colour as the settings store it (red in the low byte).
Rgb rgbOfSetting(uint32_t color);
// The contrast of two colours, 1 (none) to 21 (black on white).
double contrastRatio(Rgb a, Rgb b);

struct SkinPalette {
    Rgb window;          // the skin's background
    Rgb windowText;      // labels and check boxes
    Rgb disabledText;    // the same, greyed: dimmer, yet readable
    Rgb disabledBoxText; // greyed text in the white boxes and lists
    Rgb button;
    Rgb buttonText;
    Rgb disabledButtonText;
    Rgb highlight;       // selections and the focus outline
    Rgb highlightedText;
};
// Text reaches 4.5:1 against its background; disabled text and the
// highlight at least 3:1 (the highlight against the skin and against the
// white of the lists alike).
constexpr double kTextContrast = 4.5;
constexpr double kMarkContrast = 3.0;
// Greyed text: lighter than text, yet still 4:1, since its thin strokes
// look fainter than a solid colour of the same contrast.
constexpr double kGreyedContrast = 4.0;
SkinPalette skinPalette(Rgb background);

}  // namespace pw::ui
