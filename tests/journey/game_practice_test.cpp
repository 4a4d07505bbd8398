// Practice in the game without a window: a round of the technique chosen on a position the
// source has ready, its clock counting up with no end, its hints, its record, and that nothing
// of the journey changes; the way in from the player dialog, the wait for a position, the next
// position, and the way back to the journey.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "journey/game_fixture.h"
#include "journey/round_rules.h"
#include "logic/position_text.h"
#include "logic/practice_supply.h"
#include "storage/data_file.h"
#include "storage/storage_test_support.h"

namespace {

using PracticeTest = GameTest;

constexpr std::int64_t kHour = 3'600'000;

}  // namespace

TEST_F(PracticeTest, EachRoundIsRecordedAsPlayedAndNothingOfTheJourneyChanges) {
    enum class How { Right, WrongDigit, WrongCell };
    struct Case {
        const char* name;
        int technique;
        int hints;
        std::int64_t played, paused;
        How how;
        TRoundResult result;
        std::int64_t recordedMs;
    };
    const Case cases[] = {
        {"right at once", 4, 0, 4321, 0, How::Right, TRoundResult::Ok, 4321},
        {"right after a hint", 2, 1, 9000, 0, How::Right, TRoundResult::Hinted, 9000},
        {"right after every hint", 6, 3, 9000, 0, How::Right, TRoundResult::Hinted, 9000},
        {"wrong after a hint", 7, 2, 9000, 0, How::WrongCell, TRoundResult::Wrong, 9000},
        {"a wrong digit", 9, 0, 2000, 0, How::WrongDigit, TRoundResult::Wrong, 2000},
        {"the digit elsewhere", 1, 0, 2000, 0, How::WrongCell, TRoundResult::Wrong, 2000},
        {"after a long pause", 5, 0, 3000, 10 * kHour, How::Right, TRoundResult::Ok, 3000},
        // No time-out however long; a day is the most a record holds.
        {"after thirty hours", 8, 0, 30 * kHour, 0, How::Right, TRoundResult::Ok, 24 * kHour},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Choose(0, 8);
        const QStringList savedBefore = ReadPlayers();
        const TSenkaroUser before = Player();
        const std::vector<int> checkpoints = game->CheckpointList();
        const int records = game->Records().Count();
        ASSERT_EQ(game->OpenPractice().Open, TOpen::PracticePicker);
        const TGameReply started = game->PracticeChosen(TPracticeChoice::Of(c.technique));
        ASSERT_TRUE(started.RoundStarted);
        EXPECT_EQ(started.Countdown, QStringLiteral("0:00"));
        EXPECT_EQ(source.Preferred.back(), c.technique);
        const TMove answer = Answer();
        EXPECT_EQ(game->Board().Matrix().GetValue(answer.Col, answer.Row), 0);
        EXPECT_EQ(game->Board().FixedPos(), game->Board().Count());

        for (int h = 0; h < c.hints; ++h)
            ASSERT_TRUE(game->Hint().Taken);
        clock.now += c.played / 2;
        if (c.paused > 0) {
            game->Pause();
            clock.now += c.paused;
            game->Resume();
        }
        clock.now += c.played - c.played / 2;
        const TGameReply tick = game->Tick();
        EXPECT_EQ(tick.Countdown, ElapsedCaption(std::min(c.played, TRound::kLongestPlayMs)));
        ASSERT_EQ(game->State(), TGameState::PracticeRunning);

        const TMove move = c.how == How::Right        ? answer
                           : c.how == How::WrongDigit ? WrongDigit()
                                                      : WrongCell();
        ASSERT_NE(move.Digit, 0);
        const auto [judged, ended] = Play(move);
        ASSERT_TRUE(ended.Taken);
        EXPECT_EQ(game->State(), TGameState::PracticeJudged);
        const bool wrong = c.result == TRoundResult::Wrong;
        EXPECT_EQ(judged.Beep, wrong);
        EXPECT_EQ(ended.Messages,
                  wrong ? std::vector<QString>{kWrongMove} : std::vector<QString>{});
        EXPECT_EQ(ended.Cue, wrong ? 2 : 1);
        EXPECT_EQ(ended.Verdict, wrong ? TVerdict::WrongMove : TVerdict::Success);
        EXPECT_TRUE(ended.OfferExplanation);
        EXPECT_FALSE(ended.JourneyChanged);
        EXPECT_EQ(ended.Saved, true);
        EXPECT_TRUE(
            ProgressText(game->LastJudgement()).startsWith(QStringLiteral("修行 practice")));
        // The answer stands, the right piece circled, whatever the technique (the board's own
        // solver plays no answer of levels 7-9).
        const TBoard& board = game->Board();
        EXPECT_EQ(board.Matrix().GetValue(answer.Col, answer.Row), answer.Digit);
        EXPECT_EQ(ended.CirclePiece, board.PieceAt(answer.Col, answer.Row));
        EXPECT_EQ(board.Count(), board.FixedPos() + 1);

        // One record more, read back from the file: a practice record of the technique.
        EXPECT_EQ(game->Records().Count(), records + 1);
        TRoundRecords saved;
        TRecordingReporter reporter;
        ASSERT_TRUE(saved.LoadFromFile(DataFile(), reporter));
        ASSERT_EQ(saved.Count(), game->Records().Count());
        const std::optional<TRoundRecord> record = saved.Items(saved.Count() - 1);
        ASSERT_TRUE(record);
        EXPECT_EQ(record->Kind, kPracticeKind);
        EXPECT_EQ(record->Technique, c.technique);
        EXPECT_EQ(record->Result, c.result);
        EXPECT_EQ(record->Ms, c.recordedMs);
        EXPECT_EQ(record->When, 46000.5);
        EXPECT_EQ(record->Station, 8);
        // Nobody moved: the player, their checkpoints and their saved line as they were.
        EXPECT_EQ(Player().Station, before.Station);
        EXPECT_EQ(Player().Updated, before.Updated);
        EXPECT_EQ(game->CheckpointList(), checkpoints);
        EXPECT_EQ(ReadPlayers(), savedBefore);
    }
}

TEST_F(PracticeTest, HintsComeOneStageAtATimeAndStartAfreshWithTheNextPosition) {
    Practise(4);
    EXPECT_EQ(game->ShownHint().Stage, 0);
    for (int stage = 1; stage <= kLastHintStage; ++stage) {
        const TGameReply reply = game->Hint();
        ASSERT_TRUE(reply.Hint) << stage;
        EXPECT_EQ(reply.Hint->Stage, stage);
        EXPECT_EQ(reply.Hint->Technique, 4);
        EXPECT_EQ(reply.Hint->Cells.empty(), stage == 1);
        EXPECT_EQ(game->ShownHint().Stage, stage);
    }
    EXPECT_FALSE(game->Takes(TCommand::Hint));
    EXPECT_FALSE(game->Hint().Taken);
    // A hidden board gives no hint.
    game->Pause();
    EXPECT_FALSE(game->Hint().Taken);
    game->Resume();
    PlayTheAnswer();
    EXPECT_TRUE(game->LastJudgement().Hinted);

    ASSERT_TRUE(game->NextPractice().RoundStarted);
    EXPECT_EQ(game->ShownHint().Stage, 0);
    EXPECT_EQ(game->Hint().Hint->Stage, 1);
}

TEST_F(PracticeTest, NextKeepsTheTechniqueAndLeavingGoesBackToTheJourney) {
    Practise(6);
    const std::string first = PositionText(game->RoundPosition());
    PlayTheAnswer();
    source.Taken.clear();
    ASSERT_TRUE(game->NextPractice().RoundStarted);
    EXPECT_EQ(source.Taken, std::vector<int>{6});
    EXPECT_EQ(game->AnswerTechnique(), 6);
    EXPECT_NE(PositionText(game->RoundPosition()), first);

    // Left in the middle of a round: no record of it, and the journey's own round comes next.
    clock.now += 90000;
    EXPECT_TRUE(game->LeavePractice().Taken);
    EXPECT_EQ(game->State(), TGameState::BetweenRounds);
    EXPECT_EQ(game->PracticeTechnique(), 0);
    EXPECT_EQ(game->Records().Count(), 1);
    const TGameReply journey = game->Start();
    ASSERT_TRUE(journey.RoundStarted);
    EXPECT_EQ(game->Round().TimeLimit(), TimeLimitMs(game->Round().PuzzleKind(), 0));
    EXPECT_EQ(journey.Countdown, CountdownCaption(game->Round().TimeLimit()));
    PlayTheAnswer();
    EXPECT_EQ(Player().Station, 9);
}

TEST_F(PracticeTest, APlayerAtKyotoPractisesAndIsAskedOnArrivalAtTheNextJourneyAction) {
    // From the player dialog: the picker, with no arrival question first.
    Load({PlayerLine(kPlayer, 0, 54, "5,20,52", 0)});
    game->Activated();
    TPlayerChoice choice{true, 0, {}};
    choice.Practice = true;
    ASSERT_EQ(game->PlayerChosen(choice).Open, TOpen::PracticePicker);
    ASSERT_TRUE(game->PracticeChosen(TPracticeChoice::Of(3)).RoundStarted);
    PlayTheAnswer();
    EXPECT_EQ(Player().Station, 54);
    EXPECT_EQ(Player().Level, 0);
    game->LeavePractice();

    const TGameReply asked = game->Start();
    EXPECT_EQ(asked.Open, TOpen::ArrivalQuestion);
    EXPECT_FALSE(asked.RoundStarted);
    // No journey round was played at the destination; the practice round stood there.
    for (int i = 0; i < game->Records().Count(); ++i)
        EXPECT_TRUE(game->Records().Items(i)->Station < 54 ||
                    game->Records().Items(i)->IsPractice());
}

TEST_F(PracticeTest, WithNoPositionReadyTheGameWaitsAndAsksAgainOnTick) {
    // Positions the game could not judge as the position maker says are passed over.
    TPracticePosition otherTechnique = *ExamplePosition(5);
    TPracticePosition notAPuzzle = *ExamplePosition(4);
    notAPuzzle.Puzzle.resize(80);
    TPracticePosition wrongAnswer = *ExamplePosition(4);
    wrongAnswer.Answer.Digit = wrongAnswer.Answer.Digit % 9 + 1;
    Choose(0, 8);
    source.Ready = false;
    source.Queued = {otherTechnique, notAPuzzle, wrongAnswer};
    const std::string onTheBoard = PositionText(game->Board().Matrix());
    game->OpenPractice();
    const TGameReply waiting = game->PracticeChosen(TPracticeChoice::Of(4));
    EXPECT_TRUE(waiting.Waiting);
    EXPECT_FALSE(waiting.RoundStarted);
    EXPECT_EQ(game->State(), TGameState::PracticeWaiting);
    EXPECT_EQ(PositionText(game->Board().Matrix()), onTheBoard);
    EXPECT_LE(game->NextTickDelay(), 250);
    EXPECT_TRUE(game->Tick().Waiting);

    source.Queued = {*ExamplePosition(4)};
    const TGameReply started = game->Tick();
    EXPECT_FALSE(started.Waiting);
    EXPECT_TRUE(started.RoundStarted);
    EXPECT_EQ(Answer(), ExamplePosition(4)->Answer);
    EXPECT_EQ(game->State(), TGameState::PracticeRunning);
}

TEST_F(PracticeTest, ThePickerResolvesTheWeakestAndClosingItGoesBack) {
    // Technique 2 played five times with one unaided success; the others never.
    QStringList lines;
    for (int i = 0; i < 5; ++i)
        lines << QStringLiteral("%1=2026/12/08 9:30:05,0,8,0,2,%2,1000")
                     .arg(kPlayer, i == 0 ? QStringLiteral("ok") : QStringLiteral("hinted"));
    {
        TRecordingReporter reporter;
        TDataFile file(DataFile(), reporter);
        file.WriteSection(kRecordsSection, lines);
        file.Close();
    }
    Choose(0, 8);
    game->OpenPractice();
    const TPracticeMenu menu = game->PracticeChoices();
    EXPECT_EQ(menu.Weakest, 2);
    EXPECT_EQ(menu.Techniques[1].Tally, (TTally{5, 1}));
    ASSERT_TRUE(game->PracticeChosen(TPracticeChoice::TheWeakest()).RoundStarted);
    EXPECT_EQ(game->PracticeTechnique(), 2);
    EXPECT_EQ(source.Preferred, std::vector<int>{2});

    // Closed, or a technique the game has not: back between rounds, nothing asked of the source.
    for (const TPracticeChoice& none : {TPracticeChoice{}, TPracticeChoice::Of(10)}) {
        game->LeavePractice();
        game->OpenPractice();
        source.Taken.clear();
        EXPECT_TRUE(game->PracticeChosen(none).Taken);
        EXPECT_EQ(game->State(), TGameState::BetweenRounds);
        EXPECT_TRUE(source.Taken.empty());
    }
}

TEST_F(PracticeTest, ClosingIsFreeThroughoutAndLeavesNoRecordOfAnUnjudgedRound) {
    Practise(9);
    clock.now += 5 * kHour;  // long past the journey's free minute
    const TGameReply closed = game->CloseRequested();
    EXPECT_TRUE(closed.CloseNow);
    EXPECT_NE(closed.Open, TOpen::CloseQuestion);
    EXPECT_EQ(game->Records().Count(), 0);
    EXPECT_EQ(Player().Station, 8);
    EXPECT_EQ(Saved().Station, 8);
}

// The game on the position maker it plays with in the real program: every technique's round
// comes, and the game takes the maker's positions as they are (none is passed over, which
// would leave the player waiting) and judges their answers right.
TEST(PracticeWithTheMaker, EveryTechniqueCanBePractisedAndItsAnswerIsJudgedRight) {
    TGameFolder folder;
    folder.WritePlayers({PlayerLine(kPlayer, 0, 8, QStringLiteral("5,20,52"), 0)});
    TManualClock clock;
    TPracticeSupply maker(2026);
    TGame game(TGameServices{&clock, [] { return 46000.5; }, folder.DataFile(), &maker});
    ASSERT_EQ(game.Activated().Open, TOpen::PlayerDialog);
    game.PlayerChosen({false, 0, {}});
    for (int technique = 1; technique <= 9; ++technique) {
        SCOPED_TRACE(technique);
        ASSERT_EQ(game.OpenPractice().Open, TOpen::PracticePicker);
        game.PracticeChosen(TPracticeChoice::Of(technique));
        // Waits as the window would, ticking, until the position is there (a minute at most).
        for (int wait = 0; wait < 600 && game.State() == TGameState::PracticeWaiting; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            game.Tick();
        }
        ASSERT_EQ(game.State(), TGameState::PracticeRunning);
        EXPECT_EQ(game.RoundExplanation().Technique(), technique);
        const TMove answer = game.Round().ForcedMove();
        bool judged = false;
        game.Board().OnChanged = [&](const TPlacedMove& placed) {
            judged = game.PlayerMoved(placed).JudgeLater;
        };
        game.Board().PlacePiece(game.Board().NextFreePiece(answer.Digit), answer.Col, answer.Row,
                                true, TMoveOrigin::Player);
        game.Board().OnChanged = nullptr;
        ASSERT_TRUE(judged);
        EXPECT_EQ(game.EndRound().Verdict, TVerdict::Success);
        ASSERT_TRUE(game.LeavePractice().Taken);
    }
}
