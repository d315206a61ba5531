#pragma once
// What the account windows share: the program's skin (the background colour
// of the settings on the dialog and, a little lighter, on the button faces)
// and buttons with their tooltips.

#include <QColor>
#include <QPalette>
#include <QPushButton>
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

constexpr const char* kCloseTooltip = "Click here to close this window";

inline QPushButton* accountButton(const char* text, const char* tooltip, const char* objectName) {
    auto* button = new QPushButton(text);
    button->setToolTip(tooltip);
    button->setObjectName(objectName);
    return button;
}

}  // namespace pw::ui
