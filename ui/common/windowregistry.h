#pragma once
// The modeless windows a feature opens beside the main window (several
// top-ads windows at once, say): each deletes itself when closed and the
// registry forgets it then; closing the project closes them all.

#include <QPointer>
#include <QWidget>

#include <vector>

namespace pw::ui {

class WindowRegistry {
public:
    WindowRegistry() = default;
    WindowRegistry(const WindowRegistry&) = delete;
    WindowRegistry& operator=(const WindowRegistry&) = delete;
    ~WindowRegistry() { closeAll(); }

    // Takes the window, shows it and brings it to the front.
    void open(QWidget* window);
    // Closes every open window (the project they work on is going); false
    // when one refused, which stays open and registered.
    bool closeAll();
    // The windows still open, in the order they opened.
    std::vector<QWidget*> openWindows() const;

private:
    std::vector<QPointer<QWidget>> windows_;
};

}  // namespace pw::ui
