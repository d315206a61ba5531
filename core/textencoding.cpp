#include "core/textencoding.h"

#include <cstdint>
#include <cstring>

namespace pw {

namespace {
// Windows-1252 bytes 0x80..0x9F; the five unassigned ones map to the C1 controls.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// Length of the valid UTF-8 sequence at text[0], or 0 when there is none.
size_t validSequenceLength(std::string_view text) {
    const unsigned char c = static_cast<unsigned char>(text[0]);
    size_t extra;
    char32_t min;
    char32_t code;
    if (c < 0x80) return 1;
    if ((c & 0xE0) == 0xC0) { extra = 1; min = 0x80; code = c & 0x1F; }
    else if ((c & 0xF0) == 0xE0) { extra = 2; min = 0x800; code = c & 0x0F; }
    else if ((c & 0xF8) == 0xF0) { extra = 3; min = 0x10000; code = c & 0x07; }
    else return 0;
    if (extra >= text.size()) return 0;
    for (size_t k = 1; k <= extra; ++k) {
        const unsigned char cc = static_cast<unsigned char>(text[k]);
        if ((cc & 0xC0) != 0x80) return 0;
        code = (code << 6) | (cc & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return extra + 1;
}
}  // namespace

bool isValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        // Runs of ASCII are the common case: skip them eight bytes at a time.
        while (i + 8 <= bytes.size()) {
            uint64_t block;
            std::memcpy(&block, bytes.data() + i, 8);
            if (block & 0x8080808080808080ULL) break;
            i += 8;
        }
        if (i >= bytes.size()) break;
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const size_t length = validSequenceLength(bytes.substr(i));
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        const unsigned char c = static_cast<unsigned char>(ch);
        appendUtf8(out, (c >= 0x80 && c < 0xA0) ? kCp1252High[c - 0x80] : c);
    }
    return out;
}

std::string toUtf8(std::string_view bytes) {
    if (isValidUtf8(bytes)) return std::string(bytes);
    return windows1252ToUtf8(bytes);
}

std::string displayText(std::string_view bytes) { return toUtf8(bytes); }

ByteOrderMark byteOrderMark(std::string_view s) {
    if (s.starts_with("\xEF\xBB\xBF")) return ByteOrderMark::Utf8;
    if (s.starts_with("\xFF\xFE")) return ByteOrderMark::Utf16LE;
    if (s.starts_with("\xFE\xFF")) return ByteOrderMark::Utf16BE;
    return ByteOrderMark::None;
}

size_t byteOrderMarkLength(ByteOrderMark mark) {
    switch (mark) {
    case ByteOrderMark::Utf8: return 3;
    case ByteOrderMark::Utf16LE:
    case ByteOrderMark::Utf16BE: return 2;
    case ByteOrderMark::None: break;
    }
    return 0;
}

std::string utf16ToUtf8(std::string_view bytes, bool littleEndian) {
    auto unit = [&](size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return littleEndian ? (a | (b << 8)) : ((a << 8) | b);
    };
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t code = unit(i);
        if (code >= 0xD800 && code <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        if (code >= 0xD800 && code <= 0xDFFF) code = 0xFFFD;
        appendUtf8(out, code);
    }
    return out;
}

std::string decodeTextFile(std::string_view fileBytes) {
    const ByteOrderMark mark = byteOrderMark(fileBytes);
    const std::string_view body = fileBytes.substr(byteOrderMarkLength(mark));
    switch (mark) {
    case ByteOrderMark::Utf16LE: return utf16ToUtf8(body, true);
    case ByteOrderMark::Utf16BE: return utf16ToUtf8(body, false);
    case ByteOrderMark::Utf8:
    case ByteOrderMark::None: break;
    }
    return toUtf8(body);
}

size_t characterLength(std::string_view text) {
    if (text.empty()) return 0;
    const size_t length = validSequenceLength(text);
    return length == 0 ? 1 : length;
}

size_t countCharacters(std::string_view text) {
    size_t count = 0;
    for (size_t i = 0; i < text.size(); i += characterLength(text.substr(i))) ++count;
    return count;
}

std::string_view clipToCharacters(std::string_view text, size_t maxCharacters) {
    size_t end = 0;
    for (size_t n = 0; n < maxCharacters && end < text.size(); ++n) end += characterLength(text.substr(end));
    return text.substr(0, end);
}

std::string_view clipToBytes(std::string_view text, size_t maxBytes) {
    if (text.size() <= maxBytes) return text;
    size_t end = 0;
    while (end < text.size()) {
        const size_t next = end + characterLength(text.substr(end));
        if (next > maxBytes) break;
        end = next;
    }
    return text.substr(0, end);
}

size_t wholeCharactersLength(std::string_view text) {
    // A cut sequence can only be the last three bytes or fewer.
    const size_t from = text.size() > 3 ? text.size() - 3 : 0;
    for (size_t i = text.size(); i-- > from;) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) == 0x80) continue;  // a continuation byte: look further back
        if (c < 0x80) return text.size();
        const size_t need = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 1;
        return text.size() - i < need ? i : text.size();
    }
    return text.size();
}

std::vector<std::string_view> splitCharacters(std::string_view text) {
    std::vector<std::string_view> characters;
    for (size_t i = 0; i < text.size();) {
        const size_t length = characterLength(text.substr(i));
        characters.push_back(text.substr(i, length));
        i += length;
    }
    return characters;
}

}  // namespace pw
