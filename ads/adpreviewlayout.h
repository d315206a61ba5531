#pragma once
// What an ad preview shows on each line for a given width: long lines end in
// "...", and a single description is spread over two lines. The text widths
// come from the caller, so the layout is worked out without painting.

#include <functional>
#include <string>
#include <string_view>

namespace pw {

using TextWidth = std::function<int(std::string_view)>;

struct PreviewTexts {
    std::string title, line1, line2, displayUrl;
    bool oneDescription = false;  // line1 holds the whole description
};

struct PreviewFonts {
    TextWidth title, text, url;
};

constexpr int kPreviewMargin = 6;  // a line must be narrower than the width less this

// Drops characters from the end until the line fits, then ends it in "...".
std::string shortenToFit(std::string_view line, int width, const TextWidth& measure);

// What a preview shows before it has an ad.
inline PreviewTexts placeholderPreview() {
    return {"Your title here", "Your first text here", "Your second text here", "Your display URL here", false};
}

PreviewTexts layoutPreview(const PreviewTexts& texts, int width, const PreviewFonts& fonts);

}  // namespace pw
