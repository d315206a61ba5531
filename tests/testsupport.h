#pragma once
// Small helpers shared by the tests: a private temporary folder and file I/O.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "core/group.h"

namespace pw::test {

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "pwtest-XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// `text` written `times` over: long texts of multi-byte characters.
inline std::string repeated(std::string_view text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

// UTF-16 little-endian with its byte-order mark, as keyword planners export.
inline std::string utf16le(std::u16string_view text) {
    std::string out = "\xFF\xFE";
    for (char16_t c : text) out += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return out;
}

// A group holding these texts, hit counts 0.
inline Group groupOf(const std::vector<std::string>& texts) {
    Group g("test");
    for (const std::string& t : texts) g.phrases.emplace_back(t);
    return g;
}

inline std::vector<std::string> textsOf(const PhraseList& list, bool visibleOnly = false) {
    std::vector<std::string> texts;
    for (const Phrase& p : list)
        if (!visibleOnly || p.visible()) texts.emplace_back(p.text());
    return texts;
}

}  // namespace pw::test
