#include "ui/ads/adpreview.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "ads/adlists.h"
#include "ui/common/qttext.h"

namespace pw::ui {

namespace {
QFont previewFont(int pixelHeight, bool underline) {
    QFont font("Arial");
    font.setPixelSize(pixelHeight);
    font.setUnderline(underline);
    return font;
}

constexpr int kMargin = 2;
QFont titleFont() { return previewFont(15, true); }
QFont textFont() { return previewFont(14, false); }
QFont urlFont() { return previewFont(12, false); }

TextWidth widthIn(const QFont& font) {
    return [metrics = QFontMetrics(font)](std::string_view text) {
        return metrics.horizontalAdvance(toQt(text));
    };
}
}  // namespace

QComboBox* adListChooser() {
    auto* combo = new QComboBox;
    for (std::string_view name : kAdListNames) combo->addItem(QString::fromUtf8(name.data(), name.size()));
    return combo;
}

AdPreview::AdPreview(QWidget* parent) : QWidget(parent) {
    setMinimumSize(minimumSizeHint());
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

int AdPreview::linesHeight() {
    const int text = QFontMetrics(textFont()).height();
    return kMargin + QFontMetrics(titleFont()).height() + 2 * text + QFontMetrics(urlFont()).height() + kMargin;
}

void AdPreview::showAd(const Ad& ad) {
    const bool one = oneDescription(ad.engine);
    showTexts({ad.title, ad.line1, one ? std::string() : ad.line2, ad.displayUrl, one});
    marked_ = false;
}

void AdPreview::showTexts(const PreviewTexts& texts) {
    texts_ = texts;
    blank_ = false;
    update();
}

void AdPreview::setBlank() {
    blank_ = true;
    selected_ = false;
    update();
}

void AdPreview::setSelected(bool on) {
    selected_ = on;
    update();
}

void AdPreview::setMarked(bool on) {
    marked_ = on;
    update();
}

void AdPreview::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (blank_) {
        p.fillRect(rect(), QColor(200, 200, 200));
        return;
    }
    const QColor background = marked_ ? (selected_ ? QColor(0, 50, 50) : QColor(255, 205, 205))
                                      : (selected_ ? QColor(Qt::black) : QColor(Qt::white));
    p.fillRect(rect(), background);
    const QFont title = titleFont();
    const QFont text = textFont();
    const QFont url = urlFont();
    const PreviewTexts lines = layoutPreview(texts_, width(), {widthIn(title), widthIn(text), widthIn(url)});
    int y = kMargin;
    auto draw = [&](const QFont& font, const QColor& color, const std::string& line) {
        p.setFont(font);
        p.setPen(color);
        const QFontMetrics metrics(font);
        p.drawText(kMargin, y + metrics.ascent(), toQt(line));
        y += metrics.height();
    };
    draw(title, selected_ ? QColor(Qt::yellow) : QColor(0, 0, 255), lines.title);
    draw(text, selected_ ? QColor(Qt::white) : QColor(Qt::black), lines.line1);
    draw(text, selected_ ? QColor(Qt::white) : QColor(Qt::black), lines.line2);
    draw(url, selected_ ? QColor(255, 105, 255) : QColor(0, 150, 0), lines.displayUrl);
}

void AdPreview::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onLeftClick) onLeftClick();
    if (event->button() == Qt::RightButton && onRightClick) onRightClick(event->globalPosition().toPoint());
}

}  // namespace pw::ui
