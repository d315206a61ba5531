#pragma once
// A sheet seen as a table: the first row names the columns when it holds
// only text, every column gets one SQL type from its values, and the rows
// follow. Also the catalogue of sheets as a table.

#include <cstdint>
#include <string>
#include <vector>

#include "workbook.h"

namespace pwsheet {

enum class ColumnType { Text, LongText, Integer, Double, Date, DateTime, Time };

struct TableColumn {
    std::string name;
    ColumnType type = ColumnType::Text;
    size_t size = 1;      // characters of text, digits of numbers
    int16_t decimals = 0; // of Double columns: enough for every value
    bool nullable = true;
};

struct Table {
    std::vector<TableColumn> columns;
    std::vector<const std::vector<Cell>*> rows;  // into the workbook; a short row has empty cells
    std::vector<std::vector<Cell>> ownRows;      // the catalogue's rows

    size_t rowCount() const { return rows.size(); }
    // Empty for cells past a short row's end.
    const Cell& cell(size_t row, size_t column) const;
};

constexpr size_t kLongTextFrom = 256;  // longer texts are declared long varchar

Table sheetTable(const Sheet& sheet);
// TABLE_CAT, TABLE_SCHEM, TABLE_NAME, TABLE_TYPE, REMARKS; every sheet named
// 'Name$'.
Table catalogueTable(const Workbook& book);

// The cell as the text a character buffer receives.
std::string cellText(const Cell& cell, const TableColumn& column);

}  // namespace pwsheet
