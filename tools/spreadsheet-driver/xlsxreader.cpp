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

std::string officeDocumentPath(const ZipArchive& zip) {
    std::string found = "xl/workbook.xml";
    if (const auto rels = zip.entry("_rels/.rels")) {
        XmlHandler h;
        h.start = [&](std::string_view name, const XmlAttributes& a) {
            const auto type = a.get("Type");
            const auto target = a.get("Target");
            if (name == "Relationship" && type && target && type->ends_with("/officeDocument"))
                found = partPath("", *target);
        };
        walkXml(*rels, h);
    }
    return found;
}

std::vector<std::string> sharedStrings(const ZipArchive& zip, const std::string& path) {
    std::vector<std::string> strings;
    const auto bytes = zip.entry(path);
    if (!bytes) return strings;
    int phonetic = 0;
    bool inText = false;
    XmlHandler h;
    h.start = [&](std::string_view name, const XmlAttributes&) {
        if (name == "si") strings.emplace_back();
        else if (name == "rPh") ++phonetic;
        else if (name == "t") inText = phonetic == 0 && !strings.empty();
    };
    h.end = [&](std::string_view name) {
        if (name == "rPh") --phonetic;
        else if (name == "t") inText = false;
    };
    h.text = [&](std::string_view text) {
        if (inText) strings.back().append(text);
    };
    walkXml(*bytes, h);
    return strings;
}

std::vector<DateStyle> cellStyles(const ZipArchive& zip, const std::string& path) {
    std::vector<DateStyle> styles;
    const auto bytes = zip.entry(path);
    if (!bytes) return styles;
    std::map<int, DateStyle> custom;
    bool inCellXfs = false;
    XmlHandler h;
    h.start = [&](std::string_view name, const XmlAttributes& a) {
        if (name == "numFmt") {
            custom[toInt(a.get("numFmtId"), -1)] = styleOfFormatCode(a.get("formatCode").value_or(""));
        } else if (name == "cellXfs") {
            inCellXfs = true;
        } else if (name == "xf" && inCellXfs) {
            const int id = toInt(a.get("numFmtId"), 0);
            const auto own = custom.find(id);
            styles.push_back(own != custom.end() ? own->second : styleOfBuiltInFormat(id));
        }
    };
    h.end = [&](std::string_view name) {
        if (name == "cellXfs") inCellXfs = false;
    };
    walkXml(*bytes, h);
    return styles;
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
    const std::vector<std::string>& strings;
    const std::vector<DateStyle>& styles;
    bool date1904 = false;
};

Cell cellFromValue(std::string_view type, int style, const std::string& value, const std::string& inlineText,
                   const Context& context) {
    Cell cell;
    if (type == "s") {
        const auto index = parseNumber(value);
        if (index && *index >= 0 && *index < static_cast<double>(context.strings.size())) {
            cell.text = context.strings[static_cast<size_t>(*index)];
            cell.kind = cell.text.empty() ? CellKind::Empty : CellKind::Text;
        }
        return cell;
    }
    if (type == "inlineStr" || type == "str") {
        cell.text = type == "inlineStr" ? inlineText : value;
        cell.kind = cell.text.empty() ? CellKind::Empty : CellKind::Text;
        return cell;
    }
    if (type == "e") return cell;  // an error value such as #DIV/0! reads as empty
    if (type == "d") {
        cell.text = value.substr(0, 19);
        std::replace(cell.text.begin(), cell.text.end(), 'T', ' ');
        cell.kind = cell.text.size() > 10 ? CellKind::DateTime : CellKind::Date;
        return cell;
    }
    const auto number = parseNumber(value);
    if (!number) return cell;
    const DateStyle date =
        style >= 0 && static_cast<size_t>(style) < context.styles.size() ? context.styles[style] : DateStyle::None;
    const double serial = context.date1904 ? *number + 1462 : *number;
    if (date == DateStyle::Time) {
        cell.kind = CellKind::Time;
        cell.text = serialTimeText(serial);
        return cell;
    }
    if (date != DateStyle::None) {
        if (const auto text = serialDateText(serial, date == DateStyle::DateTime)) {
            cell.kind = date == DateStyle::DateTime ? CellKind::DateTime : CellKind::Date;
            cell.text = *text;
            return cell;
        }
    }
    return numberCell(*number);
}

bool readSheet(const std::string& xml, Sheet& sheet, const Context& context) {
    SheetBuilder builder(sheet);
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
    h.end = [&](std::string_view name) {
        if (name == "c" && inCell) {
            builder.put(row, column, cellFromValue(type, style, value, inlineText, context));
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
        if (inValue) value.append(text);
        else if (inInlineText) inlineText.append(text);
    };
    return walkXml(xml, h) && !builder.exceeded();
}
}  // namespace

ReadResult readXlsx(const std::string& path) {
    ZipArchive zip(path);
    if (!zip.error().empty()) return {std::nullopt, zip.error()};

    const std::string workbookPath = officeDocumentPath(zip);
    const std::string base = workbookPath.substr(0, workbookPath.rfind('/') + 1);
    const auto workbookXml = zip.entry(workbookPath);
    if (!workbookXml) return {std::nullopt, "The workbook part is missing: the file is not a readable .xlsx workbook."};

    std::vector<std::pair<std::string, std::string>> sheetIds;  // name, relationship id
    bool date1904 = false;
    XmlHandler wb;
    wb.start = [&](std::string_view name, const XmlAttributes& a) {
        if (name == "sheet") sheetIds.emplace_back(std::string(a.get("name").value_or("")), std::string(a.get("id").value_or("")));
        else if (name == "workbookPr") date1904 = xmlTrue(a.get("date1904"));
    };
    if (!walkXml(*workbookXml, wb)) return {std::nullopt, "The workbook part is damaged."};

    std::map<std::string, std::string> targets;
    std::string stringsPath = base + "sharedStrings.xml", stylesPath = base + "styles.xml";
    const std::string relsPath = base + "_rels/" + workbookPath.substr(base.size()) + ".rels";
    if (const auto rels = zip.entry(relsPath)) {
        XmlHandler h;
        h.start = [&](std::string_view name, const XmlAttributes& a) {
            if (name != "Relationship") return;
            const std::string target = partPath(base, a.get("Target").value_or(""));
            const std::string_view type = a.get("Type").value_or("");
            targets[std::string(a.get("Id").value_or(""))] = target;
            if (type.ends_with("/sharedStrings")) stringsPath = target;
            else if (type.ends_with("/styles")) stylesPath = target;
        };
        walkXml(*rels, h);
    }

    const std::vector<std::string> strings = sharedStrings(zip, stringsPath);
    const std::vector<DateStyle> styles = cellStyles(zip, stylesPath);
    const Context context{strings, styles, date1904};

    Workbook book;
    for (size_t i = 0; i < sheetIds.size(); ++i) {
        const auto& [name, id] = sheetIds[i];
        const auto target = targets.find(id);
        const std::string part =
            target != targets.end() ? target->second : base + "worksheets/sheet" + std::to_string(i + 1) + ".xml";
        Sheet& sheet = book.sheets.emplace_back();
        sheet.name = name;
        const auto xml = zip.entry(part);
        if (!xml) return {std::nullopt, "The sheet '" + name + "' is missing from the workbook."};
        if (!readSheet(*xml, sheet, context))
            return {std::nullopt, "The sheet '" + name + "' is damaged or larger than can be read."};
    }
    return {std::move(book), {}};
}

}  // namespace pwsheet
