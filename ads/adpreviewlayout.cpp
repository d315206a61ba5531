#include "ads/adpreviewlayout.h"

#include "core/text.h"

namespace pw {

namespace {
bool fits(std::string_view line, int width, const TextWidth& measure) {
    return measure(line) < width - kPreviewMargin;
}

constexpr std::string_view kBreakCharacters = " ,.!?;";
}  // namespace

std::string shortenToFit(std::string_view line, int width, const TextWidth& measure) {
    if (fits(line, width, measure)) return std::string(line);
    while (!line.empty() && !fits(line, width, measure)) line.remove_suffix(1);
    std::string shortened(line.substr(0, line.size() >= 2 ? line.size() - 2 : 0));
    return shortened + "...";
}

namespace {
// The description over two lines: at its first CR LF, else at the last break
// character that keeps line 1 within the width.
void spreadDescription(std::string_view text, int width, const TextWidth& measure, std::string& line1,
                       std::string& line2) {
    std::string_view first = text;
    std::string_view second;
    if (const size_t crlf = text.find("\r\n"); crlf != std::string_view::npos) {
        first = text.substr(0, crlf);
        second = text.substr(crlf + 2);
        second = second.substr(0, second.find("\r\n"));
    }
    if (!fits(first, width, measure)) {
        size_t prefix = first.size();
        while (prefix > 0 && !fits(first.substr(0, prefix), width, measure)) --prefix;
        size_t p = std::string_view::npos;
        for (size_t i = std::min(prefix, first.size() - 1) + 1; i-- > 0;)
            if (kBreakCharacters.find(first[i]) != std::string_view::npos) {
                p = i;
                break;
            }
        if (p != std::string_view::npos && p > 1) {
            second = first.substr(p);
            first = first.substr(0, p);
        } else {
            const size_t cut = prefix >= 2 ? prefix - 2 : 0;
            second = first.substr(cut);
            line1 = std::string(first.substr(0, cut)) + "...";
            line2 = std::string(second);
            return;
        }
    }
    line1 = std::string(first);
    line2 = std::string(second);
}
}  // namespace

PreviewTexts layoutPreview(const PreviewTexts& texts, int width, const PreviewFonts& fonts) {
    PreviewTexts out = texts;
    if (texts.oneDescription) {
        spreadDescription(texts.line1, width, fonts.text, out.line1, out.line2);
        out.line1 = std::string(trimSpaces(out.line1));
        out.line2 = std::string(trimSpaces(out.line2));
    }
    out.title = shortenToFit(out.title, width, fonts.title);
    out.line1 = shortenToFit(out.line1, width, fonts.text);
    out.line2 = shortenToFit(out.line2, width, fonts.text);
    out.displayUrl = shortenToFit(out.displayUrl, width, fonts.url);
    return out;
}

}  // namespace pw
