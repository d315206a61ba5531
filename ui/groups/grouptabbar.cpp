#include "ui/groups/grouptabbar.h"

#include <algorithm>

#include <QPainter>
#include <QStyleOptionTab>

namespace pw::ui {

void GroupTabBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int i = 0; i < count(); ++i) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        const QColor color = tabData(i).value<QColor>();
        const QRect r = tabRect(i).adjusted(1, currentIndex() == i ? 0 : 3, -1, 0);
        painter.setPen(QColor(120, 120, 120));
        painter.setBrush(color.isValid() ? color : QColor(Qt::white));
        painter.drawRoundedRect(r, 4, 4);
        QFont font = painter.font();
        font.setBold(currentIndex() == i);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(r, Qt::AlignCenter, option.text);
    }
}

QSize GroupTabBar::tabSizeHint(int index) const {
    QSize size = QTabBar::tabSizeHint(index);
    size.setWidth(std::min(size.width(), kMaxTabWidth));
    return size;
}

}  // namespace pw::ui
