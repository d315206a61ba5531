#pragma once
// "Set default properties" (CDialogSelectKeywordTypes): the bids of the ad
// groups an upload creates and the match types of their keywords. In
// types-only mode the bids are not asked for.

#include <optional>

#include "account/projectupload.h"
#include "ui/common/commandgate.h"
#include "ui/common/desktop.h"

namespace pw::ui {

class KeywordTypesController {
public:
    // The choice is no part of the project: the commands pass `gate` for its guard alone.
    KeywordTypesController(Desktop& desktop, CommandGate& gate, bool typesOnly)
        : desktop_(desktop), gate_(gate), typesOnly_(typesOnly) {}

    bool typesOnly() const { return typesOnly_; }
    bool bidsEnabled() const { return !typesOnly_; }
    KeywordTypesForm& form() { return form_; }
    const KeywordTypesForm& form() const { return form_; }
    void clickAll(bool checked);
    void clickType(KeywordType type, bool checked);
    bool okEnabled() const { return canAcceptKeywordTypes(form_); }

    // "OK": true when the dialog closes with `choice()`; a refusal is shown
    // and `focusField()` names the field whose text is to be selected.
    bool accept();
    const KeywordTypesChoice& choice() const { return choice_; }
    KeywordTypesField focusField() const { return focus_; }

private:
    Desktop& desktop_;
    CommandGate& gate_;
    bool typesOnly_;
    KeywordTypesForm form_;
    KeywordTypesChoice choice_;
    KeywordTypesField focus_ = KeywordTypesField::MaxCpc;
};

}  // namespace pw::ui
