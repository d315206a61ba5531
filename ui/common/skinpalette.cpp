#include "ui/common/skinpalette.h"

#include <algorithm>
#include <cmath>

namespace pw::ui {

namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

double channelLuminance(uint8_t value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(Rgb c) {
    return 0.2126 * channelLuminance(c.r) + 0.7152 * channelLuminance(c.g) + 0.0722 * channelLuminance(c.b);
}

Rgb mix(Rgb from, Rgb to, double share) {
    auto channel = [share](uint8_t a, uint8_t b) {
        return static_cast<uint8_t>(std::lround(a + (b - a) * share));
    };
    return {channel(from.r, to.r), channel(from.g, to.g), channel(from.b, to.b)};
}

Rgb lighter(Rgb c) { return mix(c, kWhite, 0.25); }

// Black or white, whichever stands out more.
Rgb textOn(Rgb background) {
    return contrastRatio(kBlack, background) >= contrastRatio(kWhite, background) ? kBlack : kWhite;
}

// The colour nearest `background` on the way to `text` that still reaches `ratio`.
Rgb dimmedText(Rgb text, Rgb background, double ratio) {
    for (int step = 0; step <= 100; ++step) {
        const Rgb candidate = mix(background, text, step / 100.0);
        if (contrastRatio(candidate, background) >= ratio) return candidate;
    }
    return text;
}

// A blue that marks selections, darkened until it stands out from the skin and the lists' white.
Rgb highlightFor(Rgb background) {
    Rgb blue{20, 70, 160};
    for (int step = 0; step < 20; ++step) {
        if (contrastRatio(blue, background) >= kMarkContrast && contrastRatio(blue, kWhite) >= kMarkContrast)
            return blue;
        blue = mix(blue, kBlack, 0.15);
    }
    return blue;
}

}  // namespace

Rgb rgbOfSetting(uint32_t color) {
    return {static_cast<uint8_t>(color & 0xFF), static_cast<uint8_t>((color >> 8) & 0xFF),
            static_cast<uint8_t>((color >> 16) & 0xFF)};
}

double contrastRatio(Rgb a, Rgb b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

SkinPalette skinPalette(Rgb background) {
    SkinPalette p;
    p.window = background;
    p.windowText = textOn(background);
    p.disabledText = dimmedText(p.windowText, background, kGreyedContrast);
    p.disabledBoxText = dimmedText(kBlack, kWhite, kGreyedContrast);
    p.button = lighter(background);
    p.buttonText = textOn(p.button);
    p.disabledButtonText = dimmedText(p.buttonText, p.button, kGreyedContrast);
    p.highlight = highlightFor(background);
    p.highlightedText = textOn(p.highlight);
    return p;
}

}  // namespace pw::ui
