#pragma once
// The row of tabs: the main list and one tab per group, each drawn in its
// group's colour.

#include <QTabBar>

namespace pw::ui {

class GroupTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace pw::ui
