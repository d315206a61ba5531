// .xls workbooks: BIFF8 records in the "Workbook" stream of a compound
// file. Every length and offset is checked against the bytes at hand, so a
// damaged file ends in a message, never a read out of bounds.

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "compoundfile.h"
#include "littleendian.h"
#include "numberformat.h"
#include "workbook.h"

namespace pwsheet {

namespace {
constexpr uint16_t kBof = 0x0809, kEof = 0x000A, kContinue = 0x003C, kFilePass = 0x002F, kDateMode = 0x0022,
                   kFormat = 0x041E, kXf = 0x00E0, kBoundSheet = 0x0085, kSst = 0x00FC, kLabelSst = 0x00FD,
                   kLabel = 0x0204, kNumber = 0x0203, kRk = 0x027E, kMulRk = 0x00BD, kFormula = 0x0006,
                   kString = 0x0207, kBoolErr = 0x0205;

double f64(std::string_view b, size_t at) {
    double value = 0;
    if (at + 8 <= b.size()) std::memcpy(&value, b.data() + at, 8);
    return value;
}

void appendUtf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Reads across a record and the CONTINUE records after it; where characters
// cross into the next one, it starts with a fresh "wide characters" flag.
class Segments {
public:
    explicit Segments(std::vector<std::string_view> parts) : parts_(std::move(parts)) {}

    bool bytes(size_t n, std::string& out) {
        while (n > 0) {
            if (!nextIfEmpty()) return false;
            const size_t take = std::min(n, parts_[index_].size() - pos_);
            out.append(parts_[index_].substr(pos_, take));
            pos_ += take;
            n -= take;
        }
        return true;
    }
    bool skip(size_t n) {
        while (n > 0) {
            if (!nextIfEmpty()) return false;
            const size_t take = std::min(n, parts_[index_].size() - pos_);
            pos_ += take;
            n -= take;
        }
        return true;
    }
    bool u8(uint8_t& v) {
        std::string b;
        if (!bytes(1, b)) return false;
        v = static_cast<uint8_t>(b[0]);
        return true;
    }
    bool u16v(uint16_t& v) {
        std::string b;
        if (!bytes(2, b)) return false;
        v = u16(b, 0);
        return true;
    }
    bool u32v(uint32_t& v) {
        std::string b;
        if (!bytes(4, b)) return false;
        v = u32(b, 0);
        return true;
    }

    bool characters(size_t count, bool wide, std::string& out) {
        uint32_t pendingHigh = 0;
        while (count > 0) {
            if (pos_ == parts_[index_].size()) {
                if (index_ + 1 >= parts_.size()) return false;
                ++index_;
                pos_ = 0;
                uint8_t flags = 0;
                if (!u8(flags)) return false;
                wide = flags & 1;
            }
            const std::string_view part = parts_[index_];
            if (wide) {
                if (part.size() - pos_ < 2) return false;
                const uint32_t unit = u16(part, pos_);
                pos_ += 2;
                if (pendingHigh) {
                    if (unit >= 0xDC00 && unit < 0xE000) {
                        appendUtf8(out, 0x10000 + ((pendingHigh - 0xD800) << 10) + (unit - 0xDC00));
                        pendingHigh = 0;
                        --count;
                        continue;
                    }
                    appendUtf8(out, 0xFFFD);
                    pendingHigh = 0;
                }
                if (unit >= 0xD800 && unit < 0xDC00) pendingHigh = unit;
                else appendUtf8(out, unit >= 0xDC00 && unit < 0xE000 ? 0xFFFD : unit);
            } else {
                appendUtf8(out, static_cast<uint8_t>(part[pos_++]));
            }
            --count;
        }
        if (pendingHigh) appendUtf8(out, 0xFFFD);
        return true;
    }

    // An XLUnicodeRichExtendedString of the shared-string table.
    bool richString(std::string& out) {
        uint16_t count = 0;
        uint8_t flags = 0;
        if (!u16v(count) || !u8(flags)) return false;
        uint16_t runs = 0;
        uint32_t extra = 0;
        if ((flags & 0x08) && !u16v(runs)) return false;
        if ((flags & 0x04) && !u32v(extra)) return false;
        return characters(count, flags & 1, out) && skip(size_t(runs) * 4) && skip(extra);
    }

private:
    bool nextIfEmpty() {
        while (index_ < parts_.size() && pos_ == parts_[index_].size()) {
            if (index_ + 1 >= parts_.size()) return false;
            ++index_;
            pos_ = 0;
        }
        return index_ < parts_.size();
    }

    std::vector<std::string_view> parts_;
    size_t index_ = 0;
    size_t pos_ = 0;
};

struct Record {
    uint16_t type = 0;
    std::string_view data;
};

class Records {
public:
    explicit Records(std::string_view stream, size_t at = 0) : stream_(stream), pos_(at) {}
    bool next(Record& r) {
        if (pos_ + 4 > stream_.size()) return false;
        const uint16_t length = u16(stream_, pos_ + 2);
        if (pos_ + 4 + length > stream_.size()) return false;
        r = {u16(stream_, pos_), stream_.substr(pos_ + 4, length)};
        pos_ += 4 + length;
        return true;
    }
    bool peekType(uint16_t& type) const {
        if (pos_ + 4 > stream_.size()) return false;
        type = u16(stream_, pos_);
        return true;
    }

private:
    std::string_view stream_;
    size_t pos_;
};

// An XLUnicodeString inside one record: 16-bit count, flags, characters.
std::string shortText(std::string_view data, size_t at, bool eightBitCount) {
    const size_t count = eightBitCount ? static_cast<uint8_t>(at < data.size() ? data[at] : 0) : u16(data, at);
    const size_t flagsAt = at + (eightBitCount ? 1 : 2);
    if (flagsAt >= data.size()) return {};
    const bool wide = data[flagsAt] & 1;
    Segments segment({data.substr(flagsAt + 1)});
    std::string out;
    segment.characters(std::min(count, (data.size() - flagsAt - 1) / (wide ? 2 : 1)), wide, out);
    return out;
}

double rkValue(uint32_t rk) {
    double value;
    if (rk & 2) {
        value = static_cast<double>(static_cast<int32_t>(rk) >> 2);
    } else {
        const uint64_t bits = static_cast<uint64_t>(rk & 0xFFFFFFFC) << 32;
        std::memcpy(&value, &bits, 8);
    }
    return rk & 1 ? value / 100 : value;
}

struct Globals {
    bool date1904 = false;
    std::vector<uint16_t> xfFormats;  // number format of each cell style
    std::map<uint16_t, DateStyle> ownFormats;
    std::vector<SharedText> strings;
    std::vector<std::pair<std::string, uint32_t>> sheets;  // name, offset of its records
};

class SheetReader {
public:
    SheetReader(const Globals& g, Sheet& sheet, ByteCounter& counter) : g_(g), counter_(counter), builder_(sheet, counter) {}

    void number(uint16_t row, uint16_t column, uint16_t xf, double value) {
        const uint16_t format = xf < g_.xfFormats.size() ? g_.xfFormats[xf] : 0;
        const auto own = g_.ownFormats.find(format);
        const DateStyle style = own != g_.ownFormats.end() ? own->second : styleOfBuiltInFormat(format);
        const double serial = g_.date1904 ? value + 1462 : value;
        Cell cell;
        if (style == DateStyle::Time) {
            cell.kind = CellKind::Time;
            cell.text = keepText(counter_, serialTimeText(serial));
        } else if (auto text = style == DateStyle::None ? std::nullopt
                                                         : serialDateText(serial, style == DateStyle::DateTime)) {
            cell.kind = style == DateStyle::DateTime ? CellKind::DateTime : CellKind::Date;
            cell.text = keepText(counter_, std::move(*text));
        } else {
            cell = numberCell(value);
        }
        builder_.put(row, column, std::move(cell));
    }
    void text(uint16_t row, uint16_t column, std::string value) {
        if (value.empty()) return;
        builder_.put(row, column, Cell{CellKind::Text, 0, keepText(counter_, std::move(value))});
    }
    void sharedText(uint16_t row, uint16_t column, const SharedText& value) {
        if (value->empty()) return;
        builder_.put(row, column, Cell{CellKind::Text, 0, value});
    }
    bool exceeded() const { return builder_.exceeded(); }

private:
    const Globals& g_;
    ByteCounter& counter_;
    SheetBuilder builder_;
};

enum class SheetFault { None, Damaged, MissingSharedString, TooLarge };

// A sheet ends at its EOF record: a record that runs past the stream, or a
// stream that ends first, means the sheet is damaged, not that it is whole.
SheetFault readSheet(std::string_view stream, uint32_t offset, const Globals& g, Sheet& sheet, ByteCounter& counter) {
    Records records(stream, offset);
    Record r;
    if (!records.next(r) || r.type != kBof) return SheetFault::Damaged;
    SheetReader cells(g, sheet, counter);
    int depth = 1;  // charts and the like bring BOF/EOF pairs of their own
    std::optional<std::pair<uint16_t, uint16_t>> formulaString;
    while (depth > 0 && records.next(r) && !cells.exceeded()) {
        const std::string_view d = r.data;
        if (r.type == kBof) ++depth;
        else if (r.type == kEof) --depth;
        if (depth != 1) continue;
        const uint16_t row = u16(d, 0), column = u16(d, 2), xf = u16(d, 4);
        switch (r.type) {
        case kLabelSst:
            if (d.size() < 10) return SheetFault::Damaged;
            if (u32(d, 6) >= g.strings.size()) return SheetFault::MissingSharedString;
            cells.sharedText(row, column, g.strings[u32(d, 6)]);
            break;
        case kLabel:
            if (d.size() >= 9) cells.text(row, column, shortText(d, 6, false));
            break;
        case kNumber:
            if (d.size() >= 14) cells.number(row, column, xf, f64(d, 6));
            break;
        case kRk:
            if (d.size() >= 10) cells.number(row, column, xf, rkValue(u32(d, 6)));
            break;
        case kMulRk:
            for (size_t at = 4, c = column; at + 6 <= d.size() - 2 && d.size() >= 8; at += 6, ++c)
                cells.number(row, static_cast<uint16_t>(c), u16(d, at), rkValue(u32(d, at + 2)));
            break;
        case kFormula:
            if (d.size() < 14) break;
            if (u16(d, 12) != 0xFFFF) cells.number(row, column, xf, f64(d, 6));
            else if (d[6] == 0) formulaString = std::pair{row, column};  // the text follows in a STRING record
            else if (d[6] == 1) cells.number(row, column, 0, d[8] ? 1 : 0);
            break;
        case kString:
            if (formulaString) cells.text(formulaString->first, formulaString->second, shortText(d, 0, false));
            formulaString.reset();
            break;
        case kBoolErr:
            if (d.size() >= 8 && d[7] == 0) cells.number(row, column, 0, d[6] ? 1 : 0);
            break;
        default: break;
        }
    }
    if (cells.exceeded()) return SheetFault::TooLarge;
    return depth == 0 ? SheetFault::None : SheetFault::Damaged;
}

std::optional<std::string> readGlobals(std::string_view stream, Globals& g, ByteCounter& counter) {
    Records records(stream);
    Record r;
    if (!records.next(r) || r.type != kBof || r.data.size() < 2)
        return "The file is not a readable .xls workbook (damaged or of another format).";
    if (u16(r.data, 0) != 0x0600) return "The workbook is in a format older than Excel 97, which cannot be read.";
    while (records.next(r)) {
        const std::string_view d = r.data;
        if ((r.type == kFormat || r.type == kXf || r.type == kBoundSheet) && !chargeEntry(counter, d.size()))
            return kTooLargeError;
        switch (r.type) {
        case kEof: return std::nullopt;
        case kFilePass: return "The workbook is protected by a password.";
        case kDateMode: g.date1904 = u16(d, 0) == 1; break;
        case kFormat:
            g.ownFormats[u16(d, 0)] = styleOfFormatCode(shortText(d, 2, false));
            break;
        case kXf: g.xfFormats.push_back(u16(d, 2)); break;
        case kBoundSheet:
            if (d.size() >= 8 && d[5] == 0) g.sheets.emplace_back(shortText(d, 6, true), u32(d, 0));
            break;
        case kSst: {
            std::vector<std::string_view> parts{d.size() >= 8 ? d.substr(8) : std::string_view()};
            uint16_t type = 0;
            while (records.peekType(type) && type == kContinue && records.next(r)) parts.push_back(r.data);
            const uint32_t unique = u32(d, 4);
            if (unique > kMaxSharedStrings) return kTooLargeError;
            Segments segments(std::move(parts));
            for (uint32_t i = 0; i < unique; ++i) {
                std::string text;
                if (!segments.richString(text)) return "The workbook's shared-string table is damaged.";
                g.strings.push_back(keepText(counter, std::move(text)));
                if (!chargeHeld(counter, sizeof(SharedText))) return kTooLargeError;
            }
            break;
        }
        default: break;
        }
    }
    return "The workbook is cut short.";
}
}  // namespace

ReadResult readXls(const std::string& path) {
    std::error_code error;
    const uintmax_t size = std::filesystem::file_size(path, error);
    std::ifstream in(path, std::ios::binary);
    if (error || !in) return {std::nullopt, "The workbook file cannot be opened.", {}};
    ByteCounter counter;
    // The file and its workbook stream are held whole while the sheets are read.
    if (!chargeHeld(counter, static_cast<size_t>(std::min<uintmax_t>(size, SIZE_MAX / 4)) * 2))
        return {std::nullopt, kTooLargeError, counter};
    std::ostringstream whole;
    whole << in.rdbuf();
    const std::string file = whole.str();

    const CompoundStream stream = readCompoundStream(file, {u"Workbook", u"Book"});
    if (stream.error == CompoundError::NotCompound)
        return {std::nullopt, "The file is not a readable .xls workbook (damaged or of another format).", counter};
    if (!stream.bytes) return {std::nullopt, "The workbook is damaged or cut short.", counter};

    Globals globals;
    if (const auto error = readGlobals(*stream.bytes, globals, counter)) return {std::nullopt, *error, counter};
    Workbook book;
    for (const auto& [name, offset] : globals.sheets) {
        Sheet& sheet = book.sheets.emplace_back();
        sheet.name = name;
        switch (readSheet(*stream.bytes, offset, globals, sheet, counter)) {
        case SheetFault::None: break;
        case SheetFault::Damaged: return {std::nullopt, "The sheet '" + name + "' is damaged or cut short.", counter};
        case SheetFault::MissingSharedString:
            return {std::nullopt, "The sheet '" + name + "' uses a shared string the workbook does not have.", counter};
        case SheetFault::TooLarge: return {std::nullopt, kTooLargeError, counter};
        }
    }
    return {std::move(book), {}, counter};
}

}  // namespace pwsheet
