#pragma once
// A workbook as the spreadsheet driver sees it: sheets of cells, read whole
// from a .xls, .xlsx or .ods file.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace pwsheet {

enum class CellKind : uint8_t { Empty, Text, Integer, Number, Date, DateTime, Time };

struct Cell {
    CellKind kind = CellKind::Empty;
    double number = 0;  // Integer, Number
    std::string text;   // Text; Date "YYYY-MM-DD", DateTime "YYYY-MM-DD HH:MM:SS", Time "HH:MM:SS"
};

struct Sheet {
    std::string name;
    std::vector<std::vector<Cell>> rows;  // ragged: trailing empty cells and rows are not stored
};

struct Workbook {
    std::vector<Sheet> sheets;
};

// Bounds that keep a hostile file from taking all memory.
constexpr size_t kMaxColumns = 1024;
constexpr size_t kMaxRows = 1048576;
constexpr size_t kMaxCells = 10'000'000;

struct ReadResult {
    std::optional<Workbook> workbook;
    std::string error;  // why it could not be read, for the diagnostic
};

// Chooses the reader by the name's ending (any case): .xls, .xlsx, .ods.
ReadResult readWorkbook(const std::string& path);

ReadResult readXls(const std::string& path);
ReadResult readXlsx(const std::string& path);
ReadResult readOds(const std::string& path);

// Puts a cell at (row, column), growing the sheet; false past the bounds.
class SheetBuilder {
public:
    explicit SheetBuilder(Sheet& sheet) : sheet_(sheet) {}
    bool put(size_t row, size_t column, Cell cell);
    bool exceeded() const { return exceeded_; }

private:
    Sheet& sheet_;
    size_t cells_ = 0;
    bool exceeded_ = false;
};

// Days since 1899-12-30 (the spreadsheet serial date) as text; none when
// out of the range of years 1 to 9999.
std::optional<std::string> serialDateText(double serial, bool withTime);
std::string serialTimeText(double serial);

}  // namespace pwsheet

namespace pwsheet {
// A whole number within 32 bits is an integer cell; any other a number.
Cell numberCell(double value);
}  // namespace pwsheet
