// Between rounds: the player dialog (its menu, the player it shows, the players added through
// it and what it hands back) and how its choice reaches the game.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QProxyStyle>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <deque>
#include <functional>

#include "journey/button_style.h"
#include "journey/character_dialog.h"
#include "journey/fake_dialogs.h"
#include "journey/game_dialogs.h"
#include "journey/help_document.h"
#include "journey/main_window.h"
#include "journey/player_dialog.h"
#include "journey/route_panel.h"
#include "journey/route_tables.h"
#include "journey/window_test_support.h"

namespace {

// The character each character dialog is closed with, in order; the level's first when none.
std::function<int(QDialog&)> PickCharacters(std::deque<int>& picks) {
    return [&picks](QDialog& shown) {
        if (auto* characters = dynamic_cast<TForm3*>(&shown); characters && !picks.empty()) {
            characters->CharacterButton(picks.front())->click();
            picks.pop_front();
        }
        return int(QDialog::Accepted);
    };
}

// The dialog on its own, opened on players of the test's.
struct DialogTest : ::testing::Test {
    TFakeDialogs dialogs;
    TForm3 characters;
    TForm2 dialog{characters, dialogs, THelpPage{}, nullptr};
    TSenkaroUsers users;
    std::deque<int> picks;

    void OpenOn(const QStringList& lines, int current) {
        users.FromStrings(lines);
        dialog.PrepareToOpen(users, current);
        dialogs.OnModal = PickCharacters(picks);
    }

    // Menu items after the separator: one per player.
    QStringList PlayerItems() {
        emit dialog.pmCangeUser->aboutToShow();
        QStringList names;
        bool afterBar = false;
        for (QAction* action : dialog.pmCangeUser->actions()) {
            if (afterBar) names << action->text();
            afterBar |= action == dialog.miNewUserBar;
        }
        return names;
    }
};

const QStringList kTwoPlayers = {"A=0,7,\"3,52\",\"2026/1/1 0:00:00\",0",
                                 "B=1,12,\"5,40\",\"2026/1/1 0:00:00\",4"};

}  // namespace

TEST_F(DialogTest, TheMenuListsEveryPlayerOnceAndNewUserFirst) {
    OpenOn({}, -1);
    EXPECT_TRUE(PlayerItems().isEmpty());
    EXPECT_EQ(dialog.pmCangeUser->actions().first()->text(), QStringLiteral("新規追加 new user"));
    EXPECT_FALSE(dialog.btCangeUser->isEnabled());

    OpenOn(kTwoPlayers, -1);
    PlayerItems();
    EXPECT_EQ(PlayerItems(), (QStringList{"A", "B"}));
    EXPECT_EQ(dialog.pmCangeUser->actions().first()->text(), QStringLiteral("新規追加 new user"));
    EXPECT_TRUE(dialog.btCangeUser->isEnabled());
}

TEST_F(DialogTest, TheChosenPlayersJourneyIsShownAndHandedBack) {
    OpenOn(kTwoPlayers, -1);
    EXPECT_FALSE(dialog.btOK->isEnabled());
    EXPECT_EQ(dialog.btOK->text(), QStringLiteral("はじめる start"));
    EXPECT_EQ(dialog.btCangeUser->text(), QStringLiteral("人を選ぶ select user"));
    EXPECT_TRUE(dialog.lbLevel->text().isEmpty());  // nobody chosen yet
    EXPECT_TRUE(dialog.lbSelect->text().isEmpty());

    ASSERT_TRUE(ChoosePlayerInMenu(dialog, QStringLiteral("B")));
    EXPECT_TRUE(dialog.btOK->isEnabled());
    EXPECT_EQ(dialog.lbSelect->text(), QStringLiteral("B"));
    EXPECT_EQ(dialog.ShownStation(), 12);
    EXPECT_EQ(dialog.lbCharactor->text(), QStringLiteral("商人"));
    EXPECT_EQ(dialog.lbLevel->text(), QStringLiteral("急ぎ旅（中級）"));

    const TPlayerChoice chosen = dialog.Choice(QDialog::Accepted);
    EXPECT_TRUE(chosen.Continue);
    EXPECT_EQ(chosen.Selected, 1);
    EXPECT_TRUE(chosen.Added.empty());
    EXPECT_FALSE(dialog.Choice(QDialog::Rejected).Continue);
}

TEST_F(DialogTest, TheKeysGoToTheMainButtonFirstAndTheMenuOpensAtItsButton) {
    OpenOn(kTwoPlayers, 0);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    // The first focus is the main button, never help; help is named for a screen reader.
    EXPECT_EQ(QApplication::focusWidget(), dialog.btOK);
    EXPECT_EQ(dialog.SpeedButton1->accessibleName(), QStringLiteral("案内 help"));
    QAccessibleInterface* help = QAccessible::queryAccessibleInterface(dialog.SpeedButton1);
    EXPECT_EQ(help->text(QAccessible::Name), QStringLiteral("案内 help"));

    // The user menu, opened from the keyboard, pops up under its button.
    for (QPushButton* next : {dialog.btCancel, dialog.btPractice, dialog.btCangeUser}) {
        QTest::keyClick(&dialog, Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), next);
    }
    QCursor::setPos(dialog.mapToGlobal(QPoint(-200, -200)));
    QTest::keyClick(dialog.btCangeUser, Qt::Key_Space);
    EXPECT_TRUE(dialog.pmCangeUser->isVisible());
    EXPECT_EQ(dialog.pmCangeUser->pos(),
              dialog.btCangeUser->mapToGlobal(QPoint(0, dialog.btCangeUser->height())));
    dialog.pmCangeUser->close();

    // A first Space on the main button plays on.
    dialog.btOK->setFocus();
    QTest::keyClick(dialog.btOK, Qt::Key_Space);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(DialogTest, APlayerChosenFromTheKeyboardIsStartedByTheNextKey) {
    OpenOn(kTwoPlayers, -1);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    ASSERT_EQ(QApplication::focusWidget(), dialog.btCangeUser);
    QTest::keyClick(dialog.btCangeUser, Qt::Key_Space);
    ASSERT_TRUE(dialog.pmCangeUser->isVisible());
    QTest::keyClick(dialog.pmCangeUser, Qt::Key_Up);  // the last player
    QTest::keyClick(dialog.pmCangeUser, Qt::Key_Return);
    EXPECT_EQ(dialog.lbSelect->text(), QStringLiteral("B"));
    // Return now starts the round instead of opening the menu again.
    EXPECT_EQ(QApplication::focusWidget(), dialog.btOK);
    EXPECT_EQ(dialog.btCangeUser->text(), QStringLiteral("人を変える change user"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Choice(dialog.result()).Selected, 1);
}

TEST_F(DialogTest, EachOpeningShowsTheCurrentPlayerAndForgetsTheLast) {
    OpenOn(kTwoPlayers, -1);
    ASSERT_TRUE(ChoosePlayerInMenu(dialog, QStringLiteral("B")));
    dialogs.Inputs = {QStringLiteral("C")};
    dialog.newuser1->trigger();
    ASSERT_EQ(dialog.Choice(QDialog::Rejected).Added.size(), 1u);

    // Opened again with A as the current player: A is shown, and nothing of the last opening
    // is left.
    dialog.PrepareToOpen(users, 0);
    EXPECT_EQ(dialog.lbSelect->text(), QStringLiteral("A"));
    EXPECT_EQ(dialog.ShownStation(), 7);
    EXPECT_EQ(dialog.lbCharactor->text(), CharacterName(0));
    EXPECT_EQ(dialog.lbLevel->text(), LevelName(0));
    EXPECT_EQ(dialog.btOK->text(), QStringLiteral("つづける continue"));
    EXPECT_EQ(dialog.btCangeUser->text(), QStringLiteral("人を変える change user"));
    EXPECT_TRUE(dialog.btOK->isEnabled());
    EXPECT_EQ(PlayerItems(), (QStringList{"A", "B"}));
    const TPlayerChoice choice = dialog.Choice(QDialog::Accepted);
    EXPECT_EQ(choice.Selected, 0);
    EXPECT_TRUE(choice.Added.empty());
}

TEST(ButtonStyle, WhatEnterPressesIsOutlinedUnlikeTheFocus) {
    TButtonStyle marked;
    QProxyStyle plain;
    QDialog dialog;
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setDefault(true);
    auto* close = new QPushButton(QStringLiteral("close"), &dialog);
    close->move(0, 40);
    auto* help = new QToolButton(&dialog);
    help->move(0, 80);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const auto drawn = [&](QStyle& style) {
        ok->setStyle(&style);
        return ok->grab().toImage();
    };
    // Focus on a tool button: Enter presses the default button, which shows it.
    help->setFocus();
    EXPECT_NE(drawn(marked), drawn(plain));
    // Focus on another push button: that one is what Enter presses; OK is drawn as usual.
    close->setFocus();
    EXPECT_EQ(drawn(marked), drawn(plain));
    // Focus on OK itself: the style's focus ring alone.
    ok->setFocus();
    EXPECT_EQ(drawn(marked), drawn(plain));
    ok->setStyle(nullptr);
}

TEST_F(DialogTest, PlayersAddedThroughTheNewUserItemAreHandedBack) {
    OpenOn({"A=0,7,\"3,52\",\"2026/1/1 0:00:00\",0"}, -1);
    dialogs.Inputs = {QStringLiteral("A"), QStringLiteral(" 花子 ")};
    picks = {2, 1};

    dialog.newuser1->trigger();  // a name already in the list
    EXPECT_EQ(dialog.NewUserName, QStringLiteral("A"));
    EXPECT_TRUE(dialog.btOK->isEnabled());
    EXPECT_EQ(dialog.ShownStation(), 7);  // the player's own station
    EXPECT_EQ(dialog.lbCharactor->text(), CharacterName(2));
    EXPECT_EQ(dialog.Choice(QDialog::Accepted).Selected, 0);

    dialog.newuser1->trigger();
    EXPECT_EQ(dialog.lbSelect->text(), QStringLiteral("花子"));
    EXPECT_EQ(dialog.ShownStation(), 0);
    EXPECT_EQ(dialog.lbCharactor->text(), CharacterName(1));
    EXPECT_EQ(PlayerItems(), (QStringList{"A", "花子"}));

    const TPlayerChoice choice = dialog.Choice(QDialog::Rejected);
    EXPECT_FALSE(choice.Continue);
    EXPECT_EQ(choice.Selected, 1);
    EXPECT_EQ(choice.Added, (std::vector<TNewPlayer>{{"A", 2}, {QStringLiteral("花子"), 1}}));
    EXPECT_EQ(users.Count(), 1);  // the players it was opened on are not touched
}

TEST_F(DialogTest, ANewNameThatCannotBeKeptIsRefused) {
    OpenOn({}, -1);
    dialogs.Inputs = {QStringLiteral("[boss]")};
    dialog.newuser1->trigger();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_TRUE(dialogs.Messages[0].contains(QStringLiteral("[")));
    EXPECT_TRUE(dialogs.ModalDialogs.empty());  // no character is asked for
    EXPECT_FALSE(dialog.btOK->isEnabled());
    const TPlayerChoice choice = dialog.Choice(QDialog::Accepted);
    EXPECT_TRUE(choice.Added.empty());
    EXPECT_EQ(choice.Selected, -1);
}

// The dialog in the window: what it hands back reaches the game when it closes.
struct WindowDialogTest : ::testing::Test, TGameFolder {
    TFakeDialogs dialogs;
    TManualClock clock;
    std::unique_ptr<TForm1> window;

    void Open(const QStringList& players) {
        if (!players.isEmpty()) WritePlayers(players);
        TServices services;
        services.Dialogs = &dialogs;
        services.Clock = &clock;
        services.DataFile = DataFile();
        services.HelpFile = HelpFile();
        window = std::make_unique<TForm1>(services);
        window->SetPaced(false);
        EXPECT_EQ(window->EventTimer().interval(), 30);
        // The deferred start waits for the test, however slow the machine.
        window->EventTimer().setInterval(3'600'000);
    }
};

TEST_F(WindowDialogTest, TheDialogsChoiceReachesTheGame) {
    Open({"A=0,7,\"3,52\",\"2026/1/1 0:00:00\",0"});
    std::deque<int> picks = {1};
    const auto pickCharacter = PickCharacters(picks);
    // First opening: 花子 added, the dialog closed. Second: 花子 chosen, continue.
    std::deque<std::function<int(TForm2&)>> inDialog = {
        [this](TForm2& dialog) {
            dialogs.Inputs = {QStringLiteral("花子")};
            dialog.newuser1->trigger();
            return int(QDialog::Rejected);
        },
        [](TForm2& dialog) {
            EXPECT_TRUE(ChoosePlayerInMenu(dialog, QStringLiteral("花子")));
            return int(QDialog::Accepted);
        }};
    dialogs.OnModal = [&](QDialog& shown) {
        auto* dialog = dynamic_cast<TForm2*>(&shown);
        if (!dialog) return pickCharacter(shown);
        EXPECT_FALSE(inDialog.empty());
        if (inDialog.empty()) return int(QDialog::Rejected);
        const auto act = inDialog.front();
        inDialog.pop_front();
        return act(*dialog);
    };
    window->show();
    Settle();
    ASSERT_EQ(window->Game().Players().Count(), 2);
    EXPECT_EQ(window->Game().Players().Items(1).Name, QStringLiteral("花子"));
    EXPECT_EQ(window->Game().Players().Items(1).Character, 1);
    const QStringList saved = ReadPlayers();
    ASSERT_EQ(saved.size(), 2);
    EXPECT_TRUE(saved[1].startsWith(QStringLiteral("花子=0,0,")));
    EXPECT_TRUE(saved[1].endsWith(QStringLiteral(",1")));
    EXPECT_FALSE(window->EventTimer().isActive());

    window->Actions().acOpenDlg->trigger();
    Settle();
    EXPECT_TRUE(inDialog.empty());
    EXPECT_EQ(window->Game().CurrentUser(), 1);
    EXPECT_EQ(window->Journey().UserLabel().text(), QStringLiteral("花子"));
    EXPECT_TRUE(window->EventTimer().isActive());  // a round soon
}
