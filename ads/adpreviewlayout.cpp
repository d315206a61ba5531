#include "ads/adpreviewlayout.h"

#include "core/text.h"

namespace pw {

namespace {
bool fits(std::string_view line, int width, const TextWidth& measure) {
    return measure(line) < width - kPreviewMargin;
}

constexpr std::string_view kBreakCharacters = " ,.!?;";

// The line without its last character (never half of one).
std::string_view withoutLastCharacter(std::string_view line) {
    const size_t whole = wholeCharactersLength(line.substr(0, line.size() - 1));
    return line.substr(0, whole);
}

// The line less its last `count` characters.
std::string_view dropCharacters(std::string_view line, size_t count) {
    for (size_t i = 0; i < count && !line.empty(); ++i) line = withoutLastCharacter(line);
    return line;
}
}  // namespace

std::string shortenToFit(std::string_view line, int width, const TextWidth& measure) {
    if (fits(line, width, measure)) return std::string(line);
    while (!line.empty() && !fits(line, width, measure)) line = withoutLastCharacter(line);
    return std::string(dropCharacters(line, 2)) + "...";
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
        std::string_view fitting = first;
        while (!fitting.empty() && !fits(fitting, width, measure)) fitting = withoutLastCharacter(fitting);
        const size_t prefix = fitting.size();
        // Break characters are ASCII, so a byte that is one always starts a character.
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
            const size_t cut = dropCharacters(fitting, 2).size();
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
