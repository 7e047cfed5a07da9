// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs test steps while a modal window's own event loop is running, and makes sure a window the
// steps failed to close cannot hang the suite.

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace plakatron::test {

// Schedules `step` to run `delayMs` after the modal loop starts, on the window `find` returns.
template <typename Window>
void whileModal(int delayMs, std::function<Window *()> find, std::function<void(Window &)> step)
{
    QTimer::singleShot(delayMs, [find, step] {
        Window *window = find();
        ASSERT_NE(window, nullptr) << "no window is loaded";
        step(*window);
    });
}

// Closes whatever `find` returns after `timeoutMs` and records a failure: the steps should have.
template <typename Window>
class ModalWatchdog {
public:
    ModalWatchdog(int timeoutMs, std::function<Window *()> find) : timer_(new QTimer)
    {
        timer_->setSingleShot(true);
        QObject::connect(timer_.get(), &QTimer::timeout, [find] {
            if (Window *window = find()) {
                ADD_FAILURE() << "the window was still open; closing it";
                window->close();
            }
        });
        timer_->start(timeoutMs);
    }

private:
    std::unique_ptr<QTimer> timer_;
};

}  // namespace plakatron::test
