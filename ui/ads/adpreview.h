#pragma once
// AdPreview: one ad drawn as on a results page.

#include <QWidget>

#include <functional>

#include "ads/adpreviewlayout.h"
#include "core/ad.h"

class QComboBox;

namespace pw::ui {

// A drop-down of the four ad list names.
QComboBox* adListChooser();

class AdPreview : public QWidget {
public:
    explicit AdPreview(QWidget* parent = nullptr);

    void showAd(const Ad& ad);
    void showTexts(const PreviewTexts& texts);
    void setBlank();
    void setSelected(bool on);
    void setMarked(bool on);
    bool isBlank() const { return blank_; }

    std::function<void()> onLeftClick;
    std::function<void(const QPoint& globalPosition)> onRightClick;

    // Tall enough for the title, two text lines and the display URL in the
    // preview fonts, whichever font the system puts in for them.
    static int linesHeight();
    QSize sizeHint() const override { return {300, linesHeight()}; }
    QSize minimumSizeHint() const override { return {200, linesHeight()}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    PreviewTexts texts_;
    bool blank_ = true;
    bool selected_ = false;
    bool marked_ = false;
};

}  // namespace pw::ui
