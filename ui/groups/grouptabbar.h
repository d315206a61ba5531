#pragma once
// The row of tabs: the main list and one tab per group, each drawn in its
// group's colour.

#include <QTabBar>

namespace pw::ui {

class GroupTabBar : public QTabBar {
public:
    using QTabBar::QTabBar;

    // The widest a tab grows; a longer name is cut short with "...".
    static constexpr int kMaxTabWidth = 220;

protected:
    void paintEvent(QPaintEvent* event) override;
    QSize tabSizeHint(int index) const override;
};

}  // namespace pw::ui
