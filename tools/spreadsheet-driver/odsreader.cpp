// .ods (OpenDocument spreadsheet) workbooks: content.xml inside a zip.

#include <utility>

#include "workbook.h"
#include "zippedxml.h"

namespace pwsheet {

namespace {
// "PT12H30M05S" -> "12:30:05".
std::string odfDurationText(std::string_view duration) {
    long long parts[3] = {0, 0, 0};
    long long number = 0;
    for (const char c : duration) {
        if (c >= '0' && c <= '9') number = std::min<long long>(number * 10 + (c - '0'), 1'000'000);
        else if (c == 'H') parts[0] = number, number = 0;
        else if (c == 'M') parts[1] = number, number = 0;
        else if (c == 'S' || c == '.') parts[2] = c == 'S' && parts[2] == 0 ? number : parts[2], number = 0;
        else if (c == 'D') parts[0] += number * 24, number = 0;
    }
    char text[64];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", parts[0] % 24, parts[1] % 60, parts[2] % 60);
    return text;
}

struct PendingCell {
    size_t column;
    size_t repeat;
    Cell cell;
};

class ContentReader {
public:
    ContentReader(Workbook& book, ByteCounter& counter) : book_(book), counter_(counter) {}

    XmlHandler handler() {
        XmlHandler h;
        h.start = [this](std::string_view name, const XmlAttributes& a) {
            start(name, a);
            exceeded_ = exceeded_ || counter_.exceeded;
        };
        h.end = [this](std::string_view name) {
            end(name);
            exceeded_ = exceeded_ || counter_.exceeded;
        };
        h.text = [this](std::string_view text) {
            if (paragraphDepth_ > 0 && annotationDepth_ == 0) appendText(text);
        };
        h.stop = &exceeded_;
        return h;
    }
    bool exceeded() const { return exceeded_; }

private:
    void start(std::string_view name, const XmlAttributes& a) {
        if (name == "table" && !inTable_) {
            inTable_ = true;
            Sheet& sheet = book_.sheets.emplace_back();
            sheet.name = std::string(a.get("name").value_or(""));
            chargeEntry(counter_, sheet.name.size());
            builder_.emplace(sheet, counter_);
            row_ = 0;
        } else if (!inTable_) {
            return;
        } else if (name == "table-row") {
            rowRepeat_ = parseRepeat(a.get("number-rows-repeated"), kMaxRows);
            column_ = 0;
            pending_.clear();
        } else if (name == "table-cell" || name == "covered-table-cell") {
            startCell(a);
        } else if (name == "annotation") {
            ++annotationDepth_;
        } else if (name == "p" && inCell_ && annotationDepth_ == 0) {
            if (paragraphs_++ > 0) appendText("\n");
            ++paragraphDepth_;
        } else if (paragraphDepth_ > 0 && annotationDepth_ == 0) {
            if (name == "s") appendText(std::string(parseRepeat(a.get("c"), 1000), ' '));
            else if (name == "tab") appendText("\t");
            else if (name == "line-break") appendText("\n");
        }
    }

    void appendText(std::string_view text) {
        text_.append(text);
        if (text_.size() > kMaxCellTextBytes) exceeded_ = counter_.exceeded = true;
    }

    void startCell(const XmlAttributes& a) {
        inCell_ = true;
        paragraphs_ = 0;
        text_.clear();
        cellRepeat_ = parseRepeat(a.get("number-columns-repeated"), kMaxColumns);
        cell_ = Cell{};
        const std::string_view type = a.get("value-type").value_or("");
        if (type == "float" || type == "percentage" || type == "currency") {
            if (const auto number = parseNumber(a.get("value").value_or(""))) cell_ = numberCell(*number);
        } else if (type == "boolean") {
            cell_ = numberCell(xmlTrue(a.get("boolean-value")) ? 1 : 0);
        } else if (type == "date") {
            std::string text(a.get("date-value").value_or("").substr(0, 19));
            for (char& c : text)
                if (c == 'T') c = ' ';
            cell_.kind = text.size() > 10 ? CellKind::DateTime : CellKind::Date;
            cell_.text = keepText(counter_, std::move(text));
        } else if (type == "time") {
            cell_.kind = CellKind::Time;
            cell_.text = keepText(counter_, odfDurationText(a.get("time-value").value_or("")));
        } else if (type == "string") {
            if (const auto value = a.get("string-value")) {
                cell_.kind = CellKind::Text;
                cell_.text = keepText(counter_, std::string(*value));
            }
        }
        typedString_ = type == "string" && cell_.kind == CellKind::Empty;
    }

    void end(std::string_view name) {
        if (!inTable_) return;
        if (name == "table") {
            inTable_ = false;
            builder_.reset();
        } else if (name == "table-cell" || name == "covered-table-cell") {
            if (typedString_ && !text_.empty()) {
                cell_.kind = CellKind::Text;
                cell_.text = keepText(counter_, std::move(text_));
                text_.clear();
            }
            if (cell_.kind != CellKind::Empty) pending_.push_back({column_, cellRepeat_, std::move(cell_)});
            column_ += cellRepeat_;
            inCell_ = false;
        } else if (name == "table-row") {
            endRow();
        } else if (name == "annotation") {
            --annotationDepth_;
        } else if (name == "p" && paragraphDepth_ > 0) {
            --paragraphDepth_;
        }
    }

    // A row repeated many times is usually the empty rest of the sheet: only
    // rows with cells are stored, and a repeated cell shares its text.
    void endRow() {
        for (size_t r = 0; r < rowRepeat_ && !pending_.empty(); ++r)
            for (const PendingCell& p : pending_)
                for (size_t c = 0; c < p.repeat; ++c)
                    if (!builder_->put(row_ + r, p.column + c, p.cell)) {
                        exceeded_ = true;
                        return;
                    }
        row_ += rowRepeat_;
    }

    Workbook& book_;
    ByteCounter& counter_;
    std::optional<SheetBuilder> builder_;
    bool inTable_ = false, inCell_ = false, typedString_ = false, exceeded_ = false;
    size_t row_ = 0, column_ = 0, rowRepeat_ = 1, cellRepeat_ = 1;
    int paragraphs_ = 0, paragraphDepth_ = 0, annotationDepth_ = 0;
    std::string text_;
    Cell cell_;
    std::vector<PendingCell> pending_;
};
}  // namespace

ReadResult readOds(const std::string& path) {
    ZipArchive zip(path);
    if (!zip.error().empty()) return {std::nullopt, zip.error(), {}};
    bool encrypted = false;
    XmlHandler manifest;
    manifest.start = [&](std::string_view name, const XmlAttributes&) { encrypted = encrypted || name == "encryption-data"; };
    if (zip.walk("META-INF/manifest.xml", manifest) == XmlWalk::Damaged)
        return {std::nullopt, "The workbook's manifest is damaged.", {}};
    if (encrypted) return {std::nullopt, "The workbook is protected by a password.", {}};

    ByteCounter counter;
    Workbook book;
    ContentReader reader(book, counter);
    const XmlWalk walked = zip.walk("content.xml", reader.handler());
    if (counter.exceeded) return {std::nullopt, kTooLargeError, counter};
    if (reader.exceeded()) return {std::nullopt, "The workbook has more rows or columns than can be read.", counter};
    if (walked == XmlWalk::Missing)
        return {std::nullopt, "The content part is missing: the file is not a readable .ods workbook.", counter};
    if (walked == XmlWalk::Damaged) return {std::nullopt, "The workbook's content is damaged.", counter};
    return {std::move(book), {}, counter};
}

}  // namespace pwsheet
