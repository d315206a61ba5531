#include "ui/account/keywordtypescontroller.h"
#include "ui/account/messages.h"

namespace pw::ui {

void KeywordTypesController::clickAll(bool checked) {
    gate_.run(Needs::Nothing, [&] { clickAllTypes(form_, checked); });
}

void KeywordTypesController::clickType(KeywordType type, bool checked) {
    gate_.run(Needs::Nothing, [&] { clickKeywordType(form_, type, checked); });
}

bool KeywordTypesController::accept() {
    bool accepted = false;
    gate_.run(Needs::Nothing, [&] {
        const KeywordTypesCheck check = checkKeywordTypes(form_, typesOnly_);
        accepted = check.ok();
        if (accepted) {
            choice_ = check.choice;
            return;
        }
        focus_ = check.field;
        if (!check.message.text.empty())
            desktop_.message(boxOf(check.message, Icon::Warning));
    });
    return accepted;
}

}  // namespace pw::ui
