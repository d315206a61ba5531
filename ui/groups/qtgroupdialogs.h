#pragma once
// The group commands' windows, shown with Qt.

#include "ui/common/qtdesktop.h"
#include "ui/groups/groupdialogs.h"

namespace pw::ui {

class QtGroupDialogs : public GroupDialogs {
public:
    explicit QtGroupDialogs(QtDesktop& desktop) : desktop_(desktop) {}

    std::optional<size_t> chooseGroup(const std::vector<std::string>& names) override;
    std::optional<std::string> renameGroup(const std::string& current,
                                           const std::function<bool(const std::string&)>& taken) override;
    std::optional<std::string> findGroup(const std::vector<std::string>& names) override;

private:
    QtDesktop& desktop_;
};

}  // namespace pw::ui
