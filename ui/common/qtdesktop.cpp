#include "ui/common/qtdesktop.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

#include "ui/common/qttext.h"

namespace pw::ui {

namespace {
QString filterString(const std::vector<FileFilter>& filters) {
    QStringList parts;
    for (const FileFilter& f : filters) {
        QString patterns = QString::fromStdString(f.pattern);
        patterns.replace(';', ' ');
        parts << QString::fromStdString(f.name).section(" (", 0, 0) + " (" + patterns + ")";
    }
    return parts.join(";;");
}

}  // namespace

QWidget* QtDesktop::frontWindow() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return parent_;
}

// A box opens over the window in front: a command that failed in a modal
// feature window (the gate's "unknown error") is answered there, not behind it.
Answer QtDesktop::message(const Message& m) {
    QMessageBox box(frontWindow());
    box.setWindowTitle(QString::fromStdString(m.caption));
    box.setText(toQt(m.text));
    switch (m.icon) {
    case Icon::Information: box.setIcon(QMessageBox::Information); break;
    case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
    case Icon::Error: box.setIcon(QMessageBox::Critical); break;
    case Icon::Question: box.setIcon(QMessageBox::Question); break;
    case Icon::None: break;
    }
    switch (m.buttons) {
    case Buttons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Buttons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Buttons::YesNoCancel: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel); break;
    }
    if (m.noByDefault) box.setDefaultButton(QMessageBox::No);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Cancel: return Answer::Cancel;
    default: return m.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
}

std::vector<std::string> QtDesktop::openFiles(const OpenFileRequest& request) {
    const QString filters = filterString(request.filters);
    const QString folder = QString::fromStdString(request.folder);
    std::vector<std::string> chosen;
    if (request.multiple) {
        for (const QString& f : QFileDialog::getOpenFileNames(frontWindow(), QString(), folder, filters))
            chosen.push_back(fromQt(f));
    } else if (const QString f = QFileDialog::getOpenFileName(frontWindow(), QString(), folder, filters); !f.isEmpty()) {
        chosen.push_back(fromQt(f));
    }
    return chosen;
}

std::optional<std::string> QtDesktop::saveFile(const SaveFileRequest& request) {
    QString start = QString::fromStdString(request.folder);
    if (!request.initialName.empty()) start = start.isEmpty() ? toQt(request.initialName) : start + "/" + toQt(request.initialName);
    const QString f = QFileDialog::getSaveFileName(frontWindow(), QString(), start, filterString(request.filters));
    if (f.isEmpty()) return std::nullopt;
    return fromQt(f);
}

std::optional<std::string> QtDesktop::chooseFolder(const std::string& title) {
    const QString folder = QFileDialog::getExistingDirectory(frontWindow(), QString::fromStdString(title));
    if (folder.isEmpty()) return std::nullopt;
    return fromQt(folder);
}

std::optional<uint32_t> QtDesktop::pickColor(uint32_t initial) {
    const QColor picked = QColorDialog::getColor(QColor(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF),
                                                 frontWindow());
    if (!picked.isValid()) return std::nullopt;
    return static_cast<uint32_t>(picked.red() | (picked.green() << 8) | (picked.blue() << 16));
}

void QtDesktop::doubleBeep() {
    QApplication::beep();
    QTimer::singleShot(70, [] { QApplication::beep(); });
}

void QtDesktop::informationSound() { QApplication::beep(); }

void QtDesktop::setClipboardText(const std::string& text) { QApplication::clipboard()->setText(toQt(text)); }

void QtDesktop::openAddress(const std::string& address) { QDesktopServices::openUrl(QUrl(toQt(address))); }

}  // namespace pw::ui
