#pragma once
// The windows of the group commands. Each returns the name the user chose.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace pw::ui {

class GroupDialogs {
public:
    virtual ~GroupDialogs() = default;

    // "Select group": the position of the chosen entry among `names`, or none.
    // Entries are told apart by position: a group may be named "Main list".
    virtual std::optional<size_t> chooseGroup(const std::vector<std::string>& names) = 0;
    // "Rename group": `taken` tells whether a typed name belongs to another group.
    virtual std::optional<std::string> renameGroup(const std::string& current,
                                                   const std::function<bool(const std::string&)>& taken) = 0;
    virtual std::optional<std::string> findGroup(const std::vector<std::string>& names) = 0;
};

}  // namespace pw::ui
