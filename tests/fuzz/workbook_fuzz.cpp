// Fuzzes the spreadsheet driver's workbook readers. The first byte chooses
// what the rest is: a whole .xls, .xlsx or .ods file, or the XML parts of
// an .xlsx or .ods that this target zips up itself (so that the fuzzer
// reaches the XML readers without having to keep a zip's checksums right).
// Whatever reads must give a table of every sheet without crashing.

#include <zip.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "sheettable.h"
#include "workbook.h"

namespace {

std::string scratchPath(const char* ending) {
    return "/tmp/pwsheet-fuzz-" + std::to_string(::getpid()) + ending;
}

void writeRaw(const std::string& path, std::string_view bytes) {
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
}

// The parts, split at "\n====\n", zipped under the given names.
void writeZip(const std::string& path, std::string_view bytes, const std::vector<const char*>& names) {
    std::remove(path.c_str());
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, nullptr);
    if (!zip) return;
    for (const char* name : names) {
        const size_t cut = bytes.find("\n====\n");
        const std::string_view part = bytes.substr(0, cut);
        bytes = cut == std::string_view::npos ? std::string_view() : bytes.substr(cut + 6);
        zip_source_t* source = zip_source_buffer(zip, part.data(), part.size(), 0);
        if (source && zip_file_add(zip, name, source, ZIP_FL_OVERWRITE) < 0) zip_source_free(source);
    }
    zip_close(zip);
}

void readAll(const std::string& path) {
    const pwsheet::ReadResult read = pwsheet::readWorkbook(path);
    if (!read.workbook) return;
    for (const pwsheet::Sheet& sheet : read.workbook->sheets) {
        const pwsheet::Table table = pwsheet::sheetTable(sheet);
        for (size_t r = 0; r < table.rowCount(); ++r)
            for (size_t c = 0; c < table.columns.size(); ++c) pwsheet::cellText(table.cell(r, c), table.columns[c]);
    }
    pwsheet::catalogueTable(*read.workbook);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::string path;
    switch (data[0] % 5) {
    case 0: writeRaw(path = scratchPath(".xls"), rest); break;
    case 1: writeRaw(path = scratchPath(".xlsx"), rest); break;
    case 2: writeRaw(path = scratchPath(".ods"), rest); break;
    case 3:
        writeZip(path = scratchPath(".xlsx"), rest,
                 {"xl/workbook.xml", "xl/worksheets/sheet1.xml", "xl/sharedStrings.xml", "xl/styles.xml"});
        break;
    default: writeZip(path = scratchPath(".ods"), rest, {"content.xml"}); break;
    }
    readAll(path);
    std::remove(path.c_str());
    return 0;
}
