#pragma once

// Helpers of the window tests that look at dialogs as the user sees them.

#include "app/modal_wait.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace fcw::testing {

// Runs `act` on the next modal dialog, once it is shown, then closes it (within the deadline
// of whenModal).
inline void whenModalThenClose(std::function<void(QWidget*)> act) {
    whenModal([act](QWidget* modal) {
        act(modal);
        static_cast<QDialog*>(modal)->reject();
    });
}

// No text of `dialog` is wider than the widget that shows it.
inline void expectTextsFit(QWidget* dialog, const std::string& what) {
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(dialog) || label->wordWrap() || label->text().isEmpty()) {
            continue; // a wrapping note breaks its lines to fit
        }
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()),
                  label->contentsRect().width())
            << what << ": label " << label->text().toStdString();
    }
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(dialog)) {
            continue;
        }
        // A push button's size hint has a floor of its own; its text needs its margins.
        const int needed =
            qobject_cast<QPushButton*>(button) != nullptr
                ? button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) +
                      2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin)
                : button->sizeHint().width();
        EXPECT_LE(needed, button->width()) << what << ": button " << button->text().toStdString();
    }
    for (QGroupBox* group : dialog->findChildren<QGroupBox*>()) {
        if (group->isVisibleTo(dialog)) {
            EXPECT_LE(group->minimumSizeHint().width(), group->width())
                << what << ": group " << group->title().toStdString();
        }
    }
    for (QTabBar* tabs : dialog->findChildren<QTabBar*>()) {
        // Squeezed tabs elide their titles.
        EXPECT_LE(tabs->sizeHint().width(), tabs->width()) << what << ": tabs";
    }
}

} // namespace fcw::testing
