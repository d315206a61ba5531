#include "ui/groups/qtgroupdialogs.h"

#include <QMessageBox>

#include "ui/common/qttext.h"
#include "ui/common/textentrydialog.h"
#include "ui/groups/groupdialogwindows.h"

namespace pw::ui {

namespace {
QStringList toQtList(const std::vector<std::string>& items) {
    QStringList list;
    for (const std::string& s : items) list << toQt(s);
    return list;
}

// The name as it came in, when the user picked one of the offered names.
std::string originalOf(const QString& shown, const std::vector<std::string>& names) {
    for (const std::string& n : names)
        if (toQt(n) == shown) return n;
    return fromQt(shown);
}
}  // namespace

std::optional<size_t> QtGroupDialogs::chooseGroup(const std::vector<std::string>& names) {
    CDialogExistingGroup dialog(toQtList(names), desktop_.frontWindow());
    if (dialog.exec() != QDialog::Accepted || dialog.chosenIndex() < 0) return std::nullopt;
    return static_cast<size_t>(dialog.chosenIndex());
}

std::optional<std::string> QtGroupDialogs::renameGroup(const std::string& current,
                                                     const std::function<bool(const std::string&)>& taken) {
    TextEntryDialog dialog("Rename group", "Enter group name:", "OK", desktop_.frontWindow());
    dialog.setMaxLength(127);
    dialog.setText(toQt(current));
    dialog.acceptable = [&](const QString& typed) {
        if (!taken(fromQt(typed))) return true;
        QMessageBox::warning(&dialog, "Cannot rename group", "A group with this name already exists!");
        return false;
    };
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return fromQt(dialog.text());
}

std::optional<std::string> QtGroupDialogs::findGroup(const std::vector<std::string>& names) {
    CDialogFindGroup dialog(toQtList(names), desktop_.frontWindow());
    if (dialog.exec() != QDialog::Accepted || dialog.chosen().isEmpty()) return std::nullopt;
    return originalOf(dialog.chosen(), names);
}

}  // namespace pw::ui
