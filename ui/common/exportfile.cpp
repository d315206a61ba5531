#include "ui/common/exportfile.h"

#include "io/listexport.h"

namespace pw::ui {

std::optional<std::string> ExportFile::askPath(const FileFilter& filter, const std::string& initialName) {
    if (asking_) return std::nullopt;
    asking_ = true;
    std::optional<std::string> path = desktop_.saveFile({{filter}, "", initialName});
    asking_ = false;
    if (!path) return std::nullopt;
    return withExtension(*path, filter.pattern.substr(1));
}

void ExportFile::write(const std::string& path, std::string_view bytes, const Message* success) {
    if (!writeExportFile(path, bytes))
        desktop_.message(messageOf(kCannotWriteExport.text, kCannotWriteExport.caption, Icon::Warning));
    else if (success)
        desktop_.message(*success);
}

}  // namespace pw::ui
