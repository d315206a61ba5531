#include "ui/account/keywordtypescontroller.h"

namespace pw::ui {

bool KeywordTypesController::accept() {
    const KeywordTypesCheck check = checkKeywordTypes(form_, typesOnly_);
    if (check.ok()) {
        choice_ = check.choice;
        return true;
    }
    focus_ = check.field;
    if (!check.message.text.empty())
        desktop_.message({check.message.text, check.message.caption, Icon::Warning, Buttons::Ok});
    return false;
}

}  // namespace pw::ui
