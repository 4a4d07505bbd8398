// Rounds as the main window plays them, with a clock, a sound player and dialogs of the test's
// own: the kind drawn for a level and station, the countdown, the judgement of the one move,
// pause, and the rule for closing during a round.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <set>

#include "board/number_piece.h"
#include "board/sudoku.h"
#include "journey/fake_dialogs.h"
#include "journey/main_window.h"
#include "journey/round_rules.h"
#include "journey/sound_cues.h"
#include "journey/window_test_support.h"
#include "logic/random.h"
#include "platform/beep.h"
#include "platform/clock.h"
#include "platform/sound_player.h"
#include "resource_names.h"
#include "storage/data_file.h"
#include "storage/storage_test_support.h"

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

struct RoundTest : ::testing::Test, TGameFolder {
    CountingBeep beep;
    TFakeDialogs dialogs;
    TManualClock clock;
    RecordingPlayer sound;
    std::unique_ptr<TForm1> window;

    // One player at a level and station with checkpoints 5, 20 and 52, selected.
    void Open(int level, int station) {
        WritePlayers({QStringLiteral("旅人=%1,%2,\"5,20,52\",\"2026/12/01 10:00:00\",%3")
                          .arg(level)
                          .arg(station)
                          .arg(3 * level)});
        TServices services;
        services.Dialogs = &dialogs;
        services.Clock = &clock;
        services.Sound = &sound;
        services.Beep = &beep;
        services.DataFile = DataFile();
        window = std::make_unique<TForm1>(services);
        window->Sudoku().SetPaced(false);
        window->Sudoku().Start();
        window->SelectUser(0);
        SeedProgramRandom(11);
    }

    const TSenkaroUser& Player() { return window->Users().Items(0); }

    int SavedStation() const {
        TSenkaroUser user;
        user.FromText(ReadPlayers().value(0));
        return user.Station;
    }

    // Drops the top free piece of the digit on the cell, as the player's drag does.
    void Move(int digit, int col, int row) {
        TBoard& board = window->Sudoku().Board();
        board.PlacePiece(board.NextFreePiece(digit), col, row, true);
    }

    // A digit that may stand in the cell but is not the answer, and a cell other than the
    // answer's where the answer's digit may stand.
    std::pair<int, TCell> WrongMoves() {
        const TMove answer = window->ForcedMove();
        const TBoard& board = window->Sudoku().Board();
        int wrongDigit = 0;
        for (int d = 1; d <= 9 && !wrongDigit; ++d)
            if (d != answer.Digit && board.CanPlace(answer.Col, answer.Row, d)) wrongDigit = d;
        TCell wrongCell{-1, -1};
        for (int i = 0; i < 81 && wrongCell.Col < 0; ++i) {
            const TCell c{i % 9, i / 9};
            if (c == answer.Cell() || board.Matrix().GetValue(c.Col, c.Row) != 0) continue;
            if (board.CanPlace(c.Col, c.Row, answer.Digit)) wrongCell = c;
        }
        return {wrongDigit, wrongCell};
    }
};

}  // namespace

TEST(RoundRules, KindsByLevelAndStation) {
    struct Band {
        int level, fromStation, toStation;
        std::set<int> kinds;
    };
    const Band bands[] = {
        {0, 0, 1, {1}},          {0, 2, 5, {1, 2}},     {0, 6, 9, {1, 2, 3}},  {0, 10, 54, {2, 3}},
        {1, 0, 4, {1, 2, 3, 4}}, {1, 5, 54, {2, 3, 4}}, {2, 0, 54, {4, 5, 6}},
    };
    TRandom random(3);
    for (const Band& band : bands) {
        for (int station = band.fromStation; station <= band.toStation; ++station) {
            std::set<int> seen;
            for (int i = 0; i < 400; ++i)
                seen.insert(ChooseKind(band.level, station, random));
            EXPECT_EQ(seen, band.kinds) << "level " << band.level << " station " << station;
        }
    }
}

TEST(RoundRules, TimeLimits) {
    EXPECT_EQ(TimeLimitMs(1, 0), 128000);
    EXPECT_EQ(TimeLimitMs(3, 0), 512000);
    EXPECT_EQ(TimeLimitMs(1, 1), 64000);
    EXPECT_EQ(TimeLimitMs(4, 1), 512000);
    EXPECT_EQ(TimeLimitMs(4, 2), 256000);
    EXPECT_EQ(TimeLimitMs(6, 2), 1024000);
}

TEST(RoundRules, CountdownCaptions) {
    EXPECT_EQ(CountdownCaption(127400), QStringLiteral("2:07"));
    EXPECT_EQ(CountdownCaption(59999), QStringLiteral("59"));
    EXPECT_EQ(CountdownCaption(999), QStringLiteral("0"));
    EXPECT_EQ(CountdownCaption(1024000), QStringLiteral("17:04"));
    EXPECT_EQ(CountdownCaption(3723000), QStringLiteral("1:02:03"));
    EXPECT_EQ(CountdownCaption(0), QStringLiteral("0"));
}

TEST_F(RoundTest, ABeginnerAtTheStartGetsKindOne) {
    Open(0, 0);
    window->acStartExecute();
    EXPECT_EQ(window->PuzzleKind(), 1);
    EXPECT_EQ(window->TimeLimit(), 128000);
    EXPECT_TRUE(window->CountdownTimer().isActive());
    EXPECT_TRUE(window->Sudoku().isEnabled());
    EXPECT_EQ(window->CountdownLabel().text(), QStringLiteral("2:08"));
    EXPECT_EQ(sound.played, std::vector<QString>{"chimes"});
    EXPECT_FALSE(window->StartAction().isVisible());
    EXPECT_TRUE(window->PauseAction().isVisible());

    clock.now += 1600;
    window->tmNokaviraTimer();
    EXPECT_EQ(window->CountdownLabel().text(), QStringLiteral("2:06"));
}

TEST_F(RoundTest, ARightMoveMovesThePlayerOn) {
    Open(0, 3);
    window->acStartExecute();
    const TMove answer = window->ForcedMove();
    Move(answer.Digit, answer.Col, answer.Row);
    EXPECT_EQ(Player().Station, 4);
    EXPECT_EQ(SavedStation(), 4);
    EXPECT_EQ(sound.played.back(), QStringLiteral("Trumpet0003"));
    const THistories& moves = window->Sudoku().Board().Histories();
    EXPECT_EQ(moves.Items(moves.Count() - 1).Technique(), 0);  // the player's move
    EXPECT_FALSE(window->CountdownTimer().isActive());
    EXPECT_FALSE(window->Sudoku().isEnabled());
    EXPECT_TRUE(dialogs.Messages.empty());
    const THistories& histories = window->Sudoku().Board().Histories();
    EXPECT_EQ(window->Circle().parentWidget(),
              window->Sudoku().NumberPiece(histories.Items(histories.Count() - 1).Index()));
    EXPECT_FALSE(window->Circle().isHidden());
    ASSERT_FALSE(dialogs.ModalDialogs.empty());  // the player dialog opens again
    EXPECT_TRUE(window->StartAction().isVisible());
}

TEST_F(RoundTest, ReachingACheckpointOrTheDestinationSoundsBig) {
    for (const int station : {4, 19, 53}) {
        dialogs.ModalDialogs.clear();
        sound.played.clear();
        Open(0, station);
        window->acStartExecute();
        const TMove answer = window->ForcedMove();
        Move(answer.Digit, answer.Col, answer.Row);
        EXPECT_EQ(Player().Station, station + 1);
        ASSERT_EQ(sound.played.size(), 2u);
        EXPECT_TRUE(sound.played[1] == "Trumpet001" || sound.played[1] == "fanfare001") << station;
    }
}

TEST_F(RoundTest, AWrongDigitInTheRightCellFails) {
    Open(0, 8);
    window->StartRound(4);  // the forced cell has other candidates
    const TMove answer = window->ForcedMove();
    const auto [wrongDigit, wrongCell] = WrongMoves();
    ASSERT_NE(wrongDigit, 0);
    const int before = window->Sudoku().Board().Histories().Count();
    Move(wrongDigit, answer.Col, answer.Row);
    EXPECT_EQ(beep.beeps, 1);  // the judge beeps; the board took the move
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(
        dialogs.Messages[0],
        QStringLiteral("必然の一手を探してください\r\n\r\nSet a number in the specified cell!"));
    // The wrong move is undone and the answer is played in its place.
    const TBoard& board = window->Sudoku().Board();
    EXPECT_EQ(board.Matrix().GetValue(answer.Col, answer.Row), answer.Digit);
    EXPECT_EQ(board.Histories().Count(), before + 1);
    // The circle lies over the piece that was played as the answer.
    const THistory& played = board.Histories().Items(board.Histories().Count() - 1);
    EXPECT_EQ(window->Circle().parentWidget(), window->Sudoku().NumberPiece(played.Index()));
    EXPECT_FALSE(window->Circle().isHidden());
    EXPECT_EQ(Player().Station, 7);
    EXPECT_EQ(SavedStation(), 7);
    EXPECT_EQ(sound.played.back(), QStringLiteral("Applause0001"));
}

TEST_F(RoundTest, TheRightDigitInAnotherCellFailsButNotAtACheckpoint) {
    Open(0, 5);  // 5 is a checkpoint
    window->acStartExecute();
    const auto [wrongDigit, wrongCell] = WrongMoves();
    ASSERT_GE(wrongCell.Col, 0);
    Move(window->ForcedMove().Digit, wrongCell.Col, wrongCell.Row);
    EXPECT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(Player().Station, 5);
    EXPECT_EQ(sound.played.back(), QStringLiteral("Applause0001"));
}

TEST_F(RoundTest, TimeOutFailsWithoutMessage) {
    Open(1, 10);
    window->acStartExecute();
    clock.now += window->TimeLimit();
    window->tmNokaviraTimer();
    EXPECT_EQ(window->CountdownLabel().text(), QStringLiteral("0"));
    EXPECT_TRUE(dialogs.Messages.empty());
    EXPECT_EQ(Player().Station, 9);
    EXPECT_EQ(SavedStation(), 9);
    EXPECT_FALSE(window->CountdownTimer().isActive());
}

TEST_F(RoundTest, PausingDoesNotShortenTheRound) {
    Open(0, 0);
    window->acStartExecute();
    clock.now += 10000;
    window->acPauseExecute();
    EXPECT_TRUE(window->Paused());
    EXPECT_FALSE(window->Sudoku().isVisible() && window->isVisible());
    EXPECT_EQ(window->PauseAction().text(), QStringLiteral("再開 replay"));
    EXPECT_FALSE(window->CountdownTimer().isActive());
    clock.now += 3'600'000;
    window->acPauseExecute();
    EXPECT_EQ(window->PauseAction().text(), QStringLiteral("一時停止 pause"));
    window->tmNokaviraTimer();
    EXPECT_EQ(window->CountdownLabel().text(), QStringLiteral("1:58"));
}

TEST_F(RoundTest, ClosingInTheFirstMinuteCostsNothing) {
    Open(0, 8);
    window->acStartExecute();
    clock.now += 59000;
    EXPECT_TRUE(window->FormClose());
    EXPECT_TRUE(dialogs.Questions.empty());
    EXPECT_EQ(Player().Station, 8);
}

TEST_F(RoundTest, ClosingLaterAtACheckpointCostsNothing) {
    Open(0, 20);
    window->acStartExecute();
    clock.now += 60000;
    EXPECT_TRUE(window->FormClose());
    EXPECT_TRUE(dialogs.Questions.empty());
    EXPECT_EQ(Player().Station, 20);
}

TEST_F(RoundTest, ClosingLaterElsewhereAsks) {
    Open(0, 8);
    window->acStartExecute();
    clock.now += 60000;
    dialogs.Answers = {TAnswer::Cancel};
    EXPECT_FALSE(window->FormClose());
    ASSERT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_TRUE(
        dialogs.Questions[0].startsWith(QStringLiteral("ゲームがはじまって１分以内であれば")));
    EXPECT_EQ(Player().Station, 8);
    EXPECT_FALSE(window->Paused());  // the round runs on
    EXPECT_TRUE(window->CountdownTimer().isActive());

    dialogs.Answers = {TAnswer::Yes};
    EXPECT_TRUE(window->FormClose());
    EXPECT_EQ(Player().Station, 7);
    EXPECT_EQ(SavedStation(), 7);
}

TEST_F(RoundTest, PausedTimeIsNotCountedAsPlayWhenClosing) {
    Open(0, 8);
    window->acStartExecute();
    clock.now += 30000;
    window->acPauseExecute();
    clock.now += 600000;  // a long break
    EXPECT_TRUE(window->FormClose());
    EXPECT_TRUE(dialogs.Questions.empty());
}

TEST_F(RoundTest, TheDeferredStartStartsARound) {
    Open(0, 0);
    window->EventTimer().start();
    window->tmEventTimer();
    EXPECT_FALSE(window->EventTimer().isActive());
    EXPECT_TRUE(window->CountdownTimer().isActive());
}

TEST_F(RoundTest, EveryGivenOfANewRoundIsFixedOnScreen) {
    Open(0, 8);
    for (int round = 0; round < 4; ++round) {
        window->StartRound(1 + round % 3);
        const TMove answer = window->ForcedMove();
        Move(answer.Digit, answer.Col, answer.Row);
        window->StartRound(2);
        for (int i = 0; i < TBoard::kPieceCount; ++i) {
            const TPiece& piece = window->Sudoku().Board().Pieces(i);
            if (!piece.OnGrid()) continue;
            EXPECT_TRUE(window->Sudoku().NumberPiece(i)->Fixed())
                << "round " << round << " piece " << i;
        }
    }
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
