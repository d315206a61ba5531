#include "bench/workbookwriter.h"

#include <zip.h>

namespace pw::bench {

namespace {
std::string escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (static_cast<unsigned char>(c) < 0x20) out += ' ';
        else out += c;
    }
    return out;
}

bool add(zip_t* zip, const char* name, const std::string& content) {
    zip_source_t* source = zip_source_buffer(zip, content.data(), content.size(), 0);
    if (!source) return false;
    if (zip_file_add(zip, name, source, ZIP_FL_OVERWRITE) < 0) {
        zip_source_free(source);
        return false;
    }
    return true;
}
}  // namespace

bool writeXlsx(const std::string& path, const std::vector<std::string>& phrases, const std::vector<int32_t>& hits,
               size_t rows) {
    const std::string types =
        R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
        R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
        R"(<Default Extension="xml" ContentType="application/xml"/>)"
        R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
        R"(<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
        R"(</Types>)";
    const std::string rels =
        R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>)"
        R"(</Relationships>)";
    const std::string workbook =
        R"(<?xml version="1.0" encoding="UTF-8"?><workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
        R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets>)"
        R"(<sheet name="Keywords" sheetId="1" r:id="rId1"/></sheets></workbook>)";
    const std::string workbookRels =
        R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>)"
        R"(</Relationships>)";
    std::string sheet =
        R"(<?xml version="1.0" encoding="UTF-8"?><worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)"
        R"(<row r="1"><c r="A1" t="inlineStr"><is><t>phrase</t></is></c><c r="B1" t="inlineStr"><is><t>hits</t></is></c></row>)";
    for (size_t i = 0; i < rows && i < phrases.size(); ++i) {
        const std::string r = std::to_string(i + 2);
        sheet += "<row r=\"" + r + "\"><c r=\"A" + r + "\" t=\"inlineStr\"><is><t>" + escaped(phrases[i]) +
                 "</t></is></c><c r=\"B" + r + "\"><v>" + std::to_string(i < hits.size() ? hits[i] : 0) +
                 "</v></c></row>";
    }
    sheet += "</sheetData></worksheet>";

    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    if (!zip) return false;
    const bool added = add(zip, "[Content_Types].xml", types) && add(zip, "_rels/.rels", rels) &&
                       add(zip, "xl/workbook.xml", workbook) && add(zip, "xl/_rels/workbook.xml.rels", workbookRels) &&
                       add(zip, "xl/worksheets/sheet1.xml", sheet);
    if (!added) {
        zip_discard(zip);
        return false;
    }
    return zip_close(zip) == 0;
}

}  // namespace pw::bench
