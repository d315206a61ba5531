// .xls (BIFF) workbooks through FreeXL.

#include <freexl.h>

#include "workbook.h"

namespace pwsheet {

namespace {
struct XlsHandle {
    const void* handle = nullptr;
    ~XlsHandle() {
        if (handle) freexl_close(handle);
    }
};

std::string openError(int code) {
    switch (code) {
    case FREEXL_FILE_NOT_FOUND: return "The workbook file cannot be opened.";
    case FREEXL_INSUFFICIENT_MEMORY: return "Not enough memory to read the workbook.";
    default: return "The file is not a readable .xls workbook (damaged or of another format).";
    }
}

Cell cellFrom(const FreeXL_CellValue& value) {
    Cell cell;
    switch (value.type) {
    case FREEXL_CELL_INT: return numberCell(value.value.int_value);
    case FREEXL_CELL_DOUBLE: return numberCell(value.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        cell.kind = CellKind::Text;
        break;
    case FREEXL_CELL_DATE: cell.kind = CellKind::Date; break;
    case FREEXL_CELL_DATETIME: cell.kind = CellKind::DateTime; break;
    case FREEXL_CELL_TIME: cell.kind = CellKind::Time; break;
    default: return cell;
    }
    if (value.value.text_value) cell.text = value.value.text_value;
    if (cell.kind == CellKind::Text && cell.text.empty()) cell.kind = CellKind::Empty;
    return cell;
}
}  // namespace

ReadResult readXls(const std::string& path) {
    XlsHandle xls;
    const int opened = freexl_open(path.c_str(), &xls.handle);
    if (opened != FREEXL_OK) {
        if (opened != FREEXL_NULL_HANDLE) xls.handle = nullptr;  // FreeXL frees what it opened on failure
        return {std::nullopt, openError(opened)};
    }
    unsigned int info = 0;
    if (freexl_get_info(xls.handle, FREEXL_BIFF_PASSWORD, &info) == FREEXL_OK && info == FREEXL_BIFF_OBFUSCATED)
        return {std::nullopt, "The workbook is protected by a password."};
    unsigned int sheetCount = 0;
    if (freexl_get_info(xls.handle, FREEXL_BIFF_SHEET_COUNT, &sheetCount) != FREEXL_OK)
        return {std::nullopt, "The workbook's list of sheets cannot be read."};

    Workbook book;
    for (unsigned short index = 0; index < sheetCount; ++index) {
        Sheet& sheet = book.sheets.emplace_back();
        const char* name = nullptr;
        if (freexl_get_worksheet_name(xls.handle, index, &name) != FREEXL_OK ||
            freexl_select_active_worksheet(xls.handle, index) != FREEXL_OK)
            return {std::nullopt, "A sheet of the workbook cannot be read."};
        sheet.name = name ? name : "Sheet" + std::to_string(index + 1);
        unsigned int rows = 0;
        unsigned short columns = 0;
        if (freexl_worksheet_dimensions(xls.handle, &rows, &columns) != FREEXL_OK)
            return {std::nullopt, "A sheet of the workbook cannot be read."};
        SheetBuilder builder(sheet);
        for (unsigned int r = 0; r < rows && !builder.exceeded(); ++r) {
            for (unsigned short c = 0; c < columns; ++c) {
                FreeXL_CellValue value;
                if (freexl_get_cell_value(xls.handle, r, c, &value) != FREEXL_OK)
                    return {std::nullopt, "A cell of the workbook cannot be read."};
                if (!builder.put(r, c, cellFrom(value))) break;
            }
        }
        if (builder.exceeded()) return {std::nullopt, "The workbook has more rows or columns than can be read."};
    }
    return {std::move(book), {}};
}

}  // namespace pwsheet
