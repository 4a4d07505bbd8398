// The help page: where it is found, the desktop's program when one takes it, else the game's
// own help window (one, however often it is asked for; its pictures and links; Esc closes it).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>

#include "journey/character_dialog.h"
#include "journey/fake_dialogs.h"
#include "journey/game_dialogs.h"
#include "journey/help_document.h"
#include "journey/help_window.h"
#include "journey/main_window.h"
#include "journey/player_dialog.h"
#include "journey/window_test_support.h"
#include "platform/document_opener.h"

namespace {

// Answers as the desktop would: a program took the page, or none did.
class FakeOpener final : public TDocumentOpener {
  public:
    bool opens = true;
    std::vector<QString> asked;
    void Open(const QString& path, TDone done) override {
        asked.push_back(path);
        done(opens);
    }
};

// A page like the real one: anchors far apart, a picture in the page itself.
const char* kPage =
    "<html><body><p><a href=\"#end\">to the end</a></p>"
    "<img alt=\"dot\" width=\"4\" height=\"4\" src=\"data:image/png;base64,"
    "iVBORw0KGgoAAAANSUhEUgAAAAQAAAAECAIAAAAmkwkpAAAAEElEQVR4nGM44aAFRwzEcQD7YxMho/"
    "bBcQAAAABJRU5ErkJggg==\">"
    "%1<h2 id=\"end\">終わり end</h2></body></html>";

struct HelpTest : ::testing::Test, TGameFolder {
    TFakeDialogs dialogs;
    TManualClock clock;
    FakeOpener opener;
    std::unique_ptr<TForm1> window;

    void SetUp() override {
        WritePlayers({QStringLiteral("A=0,7,\"3,52\",\"2026/1/1 0:00:00\",0")});
        TServices services;
        services.Dialogs = &dialogs;
        services.Clock = &clock;
        services.Opener = &opener;
        services.DataFile = DataFile();
        services.HelpFile = HelpFile();
        window = std::make_unique<TForm1>(services);
        window->SetPaced(false);
        window->EventTimer().setInterval(3'600'000);
    }
    void WritePage() const {
        QFile file(HelpFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QString::fromUtf8(kPage).arg(QStringLiteral("<p>…</p>").repeated(300)).toUtf8());
    }
    // F1 as the window system delivers it, to the active game window with its board focused
    // (as after a click on it).
    void PressF1() {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return QGuiApplication::focusWindow() == window->windowHandle(); }));
        window->Sudoku().setFocus();
        QTest::keyClick(window->windowHandle(), Qt::Key_F1);
        Settle();
    }
    std::vector<THelpWindow*> HelpWindows() const {
        std::vector<THelpWindow*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* help = dynamic_cast<THelpWindow*>(w)) found.push_back(help);
        return found;
    }
    THelpWindow* ShownHelp() const {
        for (THelpWindow* help : HelpWindows())
            if (help->isVisible()) return help;
        return nullptr;
    }
};

TEST_F(HelpTest, AMissingPageIsAMessageAndABrowserOpensAPresentOne) {
    window->Actions().acHelp->trigger();
    Settle();
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(dialogs.Messages[0], QStringLiteral("ファイルがありません\r\n\r\n") + HelpFile());
    EXPECT_TRUE(opener.asked.empty());

    WritePage();
    window->Actions().acHelp->trigger();
    Settle();
    EXPECT_EQ(opener.asked, std::vector<QString>{HelpFile()});
    EXPECT_EQ(ShownHelp(), nullptr);  // the desktop's program has it
    EXPECT_EQ(dialogs.Messages.size(), 1u);
}

TEST_F(HelpTest, WithNoProgramF1ShowsOneHelpWindowWithThePage) {
    WritePage();
    opener.opens = false;
    PressF1();
    THelpWindow* help = ShownHelp();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->FileName(), HelpFile());
    EXPECT_TRUE(help->Browser().toPlainText().contains(QStringLiteral("終わり end")));
    EXPECT_TRUE(dialogs.Messages.empty());
    // The page's picture is in the page itself.
    const QVariant picture = help->Browser().document()->resource(
        QTextDocument::ImageResource, QUrl(help->Browser()
                                               .document()
                                               ->toHtml()
                                               .section(QStringLiteral("src=\""), 1)
                                               .section('"', 0, 0)));
    EXPECT_FALSE(picture.value<QImage>().isNull());

    // Again from the game and from the player dialog's own button: the same window.
    PressF1();
    window->Dialogs().PlayerDialog().SpeedButton1->click();
    Settle();
    EXPECT_EQ(HelpWindows().size(), 1u);
    EXPECT_EQ(ShownHelp(), help);
    EXPECT_EQ(opener.asked.size(), 3u);  // the desktop is asked each time: it may have one now
}

TEST_F(HelpTest, F1InEachDialogOpensThePageAsItsTooltipSays) {
    WritePage();
    TGameDialogs& shown = window->Dialogs();
    for (QDialog* dialog :
         std::initializer_list<QDialog*>{&shown.PlayerDialog(), &shown.CharacterDialog()}) {
        const std::size_t before = opener.asked.size();
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == dialog; }));
        QTest::keyClick(dialog->windowHandle(), Qt::Key_F1);
        // A button's shortcut presses it as a click the eye can follow, a moment later.
        EXPECT_TRUE(QTest::qWaitFor([&] { return opener.asked.size() == before + 1; }))
            << dialog->metaObject()->className();
        dialog->hide();
    }
}

TEST_F(HelpTest, TheHelpWindowsLinksMoveInThePageAndEscClosesIt) {
    WritePage();
    opener.opens = false;
    PressF1();
    THelpWindow* help = ShownHelp();
    ASSERT_NE(help, nullptr);
    QTextBrowser& browser = help->Browser();
    browser.setFocus();
    ASSERT_EQ(browser.verticalScrollBar()->value(), 0);
    // Tab to the link, Return follows it.
    QTest::keyClick(&browser, Qt::Key_Tab);
    QTest::keyClick(&browser, Qt::Key_Return);
    Settle();
    EXPECT_EQ(browser.source().fragment(), QStringLiteral("end"));
    EXPECT_GT(browser.verticalScrollBar()->value(), 1000);

    QTest::keyClick(&browser, Qt::Key_Escape);
    Settle();
    EXPECT_EQ(ShownHelp(), nullptr);
    PressF1();  // and it comes back
    EXPECT_EQ(ShownHelp(), help);
}

TEST(HelpDocument, WithoutAHelpWindowNoProgramIsAMessage) {
    QTemporaryDir folder;
    const QString page = folder.filePath(QStringLiteral("senkaro.html"));
    QFile file(page);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    TFakeDialogs dialogs;
    FakeOpener opener;
    opener.opens = false;
    OpenHelpDocument(page, dialogs, &opener, nullptr);
    ASSERT_EQ(dialogs.Messages.size(), 1u);
    EXPECT_EQ(
        dialogs.Messages[0],
        QStringLiteral("senkaro.html\r\n\r\nこのファイルを開けるアプリケーションがありません"));
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

}  // namespace
