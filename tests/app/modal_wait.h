#pragma once

// Waiting for a modal widget in the window tests, always with a deadline: a dialog that never
// opens fails its test instead of hanging the run.

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

namespace fcw::testing {

inline constexpr std::chrono::milliseconds kModalDeadline{20000};

// Runs `act` on the next modal widget once it is shown (message box or dialog). When none is
// shown within `deadline`, the wait ends with a test failure and `act` never runs.
inline void whenModal(std::function<void(QWidget*)> act,
                      std::chrono::milliseconds deadline = kModalDeadline) {
    auto* timer = new QTimer;
    const auto giveUp = std::chrono::steady_clock::now() + deadline;
    QObject::connect(timer, &QTimer::timeout, [timer, act, giveUp] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        } else if (std::chrono::steady_clock::now() > giveUp) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal widget was shown within the deadline";
        }
    });
    timer->start(10);
}

} // namespace fcw::testing
