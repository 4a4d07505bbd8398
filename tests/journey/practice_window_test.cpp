// Practice as the player meets it in the main window: the practice action or the player
// dialog's 修行 button opens the technique picker, a round of the technique chosen runs with
// its clock counting up, H shows the hints one by one (the last one walks the explanation), and
// after the move the offer goes on to the next position or back to the journey. The game's
// practice rules are tested on the game; these check the window's wiring and what it shows.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <array>
#include <optional>
#include <tuple>

#include "board/explanation_overlay.h"
#include "board/sudoku.h"
#include "journey/countdown_label.h"
#include "journey/explanation_panel.h"
#include "journey/fake_dialogs.h"
#include "journey/game_dialogs.h"
#include "journey/main_window.h"
#include "journey/player_dialog.h"
#include "journey/practice_dialog.h"
#include "journey/practice_test_support.h"
#include "journey/practice_view.h"
#include "journey/window_test_support.h"
#include "logic/technique_names.h"
#include "platform/clock.h"

namespace {

struct PracticeWindowTest : ::testing::Test, TGameFolder {
    TFakeDialogs dialogs;
    TManualClock clock;
    TFakePracticeSource source;
    std::unique_ptr<TForm1> window;
    int pickerOpenings = 0;
    // What the picker is closed with: a technique button, or none.
    int pick = 4;
    bool practiseFromTheDialog = false;

    void SetUp() override {
        WritePlayers({QStringLiteral("旅人=0,8,\"5,20,52\",\"2026/12/01 10:00:00\",0")});
        TServices services{&dialogs, &clock, nullptr, nullptr, nullptr, DataFile(), {}, &source};
        window = std::make_unique<TForm1>(services);
        window->SetPaced(false);
        window->EventTimer().setInterval(3'600'000);
        dialogs.OnModal = [this](QDialog& shown) {
            if (auto* picker = dynamic_cast<TPracticeDialog*>(&shown)) {
                ++pickerOpenings;
                if (pick == 0) return int(QDialog::Rejected);
                picker->TechniqueButton(pick)->click();
                return picker->result();
            }
            TForm2& players = window->Dialogs().PlayerDialog();
            if (&shown != &players) return int(QDialog::Accepted);
            EXPECT_TRUE(ChoosePlayerInMenu(players, QStringLiteral("旅人")));
            if (practiseFromTheDialog) {
                players.btPractice->click();
                return players.result();
            }
            return int(QDialog::Rejected);  // between rounds, nothing started
        };
        window->show();
        Settle();
    }

    TGame& Game() { return window->Game(); }
    void Press(Qt::Key key) {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window->windowHandle(), key);
        Settle();
    }
    void Practise() {
        window->Actions().acPractice->trigger();
        Settle();
    }
    void PlayTheAnswer() {
        const TMove answer = Game().Round().ForcedMove();
        DragDigitTo(window->Sudoku(), answer.Digit, answer.Cell());
        Settle();
    }
    const QLabel& Words() { return window->Practice().Words(); }
};

}  // namespace

TEST_F(PracticeWindowTest, ARoundOfTheTechniqueChosenCountsUpAndShowsItsHintsOneByOne) {
    ASSERT_EQ(Game().State(), TGameState::BetweenRounds);
    ASSERT_TRUE(window->Actions().acPractice->isEnabled());
    EXPECT_FALSE(window->Actions().acHint->isVisible());
    Practise();
    EXPECT_EQ(pickerOpenings, 1);
    ASSERT_EQ(Game().State(), TGameState::PracticeRunning);
    EXPECT_EQ(Game().PracticeTechnique(), 4);
    EXPECT_TRUE(window->Sudoku().isEnabled());
    EXPECT_EQ(window->CountdownLabel().text(), QStringLiteral("0:00"));
    // The clock counts up from the window's own timer, however long it runs.
    clock.now += 61'000;
    Fire(window->CountdownTimer());
    EXPECT_EQ(window->CountdownLabel().text(), QStringLiteral("1:01"));
    EXPECT_TRUE(window->Actions().acHint->isVisible());
    EXPECT_EQ(window->Actions().acPractice->text(),
              QStringLiteral("旅にもどる back to the journey"));

    // H: the technique and its unit shaded; again: the key cells framed; again: the steps.
    Press(Qt::Key_H);
    EXPECT_TRUE(Words().isVisible());
    EXPECT_TRUE(Words().text().contains(QString::fromUtf8(TechniqueLevelNames[4].data())));
    EXPECT_TRUE(Words().accessibleName().startsWith(QStringLiteral("ヒント 1 / 3")));
    const TExplanationOverlay* overlay = window->Sudoku().ExplanationOverlay();
    ASSERT_NE(overlay, nullptr);
    EXPECT_TRUE(overlay->isVisible());
    EXPECT_EQ(overlay->Drawing().Shaded.size(), 1u);
    EXPECT_TRUE(overlay->Drawing().Outlined.empty());
    Press(Qt::Key_H);
    EXPECT_FALSE(overlay->Drawing().Outlined.empty());
    EXPECT_TRUE(Words().text().contains(QStringLiteral("2 / 3")));
    Press(Qt::Key_H);
    EXPECT_TRUE(window->Explanation().Explaining());
    EXPECT_FALSE(window->Actions().acHint->isEnabled());
    // A pause keeps the last hint's steps: it cannot be asked again.
    window->Actions().acPause->trigger();
    window->Actions().acPause->trigger();
    Settle();
    EXPECT_TRUE(window->Explanation().Explaining());
    EXPECT_EQ(Game().State(), TGameState::PracticeRunning);

    // The steps closed, the answer played: hinted, and offered on with next or back.
    window->Explanation().CloseButton().click();
    Settle();
    EXPECT_EQ(Game().State(), TGameState::PracticeRunning);
    EXPECT_TRUE(window->Sudoku().hasFocus());
    PlayTheAnswer();
    ASSERT_EQ(Game().State(), TGameState::PracticeJudged);
    EXPECT_TRUE(Game().LastJudgement().Hinted);
    TExplanationPanel& panel = window->Explanation();
    ASSERT_TRUE(panel.Offered());
    EXPECT_EQ(panel.ContinueButton().text(), QStringLiteral("つぎ next"));
    EXPECT_TRUE(panel.JourneyButton().isVisible());
    EXPECT_FALSE(Words().isVisible());
}

TEST_F(PracticeWindowTest, NextKeepsTheTechniqueAndBackReturnsToTheJourneyAsItWas) {
    const TSenkaroUser before = [&] {
        Practise();
        return Game().Players().Items(0);
    }();
    PlayTheAnswer();
    QTest::mouseClick(&window->Explanation().ContinueButton(), Qt::LeftButton);
    Settle();
    ASSERT_EQ(Game().State(), TGameState::PracticeRunning);
    EXPECT_EQ(Game().PracticeTechnique(), 4);
    EXPECT_FALSE(window->Sudoku().ExplanationOverlay() &&
                 window->Sudoku().ExplanationOverlay()->isVisible());

    PlayTheAnswer();
    QTest::mouseClick(&window->Explanation().JourneyButton(), Qt::LeftButton);
    Settle();
    EXPECT_EQ(Game().State(), TGameState::BetweenRounds);
    EXPECT_FALSE(window->Explanation().isVisible());
    EXPECT_EQ(window->Actions().acPractice->text(), QStringLiteral("修行 practice"));
    EXPECT_TRUE(window->Actions().acStart->isEnabled());
    const TSenkaroUser& after = Game().Players().Items(0);
    EXPECT_EQ(after.Station, before.Station);
    EXPECT_EQ(after.Level, before.Level);
    // The keys rest on 始める Play again.
    EXPECT_EQ(QApplication::focusWidget()->metaObject()->className(),
              QStringLiteral("QToolButton"));
}

TEST_F(PracticeWindowTest, ThePlayerDialogsPracticeButtonOpensThePicker) {
    practiseFromTheDialog = true;
    pick = 7;
    window->Actions().acOpenDlg->trigger();
    Settle();
    EXPECT_EQ(pickerOpenings, 1);
    EXPECT_EQ(Game().State(), TGameState::PracticeRunning);
    EXPECT_EQ(Game().PracticeTechnique(), 7);

    // The T key leaves practice; closed without a choice, the picker starts nothing.
    Press(Qt::Key_T);
    EXPECT_EQ(Game().State(), TGameState::BetweenRounds);
    pick = 0;
    Press(Qt::Key_T);
    EXPECT_EQ(pickerOpenings, 2);
    EXPECT_EQ(Game().State(), TGameState::BetweenRounds);
}

TEST_F(PracticeWindowTest, WhileNoPositionIsReadyTheWaitIsToldAndTheRoundComesOnItsOwn) {
    source.Ready = false;
    Practise();
    ASSERT_EQ(Game().State(), TGameState::PracticeWaiting);
    EXPECT_TRUE(Words().isVisible());
    EXPECT_FALSE(window->Sudoku().isEnabled());
    ASSERT_TRUE(window->CountdownTimer().isActive());
    source.Ready = true;
    Fire(window->CountdownTimer());
    EXPECT_EQ(Game().State(), TGameState::PracticeRunning);
    EXPECT_FALSE(Words().isVisible());
    EXPECT_TRUE(window->Sudoku().isEnabled());
}

TEST(PracticeDialog, TheKeysChooseAndEscChoosesNothing) {
    TPracticeDialog dialog;
    TPracticeMenu menu;
    for (int t = 1; t <= 9; ++t)
        menu.Techniques[static_cast<std::size_t>(t - 1)] = {t, QStringLiteral("T%1").arg(t), {}};
    menu.Weakest = 6;
    for (const auto& [key, onTheFirst, chosen] :
         {std::tuple{Qt::Key_Return, false, std::optional<int>(TPracticeDialog::kWeakest)},
          std::tuple{Qt::Key_Space, true, std::optional<int>(1)},
          std::tuple{Qt::Key_Escape, false, std::optional<int>()}}) {
        dialog.PrepareToOpen(menu);
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
        // The first key goes to the weakest, which names the technique it stands for.
        ASSERT_EQ(QApplication::focusWidget(), dialog.WeakestButton());
        EXPECT_TRUE(dialog.WeakestButton()->text().endsWith(QStringLiteral("T6")));
        if (onTheFirst) dialog.TechniqueButton(1)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.Chosen(), chosen) << key;
    }
}
