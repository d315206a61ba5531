#include "core/text.h"

#include <algorithm>
#include <climits>

namespace pw {

std::string_view trimSpaces(std::string_view text) {
    while (!text.empty() && isTrimSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && isTrimSpace(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view stripQuotes(std::string_view text) {
    while (!text.empty() && isQuote(text.front())) text.remove_prefix(1);
    while (!text.empty() && isQuote(text.back())) text.remove_suffix(1);
    return text;
}

int compareIgnoreCase(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char ca = foldAscii(static_cast<unsigned char>(a[i]));
        const unsigned char cb = foldAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && compareIgnoreCase(a, b) == 0;
}

bool containsIgnoreCase(std::string_view haystack, std::string_view needle) {
    if (needle.size() > haystack.size()) return false;
    if (needle.empty()) return true;
    const unsigned char first = foldAscii(static_cast<unsigned char>(needle[0]));
    const size_t last = haystack.size() - needle.size();
    for (size_t i = 0; i <= last; ++i) {
        if (foldAscii(static_cast<unsigned char>(haystack[i])) != first) continue;
        if (equalsIgnoreCase(haystack.substr(i, needle.size()), needle)) return true;
    }
    return false;
}

std::string foldedCopy(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(foldAscii(static_cast<unsigned char>(c)));
    return out;
}

bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

std::vector<std::string_view> splitAny(std::string_view text, std::string_view separators) {
    std::vector<std::string_view> pieces;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of(separators, start);
        const size_t stop = end == std::string_view::npos ? text.size() : end;
        if (stop > start) pieces.push_back(text.substr(start, stop - start));
        start = stop + 1;
    }
    return pieces;
}

std::string formatCount(long long value) {
    std::string digits = std::to_string(value < 0 ? -static_cast<unsigned long long>(value)
                                                  : static_cast<unsigned long long>(value));
    std::string out;
    out.reserve(digits.size() + digits.size() / 3 + 1);
    if (value < 0) out.push_back('-');
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

int32_t parseLeadingInt(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    return static_cast<int32_t>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the thousands separator at text[0], or 0 when there is none.
size_t thousandsSeparatorLength(std::string_view text) {
    for (std::string_view separator : {",", ".", " ", "'", "\xC2\xA0", "\xE2\x80\xAF"}) {
        if (text.starts_with(separator)) return separator.size();
    }
    return 0;
}

// Exactly three digits, then no further digit.
bool startsWithDigitGroup(std::string_view text) {
    return text.size() >= 3 && isDigit(text[0]) && isDigit(text[1]) && isDigit(text[2]) &&
           (text.size() == 3 || !isDigit(text[3]));
}
}  // namespace

int32_t parsePlannerCount(std::string_view text) {
    text = trimSpaces(text);
    long long value = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (isDigit(text[i])) {
            value = std::min<long long>(value * 10 + (text[i] - '0'), INT32_MAX);
            ++i;
            continue;
        }
        const size_t separator = i > 0 ? thousandsSeparatorLength(text.substr(i)) : 0;
        if (separator == 0 || !startsWithDigitGroup(text.substr(i + separator))) break;
        i += separator;
    }
    if (i == 0) return 0;
    // A shortened count may carry a decimal before its suffix: "1.5K".
    long long fraction = 0, fractionScale = 1;
    size_t end = i;
    if (end + 1 < text.size() && (text[end] == '.' || text[end] == ',') && isDigit(text[end + 1])) {
        size_t j = end + 1;
        while (j < text.size() && isDigit(text[j]) && fractionScale < 1000) {
            fraction = fraction * 10 + (text[j] - '0');
            fractionScale *= 10;
            ++j;
        }
        end = j;
    }
    const auto suffixAt = [&](size_t at) {
        return at < text.size() ? static_cast<char>(upperAscii(static_cast<unsigned char>(text[at]))) : '\0';
    };
    const char suffix = suffixAt(end);
    const long long scale = suffix == 'K' ? 1000 : suffix == 'M' ? 1000000 : suffix == 'B' ? 1000000000 : 1;
    if (scale == 1) return static_cast<int32_t>(value);  // a decimal without a suffix is left out
    return static_cast<int32_t>(std::min<long long>(value * scale + fraction * scale / fractionScale, INT32_MAX));
}

}  // namespace pw
