// The explanation panel on its own, beside a board of a worked example as in the window.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QPushButton>
#include <QTest>

#include "board/explanation_overlay.h"
#include "board/sudoku.h"
#include "journey/explanation_panel.h"
#include "journey/main_window.h"
#include "journey/window_test_support.h"
#include "logic/position_text.h"
#include "logic/technique_examples.h"

namespace {

struct TExampleView {
    TBoard model;
    QWidget frame;
    TSudoku* board;
    TExplanationPanel* panel;
    bool closed = false;

    explicit TExampleView(int technique) {
        frame.resize(TForm1::kClientWidth, 480);
        board = new TSudoku(model, &frame);
        board->setGeometry(437, 0, 580, 480);
        board->SetPaced(false);
        panel = new TExplanationPanel(*board, &frame);
        panel->setGeometry(0, 0, 437, 480);
        panel->OnClosed = [this] { closed = true; };
        frame.show();
        board->Start();
        const TWorkedExample example = WorkedExample(technique);
        model.LayOutPuzzle(example.Position);
        model.Fix();
        std::string error;
        panel->Offer(*MatrixFromText(example.Position, error), example.Explanation, technique);
        Settle();
    }
};

}  // namespace

TEST(ExplanationPanel, ATrialIsOneStepThatOpensOntoItsOwnSteps) {
    TExampleView view(9);
    TExplanationPanel& panel = *view.panel;
    EXPECT_TRUE(panel.Offered());
    EXPECT_FALSE(panel.Explaining());
    panel.Explain();  // what the window's why action does
    ASSERT_TRUE(panel.Explaining());
    ASSERT_TRUE(panel.OpenButton().isVisible());
    EXPECT_FALSE(panel.LeaveButton().isVisible());
    EXPECT_TRUE(panel.EnglishText().startsWith(QStringLiteral("If ")));
    const TStep trial = panel.Walk()->Current();

    QTest::mouseClick(&panel.OpenButton(), Qt::LeftButton);
    EXPECT_TRUE(panel.StepCaption().contains(QStringLiteral("trial")));
    EXPECT_TRUE(panel.LeaveButton().isVisible());
    const std::vector<TCandidate>& supposed = view.board->ExplanationOverlay()->Drawing().Supposed;
    EXPECT_NE(std::find(supposed.begin(), supposed.end(), TCandidate{trial.Cell, trial.Assumed}),
              supposed.end());
    while (panel.ForwardButton().isEnabled())
        QTest::mouseClick(&panel.ForwardButton(), Qt::LeftButton);
    EXPECT_TRUE(panel.StepCaption().contains(QStringLiteral("dead end")));

    QTest::keyClick(&panel, Qt::Key_Up);  // leaves the trial, back on its step
    EXPECT_EQ(panel.Walk()->OpenedTrial(), nullptr);
    EXPECT_EQ(panel.Walk()->Index(), 0);
    QTest::keyClick(&panel, Qt::Key_Right);
    EXPECT_EQ(panel.Walk()->Index(), 1);
    EXPECT_FALSE(view.closed);
    QTest::mouseClick(&panel.CloseButton(), Qt::LeftButton);
    EXPECT_TRUE(view.closed);
    EXPECT_FALSE(view.board->ExplanationOverlay()->isVisible());
}

// A screen reader reads the focused panel's accessible name, and hears when it changes (the
// name is set with setAccessibleName, which tells the accessibility bus).
TEST(ExplanationPanel, EachPageIsItsAccessibleName) {
    TExampleView view(4);  // a lock, then the cell whose 1 the lock took
    TExplanationPanel& panel = *view.panel;
    const auto name = [&] {
        return QAccessible::queryAccessibleInterface(&panel)->text(QAccessible::Name);
    };
    EXPECT_TRUE(name().contains(QStringLiteral("The answer is 9 in B1.")));
    panel.Explain();  // what the window's why action does
    EXPECT_TRUE(panel.hasFocus());
    EXPECT_TRUE(name().contains(QStringLiteral("step 1 of 2")));
    EXPECT_TRUE(name().contains(QStringLiteral("column B's other cells lose 1")));
    QTest::keyClick(&panel, Qt::Key_Right);
    EXPECT_TRUE(name().contains(QStringLiteral("B1 can hold nothing but 9.")));
    // The ring holds the 9 alone: what the lock took from B1 is named instead.
    EXPECT_EQ(panel.NoteText(), QStringLiteral("先の手順で消えた候補：B1 の 1（手順 1）\n"
                                               "Gone in earlier steps: 1 from B1 (step 1)"));
    EXPECT_TRUE(name().contains(QStringLiteral("Gone in earlier steps: 1 from B1 (step 1)")));
    EXPECT_FALSE(name().contains(QStringLiteral("The answer is")));
}

// Not a check: with EXPLANATION_SCREENSHOTS=DIR the panel is saved while it explains the
// level 9 worked example, and inside its trial (no made puzzle needs a trial).
TEST(ExplanationPanel, ScreenshotsOfTheWorkedTrial) {
    const QString folder = qEnvironmentVariable("EXPLANATION_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "EXPLANATION_SCREENSHOTS is not set";
    TExampleView view(9);
    view.panel->Explain();
    Settle();
    EXPECT_TRUE(view.frame.grab().save(folder + "/explain-level9.png"));
    QTest::keyClick(view.panel, Qt::Key_Down);
    QTest::keyClick(view.panel, Qt::Key_Right);
    Settle();
    EXPECT_TRUE(view.frame.grab().save(folder + "/explain-level9-trial.png"));
}
