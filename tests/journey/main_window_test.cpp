// The main window: start-up with and without players, the first-start name prompt, the route
// map, the gallery, the position text and the character dialog.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>

#include "board/sudoku.h"
#include "journey/character_dialog.h"
#include "journey/dialogs.h"
#include "journey/fake_dialogs.h"
#include "journey/game_dialogs.h"
#include "journey/main_window.h"
#include "journey/player_dialog.h"
#include "journey/route_map.h"
#include "journey/route_panel.h"
#include "journey/route_tables.h"
#include "journey/statistics_window.h"
#include "journey/text_fit.h"
#include "journey/window_test_support.h"
#include "logic/random.h"
#include "platform/clock.h"
#include "storage/data_file.h"
#include "storage/storage_test_support.h"

namespace {

struct WindowTest : ::testing::Test, TGameFolder {
    TFakeDialogs dialogs;
    TManualClock clock;

    std::unique_ptr<TForm1> MakeWindow() {
        TServices services;
        services.Dialogs = &dialogs;
        services.Clock = &clock;
        services.DataFile = DataFile();
        services.HelpFile = HelpFile();
        auto window = std::make_unique<TForm1>(services);
        window->SetPaced(false);
        // No round starts behind the test's back.
        window->EventTimer().setInterval(3'600'000);
        return window;
    }
};

QColor PixelAtMark(const QImage& image, int station, bool tall) {
    const TMarkPlace p = StationMarkPlace(image.width(), image.height(), station, tall);
    return image.pixelColor((p.Left + p.Right) / 2, (p.Top + p.Bottom) / 2);
}

}  // namespace

TEST_F(WindowTest, FirstStartAsksForANameUntilOneIsGiven) {
    dialogs.Inputs = {std::nullopt, QStringLiteral("   "), QStringLiteral("a=b"),
                      QStringLiteral(" 花子 ")};
    dialogs.OnModal = [](QDialog& dialog) {
        if (auto* characters = dynamic_cast<TForm3*>(&dialog))
            characters->CharacterButton(2)->click();
        return QDialog::Accepted;
    };
    auto window = MakeWindow();
    EXPECT_EQ(window->Game().CurrentUser(), -1);
    window->show();
    Settle();

    EXPECT_EQ(dialogs.Prompts.size(), 4u);
    ASSERT_GE(dialogs.Messages.size(), 2u);
    EXPECT_EQ(dialogs.Messages[0], QStringLiteral("ユーザー名は必要です input your name"));
    EXPECT_TRUE(dialogs.Messages[1].contains(QStringLiteral("=")));

    ASSERT_EQ(window->Game().Players().Count(), 1);
    EXPECT_EQ(window->Game().CurrentUser(), 0);
    const TSenkaroUser& user = window->Game().Players().Items(0);
    EXPECT_EQ(user.Name, QStringLiteral("花子"));
    EXPECT_EQ(user.Character, 2);
    EXPECT_EQ(window->Game().CheckpointList().size(), 15u);
    EXPECT_EQ(window->Journey().UserLabel().text(), QStringLiteral("花子"));
    // The first round starts at once.
    EXPECT_EQ(window->Game().Round().State(), TRoundState::Running);

    const QStringList saved = ReadPlayers();
    ASSERT_EQ(saved.size(), 1);
    EXPECT_TRUE(saved[0].startsWith(QStringLiteral("花子=0,0,\"")));
    EXPECT_TRUE(saved[0].endsWith(QStringLiteral(",2")));
}

TEST_F(WindowTest, StartWithPlayersSelectsNobodyAndOpensThePlayerDialog) {
    WritePlayers({"Taro=1,20,\"5,52\",\"2026/12/01 10:00:00\",4"});
    auto window = MakeWindow();
    EXPECT_EQ(window->Game().Players().Count(), 1);
    EXPECT_EQ(window->Game().CurrentUser(), -1);
    EXPECT_EQ(window->Journey().UserLabel().text(),
              QStringLiteral("ゲームをする人を設定しましょう select user"));
    EXPECT_FALSE(window->Actions().acStart->isEnabled());
    window->show();
    Settle();
    ASSERT_EQ(dialogs.ModalDialogs.size(), 1u);
    EXPECT_EQ(dialogs.ModalDialogs[0], &window->Dialogs().PlayerDialog());
    EXPECT_TRUE(dialogs.Prompts.empty());
}

TEST_F(WindowTest, EveryTextIsWholeInItsPlace) {
    // The longest name the game takes, at the stations with the longest names.
    const QString longName = QStringLiteral("東海道五十三次をゆく旅人花子さんのお連れ");
    ASSERT_EQ(longName.size(), 20);
    WritePlayers({longName + QStringLiteral("=2,53,\"5,52\",\"2026/12/01 10:00:00\",6")});
    auto window = MakeWindow();
    TRoutePanel& journey = window->Journey();
    const auto fits = [](const QLabel& label) {
        return TextFits(label.font(), label.text(), label.contentsRect().size());
    };
    const QRect character = journey.CharacterPicture().geometry();
    for (int station = 0; station < kStationCount; ++station) {
        journey.ShowPosition(station);
        const QLabel& position = journey.PositionLabel();
        EXPECT_TRUE(fits(position)) << station;
        EXPECT_LE(position.geometry().right(), character.left()) << station;
        EXPECT_LE(position.geometry().bottom(), journey.height()) << station;
        EXPECT_GE(position.geometry().left(), 0) << station;
    }
    for (int level = 0; level < 3; ++level) {
        journey.ShowLevel(LevelName(level));
        EXPECT_TRUE(fits(journey.LevelLabel())) << level;
        EXPECT_LT(journey.LevelLabel().geometry().right(), journey.width() - 32) << level;
    }
    journey.ShowUserName(longName);
    EXPECT_TRUE(fits(journey.UserLabel()));
    EXPECT_TRUE(journey.UserLabel().text() == longName ||
                journey.UserLabel().toolTip() == longName);

    // The player dialog shows each station, each level and the long name whole or elided.
    TForm2& dialog = window->Dialogs().PlayerDialog();
    TSenkaroUsers users = window->Game().Players();
    for (int station = 0; station < kStationCount; ++station) {
        for (int level = 0; level < 3; ++level) {
            users.Items(0).Station = station;
            users.Items(0).Level = level;
            dialog.PrepareToOpen(users, 0);
            EXPECT_TRUE(fits(*dialog.lbStation)) << station;
            EXPECT_TRUE(fits(*dialog.lbLevel)) << level;
            EXPECT_LE(dialog.lbLevel->geometry().right(), dialog.imBack->geometry().left());
        }
    }
    // A name of 20 characters is whole in the dialog, and no text lies under the character.
    EXPECT_TRUE(fits(*dialog.lbSelect));
    EXPECT_EQ(dialog.lbSelect->text(), longName);
    // Clear of the emblem in the bottom right corner of the background.
    EXPECT_LE(dialog.lbSelect->geometry().right(), 440);
    for (const QLabel* text :
         {dialog.lbSelect, dialog.lbCharactor, dialog.lbStation, dialog.lbLevel})
        EXPECT_FALSE(text->geometry().intersects(dialog.imCharactor->geometry()))
            << text->text().toStdString();

    // The name prompt shows 20 of the widest characters without scrolling.
    QLineEdit edit;
    const QString widest(kLongestName, QChar(0xFF37));
    EXPECT_LE(QFontMetrics(edit.font()).horizontalAdvance(widest) +
                  2 * edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth),
              NameFieldWidth(edit) - 4);
}

// How many objects of the accessibility tree under the root are read with this name.
int NamedInTree(QAccessibleInterface* root, const QString& name) {
    int count = root->text(QAccessible::Name) == name ? 1 : 0;
    for (int i = 0; i < root->childCount(); ++i)
        count += NamedInTree(root->child(i), name);
    return count;
}

TEST(RoutePanel, ItsHeadingsAreReadOnceDespiteTheirShadows) {
    QWidget window;
    TRoutePanel panel(&window, QRect(0, 0, 420, 480));
    window.show();
    panel.ShowUserName(QStringLiteral("Taro"));
    panel.ShowLevel(LevelName(1));
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&panel);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(NamedInTree(root, QStringLiteral("Taro")), 1);
    EXPECT_EQ(NamedInTree(root, LevelName(1)), 1);
}

TEST(PositionText, FirstAndLastStation) {
    EXPECT_EQ(
        PositionText(0),
        QStringLiteral("現在 江戸日本橋 now Edo Nihonbashi (0)\n次は 品川 next Shinagawa (1)"));
    EXPECT_EQ(PositionText(54), QStringLiteral("現在 京都三条大橋 now Kyoto Sanjo Ohashi (54)"));
    EXPECT_TRUE(PositionText(55).isEmpty());
    EXPECT_TRUE(PositionText(-1).isEmpty());
}

TEST(RouteMap, MarksHaveTheirColours) {
    const QImage image = DrawStationMarks(437, 402, TRouteMarks{10, {5, 20, 52}});
    EXPECT_EQ(PixelAtMark(image, 0, true), QColor(255, 0, 0));       // the start, reached
    EXPECT_EQ(PixelAtMark(image, 7, false), QColor(255, 0, 0));      // a reached station
    EXPECT_EQ(PixelAtMark(image, 5, true), QColor(255, 0, 0));       // a reached checkpoint
    EXPECT_EQ(PixelAtMark(image, 11, false), QColor(0, 128, 0));     // not yet reached
    EXPECT_EQ(PixelAtMark(image, 20, true), QColor(0, 64, 0));       // a checkpoint ahead
    EXPECT_EQ(PixelAtMark(image, 54, true), QColor(255, 255, 255));  // the destination ahead
    const TMarkPlace end = StationMarkPlace(437, 402, 54, true);
    EXPECT_EQ(image.pixelColor(end.Left + 1, (end.Top + end.Bottom) / 2), QColor(255, 0, 0));
    // Between the marks the route picture shows through.
    EXPECT_EQ(image.pixelColor(10, 10).alpha(), 0);

    const QImage arrived = DrawStationMarks(437, 402, TRouteMarks{54, {52}});
    EXPECT_EQ(PixelAtMark(arrived, 54, true), QColor(255, 0, 0));
}

TEST(RouteMap, MarksRunLeftFromTheStart) {
    const TMarkPlace start = StationMarkPlace(437, 405, 0, false);
    const TMarkPlace next = StationMarkPlace(437, 405, 1, false);
    const TMarkPlace last = StationMarkPlace(437, 405, 54, true);
    EXPECT_EQ(start.Left, 350);
    EXPECT_EQ(start.Right, 355);
    EXPECT_EQ(next.Left, 344);  // 350 - 5.36
    EXPECT_EQ(start.Top, 166);
    EXPECT_EQ(start.Bottom, 166 + 10);
    EXPECT_EQ(last.Top, 229 - 10);
    EXPECT_EQ(last.Bottom, 229 + 20);
    EXPECT_EQ(last.Left, static_cast<int>(350.0f - 54 * (437.0f / 437.0f * 295.0f / 55.0f)));
}

TEST(RouteMap, GalleryShowsReachedCheckpointsInTheirPlaces) {
    const std::vector<int> checkpoints{2, 4, 6, 8, 10, 12, 14, 16, 18, 52};
    int asked = 0;
    const QImage gallery = DrawCheckpointGallery(
        1017, 228, TRouteMarks{9, checkpoints},
        [&](int) {
            ++asked;
            QImage red(274, 178, QImage::Format_RGB32);
            red.fill(Qt::red);
            return red;
        },
        QFont());
    EXPECT_EQ(asked, 4);  // 2, 4, 6 and 8 are reached
    const TGalleryPlace fourth = GalleryPlace(1017, 228, 3);
    EXPECT_EQ(fourth.Left, 3 * 127 + 8);
    EXPECT_EQ(fourth.Top, 0);
    EXPECT_EQ(gallery.pixelColor(fourth.Left + 10, fourth.Top + 60), QColor(Qt::red));
    const TGalleryPlace fifth = GalleryPlace(1017, 228, 4);
    EXPECT_EQ(gallery.pixelColor(fifth.Left + 10, fifth.Top + 60), QColor(226, 236, 235));
    const TGalleryPlace ninth = GalleryPlace(1017, 228, 8);
    EXPECT_EQ(ninth.Left, 8);
    EXPECT_EQ(ninth.Top, 114);
}

TEST(RouteMap, GalleryTextStaysClearOfThePictures) {
    // Every station once, so every name is drawn; text black, pictures red.
    std::vector<int> checkpoints;
    for (int s = 1; s <= 16; ++s)
        checkpoints.push_back(s == 16 ? 54 : 3 * s);
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    const auto red = [](int) {
        QImage image(274, 178, QImage::Format_RGB32);
        image.fill(Qt::red);
        return image;
    };
    const QImage textOnly = DrawCheckpointGallery(1017, 228, {0, checkpoints}, red, font);
    const QImage withPictures = DrawCheckpointGallery(1017, 228, {54, checkpoints}, red, font);
    for (int k = 0; k < 16; ++k) {
        const TGalleryPlace place = GalleryPlace(1017, 228, k);
        int lowestInk = -1, firstRed = -1;
        for (int y = place.Top; y < place.PictureBottom; ++y) {
            for (int x = place.Left - 8; x < std::min(1017, place.PictureRight + 8); ++x) {
                if (textOnly.pixelColor(x, y).lightness() < 160) {
                    lowestInk = y;
                    EXPECT_GE(x, place.Left) << k;
                    EXPECT_LT(x, place.PictureRight) << k;
                }
                if (firstRed < 0 && withPictures.pixelColor(x, y) == QColor(Qt::red)) firstRed = y;
            }
        }
        EXPECT_GT(lowestInk, place.Top) << k;
        EXPECT_LT(lowestInk, firstRed) << "station " << checkpoints[static_cast<std::size_t>(k)];
    }
}

TEST(CharacterDialog, OnlyTheLevelsThreeCanBeChosen) {
    TForm3 dialog;
    for (int level = 0; level < 3; ++level) {
        dialog.PrepareFor(level);
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(dialog.CharacterButton(i)->isEnabled(), i / 3 == level);
        EXPECT_EQ(dialog.ChosenCharacter(), 3 * level);
        EXPECT_EQ(dialog.CharacterButton(3 * level + 1)->text(), CharacterName(3 * level + 1));
        EXPECT_TRUE(dialog.windowTitle().endsWith(QStringLiteral("のキャラクターを選びましょう")));
    }
    dialog.PrepareFor(1);
    dialog.CharacterButton(5)->click();
    EXPECT_EQ(dialog.ChosenCharacter(), 5);
    dialog.CharacterButton(0)->click();  // disabled: nothing changes
    EXPECT_EQ(dialog.ChosenCharacter(), 5);
}

TEST(RouteTables, NamesAsTheGameShowsThem) {
    EXPECT_EQ(StationJapanese(0), QStringLiteral("江戸日本橋"));
    EXPECT_EQ(StationRomanised(44), QStringLiteral("Ishiyakushi"));
    EXPECT_EQ(LevelName(2), QStringLiteral("大名行列（上級）"));
    EXPECT_EQ(LevelName(7), QStringLiteral("大名行列（上級）"));
    EXPECT_EQ(CharacterName(8), QStringLiteral("おりん"));
}

TEST_F(WindowTest, MemoToolsReachTheBoard) {
    auto window = MakeWindow();
    dialogs.Colors = {QColor(0, 128, 255), std::nullopt};
    window->Actions().acPenColor->trigger();
    EXPECT_EQ(window->Sudoku().PenColor(), QColor(0, 128, 255));
    window->Actions().acPenColor->trigger();  // cancelled: unchanged
    EXPECT_EQ(window->Sudoku().PenColor(), QColor(0, 128, 255));
    for (QAction* action : window->findChildren<QAction*>()) {
        if (action->text() == QStringLiteral("消しゴム eraser mode")) action->trigger();
    }
    EXPECT_EQ(window->Sudoku().PenMode(), 1);
    for (QAction* action : window->findChildren<QAction*>()) {
        if (action->text() == QStringLiteral("ペン書き pen mode")) action->trigger();
    }
    EXPECT_EQ(window->Sudoku().PenMode(), 0);
}

TEST(StatisticsWindow, APlayerWithoutRoundsIsToldSoInsteadOfBareAxes) {
    TStatisticsWindow window(nullptr);
    const QString none = QStringLiteral("まだ記録がありません no rounds yet");
    window.ShowPlayer(QStringLiteral("A"), {}, 1, 0);
    EXPECT_TRUE(window.Summary().text().contains(none));
    EXPECT_EQ(window.Statistics().JourneysFinished, 1);
    ASSERT_EQ(window.Charts().count(), 4);  // the journey's three, then practice
    for (int tab = 0; tab < 3; ++tab) {
        const auto* label = qobject_cast<QLabel*>(window.Charts().widget(tab));
        ASSERT_NE(label, nullptr) << tab;
        EXPECT_EQ(label->text(), none);
    }
    TRoundRecord played;
    played.Name = QStringLiteral("A");
    window.ShowPlayer(QStringLiteral("A"), {played}, 1, 1);
    EXPECT_FALSE(window.Summary().text().contains(none));
    EXPECT_EQ(qobject_cast<QLabel*>(window.Charts().widget(0)), nullptr);
}
