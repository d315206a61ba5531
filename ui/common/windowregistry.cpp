#include "ui/common/windowregistry.h"

#include <algorithm>

namespace pw::ui {

void WindowRegistry::open(QWidget* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    // A deleted window leaves a null pointer behind, dropped here and in closeAll.
    std::erase_if(windows_, [](const QPointer<QWidget>& w) { return w.isNull(); });
    windows_.emplace_back(window);
    window->show();
    window->raise();
    window->activateWindow();
}

bool WindowRegistry::closeAll() {
    // Closing may delete a window: work on a copy.
    const std::vector<QPointer<QWidget>> open = std::exchange(windows_, {});
    for (const QPointer<QWidget>& w : open)
        if (w && !w->close()) windows_.push_back(w);
    return windows_.empty();
}

std::vector<QWidget*> WindowRegistry::openWindows() const {
    std::vector<QWidget*> open;
    for (const QPointer<QWidget>& w : windows_)
        if (w) open.push_back(w.data());
    return open;
}

}  // namespace pw::ui
