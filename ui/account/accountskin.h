#pragma once
// The account windows wear the program's skin: the background colour of the
// settings on the dialog and, a little lighter, on the button faces.

#include <QColor>
#include <QPalette>
#include <QWidget>

#include <cstdint>

namespace pw::ui {

inline void applyAccountSkin(QWidget* window, uint32_t rgb) {
    const QColor color(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
    QPalette palette = window->palette();
    palette.setColor(QPalette::Window, color);
    palette.setColor(QPalette::Button, color.lighter(115));
    window->setPalette(palette);
    window->setAutoFillBackground(true);
}

}  // namespace pw::ui
