// Rounds as the player plays them in the main window, with a clock, a sound player and
// dialogs of the test's own: pieces dragged with the mouse or typed with the keys, the
// countdown's timer fired, the window closed with close(). The game's rules are tested on the
// game itself; these check that the window hands it the player's commands and shows what it
// answers.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <set>

#include "board/explanation_overlay.h"
#include "board/sudoku.h"
#include "journey/character_dialog.h"
#include "journey/countdown_label.h"
#include "journey/explanation_panel.h"
#include "journey/fake_dialogs.h"
#include "journey/game_dialogs.h"
#include "journey/main_window.h"
#include "journey/round_rules.h"
#include "journey/route_panel.h"
#include "journey/route_tables.h"
#include "journey/sound_cues.h"
#include "journey/statistics_window.h"
#include "journey/window_test_support.h"
#include "logic/random.h"
#include "logic/technique_names.h"
#include "platform/beep.h"
#include "platform/sound_player.h"
#include "resource_names.h"

namespace {

// Keeps the names of the sounds played.
class RecordingPlayer final : public TSoundPlayer {
  public:
    std::vector<QString> played;
    void Play(const QByteArray& image) override {
        for (const char* name :
             {"Trumpet001", "fanfare001", "Trumpet0003", "Applause0001", "chimes"}) {
            QFile file(assets::Sound(QString::fromLatin1(name)));
            if (file.open(QIODevice::ReadOnly) && file.readAll() == image) {
                played.push_back(QString::fromLatin1(name));
                return;
            }
        }
        played.push_back(QStringLiteral("?"));
    }
};

class CountingBeep final : public TBeep {
  public:
    int beeps = 0;
    void Beep() override { ++beeps; }
};

const QString kPlayer = QStringLiteral("旅人");

struct RoundTest : ::testing::Test, TGameFolder {
    CountingBeep beep;
    TFakeDialogs dialogs;
    TManualClock clock;
    RecordingPlayer sound;
    std::unique_ptr<TForm1> window;
    bool keepPlaying = false;  // whether the player dialog continues after a round, or closes
    int dialogOpenings = 0;
    std::size_t messagesBeforeDialog = 0;  // shown when the player dialog last opened
    std::vector<int> characterLevels;      // the level each character dialog offered

    // One player at a level and station with checkpoints 5, 20 and 52, chosen in the player
    // dialog's menu: the first round runs.
    void Open(int level, int station, unsigned seed = 11) {
        WritePlayers({QStringLiteral("%1=%2,%3,\"5,20,52\",\"2026/12/01 10:00:00\",%4")
                          .arg(kPlayer)
                          .arg(level)
                          .arg(station)
                          .arg(3 * level)});
        window = std::make_unique<TForm1>(
            TServices{&dialogs, &clock, &sound, nullptr, &beep, DataFile(), {}});
        window->SetPaced(false);
        dialogs.OnModal = [this](QDialog& shown) {
            if (auto* characters = dynamic_cast<TForm3*>(&shown))
                characterLevels.push_back(characters->ChosenCharacter() / 3);
            if (&shown != &window->Dialogs().PlayerDialog()) return QDialog::Accepted;
            messagesBeforeDialog = dialogs.Messages.size();
            if (dialogOpenings++ > 0) return keepPlaying ? QDialog::Accepted : QDialog::Rejected;
            EXPECT_TRUE(ChoosePlayerInMenu(window->Dialogs().PlayerDialog(), kPlayer));
            return QDialog::Accepted;
        };
        // The test fires the deferred start itself, however slow the machine.
        window->EventTimer().setInterval(3'600'000);
        SeedProgramRandom(seed);
        window->show();
        Settle();
        StartTheDeferredRound();
    }

    TGame& Game() { return window->Game(); }
    const TRound& Round() { return Game().Round(); }
    const TSenkaroUser& Player() { return Game().Players().Items(0); }

    void StartTheDeferredRound() {
        ASSERT_TRUE(window->EventTimer().isActive());
        Fire(window->EventTimer());
        ASSERT_EQ(Round().State(), TRoundState::Running);
    }
    // The explanation's continue button: the player dialog opens.
    void PassOverTheExplanation() {
        QTest::mouseClick(&window->Explanation().ContinueButton(), Qt::LeftButton);
        Settle();
    }
    void PlayTheAnswer() {
        const TMove answer = Round().ForcedMove();
        DragDigitTo(window->Sudoku(), answer.Digit, answer.Cell());
        Settle();
    }
    // The countdown's next tick, with the clock moved on by ms.
    void TickAfter(std::int64_t ms) {
        clock.now += ms;
        Fire(window->CountdownTimer());
    }
    // A digit that may stand in the answer's cell but is not the answer.
    int WrongDigit() {
        const TMove answer = Round().ForcedMove();
        for (int d = 1; d <= 9; ++d)
            if (d != answer.Digit && Game().Board().CanPlace(answer.Col, answer.Row, d)) return d;
        return 0;
    }

    // A key as the window system delivers it: to the window, on to the focused widget.
    void Key(Qt::Key key) {
        QTest::keyClick(window->windowHandle(), key);
        Settle();
    }
    void KeysReady() {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        ASSERT_TRUE(window->Sudoku().hasFocus());
    }

    // The answer stands on the board, its piece circled.
    void ExpectTheAnswerShown() {
        const TMove answer = Round().ForcedMove();
        const TBoard& board = Game().Board();
        EXPECT_EQ(board.Matrix().GetValue(answer.Col, answer.Row), answer.Digit);
        const THistory& played = board.Histories().Items(board.Histories().Count() - 1);
        EXPECT_EQ(played.ToCol(), answer.Col);
        EXPECT_EQ(window->Circle().parentWidget(), window->Sudoku().NumberPiece(played.Index()));
        EXPECT_FALSE(window->Circle().isHidden());
    }
};

}  // namespace

TEST_F(RoundTest, ARightMoveIsJudgedExplainedAndTheNextRoundStartsFromTheDialog) {
    Open(0, 8);
    keepPlaying = true;
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(round);
        sound.played.clear();
        const TMove answer = Round().ForcedMove();
        const int piece = Game().Board().NextFreePiece(answer.Digit);
        DragDigitTo(window->Sudoku(), answer.Digit, answer.Cell());
        // Taken at once, judged from the event loop.
        EXPECT_FALSE(window->Sudoku().isEnabled());
        EXPECT_EQ(Game().State(), TGameState::Judging);
        Settle();
        EXPECT_EQ(Game().Records().Count(), round + 1);
        EXPECT_FALSE(window->CountdownTimer().isActive());
        EXPECT_EQ(window->Circle().parentWidget(), window->Sudoku().NumberPiece(piece));
        EXPECT_FALSE(window->Circle().isHidden());
        EXPECT_EQ(window->CountdownLabel().accessibleDescription(), "正解 right move");
        EXPECT_EQ(sound.played, std::vector<QString>{"Trumpet0003"});
        // The explanation is offered first; the player dialog waits for it.
        EXPECT_TRUE(window->Explanation().Offered());
        EXPECT_EQ(dialogOpenings, round + 1);
        // The records, offered between rounds, count the rounds judged.
        window->Actions().acRecords->trigger();
        Settle();
        const TStatisticsWindow& statistics = window->Dialogs().Statistics();
        ASSERT_EQ(dialogs.ModalDialogs.back(), &statistics);
        EXPECT_EQ(statistics.Statistics().All, (TTally{round + 1, round + 1}));
        PassOverTheExplanation();
        EXPECT_EQ(dialogOpenings, round + 2);

        StartTheDeferredRound();
        EXPECT_FALSE(window->Actions().acRecords->isEnabled());  // not in the middle of a round
        EXPECT_TRUE(window->Sudoku().isEnabled());
        EXPECT_TRUE(window->Circle().isHidden());
        EXPECT_EQ(sound.played, (std::vector<QString>{"Trumpet0003", "chimes"}));
        for (int i = 0; i < TBoard::kPieceCount; ++i)
            EXPECT_TRUE(!Game().Board().Pieces(i).OnGrid() ||
                        window->Sudoku().NumberPiece(i)->Fixed())
                << "piece " << i;
    }
}

TEST_F(RoundTest, AfterAJudgedMoveTheFocusIsOnTheOffersFirstButtonWhichSaysTheVerdict) {
    Open(0, 8);
    KeysReady();
    PlayTheAnswer();
    TExplanationPanel& panel = window->Explanation();
    ASSERT_TRUE(panel.Offered());
    QPushButton& first = panel.CanExplain() ? panel.WhyButton() : panel.ContinueButton();
    EXPECT_EQ(QApplication::focusWidget(), &first);
    EXPECT_FALSE(first.text().isEmpty());
    EXPECT_TRUE(first.accessibleDescription().startsWith("正解 right move"));
    // The panel keeps its keys: Return continues, as it did with the panel focused.
    Key(Qt::Key_Return);
    EXPECT_FALSE(panel.Offered());
}

TEST_F(RoundTest, SpaceOnTheOffersFocusedButtonPressesIt) {
    Open(0, 8);
    KeysReady();
    PlayTheAnswer();
    TExplanationPanel& panel = window->Explanation();
    ASSERT_TRUE(panel.Offered());
    ASSERT_TRUE(panel.CanExplain());
    ASSERT_EQ(QApplication::focusWidget(), &panel.WhyButton());
    Key(Qt::Key_Space);
    EXPECT_TRUE(panel.Explaining());
    EXPECT_EQ(QApplication::focusWidget(), &panel);  // its keys walk the steps from here
}

TEST_F(RoundTest, TheKeysRestWhereThePlayGoesOnAndLeaveTheBoardOnlyWithCtrlTab) {
    Open(0, 8);
    KeysReady();
    ASSERT_TRUE(window->Sudoku().hasFocus());
    Key(Qt::Key_Tab);  // held for the marks
    EXPECT_TRUE(window->Sudoku().hasFocus());
    QTest::keyClick(window->windowHandle(), Qt::Key_Tab, Qt::ControlModifier);
    Settle();
    EXPECT_NE(qobject_cast<QToolButton*>(QApplication::focusWidget()), nullptr);

    // Between rounds, once the player dialog and then the records window have closed, the
    // keys rest on 始める Play, and Space there starts the next round.
    window->Sudoku().setFocus();
    PlayTheAnswer();
    PassOverTheExplanation();
    ASSERT_EQ(Game().State(), TGameState::BetweenRounds);
    QWidget* play = window->Actions().acStart->associatedObjects().size() > 1
                        ? qobject_cast<QWidget*>(window->Actions().acStart->associatedObjects()[1])
                        : nullptr;
    EXPECT_EQ(QApplication::focusWidget(), play);
    window->Actions().acRecords->trigger();
    Settle();
    EXPECT_EQ(QApplication::focusWidget(), play);
    Key(Qt::Key_Space);
    EXPECT_EQ(Round().State(), TRoundState::Running);
    EXPECT_TRUE(window->Sudoku().hasFocus());
}

TEST_F(RoundTest, ARoundStartedTellsTheCursorsCellAtOnce) {
    Open(0, 8);
    keepPlaying = true;
    KeysReady();
    PlayTheAnswer();
    PassOverTheExplanation();
    StartTheDeferredRound();
    const TCell cursor = window->Sudoku().Cursor().Cell();
    const QString name =
        QStringLiteral("%1%2: empty").arg(QChar('A' + cursor.Col)).arg(cursor.Row + 1);
    EXPECT_TRUE(window->Sudoku().hasFocus());
    QAccessibleInterface* focused =
        QAccessible::queryAccessibleInterface(&window->Sudoku())->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->text(QAccessible::Name), name);
}

TEST_F(RoundTest, TheTimeLeftIsReadAsTextAndSecondsAndToldAtTheMarksOnly) {
    Open(0, 0);
    const std::int64_t limit = Round().TimeLimit();
    ASSERT_GT(limit, 60000);
    QAccessibleInterface* clock = QAccessible::queryAccessibleInterface(&window->CountdownLabel());
    ASSERT_NE(clock, nullptr);
    ASSERT_NE(clock->textInterface(), nullptr);
    ASSERT_NE(clock->valueInterface(), nullptr);
    EXPECT_EQ(clock->text(QAccessible::Name), QStringLiteral("残り時間 time left"));
    TickAfter(2500);
    const QString caption = CountdownCaption(limit - 2500);
    QAccessibleTextInterface* text = clock->textInterface();
    EXPECT_EQ(text->text(0, text->characterCount()), caption);
    EXPECT_EQ(clock->valueInterface()->currentValue().toInt(), (limit - 2500) / 1000);

    // What is said of the time changes at the marks only.
    std::vector<QString> said;
    for (std::int64_t left = limit - 3000; left >= 0; left -= 1000) {
        TickAfter(left == limit - 3000 ? 500 : 1000);
        const QString now = window->CountdownLabel().accessibleDescription();
        if (!now.isEmpty() && (said.empty() || said.back() != now)) said.push_back(now);
    }
    std::vector<QString> expected;
    for (int s = static_cast<int>(limit / 1000) - 3; s > 0; --s)
        if (const std::optional<QString> mark = TimeLeftAnnouncement(s)) expected.push_back(*mark);
    expected.push_back(QStringLiteral("時間切れ time is up"));
    EXPECT_EQ(said, expected);
    EXPECT_TRUE(expected.front().contains(QStringLiteral(" 分 "))) << "a minute mark first";
    EXPECT_EQ(expected[expected.size() - 2], QStringLiteral("残り 1 秒 1 second left"));
}

TEST(CountdownCaption, ReadsBackAsTheSecondsItShows) {
    for (const std::int64_t ms : {0LL, 999LL, 9000LL, 59999LL, 60000LL, 492000LL, 3599000LL,
                                  3600000LL, 3723000LL, 36000000LL})
        EXPECT_EQ(CaptionSeconds(CountdownCaption(ms)), ms / 1000) << ms;
    for (const char* other : {"Best Move", "", "1:2:3:4", "-5", "8:1x"})
        EXPECT_EQ(CaptionSeconds(QString::fromLatin1(other)), std::nullopt) << other;
}

TEST_F(RoundTest, AWrongDigitTypedWithTheKeysBeepsTellsAndShowsTheAnswer) {
    Open(2, 8);  // kinds 4-6: the forced cell has other candidates
    KeysReady();
    const TCell cell = Round().ForcedMove().Cell();
    const TCell from = window->Sudoku().Cursor().Cell();
    for (int i = 0; i < (cell.Col - from.Col + 9) % 9; ++i)
        Key(Qt::Key_Right);
    for (int i = 0; i < (cell.Row - from.Row + 9) % 9; ++i)
        Key(Qt::Key_Down);
    ASSERT_EQ(window->Sudoku().Cursor().Cell(), cell);
    const int wrongDigit = WrongDigit();
    ASSERT_NE(wrongDigit, 0);
    Key(static_cast<Qt::Key>(Qt::Key_0 + wrongDigit));
    EXPECT_EQ(beep.beeps, 1);
    EXPECT_EQ(dialogs.Messages, std::vector<QString>{QStringLiteral(
                                    "必然の一手を探してください\r\n\r\nSet a number in the "
                                    "specified cell!")});
    EXPECT_EQ(sound.played, (std::vector<QString>{"chimes", "Applause0001"}));
    ExpectTheAnswerShown();  // in the wrong move's place
    EXPECT_EQ(window->CountdownLabel().accessibleDescription(), "不正解 wrong move");
    PassOverTheExplanation();
    EXPECT_EQ(dialogOpenings, 2);
    EXPECT_EQ(messagesBeforeDialog, 1u);  // the message comes before the player dialog
}

TEST_F(RoundTest, TheCountdownTicksWhenItsCaptionChangesAndEndsAtZero) {
    Open(0, 0);
    const std::int64_t limit = Round().TimeLimit();
    EXPECT_EQ(window->CountdownLabel().text(), CountdownCaption(limit));
    TickAfter(1600);
    EXPECT_EQ(window->CountdownLabel().text(), CountdownCaption(limit - 1600));
    // The next tick comes when the caption's second changes.
    EXPECT_TRUE(window->CountdownTimer().isActive());
    EXPECT_EQ(window->CountdownTimer().interval(), 400);

    TickAfter(limit);
    EXPECT_EQ(window->CountdownLabel().text(), QStringLiteral("0"));
    EXPECT_EQ(window->CountdownLabel().accessibleDescription(), "時間切れ time is up");
    EXPECT_FALSE(window->CountdownTimer().isActive());
    EXPECT_FALSE(window->Sudoku().isEnabled());
    ExpectTheAnswerShown();
    EXPECT_TRUE(window->Explanation().Offered());
}

TEST_F(RoundTest, PPausesAndResumesAndEveryActionNamesItsKey) {
    Open(0, 8);
    KeysReady();
    QAction& pause = *window->Actions().acPause;
    Key(Qt::Key_P);
    EXPECT_EQ(Game().State(), TGameState::Paused);
    EXPECT_FALSE(window->Sudoku().isVisible());
    EXPECT_FALSE(window->CountdownTimer().isActive());
    EXPECT_EQ(pause.text(), QStringLiteral("再開 replay"));
    Key(Qt::Key_P);
    EXPECT_EQ(Game().State(), TGameState::Running);
    EXPECT_TRUE(window->Sudoku().isVisible());
    EXPECT_TRUE(window->CountdownTimer().isActive());
    EXPECT_EQ(pause.text(), QStringLiteral("一時停止 pause"));
    EXPECT_TRUE(window->Sudoku().hasFocus());  // the keys go on to the board
    for (QAction* action : window->findChildren<QAction*>()) {
        if (action->icon().isNull()) continue;
        EXPECT_FALSE(action->shortcut().isEmpty()) << action->text().toStdString();
        EXPECT_TRUE(action->toolTip().endsWith(
            QStringLiteral("[%1]").arg(action->shortcut().toString(QKeySequence::NativeText))))
            << action->toolTip().toStdString();
    }
    EXPECT_EQ(pause.toolTip(), QStringLiteral("一時停止 pause [P]"));
}

TEST_F(RoundTest, ClosingAfterAMinuteAsksFromTheEventLoop) {
    Open(0, 8);
    TickAfter(75000);
    dialogs.Answers = {TAnswer::Cancel};
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(dialogs.Questions.empty());  // not inside the close request
    Settle();
    ASSERT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_TRUE(dialogs.Questions[0].startsWith("ゲームがはじまって１分以内であれば"));
    // Cancel: the round runs on.
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(Game().State(), TGameState::Running);
    EXPECT_TRUE(window->CountdownTimer().isActive());
    EXPECT_TRUE(window->Sudoku().isVisible() && window->Sudoku().isEnabled());

    dialogs.Answers = {TAnswer::Yes};
    window->Actions().acClose->trigger();
    Settle();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(ReadPlayers().value(0).startsWith(kPlayer + "=0,7,"));  // one station back
    Settle();
    // Nothing opens after the close.
    EXPECT_EQ(dialogs.Questions.size(), 2u);
    EXPECT_EQ(dialogs.ModalDialogs.size(), 1u);
}

TEST_F(RoundTest, WhyWalksThroughTheAnswersStepsAndChangesNothingOfTheRound) {
    Open(2, 8);  // kinds 4-6: answers of more than one step
    QAction& why = *window->Actions().acWhy;
    EXPECT_FALSE(why.isEnabled());  // nothing to explain while a round runs
    const TMove answer = Round().ForcedMove();
    DragDigitTo(window->Sudoku(), WrongDigit(), answer.Cell());
    Settle();
    TExplanationPanel& panel = window->Explanation();
    ASSERT_TRUE(panel.Offered());
    ASSERT_TRUE(why.isEnabled());
    // The panel names the technique the round's record keeps.
    const int technique = Game().AnswerTechnique();
    EXPECT_EQ(panel.Title().toStdString(), TechniqueLevelNames[technique]);
    EXPECT_EQ(Game().Records().Items(0)->Technique, technique);

    const TBoard& board = Game().Board();
    const TMatrix matrix = board.Matrix();
    const int moves = board.Histories().Count(), floater = board.Histories().Floater();
    const QString caption = window->CountdownLabel().text();
    const int station = Player().Station;

    why.trigger();
    ASSERT_TRUE(panel.Explaining());
    EXPECT_TRUE(window->Circle().isHidden());  // the explanation rings the answer itself
    const TExplanationOverlay* overlay = window->Sudoku().ExplanationOverlay();
    ASSERT_NE(overlay, nullptr);
    EXPECT_TRUE(overlay->isVisible());
    const int steps = panel.Walk()->Count();
    EXPECT_EQ(panel.StepCaption(), QStringLiteral("手順 1 / %1　step 1 of %1").arg(steps));
    // The keys walk it: right to the last step, left back one.
    std::set<QString> sentences{panel.EnglishText()};
    for (int i = 1; i < steps; ++i) {
        QTest::keyClick(&panel, Qt::Key_Right);
        sentences.insert(panel.EnglishText());
    }
    EXPECT_EQ(panel.Walk()->Index(), steps - 1);
    EXPECT_EQ(static_cast<int>(sentences.size()), steps);
    EXPECT_EQ(overlay->Drawing().Circled, (TCandidate{answer.Col + 9 * answer.Row, answer.Digit}));
    QTest::keyClick(&panel, Qt::Key_Left);
    EXPECT_EQ(panel.Walk()->Index(), std::max(0, steps - 2));

    QTest::keyClick(&panel, Qt::Key_Escape);
    Settle();
    EXPECT_FALSE(panel.isVisible());
    EXPECT_FALSE(overlay->isVisible());
    EXPECT_FALSE(why.isEnabled());
    EXPECT_EQ(dialogOpenings, 2);  // closed, the player dialog comes
    EXPECT_FALSE(window->Circle().isHidden());
    EXPECT_EQ(board.Matrix(), matrix);
    EXPECT_EQ(board.Histories().Count(), moves);
    EXPECT_EQ(board.Histories().Floater(), floater);
    EXPECT_EQ(window->CountdownLabel().text(), caption);
    EXPECT_EQ(Player().Station, station);
}

TEST_F(RoundTest, StartAtKyotoAsksTheArrivalQuestionAndSetsOutOnTheNextJourney) {
    Open(0, 53);  // 53 is no checkpoint
    KeysReady();
    PlayTheAnswer();
    ASSERT_EQ(Player().Station, kLastStation);
    // The explanation walked while the question comes.
    QTest::mouseClick(&window->Explanation().WhyButton(), Qt::LeftButton);
    ASSERT_TRUE(window->Explanation().Explaining());

    dialogs.Answers = {TAnswer::Yes};
    Key(Qt::Key_S);
    ASSERT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_TRUE(dialogs.Questions[0].contains("の目的地に到着です"));
    EXPECT_FALSE(window->Explanation().isVisible());
    EXPECT_FALSE(window->Sudoku().ExplanationOverlay()->isVisible());
    EXPECT_FALSE(window->Actions().acWhy->isEnabled());
    EXPECT_EQ(dialogOpenings, 1);  // the question, not the player dialog
    // The next journey: its character asked for, its level and start shown, a round soon.
    EXPECT_EQ(characterLevels, std::vector<int>{1});
    EXPECT_EQ(Player().Character, 3);
    EXPECT_EQ(window->Journey().LevelLabel().text(), LevelName(1));
    EXPECT_EQ(window->Journey().PositionLabel().text(), PositionText(0));
    EXPECT_NE(Round().State(), TRoundState::Running);

    StartTheDeferredRound();
    EXPECT_EQ(Round().TimeLimit(), TimeLimitMs(Round().PuzzleKind(), 1));
    PlayTheAnswer();
    // No round was played at the destination.
    const TRoundRecords& records = Game().Records();
    ASSERT_EQ(records.Count(), 2);
    EXPECT_EQ(std::pair(records.Items(0)->Level, records.Items(0)->Station), std::pair(0, 53));
    EXPECT_EQ(std::pair(records.Items(1)->Level, records.Items(1)->Station), std::pair(1, 0));
}

// Not a check: with EXPLANATION_SCREENSHOTS=DIR the window is saved while it explains answers
// of kinds 1, 2, 3, 4 and 6, each on the first page of its own technique (run under Xvfb for the
// real X server's look).
TEST_F(RoundTest, ScreenshotsOfExplanations) {
    const QString folder = qEnvironmentVariable("EXPLANATION_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "EXPLANATION_SCREENSHOTS is not set";
    struct TShot {
        const char* Name;
        int Level, Station, Kind;
    };
    const std::vector<TShot> shots = {
        {"explain-kind1", 0, 0, 1}, {"explain-kind2", 0, 12, 2}, {"explain-kind3", 0, 12, 3},
        {"explain-kind4", 2, 8, 4}, {"explain-kind6", 2, 8, 6},
    };
    for (const TShot& shot : shots) {
        const auto wanted = [&] {
            return Round().PuzzleKind() == shot.Kind && Round().AnswerTechnique() == shot.Kind;
        };
        for (unsigned seed = 1; seed < 400; ++seed) {
            dialogOpenings = 0;
            Open(shot.Level, shot.Station, seed);
            if (wanted()) break;
        }
        ASSERT_TRUE(wanted()) << shot.Name;
        PlayTheAnswer();
        TExplanationPanel& panel = window->Explanation();
        window->Actions().acWhy->trigger();
        while (panel.Walk()->Current().Technique != shot.Kind && panel.Walk()->CanForward())
            QTest::keyClick(&panel, Qt::Key_Right);
        Settle();
        const QString file = folder + "/" + shot.Name + ".png";
        EXPECT_TRUE(window->grab().save(file)) << file.toStdString();
    }
}

// Not a check: with OFFER_SCREENSHOTS=DIR the window is saved as the offer after a round shows
// what happened: a right move, a wrong move at a checkpoint, a time-out, the arrival.
TEST_F(RoundTest, ScreenshotsOfVerdicts) {
    const QString folder = qEnvironmentVariable("OFFER_SCREENSHOTS");
    if (folder.isEmpty()) GTEST_SKIP() << "OFFER_SCREENSHOTS is not set";
    struct TShot {
        const char* Name;
        int Level, Station;
        std::function<void()> Play;
    };
    const std::vector<TShot> shots = {
        {"offer-right", 0, 3, [&] { PlayTheAnswer(); }},
        {"offer-wrong-at-checkpoint", 2, 20,
         [&] {
             DragDigitTo(window->Sudoku(), WrongDigit(), Round().ForcedMove().Cell());
             Settle();
         }},
        {"offer-time-out", 1, 10, [&] { TickAfter(Round().TimeLimit()); }},
        {"offer-arrival", 0, 53, [&] { PlayTheAnswer(); }},
    };
    for (const TShot& shot : shots) {
        dialogOpenings = 0;
        Open(shot.Level, shot.Station);
        shot.Play();
        Settle();
        EXPECT_TRUE(window->grab().save(folder + "/" + shot.Name + ".png")) << shot.Name;
    }
    // The records so far (not at Kyoto, where the arrival question comes first).
    dialogOpenings = 0;
    Open(0, 8);
    PlayTheAnswer();
    window->Actions().acRecords->trigger();
    Settle();
    TStatisticsWindow& statistics = window->Dialogs().Statistics();
    statistics.show();  // the fake dialogs show nothing
    for (int tab = 0; tab < statistics.Charts().count(); ++tab) {
        statistics.Charts().setCurrentIndex(tab);
        Settle();
        EXPECT_TRUE(statistics.grab().save(folder + QStringLiteral("/statistics-%1.png").arg(tab)));
    }
    statistics.hide();
}

TEST(SoundCues, EachCueItsSound) {
    TRandom random(5);
    std::set<QString> won;
    for (int i = 0; i < 100; ++i)
        won.insert(CueSoundName(0, random));
    EXPECT_EQ(won, (std::set<QString>{"Trumpet001", "fanfare001"}));
    EXPECT_EQ(CueSoundName(1, random), QStringLiteral("Trumpet0003"));
    EXPECT_EQ(CueSoundName(2, random), QStringLiteral("Applause0001"));
    EXPECT_EQ(CueSoundName(3, random), QStringLiteral("chimes"));
    EXPECT_EQ(CueSoundName(4, random), QStringLiteral("Applause0001"));
    EXPECT_EQ(CueSoundName(255, random), QStringLiteral("Applause0001"));
}

TEST(SoundCues, PlayingGoesOnWithoutADeviceOrWithABrokenImage) {
    // On a machine without sound this must neither hang nor fail; with sound the second cue
    // cuts the first off.
    TAudioSinkPlayer player;
    TCuePlayer cues(&player);
    cues.PlayCue(3);
    cues.PlayCue(1);
    player.Play(QByteArray("RIFF....WAVE"));
    player.Play(QByteArray());
    RecordingPlayer recorder;
    TCuePlayer recorded(&recorder);
    recorded.PlayCue(3);
    recorded.PlayCue(2);
    EXPECT_EQ(recorder.played, (std::vector<QString>{"chimes", "Applause0001"}));
}
