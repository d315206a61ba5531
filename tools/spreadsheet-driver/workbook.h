#pragma once
// A workbook as the spreadsheet driver sees it: sheets of cells, read whole
// from a .xls, .xlsx or .ods file.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pwsheet {

enum class CellKind : uint8_t { Empty, Text, Integer, Number, Date, DateTime, Time };

// A text kept once however many cells show it: a shared string, a repeated
// cell or row points at the same bytes.
using SharedText = std::shared_ptr<const std::string>;

struct Cell {
    CellKind kind = CellKind::Empty;
    double number = 0;  // Integer, Number
    SharedText text;    // Text; Date "YYYY-MM-DD", DateTime "YYYY-MM-DD HH:MM:SS", Time "HH:MM:SS"

    std::string_view textView() const { return text ? std::string_view(*text) : std::string_view(); }
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
constexpr size_t kMaxSharedStrings = 2u << 20;  // twice the rows a sheet may have
constexpr size_t kMaxCellTextBytes = 1u << 20;  // far above the formats' 32,767 characters
constexpr size_t kMaxXmlDepth = 256;            // real parts nest about ten deep

// The byte budget of one conversion. The driver runs inside the program, so
// a small file that unpacks into gigabytes must be refused, not held. `held`
// counts what the reader keeps (a shared text once); `text` counts the cell
// text the conversion hands out (a shared text at every cell that shows it),
// which the program then writes and imports. A workbook of 1,048,576 rows
// of short phrases and their counts holds about 180 MB.
constexpr size_t kMaxHeldBytes = 320u << 20;
constexpr size_t kMaxTextBytes = 256u << 20;

struct ByteCounter {
    size_t held = 0;
    size_t text = 0;
    bool exceeded = false;  // once set, the reader stops and refuses the workbook
};
bool chargeHeld(ByteCounter& counter, size_t bytes);
bool chargeText(ByteCounter& counter, size_t bytes);
// The text, kept once and charged to `held`.
SharedText keepText(ByteCounter& counter, std::string text);
// One entry of a table a reader builds from the file (a sheet, a
// relationship, a style, a number format) with its texts, charged to `held`:
// a file of a million tiny elements must not become a million entries free.
bool chargeEntry(ByteCounter& counter, size_t textBytes = 0);

struct ReadResult {
    std::optional<Workbook> workbook;
    std::string error;  // why it could not be read, for the diagnostic
    ByteCounter counted;
};
constexpr const char* kTooLargeError = "The workbook holds more than can be read at once.";

// Chooses the reader by the name's ending (any case): .xls, .xlsx, .ods.
ReadResult readWorkbook(const std::string& path);

ReadResult readXls(const std::string& path);
ReadResult readXlsx(const std::string& path);
ReadResult readOds(const std::string& path);

// Puts a cell at (row, column), growing the sheet and charging the counter;
// false past the bounds or the budget.
class SheetBuilder {
public:
    SheetBuilder(Sheet& sheet, ByteCounter& counter) : sheet_(sheet), counter_(counter) {}
    bool put(size_t row, size_t column, Cell cell);
    bool exceeded() const { return exceeded_ || counter_.exceeded; }

private:
    Sheet& sheet_;
    ByteCounter& counter_;
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
