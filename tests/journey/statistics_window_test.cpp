// The statistics window as the game opens it for the current player (a records reply through
// the game's dialogs), on records of journey and practice rounds read from the data file:
// practice shows on a tab of its own, per technique, and nowhere among the journey's figures.
#include <gtest/gtest.h>

#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>

#include "journey/fake_dialogs.h"
#include "journey/game.h"
#include "journey/game_dialogs.h"
#include "journey/game_test_support.h"
#include "journey/statistics_window.h"
#include "logic/technique_names.h"
#include "storage/storage_test_support.h"

namespace {

struct StatisticsWindowTest : ::testing::Test, TGameFolder {
    TManualClock clock;
    TFakeDialogs dialogs;
    QWidget parent;
    THelpPage help{QString(), &dialogs, nullptr, nullptr};
    TGameDialogs opened{dialogs, help, &parent};

    // The records window of the player, as the records action opens it.
    TStatisticsWindow& OpenRecordsOf(int player, const QStringList& records) {
        WritePlayers({QStringLiteral("花子=1,12,\"5,20,52\",\"2026/12/01 10:00:00\",3"),
                      QStringLiteral("太郎=0,3,\"5,20,52\",\"2026/12/01 10:00:00\",0")});
        {
            TRecordingReporter reporter;
            TDataFile file(DataFile(), reporter);
            file.WriteSection(kRecordsSection, records);
            file.Close();
        }
        TGame game(TGameServices{&clock, [] { return 0.0; }, DataFile()});
        game.Activated();
        game.PlayerChosen({false, player, {}});
        const TGameReply reply = game.OpenRecords();
        EXPECT_EQ(reply.Open, TOpen::Records);
        opened.Open(reply, game, {});
        EXPECT_EQ(dialogs.ModalDialogs.back(), &opened.Statistics());
        return opened.Statistics();
    }

    // The cells of the practice table's row of the technique, tags taken out.
    static QStringList Row(TStatisticsWindow& window, int technique) {
        const QString html = window.PracticeTable().text();
        const QString name = QString::fromUtf8(TechniqueLevelNames[technique].data());
        const qsizetype from = html.indexOf(name);
        if (from < 0) return {};
        const QString row = html.mid(from, html.indexOf(QStringLiteral("</tr>"), from) - from);
        QStringList cells;
        for (const QString& cell : row.split(QStringLiteral("</td>"), Qt::SkipEmptyParts))
            cells << QString(cell).remove(QRegularExpression(QStringLiteral("<[^>]*>")));
        return cells;
    }
};

int TabOf(QTabWidget& tabs, const QString& text) {
    for (int i = 0; i < tabs.count(); ++i)
        if (tabs.tabText(i) == text) return i;
    return -1;
}

const QString kPractice = QStringLiteral("修行 practice");

}  // namespace

TEST_F(StatisticsWindowTest, PracticeShowsPerTechniqueOnItsOwnTab) {
    TStatisticsWindow& window =
        OpenRecordsOf(0, {QStringLiteral("花子=2026/12/08 9:30:05,1,11,4,4,ok,30000"),
                          QStringLiteral("花子=2026/12/08 9:31:05,1,12,0,4,ok,14000"),
                          QStringLiteral("花子=2026/12/08 9:32:05,1,12,0,4,hinted,9000"),
                          QStringLiteral("花子=2026/12/08 9:33:05,1,12,0,4,wrong,3000"),
                          QStringLiteral("花子=2026/12/08 9:34:05,1,12,0,4,ok,10000"),
                          QStringLiteral("花子=2026/12/08 9:35:05,1,12,0,9,hinted,70000"),
                          QStringLiteral("花子=2026/12/08 9:36:05,1,12,5,5,wrong,20000"),
                          QStringLiteral("太郎=2026/12/08 9:37:05,0,3,0,4,wrong,1000")});
    // The journey's figures count its two rounds only.
    EXPECT_EQ(window.Statistics().All, (TTally{2, 1}));
    EXPECT_EQ(window.Statistics().PerTechnique[4], (TTally{1, 1}));
    EXPECT_FALSE(window.Summary().text().contains(QStringLiteral("no rounds yet")));

    const int tab = TabOf(window.Charts(), kPractice);
    ASSERT_GE(tab, 0);
    EXPECT_EQ(window.Charts().widget(tab), &window.PracticeTable());
    // Rounds, ok, wrong, hinted, and the median of the unaided ones (10 s and 14 s).
    EXPECT_EQ(Row(window, 4).mid(1), (QStringList{"4", "2", "1", "1", "12.0 s"}));
    EXPECT_EQ(Row(window, 9).mid(1), (QStringList{"1", "0", "0", "1", "—"}));
    EXPECT_EQ(Row(window, 1).mid(1), (QStringList{"0", "0", "0", "0", "—"}));
}

TEST_F(StatisticsWindowTest, APlayerWhoOnlyPractisedHasNoJourneyRoundsYet) {
    TStatisticsWindow& window =
        OpenRecordsOf(1, {QStringLiteral("太郎=2026/12/08 9:37:05,0,3,0,2,ok,1000")});
    EXPECT_EQ(window.Statistics().All, TTally{});
    EXPECT_TRUE(window.Summary().text().contains(QStringLiteral("no rounds yet")));
    EXPECT_EQ(Row(window, 2).mid(1), (QStringList{"1", "1", "0", "0", "1.0 s"}));

    // And one who never practised is told so on the tab.
    TStatisticsWindow& journeyOnly =
        OpenRecordsOf(1, {QStringLiteral("太郎=2026/12/08 9:37:05,0,3,2,2,ok,1000")});
    EXPECT_EQ(journeyOnly.Charts().widget(TabOf(journeyOnly.Charts(), kPractice)),
              &journeyOnly.PracticeTable());
    EXPECT_EQ(journeyOnly.PracticeTable().text(),
              QStringLiteral("まだ修行していません no practice yet"));
}
