#include "sheettable.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace pwsheet {

namespace {
const Cell kEmptyCell;

bool isHeaderRow(const std::vector<Cell>& row) {
    bool any = false;
    for (const Cell& cell : row) {
        if (cell.kind == CellKind::Empty) continue;
        if (cell.kind != CellKind::Text) return false;
        any = true;
    }
    return any;
}

// Digits after the point of the shortest text that reads back as the value.
int16_t decimalsOf(double value) {
    char text[64];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    if (ec != std::errc()) return 15;
    const std::string_view view(text, static_cast<size_t>(end - text));
    const size_t point = view.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int16_t>(std::min<size_t>(view.size() - point - 1, 15));
}

std::string shortestText(double value) {
    char text[400];
    const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    return ec == std::errc() ? std::string(text, end) : std::string();
}

ColumnType typeOf(const std::vector<const std::vector<Cell>*>& rows, size_t column, size_t& size,
                  int16_t& decimals) {
    bool text = false, integer = false, number = false, date = false, dateTime = false, time = false;
    size_t longest = 0;
    for (const auto* row : rows) {
        if (column >= row->size()) continue;
        const Cell& cell = (*row)[column];
        switch (cell.kind) {
        case CellKind::Empty: break;
        case CellKind::Text: text = true; break;
        case CellKind::Integer: integer = true; break;
        case CellKind::Number:
            number = true;
            decimals = std::max(decimals, decimalsOf(cell.number));
            break;
        case CellKind::Date: date = true; break;
        case CellKind::DateTime: dateTime = true; break;
        case CellKind::Time: time = true; break;
        }
        // A text's length without a copy: a shared one may stand in a million cells.
        const size_t length = cell.text ? cell.textView().size() : cellText(cell, TableColumn{}).size();
        if (cell.kind != CellKind::Empty) longest = std::max(longest, length);
    }
    const int kinds = text + (integer || number) + (date || dateTime) + time;
    if (kinds == 1 && !text) {
        if (integer || number) {
            size = 15;
            return number ? ColumnType::Double : ColumnType::Integer;
        }
        if (time) {
            size = 8;
            return ColumnType::Time;
        }
        size = dateTime ? 19 : 10;
        return dateTime ? ColumnType::DateTime : ColumnType::Date;
    }
    // Mixed or text columns are text: every value keeps its own text.
    decimals = 0;
    size = std::max<size_t>(longest, 1);
    return size >= kLongTextFrom ? ColumnType::LongText : ColumnType::Text;
}
}  // namespace

const Cell& Table::cell(size_t row, size_t column) const {
    const auto& cells = *rows[row];
    return column < cells.size() ? cells[column] : kEmptyCell;
}

Table sheetTable(const Sheet& sheet) {
    Table table;
    size_t width = 0;
    for (const auto& row : sheet.rows) width = std::max(width, row.size());
    width = std::max<size_t>(width, 1);  // an empty sheet is one column without rows

    const bool header = !sheet.rows.empty() && isHeaderRow(sheet.rows.front());
    for (size_t r = header ? 1 : 0; r < sheet.rows.size(); ++r) table.rows.push_back(&sheet.rows[r]);
    for (size_t c = 0; c < width; ++c) {
        TableColumn column;
        if (header && c < sheet.rows.front().size()) column.name = std::string(sheet.rows.front()[c].textView());
        if (column.name.empty()) column.name = "F" + std::to_string(c + 1);
        column.type = typeOf(table.rows, c, column.size, column.decimals);
        table.columns.push_back(std::move(column));
    }
    return table;
}

Table catalogueTable(const Workbook& book) {
    Table table;
    for (const char* name : {"TABLE_CAT", "TABLE_SCHEM", "TABLE_NAME", "TABLE_TYPE", "REMARKS"})
        table.columns.push_back(TableColumn{name, ColumnType::Text, 128, 0, true});
    for (const Sheet& sheet : book.sheets) {
        std::vector<Cell> row(5);
        row[2] = Cell{CellKind::Text, 0, std::make_shared<const std::string>("'" + sheet.name + "$'")};
        row[3] = Cell{CellKind::Text, 0, std::make_shared<const std::string>("TABLE")};
        table.columns[2].size = std::max(table.columns[2].size, row[2].textView().size());
        table.ownRows.push_back(std::move(row));
    }
    for (const auto& row : table.ownRows) table.rows.push_back(&row);
    return table;
}

std::string cellText(const Cell& cell, const TableColumn& column) {
    switch (cell.kind) {
    case CellKind::Empty: return {};
    case CellKind::Integer: {
        char text[32];
        std::snprintf(text, sizeof text, "%.0f", cell.number);
        return text;
    }
    case CellKind::Number:
        if (column.type == ColumnType::Double) {
            char text[400];
            std::snprintf(text, sizeof text, "%.*f", column.decimals, cell.number);
            return text;
        }
        return shortestText(cell.number);
    default: return std::string(cell.textView());
    }
}

}  // namespace pwsheet
