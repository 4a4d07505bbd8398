// Between rounds: the player dialog (continue, change or add a player, a new journey on
// arrival) and the help page.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <deque>
#include <functional>

#include "board/sudoku.h"
#include "journey/character_dialog.h"
#include "journey/fake_dialogs.h"
#include "journey/help_document.h"
#include "journey/main_window.h"
#include "journey/player_dialog.h"
#include "journey/round_rules.h"
#include "journey/route_panel.h"
#include "journey/route_tables.h"
#include "journey/window_test_support.h"
#include "platform/clock.h"
#include "platform/document_opener.h"
#include "storage/data_file.h"
#include "storage/storage_test_support.h"

namespace {

class FakeOpener final : public TDocumentOpener {
  public:
    bool associated = true;
    std::vector<QString> opened;
    bool HasAssociatedProgram(const QString&) const override { return associated; }
    bool Open(const QString& path) override {
        opened.push_back(path);
        return true;
    }
};

struct DialogTest : ::testing::Test, TGameFolder {
    TFakeDialogs dialogs;
    TManualClock clock;
    FakeOpener opener;
    std::unique_ptr<TForm1> window;
    // What the player does in each opening of the player dialog; by default, closes it.
    std::deque<std::function<int(TForm2&)>> inDialog;

    void Open(const QStringList& players) {
        if (!players.isEmpty()) WritePlayers(players);
        TServices services;
        services.Dialogs = &dialogs;
        services.Clock = &clock;
        services.Opener = &opener;
        services.DataFile = DataFile();
        services.HelpFile = HelpFile();
        window = std::make_unique<TForm1>(services);
        window->SetPaced(false);
        EXPECT_EQ(window->EventTimer().interval(), 30);
        // The deferred start waits for the test, however slow the machine.
        window->EventTimer().setInterval(3'600'000);
        dialogs.OnModal = [this](QDialog& shown) -> int {
            auto* dialog = dynamic_cast<TForm2*>(&shown);
            if (!dialog) return QDialog::Accepted;  // the character dialog: the level's first
            if (inDialog.empty()) return QDialog::Rejected;
            const auto step = inDialog.front();
            inDialog.pop_front();
            return step(*dialog);
        };
    }
    // Shows the window: the player dialog opens once the board is laid out.
    void Start() {
        window->show();
        Settle();
    }
    TForm2& Dialog() { return window->PlayerDialog(); }

    // In the dialog: the player chosen in the menu, then continue.
    static std::function<int(TForm2&)> Choose(const QString& name) {
        return [name](TForm2& dialog) {
            EXPECT_TRUE(ChoosePlayerInMenu(dialog, name));
            return int(QDialog::Accepted);
        };
    }

    // Menu items after the separator: one per player.
    QStringList PlayerItems() {
        QStringList names;
        bool afterBar = false;
        for (QAction* action : Dialog().pmCangeUser->actions()) {
            if (afterBar) names << action->text();
            afterBar |= action == Dialog().miNewUserBar;
        }
        return names;
    }
};

const QString kArrivedLevel0 = QStringLiteral("Hana=0,54,\"3,52\",\"2026/12/01 10:00:00\",1");

}  // namespace

TEST_F(DialogTest, TheMenuListsEveryPlayerOnceAndNewUserFirst) {
    Open({});
    emit Dialog().pmCangeUser->aboutToShow();
    EXPECT_TRUE(PlayerItems().isEmpty());
    EXPECT_EQ(Dialog().pmCangeUser->actions().first()->text(), QStringLiteral("新規追加 new user"));

    Open({"A=0,1,,\"2026/1/1 0:00:00\",0", "B=1,2,,\"2026/1/1 0:00:00\",3"});
    emit Dialog().pmCangeUser->aboutToShow();
    emit Dialog().pmCangeUser->aboutToShow();
    EXPECT_EQ(PlayerItems(), (QStringList{"A", "B"}));
}

TEST_F(DialogTest, ChoosingAPlayerShowsTheirJourneyAndStartsTheRound) {
    Open({"A=0,1,,\"2026/1/1 0:00:00\",0", "B=1,12,,\"2026/1/1 0:00:00\",4"});
    inDialog = {[](TForm2& dialog) {
        EXPECT_FALSE(dialog.btOK->isEnabled());
        EXPECT_EQ(dialog.btOK->text(), QStringLiteral("はじめる start"));
        EXPECT_TRUE(dialog.lbLevel->text().isEmpty());  // nobody chosen yet
        EXPECT_TRUE(ChoosePlayerInMenu(dialog, QStringLiteral("B")));
        EXPECT_TRUE(dialog.btOK->isEnabled());
        EXPECT_EQ(dialog.ShownStation(), 12);
        EXPECT_EQ(dialog.lbCharactor->text(), QStringLiteral("商人"));
        EXPECT_EQ(dialog.lbLevel->text(), QStringLiteral("急ぎ旅（中級）"));
        return int(QDialog::Accepted);
    }};
    Start();
    EXPECT_EQ(window->CurrentUser(), 1);
    EXPECT_TRUE(window->EventTimer().isActive());
    EXPECT_EQ(window->Round().State(), TRoundState::Idle);
    // The round starts once the timer fires.
    Fire(window->EventTimer());
    EXPECT_TRUE(window->CountdownTimer().isActive());
}

TEST_F(DialogTest, EachOpeningShowsTheCurrentPlayer) {
    Open({"A=0,7,\"3,52\",\"2026/1/1 0:00:00\",0", "B=1,12,\"5,40\",\"2026/1/1 0:00:00\",4"});
    inDialog = {Choose(QStringLiteral("A")),
                // B looked at in the menu, then the dialog closed.
                [](TForm2& dialog) {
                    EXPECT_TRUE(ChoosePlayerInMenu(dialog, QStringLiteral("B")));
                    return int(QDialog::Rejected);
                },
                [](TForm2& dialog) {
                    EXPECT_EQ(dialog.lbSelect->text(), QStringLiteral("A"));
                    EXPECT_EQ(dialog.ShownStation(), 7);
                    EXPECT_EQ(dialog.lbCharactor->text(), CharacterName(0));
                    EXPECT_EQ(dialog.lbLevel->text(), LevelName(0));
                    EXPECT_EQ(dialog.btOK->text(), QStringLiteral("つづける continue"));
                    return int(QDialog::Rejected);
                }};
    Start();
    window->OpenDlgAction().trigger();
    window->OpenDlgAction().trigger();
    EXPECT_TRUE(inDialog.empty());
    EXPECT_EQ(window->CurrentUser(), 0);
}

TEST_F(DialogTest, AddingAnExistingNameSelectsThatPlayerWithTheNewCharacter) {
    Open({"A=0,7,\"3,52\",\"2026/1/1 0:00:00\",0"});
    dialogs.Inputs = {QStringLiteral("A")};
    dialogs.OnModal = [&](QDialog& shown) {
        if (auto* characters = dynamic_cast<TForm3*>(&shown))
            characters->CharacterButton(2)->click();
        return QDialog::Accepted;
    };
    Dialog().newuser1->trigger();
    EXPECT_EQ(window->Players().Count(), 1);
    EXPECT_EQ(Dialog().SelectedUser, 0);
    EXPECT_EQ(window->Players().Items(0).Character, 2);
    EXPECT_EQ(Dialog().NewUserName, QStringLiteral("A"));
    EXPECT_TRUE(Dialog().btOK->isEnabled());
    EXPECT_EQ(Dialog().ShownStation(), 7);  // the player's own station
}

TEST_F(DialogTest, ANewNameThatCannotBeKeptIsRefused) {
    Open({});
    dialogs.Inputs = {QStringLiteral("[boss]")};
    Dialog().newuser1->trigger();
    EXPECT_EQ(window->Players().Count(), 0);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_TRUE(dialogs.Messages[0].contains(QStringLiteral("[")));
}

TEST_F(DialogTest, NoFurtherJourneyAfterTheAdvancedOne) {
    Open({"Old=2,54,\"3,52\",\"2026/1/1 0:00:00\",7"});
    inDialog = {Choose(QStringLiteral("Old"))};
    Start();
    EXPECT_EQ(dialogs.Messages,
              std::vector<QString>{QStringLiteral("もうこれ以上の旅はありません")});
    EXPECT_FALSE(window->EventTimer().isActive());
    EXPECT_EQ(window->Players().Items(0).Level, 2);
    EXPECT_EQ(window->Players().Items(0).Station, 54);
}

TEST_F(DialogTest, ArrivalStartsTheNextJourneyEvenWhenTheAnswerIsNo) {
    Open({kArrivedLevel0});
    inDialog = {Choose(QStringLiteral("Hana"))};
    dialogs.Answers = {TAnswer::No};
    Start();
    ASSERT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_TRUE(dialogs.Questions[0].startsWith(
        QStringLiteral("ぶらり遊山の旅（初級） の目的地に到着です")));
    EXPECT_TRUE(
        dialogs.Questions[0].contains(QStringLiteral("つづけて 急ぎ旅（中級） を始めますか？")));
    EXPECT_FALSE(window->EventTimer().isActive());
    const TSenkaroUser& user = window->Players().Items(0);
    EXPECT_EQ(user.Level, 1);
    EXPECT_EQ(user.Station, 0);
    // The new journey shows at once: its level, checkpoints, character and position.
    EXPECT_EQ(window->Journey().LevelLabel().text(), QStringLiteral("急ぎ旅（中級）"));
    EXPECT_EQ(window->CheckpointList().size(), 12u);
    EXPECT_EQ(user.Character, 3);
    EXPECT_EQ(window->ShownStation(), 0);
    EXPECT_TRUE(
        window->Journey().PositionLabel().text().startsWith(QStringLiteral("現在 江戸日本橋")));

    // The next confirmation asks nothing more and starts a round of the new level.
    const auto checkpoints = window->CheckpointList();
    inDialog = {[](TForm2&) { return int(QDialog::Accepted); }};
    window->OpenDlgAction().trigger();
    EXPECT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_EQ(window->CheckpointList(), checkpoints);
    ASSERT_TRUE(window->EventTimer().isActive());
    Fire(window->EventTimer());
    EXPECT_EQ(window->Round().TimeLimit(), TimeLimitMs(window->Round().PuzzleKind(), 1));
}

TEST_F(DialogTest, ClosingTheDialogChangesNothing) {
    Open({kArrivedLevel0});
    Start();  // the dialog is closed with Cancel
    EXPECT_TRUE(dialogs.Questions.empty());
    EXPECT_EQ(window->Players().Items(0).Level, 0);
    EXPECT_FALSE(window->EventTimer().isActive());
}

TEST_F(DialogTest, HelpMessages) {
    Open({});
    window->HelpAction().trigger();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0], QStringLiteral("ファイルがありません\r\n\r\n") + HelpFile());

    QFile file(HelpFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html></html>");
    file.close();
    opener.associated = false;
    Dialog().SpeedButton1->click();  // the dialog's own help button
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(
        dialogs.Messages[1],
        QStringLiteral("senkaro.html\r\n\r\nこのファイルを開けるアプリケーションがありません"));
    EXPECT_TRUE(opener.opened.empty());

    opener.associated = true;
    window->HelpAction().trigger();
    EXPECT_EQ(opener.opened, std::vector<QString>{HelpFile()});
}

TEST(HelpDocument, IsFoundBesideTheProgramOrWhereAnInstallPutsIt) {
    // A tree like an unpacked package: root/usr/games/senkaro, root/usr/share/senkaro/.
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("usr/games")));
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("usr/share/senkaro")));
    const QString games = root.filePath(QStringLiteral("usr/games"));
    const QString beside = games + QStringLiteral("/senkaro.html");
    const QString installed = root.filePath(QStringLiteral("usr/share/senkaro/senkaro.html"));
    const auto touch = [](const QString& name) {
        QFile file(name);
        return file.open(QIODevice::WriteOnly);
    };

    EXPECT_EQ(HelpFileFor(games), beside);  // nowhere: the message names the first place
    ASSERT_TRUE(touch(installed));
    EXPECT_EQ(HelpFileFor(games), installed);
    ASSERT_TRUE(touch(beside));
    EXPECT_EQ(HelpFileFor(games), beside);  // a build tree's page wins
}
