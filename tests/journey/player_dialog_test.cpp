// Between rounds: the player dialog (continue, change or add a player, a new journey on
// arrival) and the help page.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "board/sudoku.h"
#include "journey/character_dialog.h"
#include "journey/fake_dialogs.h"
#include "journey/main_window.h"
#include "journey/player_dialog.h"
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

    void Open(const QStringList& players) {
        if (!players.isEmpty()) WritePlayers(players);
        TServices services;
        services.Dialogs = &dialogs;
        services.Clock = &clock;
        services.Opener = &opener;
        services.DataFile = DataFile();
        services.HelpFile = HelpFile();
        window = std::make_unique<TForm1>(services);
        window->Sudoku().SetPaced(false);
        window->Sudoku().Start();
    }

    // Menu items after the separator: one per player.
    QStringList PlayerItems() {
        TForm2& dialog = window->PlayerDialog();
        QStringList names;
        bool afterBar = false;
        for (QAction* action : dialog.pmCangeUser->actions()) {
            if (afterBar) names << action->text();
            afterBar |= action == dialog.miNewUserBar;
        }
        return names;
    }
};

const QString kArrivedLevel0 = QStringLiteral("Hana=0,54,\"3,52\",\"2026/12/01 10:00:00\",1");

}  // namespace

TEST_F(DialogTest, WithoutPlayersTheMenuHasOnlyTheNewUserItem) {
    Open({});
    window->PlayerDialog().pmCangeUserPopup();
    EXPECT_TRUE(PlayerItems().isEmpty());
    EXPECT_EQ(window->PlayerDialog().pmCangeUser->actions().first()->text(),
              QStringLiteral("新規追加 new user"));
}

TEST_F(DialogTest, TheMenuListsEveryPlayerOnce) {
    Open({"A=0,1,,\"2026/1/1 0:00:00\",0", "B=1,2,,\"2026/1/1 0:00:00\",3"});
    window->PlayerDialog().pmCangeUserPopup();
    window->PlayerDialog().pmCangeUserPopup();
    EXPECT_EQ(PlayerItems(), (QStringList{"A", "B"}));
}

TEST_F(DialogTest, ChoosingAPlayerShowsTheirJourney) {
    Open({"A=0,1,,\"2026/1/1 0:00:00\",0", "B=1,12,,\"2026/1/1 0:00:00\",4"});
    TForm2& dialog = window->PlayerDialog();
    dialogs.OnModal = [&](QDialog& shown) {
        if (&shown != &dialog) return QDialog::Accepted;
        EXPECT_FALSE(dialog.btOK->isEnabled());
        EXPECT_EQ(dialog.btOK->text(), QStringLiteral("はじめる start"));
        dialog.pmCangeUserPopup();
        dialog.UserItemClick(1, QStringLiteral("B"));
        EXPECT_TRUE(dialog.btOK->isEnabled());
        EXPECT_EQ(dialog.ShownStation(), 12);
        EXPECT_EQ(dialog.lbCharactor->text(), QStringLiteral("商人"));
        return QDialog::Accepted;
    };
    window->acOpenDlgExecute();
    EXPECT_EQ(window->CurrentUser(), 1);
    EXPECT_TRUE(window->EventTimer().isActive());
    EXPECT_EQ(window->EventTimer().interval(), 30);
    // The round starts once the timer fires.
    QTest::qWait(80);
    EXPECT_TRUE(window->CountdownTimer().isActive());
}

TEST_F(DialogTest, AddingAnExistingNameSelectsThatPlayerWithTheNewCharacter) {
    Open({"A=0,7,\"3,52\",\"2026/1/1 0:00:00\",0"});
    TForm2& dialog = window->PlayerDialog();
    dialogs.Inputs = {QStringLiteral("A")};
    dialogs.OnModal = [&](QDialog& shown) {
        if (auto* characters = dynamic_cast<TForm3*>(&shown))
            characters->CharacterButton(2)->click();
        return QDialog::Accepted;
    };
    dialog.newuser1Click();
    EXPECT_EQ(window->Users().Count(), 1);
    EXPECT_EQ(dialog.SelectedUser, 0);
    EXPECT_EQ(window->Users().Items(0).Character, 2);
    EXPECT_EQ(dialog.NewUserName, QStringLiteral("A"));
    EXPECT_TRUE(dialog.btOK->isEnabled());
}

TEST_F(DialogTest, ANewNameThatCannotBeKeptIsRefused) {
    Open({});
    dialogs.Inputs = {QStringLiteral("[boss]")};
    window->PlayerDialog().newuser1Click();
    EXPECT_EQ(window->Users().Count(), 0);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_TRUE(dialogs.Messages[0].contains(QStringLiteral("[")));
}

TEST_F(DialogTest, NoFurtherJourneyAfterTheAdvancedOne) {
    Open({"Old=2,54,\"3,52\",\"2026/1/1 0:00:00\",7"});
    window->SelectUser(0);
    dialogs.OnModal = [](QDialog&) { return QDialog::Accepted; };
    window->acOpenDlgExecute();
    EXPECT_EQ(dialogs.Messages,
              std::vector<QString>{QStringLiteral("もうこれ以上の旅はありません")});
    EXPECT_FALSE(window->EventTimer().isActive());
    EXPECT_EQ(window->Users().Items(0).Level, 2);
    EXPECT_EQ(window->Users().Items(0).Station, 54);
}

TEST_F(DialogTest, ArrivalStartsTheNextJourneyEvenWhenTheAnswerIsNo) {
    Open({kArrivedLevel0});
    window->SelectUser(0);
    dialogs.OnModal = [](QDialog&) { return QDialog::Accepted; };
    dialogs.Answers = {TAnswer::No};
    window->acOpenDlgExecute();
    ASSERT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_TRUE(dialogs.Questions[0].startsWith(
        QStringLiteral("ぶらり遊山の旅（初級） の目的地に到着です")));
    EXPECT_TRUE(
        dialogs.Questions[0].contains(QStringLiteral("つづけて 急ぎ旅（中級） を始めますか？")));
    EXPECT_FALSE(window->EventTimer().isActive());
    const TSenkaroUser& user = window->Users().Items(0);
    EXPECT_EQ(user.Level, 1);
    EXPECT_EQ(user.Station, 0);
    EXPECT_TRUE(user.Checkpoints.isEmpty());

    // The next confirmation asks nothing more, draws the new journey and starts a round.
    window->acOpenDlgExecute();
    EXPECT_EQ(dialogs.Questions.size(), 1u);
    EXPECT_EQ(window->CheckpointList().size(), 12u);
    EXPECT_EQ(window->Users().Items(0).Character, 3);
    EXPECT_TRUE(window->EventTimer().isActive());
}

TEST_F(DialogTest, ClosingTheDialogChangesNothing) {
    Open({kArrivedLevel0});
    window->SelectUser(0);
    window->acOpenDlgExecute();  // the fake closes it with Cancel
    EXPECT_TRUE(dialogs.Questions.empty());
    EXPECT_EQ(window->Users().Items(0).Level, 0);
    EXPECT_FALSE(window->EventTimer().isActive());
}

TEST_F(DialogTest, HelpMessages) {
    Open({});
    window->acHelpExecute();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0], QStringLiteral("ファイルがありません\r\n\r\n") + HelpFile());

    QFile file(HelpFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("<html></html>");
    file.close();
    opener.associated = false;
    window->acHelpExecute();
    ASSERT_EQ(dialogs.Messages.size(), 2u);
    EXPECT_EQ(
        dialogs.Messages[1],
        QStringLiteral("senkaro.html\r\n\r\nこのファイルを開けるアプリケーションがありません"));
    EXPECT_TRUE(opener.opened.empty());

    opener.associated = true;
    window->acHelpExecute();
    EXPECT_EQ(opener.opened, std::vector<QString>{HelpFile()});
}
