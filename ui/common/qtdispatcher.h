#pragma once
// Posts tasks to the Qt event loop of the window's thread. A task runs only
// while its receiver (the window) still exists, so a job or a tool run that
// ends after its window closed changes nothing.

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>

#include "ui/common/jobrunner.h"

namespace pw::ui {

class QtDispatcher : public Dispatcher {
public:
    // Made on the window's thread; the dispatcher must outlive the threads that post.
    explicit QtDispatcher(QObject* receiver = nullptr) : receiver_(receiver), guarded_(receiver != nullptr) {}
    void setReceiver(QObject* receiver) {
        receiver_ = receiver;
        guarded_ = receiver != nullptr;
    }

    void post(std::function<void()> task) override {
        // The copy of the guard is atomic; it is read on the window's thread.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [receiver = receiver_, guarded = guarded_, task = std::move(task)] {
                if (!guarded || receiver) task();
            },
            Qt::QueuedConnection);
    }

private:
    QPointer<QObject> receiver_;
    bool guarded_;
};

}  // namespace pw::ui
