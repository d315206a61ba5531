#include "workbook.h"

#include <cmath>
#include <cstdio>

namespace pwsheet {

namespace {
std::string lowerEnding(const std::string& path) {
    const size_t dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.') return {};
    std::string ending = path.substr(dot);
    for (char& c : ending) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ending;
}

// Civil date from days since 1970-01-01 (H. Hinnant's algorithm).
void civilFromDays(long long z, long long& y, unsigned& m, unsigned& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    if (m <= 2) ++y;
}
}  // namespace

ReadResult readWorkbook(const std::string& path) {
    const std::string ending = lowerEnding(path);
    if (ending == ".xls") return readXls(path);
    if (ending == ".xlsx") return readXlsx(path);
    if (ending == ".ods") return readOds(path);
    return {std::nullopt, "The file is not a .xls, .xlsx or .ods workbook.", {}};
}

bool chargeHeld(ByteCounter& counter, size_t bytes) {
    counter.held += bytes;
    if (counter.held > kMaxHeldBytes) counter.exceeded = true;
    return !counter.exceeded;
}

bool chargeText(ByteCounter& counter, size_t bytes) {
    counter.text += bytes;
    if (counter.text > kMaxTextBytes) counter.exceeded = true;
    return !counter.exceeded;
}

namespace {
// The control block and string of a shared text, and the heap's own share.
constexpr size_t kSharedTextOverhead = 64;
// A sheet or a map node with its strings' own parts.
constexpr size_t kEntryOverhead = 128;
}  // namespace

bool chargeEntry(ByteCounter& counter, size_t textBytes) { return chargeHeld(counter, kEntryOverhead + textBytes); }

SharedText keepText(ByteCounter& counter, std::string text) {
    static const SharedText empty = std::make_shared<const std::string>();
    if (text.empty()) return empty;  // one for all: a table of empty strings costs its entries only
    chargeHeld(counter, text.size() + kSharedTextOverhead);
    return std::make_shared<const std::string>(std::move(text));
}

bool SheetBuilder::put(size_t row, size_t column, Cell cell) {
    if (cell.kind == CellKind::Empty) return true;
    if (row >= kMaxRows || column >= kMaxColumns || cells_ >= kMaxCells) {
        exceeded_ = true;
        return false;
    }
    auto& rows = sheet_.rows;
    const size_t rowsBefore = rows.capacity();
    if (rows.size() <= row) rows.resize(row + 1);
    auto& cells = rows[row];
    const size_t cellsBefore = cells.capacity();
    if (cells.size() <= column) {
        cells_ += column + 1 - cells.size();
        cells.resize(column + 1);
    }
    const bool withinBudget =
        chargeHeld(counter_, (rows.capacity() - rowsBefore) * sizeof(rows[0]) +
                                 (cells.capacity() - cellsBefore) * sizeof(Cell)) &&
        chargeText(counter_, cell.textView().size());
    cells[column] = std::move(cell);
    return withinBudget;
}

std::optional<std::string> serialDateText(double serial, bool withTime) {
    if (!std::isfinite(serial) || serial < -693593 || serial > 2958465) return std::nullopt;
    double whole = std::floor(serial);
    long long seconds = std::llround((serial - whole) * 86400.0);
    if (seconds >= 86400) {
        whole += 1;
        seconds -= 86400;
    }
    long long y;
    unsigned m, d;
    civilFromDays(static_cast<long long>(whole) - 25569, y, m, d);
    char text[96];
    if (withTime)
        std::snprintf(text, sizeof text, "%04lld-%02u-%02u %02lld:%02lld:%02lld", y, m, d, seconds / 3600,
                      seconds / 60 % 60, seconds % 60);
    else
        std::snprintf(text, sizeof text, "%04lld-%02u-%02u", y, m, d);
    return text;
}

std::string serialTimeText(double serial) {
    double fraction = std::isfinite(serial) ? serial - std::floor(serial) : 0;
    long long seconds = std::llround(fraction * 86400.0) % 86400;
    char text[16];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

}  // namespace pwsheet

namespace pwsheet {
Cell numberCell(double value) {
    Cell cell;
    cell.number = value;
    const bool whole = std::isfinite(value) && value == std::floor(value) && value >= -2147483648.0 &&
                       value <= 2147483647.0;
    cell.kind = whole ? CellKind::Integer : CellKind::Number;
    return cell;
}
}  // namespace pwsheet
