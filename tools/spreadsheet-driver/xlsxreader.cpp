// .xlsx (Office Open XML) workbooks: a zip of XML parts.

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "numberformat.h"
#include "workbook.h"
#include "zippedxml.h"

namespace pwsheet {

namespace {
int toInt(std::optional<std::string_view> text, int fallback) {
    if (!text) return fallback;
    const auto number = parseNumber(*text);
    return number && *number >= 0 && *number < 1e9 ? static_cast<int>(*number) : fallback;
}

// "xl/worksheets/sheet1.xml" from a relationship target seen from "xl/".
std::string partPath(std::string_view base, std::string_view target) {
    if (!target.empty() && target.front() == '/') return std::string(target.substr(1));
    std::string path(base);
    while (target.substr(0, 3) == "../") {
        target.remove_prefix(3);
        if (!path.empty()) path.pop_back();
        const size_t slash = path.rfind('/');
        path = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    }
    return path + std::string(target);
}

// What the parts walked before the sheets give, or why the workbook fails.
template <typename T>
struct PartRead {
    T value{};
    std::string error;  // empty when read
};

constexpr const char* kDamagedPart = "A part of the workbook is damaged: ";

std::string damaged(const std::string& part) { return kDamagedPart + part; }
// Why a part's walk failed: the budget ran out, or the part is damaged.
std::string walkFailure(const ByteCounter& counter, const std::string& part) {
    return counter.exceeded ? kTooLargeError : damaged(part);
}

// A part that is absent leaves its defaults; one that is there must parse.
bool walkedOrAbsent(const ZipArchive& zip, const std::string& part, const XmlHandler& h) {
    return zip.walk(part, h) != XmlWalk::Damaged;
}

PartRead<std::string> officeDocumentPath(const ZipArchive& zip) {
    PartRead<std::string> found{"xl/workbook.xml", {}};
    XmlHandler h;
    h.start = [&](std::string_view name, const XmlAttributes& a) {
        const auto type = a.get("Type");
        const auto target = a.get("Target");
        if (name == "Relationship" && type && target && type->ends_with("/officeDocument"))
            found.value = partPath("", *target);
    };
    if (!walkedOrAbsent(zip, "_rels/.rels", h)) found.error = damaged("_rels/.rels");
    return found;
}

// The shared-string table, each text kept once however many cells use it.
PartRead<std::vector<SharedText>> sharedStrings(const ZipArchive& zip, const std::string& path, ByteCounter& counter) {
    PartRead<std::vector<SharedText>> read;
    std::optional<std::string> current;  // the text being read
    int phonetic = 0;
    bool inText = false;
    auto keepCurrent = [&] {
        if (current) read.value.push_back(keepText(counter, std::move(*current)));
        current.reset();
    };
    XmlHandler h;
    h.start = [&](std::string_view name, const XmlAttributes&) {
        if (name == "si") {
            keepCurrent();
            if (read.value.size() >= kMaxSharedStrings) counter.exceeded = true;
            chargeHeld(counter, sizeof(SharedText));
            current.emplace();
        } else if (name == "rPh") {
            ++phonetic;
        } else if (name == "t") {
            inText = phonetic == 0 && current;
        }
    };
    h.end = [&](std::string_view name) {
        if (name == "rPh") --phonetic;
        else if (name == "t") inText = false;
    };
    h.text = [&](std::string_view text) {
        if (!inText) return;
        current->append(text);
        if (current->size() > kMaxCellTextBytes) counter.exceeded = true;
    };
    h.stop = &counter.exceeded;
    if (!walkedOrAbsent(zip, path, h)) read.error = walkFailure(counter, path);
    keepCurrent();
    return read;
}

PartRead<std::vector<DateStyle>> cellStyles(const ZipArchive& zip, const std::string& path, ByteCounter& counter) {
    PartRead<std::vector<DateStyle>> read;
    std::map<int, DateStyle> custom;
    bool inCellXfs = false;
    XmlHandler h;
    h.start = [&](std::string_view name, const XmlAttributes& a) {
        if (name == "numFmt" || (name == "xf" && inCellXfs)) chargeEntry(counter);
        if (name == "numFmt") {
            custom[toInt(a.get("numFmtId"), -1)] = styleOfFormatCode(a.get("formatCode").value_or(""));
        } else if (name == "cellXfs") {
            inCellXfs = true;
        } else if (name == "xf" && inCellXfs) {
            const int id = toInt(a.get("numFmtId"), 0);
            const auto own = custom.find(id);
            read.value.push_back(own != custom.end() ? own->second : styleOfBuiltInFormat(id));
        }
    };
    h.end = [&](std::string_view name) {
        if (name == "cellXfs") inCellXfs = false;
    };
    h.stop = &counter.exceeded;
    if (!walkedOrAbsent(zip, path, h)) read.error = walkFailure(counter, path);
    return read;
}

// "BC12" -> column 54, row 11 (0-based); false when it is no cell reference.
bool parseCellReference(std::string_view ref, size_t& row, size_t& column) {
    size_t i = 0, col = 0, r = 0;
    while (i < ref.size() && std::isalpha(static_cast<unsigned char>(ref[i]))) {
        col = col * 26 + static_cast<size_t>(std::toupper(static_cast<unsigned char>(ref[i])) - 'A' + 1);
        if (++i > 3) return false;
    }
    const size_t letters = i;
    while (i < ref.size() && std::isdigit(static_cast<unsigned char>(ref[i]))) {
        r = r * 10 + static_cast<size_t>(ref[i] - '0');
        if (++i - letters > 7) return false;
    }
    if (letters == 0 || i == letters || i != ref.size() || r == 0) return false;
    row = r - 1;
    column = col - 1;
    return true;
}

struct SheetPart {
    std::string name;
    std::string path;
};

struct Context {
    const std::vector<SharedText>& strings;
    const std::vector<DateStyle>& styles;
    bool date1904 = false;
};

// The cell, or none when it names a shared string the table does not have.
std::optional<Cell> cellFromValue(std::string_view type, int style, std::string& value, std::string& inlineText,
                                  const Context& context, ByteCounter& counter) {
    Cell cell;
    if (type == "s") {
        const auto index = parseNumber(value);
        if (!index || *index < 0 || *index >= static_cast<double>(context.strings.size())) return std::nullopt;
        cell.text = context.strings[static_cast<size_t>(*index)];
        cell.kind = cell.text->empty() ? CellKind::Empty : CellKind::Text;
        return cell;
    }
    if (type == "inlineStr" || type == "str") {
        std::string& text = type == "inlineStr" ? inlineText : value;
        if (text.empty()) return cell;
        cell.kind = CellKind::Text;
        cell.text = keepText(counter, std::move(text));
        return cell;
    }
    if (type == "e") return cell;  // an error value such as #DIV/0! reads as empty
    if (type == "d") {
        std::string text = value.substr(0, 19);
        std::replace(text.begin(), text.end(), 'T', ' ');
        cell.kind = text.size() > 10 ? CellKind::DateTime : CellKind::Date;
        cell.text = keepText(counter, std::move(text));
        return cell;
    }
    const auto number = parseNumber(value);
    if (!number) return cell;
    const DateStyle date =
        style >= 0 && static_cast<size_t>(style) < context.styles.size() ? context.styles[style] : DateStyle::None;
    const double serial = context.date1904 ? *number + 1462 : *number;
    if (date == DateStyle::Time) {
        cell.kind = CellKind::Time;
        cell.text = keepText(counter, serialTimeText(serial));
        return cell;
    }
    if (date != DateStyle::None) {
        if (auto text = serialDateText(serial, date == DateStyle::DateTime)) {
            cell.kind = date == DateStyle::DateTime ? CellKind::DateTime : CellKind::Date;
            cell.text = keepText(counter, std::move(*text));
            return cell;
        }
    }
    return numberCell(*number);
}

// Why a sheet could not be read, or nothing.
enum class SheetFault { None, Missing, Damaged, MissingSharedString, TooLarge };

SheetFault readSheet(const ZipArchive& zip, const std::string& part, Sheet& sheet, const Context& context,
                     ByteCounter& counter) {
    SheetBuilder builder(sheet, counter);
    bool missingString = false;
    size_t row = 0, column = 0;
    bool anyRow = false;
    std::string type, value, inlineText;
    int style = 0;
    bool inCell = false, inValue = false, inInlineText = false;
    int phonetic = 0;

    XmlHandler h;
    h.start = [&](std::string_view name, const XmlAttributes& a) {
        if (name == "row") {
            const int r = toInt(a.get("r"), 0);
            row = r > 0 ? static_cast<size_t>(r - 1) : (anyRow ? row + 1 : 0);
            anyRow = true;
            column = 0;
        } else if (name == "c") {
            size_t r = row, c = column;
            if (const auto ref = a.get("r"); ref && parseCellReference(*ref, r, c)) column = c;
            type = std::string(a.get("t").value_or("n"));
            style = toInt(a.get("s"), 0);
            value.clear();
            inlineText.clear();
            inCell = true;
        } else if (inCell && name == "v") {
            inValue = true;
        } else if (inCell && name == "rPh") {
            ++phonetic;
        } else if (inCell && name == "t") {
            inInlineText = phonetic == 0;
        }
    };
    bool stop = false;
    h.end = [&](std::string_view name) {
        if (name == "c" && inCell) {
            const std::optional<Cell> cell = cellFromValue(type, style, value, inlineText, context, counter);
            if (!cell) missingString = stop = true;
            else if (!builder.put(row, column, *cell)) stop = true;
            ++column;
            inCell = false;
        } else if (name == "v") {
            inValue = false;
        } else if (name == "rPh") {
            --phonetic;
        } else if (name == "t") {
            inInlineText = false;
        }
    };
    h.text = [&](std::string_view text) {
        std::string* into = inValue ? &value : inInlineText ? &inlineText : nullptr;
        if (!into) return;
        into->append(text);
        if (into->size() > kMaxCellTextBytes) counter.exceeded = stop = true;
    };
    h.stop = &stop;
    const XmlWalk walked = zip.walk(part, h);
    if (missingString) return SheetFault::MissingSharedString;
    if (builder.exceeded()) return SheetFault::TooLarge;
    if (walked == XmlWalk::Missing) return SheetFault::Missing;
    return walked == XmlWalk::Done ? SheetFault::None : SheetFault::Damaged;
}
}  // namespace

ReadResult readXlsx(const std::string& path) {
    ZipArchive zip(path);
    if (!zip.error().empty()) return {std::nullopt, zip.error(), {}};
    ByteCounter counter;
    auto failed = [&](std::string error) { return ReadResult{std::nullopt, std::move(error), counter}; };

    const PartRead<std::string> workbookPath = officeDocumentPath(zip);
    if (!workbookPath.error.empty()) return failed(workbookPath.error);
    const std::string base = workbookPath.value.substr(0, workbookPath.value.rfind('/') + 1);

    std::vector<std::pair<std::string, std::string>> sheetIds;  // name, relationship id
    bool date1904 = false;
    XmlHandler wb;
    wb.start = [&](std::string_view name, const XmlAttributes& a) {
        if (name == "sheet") {
            const auto& [sheetName, id] = sheetIds.emplace_back(std::string(a.get("name").value_or("")),
                                                                std::string(a.get("id").value_or("")));
            chargeEntry(counter, sheetName.size() + id.size());
        } else if (name == "workbookPr") {
            date1904 = xmlTrue(a.get("date1904"));
        }
    };
    wb.stop = &counter.exceeded;
    switch (zip.walk(workbookPath.value, wb)) {
    case XmlWalk::Missing: return failed("The workbook part is missing: the file is not a readable .xlsx workbook.");
    case XmlWalk::Damaged: return failed(walkFailure(counter, workbookPath.value));
    case XmlWalk::Done: break;
    }

    std::map<std::string, std::string> targets;
    std::string stringsPath = base + "sharedStrings.xml", stylesPath = base + "styles.xml";
    const std::string relsPath = base + "_rels/" + workbookPath.value.substr(base.size()) + ".rels";
    XmlHandler rels;
    rels.start = [&](std::string_view name, const XmlAttributes& a) {
        if (name != "Relationship") return;
        const std::string target = partPath(base, a.get("Target").value_or(""));
        const std::string_view type = a.get("Type").value_or("");
        const std::string id(a.get("Id").value_or(""));
        chargeEntry(counter, id.size() + target.size());
        targets[id] = target;
        if (type.ends_with("/sharedStrings")) stringsPath = target;
        else if (type.ends_with("/styles")) stylesPath = target;
    };
    rels.stop = &counter.exceeded;
    if (!walkedOrAbsent(zip, relsPath, rels)) return failed(walkFailure(counter, relsPath));

    const PartRead<std::vector<SharedText>> strings = sharedStrings(zip, stringsPath, counter);
    if (!strings.error.empty()) return failed(strings.error);
    const PartRead<std::vector<DateStyle>> styles = cellStyles(zip, stylesPath, counter);
    if (!styles.error.empty()) return failed(styles.error);
    const Context context{strings.value, styles.value, date1904};

    Workbook book;
    for (size_t i = 0; i < sheetIds.size(); ++i) {
        const auto& [name, id] = sheetIds[i];
        const auto target = targets.find(id);
        const std::string part =
            target != targets.end() ? target->second : base + "worksheets/sheet" + std::to_string(i + 1) + ".xml";
        Sheet& sheet = book.sheets.emplace_back();
        sheet.name = name;
        switch (readSheet(zip, part, sheet, context, counter)) {
        case SheetFault::None: break;
        case SheetFault::Missing: return failed("The sheet '" + name + "' is missing from the workbook.");
        case SheetFault::Damaged: return failed("The sheet '" + name + "' is damaged.");
        case SheetFault::MissingSharedString:
            return failed("The sheet '" + name + "' uses a shared string the workbook does not have.");
        case SheetFault::TooLarge: return failed(kTooLargeError);
        }
    }
    return {std::move(book), {}, counter};
}

}  // namespace pwsheet
