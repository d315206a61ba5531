#pragma once
// The small windows of list cleaning: the catalogues of phase 1, the
// "Ignored words" window and the confirmation before a permanent delete.
// Each returns what the user chose; the controllers apply it.

#include <optional>
#include <string>
#include <vector>

#include "io/listexport.h"

namespace pw::ui {

struct DeleteConfirmation {
    bool yes = false;
    bool dontShowAgain = false;
};

class ListDialogs {
public:
    virtual ~ListDialogs() = default;

    // The "Confirm action" window before a permanent delete.
    virtual DeleteConfirmation confirmPermanentDelete() = 0;
    // The catalogue windows, opened on the project's unwanted countries (names,
    // each followed by LF) or characters: the new text on OK, none on Cancel.
    virtual std::optional<std::string> editCountries(const std::string& unwantedCountries) = 0;
    virtual std::optional<std::string> editUnwantedCharacters(const std::string& unwantedCharacters) = 0;
    // The "Ignored words" window.
    virtual void showIgnoredWords(const std::string& word, const std::vector<ListRow>& rows) = 0;
};

}  // namespace pw::ui
