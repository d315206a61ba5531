#pragma once
// Posts tasks to the Qt event loop of the window's thread.

#include <QCoreApplication>
#include <QMetaObject>

#include "ui/common/jobrunner.h"

namespace pw::ui {

class QtDispatcher : public Dispatcher {
public:
    void post(std::function<void()> task) override {
        QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
    }
};

}  // namespace pw::ui
