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

std::optional<std::string_view> XmlAttributes::get(std::string_view localName) const {
    for (const char** a = attributes_; a && a[0]; a += 2)
        if (localNameOf(a[0]) == localName) return std::string_view(a[1]);
    return std::nullopt;
}

namespace {
// No token of a real part comes near this: a text run arrives in pieces, so
// only a giant name, attribute or comment goes this long without an event,
// and the parser would hold all of it.
constexpr size_t kMaxBytesWithoutEvent = 16u << 20;

// One document fed in pieces to expat, with the depth, document-type and
// token-length checks of walkXml.
class XmlWalker {
public:
    explicit XmlWalker(const XmlHandler& handler) : handler_(handler), parser_(XML_ParserCreateNS(nullptr, '|')) {
        if (!parser_) return;
        XML_SetUserData(parser_, this);
        XML_SetElementHandler(parser_, onStart, onEnd);
        XML_SetCharacterDataHandler(parser_, onText);
        XML_SetStartDoctypeDeclHandler(parser_, onDoctype);
        XML_SetDefaultHandlerExpand(parser_, onOther);
    }
    ~XmlWalker() {
        if (parser_) XML_ParserFree(parser_);
    }
    XmlWalker(const XmlWalker&) = delete;
    XmlWalker& operator=(const XmlWalker&) = delete;

    bool feed(std::string_view piece, bool last) {
        if (!parser_ || failed_) return false;
        if (XML_Parse(parser_, piece.data(), static_cast<int>(piece.size()), last) != XML_STATUS_OK) failed_ = true;
        fed_ += piece.size();
        if (fed_ - lastEventAt_ > kMaxBytesWithoutEvent) failed_ = true;
        return !failed_;
    }

private:
    static XmlWalker& of(void* data) { return *static_cast<XmlWalker*>(data); }

    void event() {
        lastEventAt_ = fed_;
        if (handler_.stop && *handler_.stop) fail();
    }
    void fail() {
        failed_ = true;
        XML_StopParser(parser_, XML_FALSE);
    }

    static void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
        XmlWalker& w = of(data);
        if (++w.depth_ > kMaxXmlDepth) return w.fail();
        if (w.handler_.start) w.handler_.start(localNameOf(name), XmlAttributes(attributes));
        w.event();
    }
    static void XMLCALL onEnd(void* data, const XML_Char* name) {
        XmlWalker& w = of(data);
        --w.depth_;
        if (w.handler_.end) w.handler_.end(localNameOf(name));
        w.event();
    }
    static void XMLCALL onText(void* data, const XML_Char* text, int length) {
        XmlWalker& w = of(data);
        if (w.handler_.text) w.handler_.text(std::string_view(text, static_cast<size_t>(length)));
        w.event();
    }
    static void XMLCALL onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
        of(data).fail();
    }
    static void XMLCALL onOther(void* data, const XML_Char*, int) { of(data).event(); }

    const XmlHandler& handler_;
    XML_Parser parser_;
    size_t depth_ = 0;
    size_t fed_ = 0;
    size_t lastEventAt_ = 0;
    bool failed_ = false;
};
}  // namespace

bool walkXml(std::string_view document, const XmlHandler& handler) {
    XmlWalker walker(handler);
    // Fed in pieces: XML_Parse takes an int length.
    constexpr size_t kPiece = 1 << 20;
    for (size_t offset = 0;; offset += kPiece) {
        const std::string_view piece = document.substr(std::min(offset, document.size()), kPiece);
        const bool last = offset + kPiece >= document.size();
        if (!walker.feed(piece, last)) return false;
        if (last) return true;
    }
}

XmlWalk ZipArchive::walk(const std::string& name, const XmlHandler& handler) const {
    if (!zip_) return XmlWalk::Missing;
    zip_file_t* file = zip_fopen(zip_, name.c_str(), 0);
    if (!file) return XmlWalk::Missing;
    XmlWalker walker(handler);
    std::string piece(1 << 16, '\0');
    zip_uint64_t total = 0;
    bool ok = true;
    for (;;) {
        const zip_int64_t n = zip_fread(file, piece.data(), piece.size());
        if (n < 0 || (total += static_cast<zip_uint64_t>(n)) > kMaxEntryBytes) {
            ok = false;
            break;
        }
        if (!walker.feed(std::string_view(piece.data(), static_cast<size_t>(n)), n == 0)) {
            ok = false;
            break;
        }
        if (n == 0) break;
    }
    zip_fclose(file);
    return ok ? XmlWalk::Done : XmlWalk::Damaged;
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
