// The game without a window: rounds judged and recorded, the player moved along the road,
// what comes after a round (the explanation, the player dialog, the arrival at Kyoto), the
// closing rule, and which command each state takes. The clock is a number the test moves; the
// data file lives in a fresh folder; moves are placed on the game's own board, as a drop would.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>

#include "journey/game_fixture.h"
#include "journey/round_rules.h"

TEST_F(GameTest, ARoundOfTheLevelAndStationStartsWithItsCountdown) {
    struct Case {
        int level, station;
        std::set<int> kinds;
    };
    for (const Case& c : {Case{0, 0, {1}}, Case{0, 7, {1, 2, 3}}, Case{2, 8, {4, 5, 6}}}) {
        const TGameReply reply = Begin(c.level, c.station);
        ASSERT_EQ(game->State(), TGameState::Running);
        const int kind = game->Round().PuzzleKind();
        EXPECT_TRUE(c.kinds.count(kind)) << c.level << " " << c.station << " kind " << kind;
        EXPECT_EQ(game->Round().TimeLimit(), TimeLimitMs(kind, c.level));
        EXPECT_TRUE(reply.RoundStarted);
        EXPECT_EQ(reply.Cue, 3);
        EXPECT_EQ(reply.Countdown, CountdownCaption(TimeLimitMs(kind, c.level)));
        // The puzzle's givens are fixed, its answer cell empty, and the player's moves are
        // recorded as technique 0.
        EXPECT_EQ(game->Board().FixedPos(), game->Board().Count());
        EXPECT_EQ(game->Board().Matrix().GetValue(Answer().Col, Answer().Row), 0);
        EXPECT_EQ(game->Board().CurrentTechnique(), 0);
    }
}

TEST_F(GameTest, EveryJudgedMoveMovesThePlayerAsTheRulesSay) {
    enum class How { Right, WrongDigit, WrongCell, Late, TimeUp };
    struct Case {
        const char* name;
        int level, station;
        How how;
        int stationAfter, cue;
        TRoundResult result;
    };
    const Case cases[] = {
        {"a right move", 0, 3, How::Right, 4, 1, TRoundResult::Ok},
        {"to a checkpoint", 0, 4, How::Right, 5, 0, TRoundResult::Ok},
        {"to Kyoto", 0, 53, How::Right, 54, 0, TRoundResult::Ok},
        {"a wrong digit in the answer's cell", 2, 8, How::WrongDigit, 7, 2, TRoundResult::Wrong},
        {"the digit in another cell", 0, 8, How::WrongCell, 7, 2, TRoundResult::Wrong},
        {"wrong, at a checkpoint", 0, 5, How::WrongCell, 5, 2, TRoundResult::Wrong},
        {"right, after the limit", 0, 8, How::Late, 7, 2, TRoundResult::Timeout},
        {"the time ran out", 1, 10, How::TimeUp, 9, 2, TRoundResult::Timeout},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Begin(c.level, c.station);
        const TMove answer = Answer();
        clock.now += 4321;
        TGameReply judged, ended;
        switch (c.how) {
            case How::Right:
                std::tie(judged, ended) = Play(answer);
                break;
            case How::WrongDigit:
                std::tie(judged, ended) = Play(WrongDigit());
                break;
            case How::WrongCell:
                std::tie(judged, ended) = Play(WrongCell());
                break;
            case How::Late:
                clock.now += game->Round().TimeLimit();
                std::tie(judged, ended) = Play(answer);
                break;
            case How::TimeUp:
                clock.now += game->Round().TimeLimit();
                ended = game->Tick();
                break;
        }
        ASSERT_TRUE(ended.Taken);
        EXPECT_EQ(game->State(), TGameState::Judged);
        EXPECT_EQ(Player().Station, c.stationAfter);
        EXPECT_EQ(Saved().Station, c.stationAfter);
        EXPECT_EQ(Player().Updated, 46000.5);  // the wall clock the game was given
        const TJudgement& judgement = game->LastJudgement();
        EXPECT_EQ(judgement.StationBefore, c.station);
        EXPECT_EQ(judgement.StationAfter, c.stationAfter);
        EXPECT_EQ(judgement.AtCheckpoint, c.result != TRoundResult::Ok && c.station == 5);
        EXPECT_EQ(ended.Saved, true);
        EXPECT_EQ(ended.Cue, c.cue);
        EXPECT_TRUE(ended.OfferExplanation);
        EXPECT_TRUE(ended.JourneyChanged);
        const bool wrong = c.result == TRoundResult::Wrong;
        EXPECT_EQ(judged.Beep, wrong);
        EXPECT_EQ(ended.Messages,
                  wrong ? std::vector<QString>{kWrongMove} : std::vector<QString>{});
        if (c.result == TRoundResult::Timeout) {
            EXPECT_EQ(judged.Countdown.value_or(ended.Countdown.value_or("")), QStringLiteral("0"));
        }
        // The answer stands on the board and its piece is circled: the player's if right, the
        // board's own in place of a wrong or late move.
        const TBoard& board = game->Board();
        EXPECT_EQ(board.Matrix().GetValue(answer.Col, answer.Row), answer.Digit);
        EXPECT_EQ(ended.CirclePiece, board.PieceAt(answer.Col, answer.Row));
        EXPECT_EQ(board.Count(), board.FixedPos() + 1);
        const std::optional<TRoundRecord> record =
            game->Records().Items(game->Records().Count() - 1);
        ASSERT_TRUE(record);
        EXPECT_EQ(record->Result, c.result);
        EXPECT_EQ(record->Station, c.station);
        EXPECT_EQ(record->When, 46000.5);
        const bool timedOut = c.how == How::Late || c.how == How::TimeUp;
        EXPECT_EQ(record->Ms, timedOut ? game->Round().TimeLimit() : 4321);
    }
}

TEST_F(GameTest, TheRecordKeepsTheTechniqueTheExplanationNames) {
    // Kinds 2-4 at level 1: some answers are found by a deeper search than the explanation
    // needs, which names the simpler technique.
    Choose(1, 8);
    int differed = 0;
    for (int round = 0; round < 40; ++round) {
        ASSERT_TRUE(game->Start().RoundStarted);
        const std::optional<TFoundAnswer> found = game->Board().FindAnswer();
        ASSERT_TRUE(found);
        const TExplanation& explanation = game->RoundExplanation();
        const int named = explanation.Explained() ? explanation.Technique() : found->Technique;
        differed += named != found->Technique;
        PlayTheAnswer();
        EXPECT_EQ(game->AnswerTechnique(), named);
        EXPECT_EQ(game->Records().Items(round)->Technique, named);
        game->ExplanationDone();
        game->PlayerChosen({true, 0, {}});
    }
    EXPECT_GT(differed, 0);
}

TEST_F(GameTest, PausesNeitherShortenNorStretchTheRound) {
    Begin(0, 0);
    clock.now += 10000;
    EXPECT_TRUE(game->Pause().Taken);
    EXPECT_EQ(game->State(), TGameState::Paused);
    clock.now += 3'600'000;
    EXPECT_EQ(game->Resume().Countdown, QStringLiteral("1:58"));
    EXPECT_EQ(game->NextTickDelay(), 1000);

    // Pause and resume every 0.8 s: the round still ends after its 128 s of play.
    Begin(0, 8);
    int toggles = 0;
    TGameReply last;
    while (game->State() == TGameState::Running || game->State() == TGameState::Paused) {
        clock.now += 800;
        last = game->State() == TGameState::Paused ? game->Resume() : game->Pause();
        ++toggles;
    }
    EXPECT_EQ(toggles, 2 * 128000 / 800 - 1);
    EXPECT_EQ(last.Verdict, TVerdict::TimeOut);
    EXPECT_EQ(Player().Station, 7);
    EXPECT_EQ(game->Records().Items(0)->Ms, 128000);
}

TEST_F(GameTest, EachStateTakesItsOwnCommandsAndNoOther) {
    using C = TCommand;
    using S = TGameState;
    // The ways into each state.
    const std::map<S, std::function<void()>> reach = {
        {S::Opening, [&] { Load({PlayerLine(kPlayer, 0, 8, "5,20,52", 0)}); }},
        {S::FirstStart, [&] { WritePlayers({}), Load(), game->Activated(); }},
        {S::PlayerDialog,
         [&] { Load({PlayerLine(kPlayer, 0, 8, "5,20,52", 0)}), game->Activated(); }},
        {S::BetweenRounds, [&] { Choose(0, 8); }},
        {S::ChoosingCharacter,
         [&] {
             Load({PlayerLine(kPlayer, 1, 0, "", 1)}), game->Activated();
             game->PlayerChosen({true, 0, {}});
         }},
        {S::Arrived,
         [&] {
             Load({PlayerLine(kPlayer, 0, 54, "5,20,52", 0)}), game->Activated();
             game->PlayerChosen({true, 0, {}});
         }},
        {S::Running, [&] { Begin(0, 8); }},
        {S::Paused, [&] { Begin(0, 8), game->Pause(); }},
        {S::CloseAsked, [&] { Begin(0, 8), clock.now += 75000, game->CloseRequested(); }},
        {S::Judging, [&] { Begin(0, 8), Drop(Answer()); }},
        {S::Judged, [&] { Begin(0, 8), PlayTheAnswer(); }},
        {S::Closed, [&] { Choose(0, 8), game->CloseRequested(); }},
        {S::PracticePicker, [&] { Choose(0, 8), game->OpenPractice(); }},
        {S::PracticeWaiting,
         [&] {
             Choose(0, 8), source.Ready = false, game->OpenPractice();
             game->PracticeChosen(TPracticeChoice::Of(8));
         }},
        {S::PracticeRunning, [&] { Practise(4); }},
        {S::PracticePaused, [&] { Practise(4), game->Pause(); }},
        {S::PracticeJudging, [&] { Practise(4), Drop(Answer()); }},
        {S::PracticeJudged, [&] { Practise(4), PlayTheAnswer(); }},
    };
    const std::map<S, std::set<C>> takes = {
        {S::Opening, {C::Activated, C::CloseRequested}},
        {S::FirstStart, {C::FirstPlayerAdded, C::CloseRequested}},
        {S::PlayerDialog, {C::PlayerChosen, C::CloseRequested}},
        {S::BetweenRounds,
         {C::Start, C::OpenPlayerDialog, C::OpenRecords, C::OpenPractice, C::CloseRequested}},
        {S::ChoosingCharacter, {C::CharacterChosen, C::CloseRequested}},
        {S::Arrived, {C::ArrivalAnswered, C::CloseRequested}},
        {S::Running, {C::PlayerMoved, C::Tick, C::Pause, C::CloseRequested}},
        {S::Paused, {C::Resume, C::CloseRequested}},
        {S::CloseAsked, {C::CloseAnswered}},
        {S::Judging, {C::EndRound}},
        {S::Judged,
         {C::Start, C::OpenPlayerDialog, C::OpenRecords, C::OpenPractice, C::ExplanationDone,
          C::Why, C::CloseRequested}},
        {S::Closed, {C::CloseRequested}},
        {S::PracticePicker, {C::PracticeChosen, C::CloseRequested}},
        {S::PracticeWaiting, {C::Tick, C::LeavePractice, C::CloseRequested}},
        {S::PracticeRunning,
         {C::PlayerMoved, C::Tick, C::Pause, C::Hint, C::LeavePractice, C::CloseRequested}},
        {S::PracticePaused, {C::Resume, C::LeavePractice, C::CloseRequested}},
        {S::PracticeJudging, {C::EndRound}},
        {S::PracticeJudged, {C::NextPractice, C::LeavePractice, C::Why, C::CloseRequested}},
    };
    // Each command as the window would give it.
    const TPlacedMove move{0, {0, 0, 1}, TMoveOrigin::Player};
    const std::map<C, std::function<TGameReply()>> command = {
        {C::Activated, [&] { return game->Activated(); }},
        {C::FirstPlayerAdded, [&] { return game->FirstPlayerAdded(QStringLiteral("B"), 0); }},
        {C::OpenPlayerDialog, [&] { return game->OpenPlayerDialog(); }},
        {C::PlayerChosen,
         [&] {
             return game->PlayerChosen({true, 0, {}});
         }},
        {C::CharacterChosen, [&] { return game->CharacterChosen(3); }},
        {C::ArrivalAnswered, [&] { return game->ArrivalAnswered(true); }},
        {C::Start, [&] { return game->Start(); }},
        {C::PlayerMoved, [&] { return game->PlayerMoved(move); }},
        {C::EndRound, [&] { return game->EndRound(); }},
        {C::Tick, [&] { return game->Tick(); }},
        {C::Pause, [&] { return game->Pause(); }},
        {C::Resume, [&] { return game->Resume(); }},
        {C::CloseRequested, [&] { return game->CloseRequested(); }},
        {C::CloseAnswered, [&] { return game->CloseAnswered(true); }},
        {C::ExplanationDone, [&] { return game->ExplanationDone(); }},
        {C::Why, [&] { return game->Why(); }},
        {C::OpenRecords, [&] { return game->OpenRecords(); }},
        {C::OpenPractice, [&] { return game->OpenPractice(); }},
        {C::PracticeChosen, [&] { return game->PracticeChosen(TPracticeChoice::Of(4)); }},
        {C::Hint, [&] { return game->Hint(); }},
        {C::NextPractice, [&] { return game->NextPractice(); }},
        {C::LeavePractice, [&] { return game->LeavePractice(); }},
    };
    for (const auto& [state, into] : reach) {
        into();
        ASSERT_EQ(game->State(), state) << static_cast<int>(state);
        const auto station = [&] { return game->Players().Count() ? Player().Station : -1; };
        const int stationBefore = station();
        const int records = game->Records().Count();
        for (const auto& [c, call] : command) {
            const bool expected = takes.at(state).count(c) > 0;
            EXPECT_EQ(game->Takes(c), expected)
                << "state " << static_cast<int>(state) << " command " << static_cast<int>(c);
            if (expected) continue;
            // Refused: nothing changes.
            EXPECT_FALSE(call().Taken) << static_cast<int>(state) << " " << static_cast<int>(c);
            EXPECT_EQ(game->State(), state);
        }
        EXPECT_EQ(station(), stationBefore);
        EXPECT_EQ(game->Records().Count(), records);
    }
    // A program's move (the board's own solver) is never judged.
    Begin(0, 8);
    EXPECT_FALSE(game->PlayerMoved({0, Answer(), TMoveOrigin::Program}).Taken);
    EXPECT_EQ(game->State(), TGameState::Running);
}

TEST_F(GameTest, ArrivingAtKyotoAsksBeforeAnythingElseAndNoRoundIsPlayedThere) {
    struct Case {
        const char* asked;
        std::function<TGameReply(TGame&)> command;
        bool setOut;
        TOpen opensAfter;
        bool roundSoon;
    };
    const Case cases[] = {
        {"Start", &TGame::Start, true, TOpen::Nothing, true},
        {"continue", &TGame::ExplanationDone, true, TOpen::PlayerDialog, false},
        {"the dialog", &TGame::OpenPlayerDialog, true, TOpen::PlayerDialog, false},
        {"the records", &TGame::OpenRecords, true, TOpen::Records, false},
        {"Start, then No", &TGame::Start, false, TOpen::Nothing, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked);
        Begin(0, 53);
        PlayTheAnswer();
        ASSERT_EQ(Player().Station, 54);
        const TGameReply asked = c.command(*game);
        EXPECT_EQ(game->State(), TGameState::Arrived);
        EXPECT_EQ(asked.Open, TOpen::ArrivalQuestion);
        EXPECT_TRUE(
            asked.Question.startsWith(QStringLiteral("ぶらり遊山の旅（初級） の目的地に到着です")));
        EXPECT_FALSE(game->Takes(TCommand::Start));

        // The next journey begins whatever the answer, with a character of its level.
        const TGameReply answered = game->ArrivalAnswered(c.setOut);
        EXPECT_EQ(Player().Level, 1);
        EXPECT_EQ(Player().Station, 0);
        EXPECT_EQ(game->CheckpointList().size(), 12u);
        ASSERT_EQ(answered.Open, TOpen::CharacterDialog);
        EXPECT_EQ(answered.CharacterLevel, 1);
        const TGameReply chosen = game->CharacterChosen(8);  // not of level 1: its first
        EXPECT_EQ(Player().Character, 3);
        EXPECT_EQ(Saved().Level, 1);
        EXPECT_EQ(Saved().Character, 3);
        EXPECT_EQ(chosen.Open, c.opensAfter);
        EXPECT_EQ(chosen.StartSoon, c.roundSoon);
        if (c.roundSoon) {
            ASSERT_TRUE(game->Start().RoundStarted);
            EXPECT_EQ(game->Round().TimeLimit(), TimeLimitMs(game->Round().PuzzleKind(), 1));
        }
        // No question again, and no round was ever played at the destination.
        for (int i = 0; i < game->Records().Count(); ++i)
            EXPECT_LT(game->Records().Items(i)->Station, 54);
    }
}

TEST_F(GameTest, ArrivalFromTheSavedFileAndAfterTheLastJourney) {
    // Chosen in the dialog at Kyoto, answered No: the next journey shows, no round; the next
    // continue asks nothing and plays at the new level.
    Load({PlayerLine(kPlayer, 0, 54, "3,52", 1)});
    game->Activated();
    EXPECT_EQ(game->PlayerChosen({true, 0, {}}).Open, TOpen::ArrivalQuestion);
    TGameReply no = game->ArrivalAnswered(false);
    no.Append(game->CharacterChosen(4));
    EXPECT_FALSE(no.StartSoon);
    EXPECT_EQ(game->State(), TGameState::BetweenRounds);
    EXPECT_EQ(game->CurrentUser(), 0);
    EXPECT_EQ(Player().Level, 1);
    ASSERT_EQ(game->OpenPlayerDialog().Open, TOpen::PlayerDialog);
    EXPECT_TRUE(game->PlayerChosen({true, 0, {}}).StartSoon);

    // At the end of the advanced journey there is nothing to set out on.
    Load({PlayerLine(kPlayer, 2, 54, "3,52", 7)});
    game->Activated();
    TGameReply chosen = game->PlayerChosen({true, 0, {}});
    EXPECT_EQ(chosen.Messages, std::vector<QString>{kNoFurtherJourney});
    EXPECT_FALSE(chosen.StartSoon);
    EXPECT_EQ(game->CurrentUser(), 0);  // current, with nothing to start
    EXPECT_FALSE(game->Start().RoundStarted);
    EXPECT_EQ(Player().Level, 2);
    EXPECT_EQ(Player().Station, 54);
}

TEST_F(GameTest, TheDialogsChoicesAreCarriedOutAndSaved) {
    Load({PlayerLine(QStringLiteral("A"), 1, 7, "3,52", 3)});
    game->Activated();
    // Added and closed: both stand, saved; a name already there gets the new character.
    TGameReply closed =
        game->PlayerChosen({false, 1, {{QStringLiteral("B"), 2}, {QStringLiteral("A"), 4}}});
    EXPECT_EQ(closed.Saved, true);
    EXPECT_FALSE(closed.StartSoon);
    ASSERT_EQ(game->Players().Count(), 2);
    EXPECT_EQ(game->Players().Items(0).Character, 4);
    EXPECT_EQ(Saved(1).Name, QStringLiteral("B"));
    EXPECT_EQ(Saved(1).Character, 2);
    // The chosen player stays current, their journey's checkpoints drawn and saved: their
    // records open before any round.
    EXPECT_EQ(game->CurrentUser(), 1);
    EXPECT_EQ(game->CheckpointList().size(), 15u);
    EXPECT_EQ(Saved(1).Checkpoints, game->Players().Items(1).Checkpoints);
    EXPECT_EQ(game->OpenRecords().Open, TOpen::Records);

    // Continued: a round soon.
    ASSERT_EQ(game->OpenPlayerDialog().Open, TOpen::PlayerDialog);
    EXPECT_TRUE(game->PlayerChosen({true, 1, {}}).StartSoon);
}

TEST_F(GameTest, TheFirstPlayerIsAddedAndTheirFirstRoundStartsAtOnce) {
    Load();
    EXPECT_EQ(game->Activated().Open, TOpen::FirstPlayer);
    const TGameReply reply = game->FirstPlayerAdded(QStringLiteral("花子"), 2);
    EXPECT_TRUE(reply.RoundStarted);
    EXPECT_EQ(game->State(), TGameState::Running);
    EXPECT_EQ(game->Round().PuzzleKind(), 1);
    EXPECT_EQ(game->CheckpointList().size(), 15u);
    EXPECT_EQ(Saved().Name, QStringLiteral("花子"));
    EXPECT_EQ(Saved().Character, 2);
}

TEST_F(GameTest, ClosingDuringARound) {
    enum class Then { Nothing, Cancel, Yes };
    struct Case {
        const char* name;
        int station;
        std::int64_t played, pausedFor;
        bool asked;
        Then then;
        int stationAfter;
    };
    const Case cases[] = {
        {"in the first minute", 8, 59999, 0, false, Then::Nothing, 8},
        {"later at a checkpoint", 20, 60000, 0, false, Then::Nothing, 20},
        {"after a long pause", 8, 30000, 600000, false, Then::Nothing, 8},
        {"later, cancelled", 8, 75000, 0, true, Then::Cancel, 8},
        {"later, paused, cancelled", 8, 75000, 1, true, Then::Cancel, 8},
        {"later, given up", 8, 75000, 0, true, Then::Yes, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Begin(0, c.station);
        clock.now += c.played;
        if (c.pausedFor > 0) game->Pause(), clock.now += c.pausedFor;
        const TGameReply asked = game->CloseRequested();
        EXPECT_EQ(asked.Open == TOpen::CloseQuestion, c.asked);
        EXPECT_EQ(asked.CloseNow, !c.asked);
        if (c.then == Then::Cancel) {
            EXPECT_FALSE(game->CloseAnswered(false).CloseNow);
            EXPECT_EQ(game->State(), c.pausedFor > 0 ? TGameState::Paused : TGameState::Running);
        } else if (c.then == Then::Yes) {
            EXPECT_TRUE(game->CloseAnswered(true).CloseNow);
            EXPECT_EQ(game->Records().Items(0)->Result, TRoundResult::GaveUp);
            EXPECT_EQ(game->Records().Items(0)->Ms, 75000);
        }
        EXPECT_EQ(Player().Station, c.stationAfter);
        EXPECT_EQ(Saved().Station, c.stationAfter);
    }
    // Between rounds the window closes at once; while a move is judged it waits.
    Choose(0, 8);
    EXPECT_TRUE(game->CloseRequested().CloseNow);
}

TEST_F(GameTest, WhatStorageSaysComesWithTheNextReply) {
    WriteBytes(DataFile(), Bytes{'n', 'o', 't', ' ', 'a', ' ', 'g', 'a', 'm', 'e'});
    Load();
    const TGameReply first = game->Activated();
    ASSERT_FALSE(first.Messages.empty());
    EXPECT_EQ(first.Open, TOpen::FirstPlayer);
    EXPECT_TRUE(game->FirstPlayerAdded(QStringLiteral("A"), 0).Messages.empty());
}

TEST(ProgressText, SaysHowTheRoundMovedThePlayer) {
    using V = TVerdict;
    struct Case {
        TJudgement judgement;
        const char* text;
    };
    const Case cases[] = {
        {{V::Success, 1, 2, false}, "品川 → 川崎　Shinagawa → Kawasaki"},
        {{V::WrongMove, 8, 7, false}, "大磯 → 平塚　Ooiso → Hiratsuka"},
        {{V::TimeOut, 5, 5, true}, "関所なので戻りません at a checkpoint, no step back"},
        {{V::WrongMove, 0, 0, false}, "江戸日本橋のまま still at Edo Nihonbashi"},
        {{V::Success, 53, 54, false}, "京に着きました you have reached Kyoto"},
        // Practice moves nobody, at Kyoto too; a hint is told only with a success.
        {{V::Success, 8, 8, false, 4, true}, "修行 practice　ヒントあり with a hint"},
        {{V::WrongMove, 54, 54, false, 9, true}, "修行 practice"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ProgressText(c.judgement), QString::fromUtf8(c.text));
}
