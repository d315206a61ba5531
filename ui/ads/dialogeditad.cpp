#include "ui/ads/dialogeditad.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/ads/adpreview.h"
#include "ui/common/qttext.h"

namespace pw::ui {

namespace {
// A stored line break is CR LF; the box shows it as one line break.
QString shownInBox(const std::string& text) { return toQt(text).replace("\r\n", "\n"); }
}  // namespace

namespace {
QPushButton* plainButton(const QString& text, const QString& name) {
    auto* b = new QPushButton(text);
    b->setObjectName(name);
    b->setAutoDefault(false);  // Enter never closes the window
    return b;
}
}  // namespace

CDialogEditAd::CDialogEditAd(AdEditorController& controller, AdWindows& ui, const Group* group, QWidget* parent)
    : QDialog(parent), controller_(controller), ui_(ui), group_(group) {
    setWindowTitle("Edit ad");
    setObjectName("CDialogEditAd");
    auto* grid = new QGridLayout(this);
    int row = 0;

    network_ = new QComboBox;
    network_->setObjectName("network");
    for (std::string_view name : kNetworkNames) network_->addItem(QString::fromUtf8(name.data(), name.size()));
    network_->setEnabled(controller_.networkEnabled());
    validate_ = new QCheckBox("Validate search engine rules");
    validate_->setObjectName("validate");
    validate_->setChecked(controller_.validateRules);
    grid->addWidget(new QLabel("Write ad for:"), row, 0);
    grid->addWidget(network_, row, 1);
    grid->addWidget(validate_, row++, 2);

    auto lineRow = [&](const QString& label, const QString& name, QLineEdit*& edit, int counter, QLabel** labelOut) {
        auto* l = new QLabel(label);
        if (labelOut) *labelOut = l;
        edit = new QLineEdit;
        edit->setObjectName(name);
        edit->installEventFilter(this);
        grid->addWidget(l, row, 0);
        grid->addWidget(edit, row, 1);
        if (counter >= 0) {
            counters_[counter] = new QLabel("0/0");
            counters_[counter]->setObjectName(name + "Counter");
            counters_[counter]->setMinimumWidth(70);
            grid->addWidget(counters_[counter], row, 2);
        }
        ++row;
    };
    lineRow("Ad title:", "title", title_, 0, nullptr);
    title_->setMaxLength(static_cast<int>(editorBoxLimit(EditorBox::Title)));
    lineRow("Ad text1:", "text1", text1_, 1, &text1Label_);
    text1Label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    description_ = new QPlainTextEdit;
    description_->setObjectName("description");
    description_->setFixedHeight(64);
    description_->setTabChangesFocus(true);
    description_->viewport()->installEventFilter(this);
    grid->addWidget(description_, row - 1, 1);  // shares the row of text 1: one of them shows
    lineRow("Ad text2:", "text2", text2_, 2, &text2Label_);
    lineRow("Display URL:", "displayUrl", displayUrl_, 3, nullptr);
    lineRow("Destination URL:", "destinationUrl", destinationUrl_, 4, nullptr);
    text1_->setMaxLength(static_cast<int>(editorBoxLimit(EditorBox::Text1)));
    text2_->setMaxLength(static_cast<int>(editorBoxLimit(EditorBox::Text2)));
    displayUrl_->setMaxLength(static_cast<int>(editorBoxLimit(EditorBox::DisplayUrl)));
    destinationUrl_->setMaxLength(static_cast<int>(editorBoxLimit(EditorBox::DestinationUrl)));
    notes_ = new QPlainTextEdit;
    notes_->setObjectName("notes");
    notes_->setFixedHeight(70);
    notes_->setTabChangesFocus(true);
    notes_->setEnabled(controller_.notesEnabled());
    notes_->viewport()->installEventFilter(this);
    grid->addWidget(new QLabel("Notes:"), row, 0, Qt::AlignTop);
    grid->addWidget(notes_, row++, 1, 1, 2);
    preview_ = new AdPreview;
    preview_->setObjectName("preview");
    grid->addWidget(new QLabel("Ad preview:"), row, 0, Qt::AlignTop);
    grid->addWidget(preview_, row++, 1, 1, 2);

    auto* buttons = new QHBoxLayout;
    QPushButton* search = plainButton("Search...", "search");
    // The web buttons are greyed until a feature supplies them.
    QPushButton* copyFrom = plainButton("Copy from Google", "copyFromGoogle");
    copyFrom->setEnabled(controller_.copyFromGoogleEnabled());
    copyInto_ = plainButton("Copy into Google", "copyInto");
    QPushButton* tokens = plainButton("Set tokens...", "setTokens");
    tokens->setEnabled(controller_.setTokensEnabled());
    delete_ = plainButton("Delete ad", "deleteAd");
    delete_->setEnabled(controller_.deleteEnabled());
    QPushButton* save = plainButton("&Save ad", "saveAd");
    QPushButton* cancel = plainButton("Cancel", "cancel");
    for (QPushButton* b : {search, copyFrom, copyInto_, tokens, delete_}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    grid->addLayout(buttons, row, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    setMinimumWidth(640);

    connect(network_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (updating_) return;
        controller_.setNetwork(static_cast<SearchEngine>(index));
        showBoxes();
    });
    connect(validate_, &QCheckBox::toggled, this, [this](bool on) { controller_.validateRules = on; });
    for (const auto& [edit, box] : lineBoxes())
        connect(edit, &QLineEdit::textEdited, this, [this, box = box] { boxEdited(box); });
    connect(description_, &QPlainTextEdit::textChanged, this, [this] { boxEdited(EditorBox::Description); });
    connect(notes_, &QPlainTextEdit::textChanged, this, [this] { boxEdited(EditorBox::Notes); });
    connect(search, &QPushButton::clicked, this, [this] {
        if (const std::optional<Ad> found = ui_.searchPastAds(group_)) {
            controller_.load(*found);
            showBoxes();
        }
    });
    connect(copyFrom, &QPushButton::clicked, this, [this] {
        controller_.copyFromGoogle();
        showBoxes();
    });
    connect(copyInto_, &QPushButton::clicked, this, [this] { controller_.copyIntoConsole(); });
    connect(tokens, &QPushButton::clicked, this, [this] {
        controller_.setTokens();
        showBoxes();
    });
    connect(save, &QPushButton::clicked, this, [this] {
        if (controller_.save()) accept();
        else if (const std::optional<EditorBox> box = controller_.focusBox()) focusBox(*box);
    });
    connect(delete_, &QPushButton::clicked, this, [this] {
        if (controller_.deleteAd()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    showBoxes();
    // Typing starts in the headline, never in the network list above it.
    title_->setFocus();
}

std::array<std::pair<QLineEdit*, EditorBox>, 5> CDialogEditAd::lineBoxes() const {
    return {{{title_, EditorBox::Title},
             {text1_, EditorBox::Text1},
             {text2_, EditorBox::Text2},
             {displayUrl_, EditorBox::DisplayUrl},
             {destinationUrl_, EditorBox::DestinationUrl}}};
}

QWidget* CDialogEditAd::widgetOf(EditorBox box) const {
    switch (box) {
    case EditorBox::Title: return title_;
    case EditorBox::Text1: return text1_;
    case EditorBox::Text2: return text2_;
    case EditorBox::Description: return description_;
    case EditorBox::DisplayUrl: return displayUrl_;
    case EditorBox::DestinationUrl: return destinationUrl_;
    case EditorBox::Notes: return notes_;
    }
    return nullptr;
}

void CDialogEditAd::focusBox(EditorBox box) {
    QWidget* w = widgetOf(box);
    w->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(w)) line->selectAll();
    if (auto* text = qobject_cast<QPlainTextEdit*>(w)) text->selectAll();
}

void CDialogEditAd::showBoxes() {
    updating_ = true;
    for (const auto& [edit, box] : lineBoxes())
        if (edit->text() != toQt(controller_.box(box))) edit->setText(toQt(controller_.box(box)));
    if (description_->toPlainText() != shownInBox(controller_.box(EditorBox::Description)))
        description_->setPlainText(shownInBox(controller_.box(EditorBox::Description)));
    if (notes_->toPlainText() != toQt(controller_.box(EditorBox::Notes)))
        notes_->setPlainText(toQt(controller_.box(EditorBox::Notes)));
    network_->setCurrentIndex(static_cast<int>(controller_.network()));
    const bool one = controller_.oneDescription();
    text1_->setVisible(!one);
    description_->setVisible(one);
    text2_->setVisible(!one);
    text2Label_->setVisible(!one);
    counters_[2]->setVisible(!one);
    text1Label_->setText(one ? "Ad description:" : "Ad text1:");
    copyInto_->setText(QString::fromStdString(controller_.copyButtonCaption()));
    copyInto_->setEnabled(controller_.copyIntoEnabled());
    updating_ = false;
    showCountersAndPreview();
}

void CDialogEditAd::showCountersAndPreview() {
    for (int f = 0; f < kLimitedFieldCount; ++f) {
        const Counter& c = controller_.counter(static_cast<AdField>(f));
        counters_[f]->setText(QString::fromStdString(c.text));
        if (f != 2 || !controller_.oneDescription()) counters_[f]->setVisible(c.visible);
    }
    preview_->showTexts(controller_.preview());
}

// The box goes back to its clipped text with the caret where it was.
void CDialogEditAd::boxEdited(EditorBox box) {
    if (updating_) return;
    updating_ = true;
    if (auto* line = qobject_cast<QLineEdit*>(widgetOf(box))) {
        const int caret = line->cursorPosition();
        const QString kept = toQt(controller_.typed(box, fromQt(line->text())));
        if (kept != line->text()) {
            line->setText(kept);
            line->setCursorPosition(std::min(caret, static_cast<int>(kept.size())));
        }
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(widgetOf(box))) {
        const QString typed = text->toPlainText();
        const QString kept = shownInBox(controller_.typed(box, fromQt(typed)));
        if (kept != typed) {
            const int caret = text->textCursor().position();
            text->setPlainText(kept);
            QTextCursor cursor = text->textCursor();
            cursor.setPosition(std::min(caret, static_cast<int>(kept.size())));
            text->setTextCursor(cursor);
            text->ensureCursorVisible();
        }
    }
    if (box == EditorBox::DisplayUrl) destinationUrl_->setText(toQt(controller_.box(EditorBox::DestinationUrl)));
    updating_ = false;
    showCountersAndPreview();
}

void CDialogEditAd::reject() {
    switch (controller_.close()) {
    case AdEditorController::Closing::Saved: accept(); break;
    case AdEditorController::Closing::Discard: QDialog::reject(); break;
    case AdEditorController::Closing::Stay:
        if (const std::optional<EditorBox> box = controller_.focusBox()) focusBox(*box);
        break;
    }
}

bool CDialogEditAd::eventFilter(QObject* watched, QEvent* event) {
    for (QPlainTextEdit* box : {description_, notes_}) {
        if (box && watched == box->viewport() && event->type() == QEvent::MouseButtonPress && !box->hasFocus()) {
            box->setFocus();
            box->selectAll();
            return true;
        }
    }
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && event->type() == QEvent::FocusIn && edit == destinationUrl_) controller_.destinationFocused();
    if (edit && event->type() == QEvent::MouseButtonPress && !edit->hasFocus()) {
        edit->setFocus();
        edit->selectAll();
        if (edit == destinationUrl_) controller_.destinationFocused();
        return true;
    }
    if (edit && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const bool one = controller_.oneDescription();
            QWidget* next = nullptr;
            if (edit == title_) next = one ? static_cast<QWidget*>(description_) : text1_;
            else if (edit == text1_) next = text2_;
            else if (edit == text2_) next = displayUrl_;
            else if (edit == displayUrl_) next = destinationUrl_;
            else if (edit == destinationUrl_) next = notes_;
            if (next) next->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace pw::ui
