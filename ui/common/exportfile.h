#pragma once
// The road of every export: where the file goes, then writing it and saying
// how that went.

#include <optional>
#include <string>
#include <string_view>

#include "ui/common/desktop.h"

namespace pw::ui {

inline const FileFilter kTextFiles{"Text files (*.txt)", "*.txt"};
inline const FileFilter kCsvFiles{"CSV files (*.csv)", "*.csv"};

class ExportFile {
public:
    explicit ExportFile(Desktop& desktop) : desktop_(desktop) {}

    // The chosen path with the filter's extension; none when cancelled, or
    // while the save dialog of an export is already open.
    std::optional<std::string> askPath(const FileFilter& filter, const std::string& initialName);
    // `success` is none for exports that finish without a word.
    void write(const std::string& path, std::string_view bytes, const Message* success);

private:
    Desktop& desktop_;
    bool asking_ = false;
};

}  // namespace pw::ui
