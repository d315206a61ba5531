#include "zippedxml.h"

#include <expat.h>
#include <zip.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <fstream>

namespace pwsheet {

namespace {
constexpr zip_uint64_t kMaxEntryBytes = 512u << 20;

std::string_view localNameOf(const char* name) {
    std::string_view view(name);
    const size_t separator = view.rfind('|');  // the parser puts "uri|local"
    return separator == std::string_view::npos ? view : view.substr(separator + 1);
}

bool startsWithCompoundFileMagic(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char magic[8] = {};
    in.read(magic, sizeof magic);
    return in.gcount() == 8 && std::string_view(magic, 8) == std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
}
}  // namespace

ZipArchive::ZipArchive(const std::string& path) {
    int code = 0;
    zip_ = zip_open(path.c_str(), ZIP_RDONLY, &code);
    if (zip_) return;
    if (code == ZIP_ER_OPEN || code == ZIP_ER_NOENT || code == ZIP_ER_READ)
        error_ = "The workbook file cannot be opened.";
    else if (startsWithCompoundFileMagic(path))
        error_ = "The workbook is protected by a password (or is an old .xls file named otherwise).";
    else
        error_ = "The file is not a readable workbook (damaged, cut short or of another format).";
}

ZipArchive::~ZipArchive() {
    if (zip_) zip_discard(zip_);
}

std::optional<std::string> ZipArchive::entry(const std::string& name) const {
    if (!zip_) return std::nullopt;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat(zip_, name.c_str(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) return std::nullopt;
    if (stat.size > kMaxEntryBytes) return std::nullopt;
    zip_file_t* file = zip_fopen(zip_, name.c_str(), 0);
    if (!file) return std::nullopt;
    std::string bytes(stat.size, '\0');
    zip_uint64_t got = 0;
    while (got < stat.size) {
        const zip_int64_t n = zip_fread(file, bytes.data() + got, stat.size - got);
        if (n <= 0) break;
        got += static_cast<zip_uint64_t>(n);
    }
    zip_fclose(file);
    if (got != stat.size) return std::nullopt;
    return bytes;
}

std::optional<std::string_view> XmlAttributes::get(std::string_view localName) const {
    for (const char** a = attributes_; a && a[0]; a += 2)
        if (localNameOf(a[0]) == localName) return std::string_view(a[1]);
    return std::nullopt;
}

namespace {
struct WalkState {
    const XmlHandler* handler;
};

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    const auto* state = static_cast<WalkState*>(data);
    if (state->handler->start) state->handler->start(localNameOf(name), XmlAttributes(attributes));
}
void XMLCALL onEnd(void* data, const XML_Char* name) {
    const auto* state = static_cast<WalkState*>(data);
    if (state->handler->end) state->handler->end(localNameOf(name));
}
void XMLCALL onText(void* data, const XML_Char* text, int length) {
    const auto* state = static_cast<WalkState*>(data);
    if (state->handler->text) state->handler->text(std::string_view(text, static_cast<size_t>(length)));
}
}  // namespace

bool walkXml(std::string_view document, const XmlHandler& handler) {
    XML_Parser parser = XML_ParserCreateNS(nullptr, '|');
    if (!parser) return false;
    WalkState state{&handler};
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(parser, onStart, onEnd);
    XML_SetCharacterDataHandler(parser, onText);
    bool ok = true;
    // Fed in pieces: XML_Parse takes an int length.
    constexpr size_t kPiece = 1 << 24;
    size_t offset = 0;
    do {
        const size_t length = std::min(kPiece, document.size() - offset);
        const bool last = offset + length == document.size();
        if (XML_Parse(parser, document.data() + offset, static_cast<int>(length), last) != XML_STATUS_OK) {
            ok = false;
            break;
        }
        offset += length;
    } while (offset < document.size());
    XML_ParserFree(parser);
    return ok;
}

bool xmlTrue(std::optional<std::string_view> value) {
    return value && (*value == "1" || *value == "true" || *value == "TRUE" || *value == "True");
}

std::optional<double> parseNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t' || text.front() == '\n')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\n')) text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

size_t parseRepeat(std::optional<std::string_view> text, size_t limit) {
    if (!text) return 1;
    size_t value = 0;
    const auto [end, ec] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (ec == std::errc::result_out_of_range) return limit;
    if (ec != std::errc() || value == 0) return 1;
    return std::min(value, limit);
}

}  // namespace pwsheet
