// The key-state tracker sees key events sent anywhere in the application.
#include "platform/key_state.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

void SendKey(QWidget& target, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers = {},
             bool autoRepeat = false) {
    QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
    QApplication::sendEvent(&target, &event);
}

}  // namespace

TEST(KeyStateTracker, FollowsPressAndReleaseOfAnyWidget) {
    TKeyStateTracker keys;
    QWidget widget;
    EXPECT_FALSE(keys.IsDown(Qt::Key_Tab));
    SendKey(widget, QEvent::KeyPress, Qt::Key_Tab);
    EXPECT_TRUE(keys.IsDown(Qt::Key_Tab));
    EXPECT_FALSE(keys.IsDown(Qt::Key_A));
    // A repeated press while held, then its auto-repeat release, leave the key down.
    SendKey(widget, QEvent::KeyRelease, Qt::Key_Tab, {}, true);
    EXPECT_TRUE(keys.IsDown(Qt::Key_Tab));
    SendKey(widget, QEvent::KeyRelease, Qt::Key_Tab);
    EXPECT_FALSE(keys.IsDown(Qt::Key_Tab));
}

TEST(KeyStateTracker, ShiftTabCountsAsTab) {
    TKeyStateTracker keys;
    QWidget widget;
    SendKey(widget, QEvent::KeyPress, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(keys.IsDown(Qt::Key_Tab));
    // Shift let go first: the release then comes as plain Tab.
    SendKey(widget, QEvent::KeyRelease, Qt::Key_Tab);
    EXPECT_FALSE(keys.IsDown(Qt::Key_Tab));
}

TEST(KeyStateTracker, LosingTheKeyboardReleasesEveryKey) {
    TKeyStateTracker keys;
    QWidget widget;
    SendKey(widget, QEvent::KeyPress, Qt::Key_Tab);
    QEvent deactivate(QEvent::ApplicationDeactivate);
    QApplication::sendEvent(qApp, &deactivate);
    EXPECT_FALSE(keys.IsDown(Qt::Key_Tab));
}
