// The game's tests' fixture: a game on a data file in a fresh folder, a clock the test moves,
// a practice source of the tests' own, and moves placed on the game's own board as a drop
// would place them.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <utility>

#include "journey/game.h"
#include "journey/game_test_support.h"
#include "journey/practice_test_support.h"
#include "logic/random.h"

inline const QString kPlayer = QStringLiteral("旅人");
inline const QString kWrongMove =
    QStringLiteral("必然の一手を探してください\r\n\r\nSet a number in the specified cell!");
inline const QString kNoFurtherJourney =
    QStringLiteral("もうこれ以上の旅はありません\r\n\r\nThere is no further journey.");

inline QString PlayerLine(const QString& name, int level, int station, const QString& checkpoints,
                          int character) {
    return QStringLiteral("%1=%2,%3,\"%4\",\"2026/12/01 10:00:00\",%5")
        .arg(name)
        .arg(level)
        .arg(station)
        .arg(checkpoints)
        .arg(character);
}

struct GameTest : ::testing::Test, TGameFolder {
    TManualClock clock;
    TFakePracticeSource source;
    std::unique_ptr<TGame> game;

    void Load(const QStringList& players = {}) {
        if (!players.isEmpty()) WritePlayers(players);
        source.Ready = true;
        source.Queued.clear();
        game = std::make_unique<TGame>(
            TGameServices{&clock, [] { return 46000.5; }, DataFile(), &source});
    }

    // One player with checkpoints 5, 20 and 52, chosen in the player dialog: a round soon.
    void Choose(int level, int station, const QString& checkpoints = QStringLiteral("5,20,52"),
                unsigned seed = 11) {
        Load({PlayerLine(kPlayer, level, station, checkpoints, 3 * std::min(level, 2))});
        SeedProgramRandom(seed);
        ASSERT_EQ(game->Activated().Open, TOpen::PlayerDialog);
        ASSERT_TRUE(game->PlayerChosen({true, 0, {}}).StartSoon);
    }
    // ... and the round started by the deferred start.
    TGameReply Begin(int level, int station, unsigned seed = 11) {
        Choose(level, station, QStringLiteral("5,20,52"), seed);
        return game->Start();
    }
    // ... or a practice round of the technique instead, opened between rounds.
    TGameReply Practise(int technique, int level = 0, int station = 8) {
        Choose(level, station);
        EXPECT_EQ(game->OpenPractice().Open, TOpen::PracticePicker);
        return game->PracticeChosen(TPracticeChoice::Of(technique));
    }

    const TSenkaroUser& Player() const { return game->Players().Items(0); }
    TSenkaroUser Saved(int index = 0) const {
        TSenkaroUser user;
        user.FromText(ReadPlayers().value(index));
        return user;
    }
    TMove Answer() const { return game->Round().ForcedMove(); }

    // The digit's top free piece placed on the cell as the player's drop; the judgement's reply
    // and, when the move was taken, the round's end from the event loop.
    std::pair<TGameReply, TGameReply> Play(TMove move) {
        const TGameReply judged = Drop(move);
        if (!judged.JudgeLater) return {judged, {}};
        return {judged, game->EndRound()};
    }
    // The drop alone: its judgement's reply.
    TGameReply Drop(TMove move) {
        TGameReply judged;
        judged.Taken = false;
        game->Board().OnChanged = [&](const TPlacedMove& placed) {
            judged = game->PlayerMoved(placed);
        };
        TBoard& board = game->Board();
        board.PlacePiece(board.NextFreePiece(move.Digit), move.Col, move.Row, true,
                         TMoveOrigin::Player);
        board.OnChanged = nullptr;
        return judged;
    }
    TGameReply PlayTheAnswer() { return Play(Answer()).second; }

    // A digit that may stand in the answer's cell but is not the answer; a cell other than the
    // answer's where its digit may stand.
    TMove WrongDigit() const {
        const TMove answer = Answer();
        for (int d = 1; d <= 9; ++d)
            if (d != answer.Digit && game->Board().CanPlace(answer.Col, answer.Row, d))
                return {answer.Col, answer.Row, d};
        return {};
    }
    TMove WrongCell() const {
        const TMove answer = Answer();
        const TBoard& board = game->Board();
        for (int i = 0; i < 81; ++i) {
            const TCell c{i % 9, i / 9};
            if (c == answer.Cell() || board.Matrix().GetValue(c.Col, c.Row) != 0) continue;
            if (board.CanPlace(c.Col, c.Row, answer.Digit)) return {c.Col, c.Row, answer.Digit};
        }
        return {};
    }
};
