#include "journey/player_dialog.h"

#include <QAction>
#include <QCursor>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include "journey/character_dialog.h"
#include "journey/dialogs.h"
#include "journey/route_tables.h"
#include "journey/senkaro_user.h"
#include "journey/text_fit.h"
#include "journey/user_name_prompt.h"
#include "pictures.h"
#include "platform/fonts.h"
#include "resource_names.h"

namespace {

QFont BoldFont(const QString& family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

constexpr int kStationPixels = 21;
constexpr int kLevelPixels = 16;
constexpr int kMinPixels = 11;

}  // namespace

TForm2::TForm2(TForm3& characters, TDialogs& dialogs, THelpPage help, QWidget* parent)
    : QDialog(parent), characters_(characters), dialogs_(dialogs), help_(std::move(help)) {
    setWindowTitle(QStringLiteral("千花路５３次 巡数 一人旅"));
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);

    auto* background = new QLabel(this);
    background->setGeometry(0, 0, kClientWidth, kClientHeight);
    background->setPixmap(assets::LoadPixmap(assets::PlayerDialogBackground()));
    background->setScaledContents(true);

    imBack = new QLabel(this);
    imBack->setGeometry(184, 8, 274, 178);
    imBack->setScaledContents(true);

    imCharactor = new QLabel(this);
    imCharactor->resize(128, 128);
    imCharactor->setAttribute(Qt::WA_TranslucentBackground);
    imCharactor->setAttribute(Qt::WA_TransparentForMouseEvents);
    // Right of centre, above the bottom edge.
    // Right of centre, its feet above the name and left of the character's name.
    imCharactor->move(kClientWidth - 128 - 66, kClientHeight - 128 - 24);

    lbSelect = new QLabel(this);
    // Under the picture, clear of the emblem in the bottom right corner.
    lbSelect->setGeometry(184, 232, 252, 18);
    lbSelect->setAlignment(Qt::AlignCenter);
    lbSelect->setFont(BoldFont(fonts::kWindowFace, 16));

    lbStation = new QLabel(this);
    lbStation->setGeometry(16, 144, 165, 56);
    lbStation->setFont(BoldFont(fonts::kWindowFace, kStationPixels));

    lbLevel = new QLabel(this);
    lbLevel->setGeometry(16, 114, 165, 24);
    lbLevel->setFont(BoldFont(fonts::kBrushFace, kLevelPixels));

    lbCharactor = new QLabel(this);
    lbCharactor->setGeometry(408, 192, 64, 24);
    lbCharactor->setFont(BoldFont(fonts::kBrushFace, 16));

    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setGeometry(128, 48, 25, 25);
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setIcon(QIcon(assets::ActionIcon(10, 16)));
    SpeedButton1->setAccessibleName(QStringLiteral("案内 help"));
    SpeedButton1->setToolTip(QStringLiteral("案内 help (F1)"));
    // The window's own F1 does not reach into a modal dialog.
    SpeedButton1->setShortcut(Qt::Key_F1);
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { help_.Open(); });

    btOK = new QPushButton(QStringLiteral("つづける continue"), this);
    btOK->setGeometry(16, 16, 137, 25);
    btOK->setDefault(true);
    btOK->setToolTip(QStringLiteral("Enter"));
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);

    btCancel = new QPushButton(QStringLiteral("とじる close"), this);
    btCancel->setGeometry(16, 48, 105, 25);
    btCancel->setToolTip(QStringLiteral("Esc"));
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);

    // Practice instead of the journey: the chosen player drills one technique.
    btPractice = new QPushButton(QStringLiteral("修行 practice"), this);
    btPractice->setGeometry(16, 80, 137, 25);
    btPractice->setShortcut(Qt::Key_T);
    btPractice->setToolTip(QStringLiteral("T"));
    connect(btPractice, &QPushButton::clicked, this, [this] {
        practice_ = true;
        accept();
    });

    btCangeUser = new QPushButton(QStringLiteral("人を変える change player"), this);
    btCangeUser->setGeometry(16, 216, 153, 25);

    pmCangeUser = new QMenu(this);
    newuser1 = pmCangeUser->addAction(QStringLiteral("新規追加 new user"));
    miNewUserBar = pmCangeUser->addSeparator();
    connect(newuser1, &QAction::triggered, this, [this] { newuser1Click(); });
    connect(pmCangeUser, &QMenu::aboutToShow, this, [this] { pmCangeUserPopup(); });
    connect(btCangeUser, &QPushButton::clicked, this, [this] { btCangeUserClick(); });
    // Tab goes from the main button on; help comes after the buttons that play.
    setTabOrder(btOK, btCancel);
    setTabOrder(btCancel, btPractice);
    setTabOrder(btPractice, btCangeUser);
    setTabOrder(btCangeUser, SpeedButton1);
}

void TForm2::btCangeUserClick() {
    // Clicked, the menu opens at the pointer; pressed from the keyboard, under the button.
    const QPoint pointer = btCangeUser->mapFromGlobal(QCursor::pos());
    pmCangeUser->popup(btCangeUser->rect().contains(pointer)
                           ? QCursor::pos()
                           : btCangeUser->mapToGlobal(QPoint(0, btCangeUser->height())));
}

void TForm2::PrepareToOpen(const TSenkaroUsers& users, int currentUser) {
    users_ = users;
    added_.clear();
    const bool chosen = currentUser >= 0 && currentUser < users_.Count();
    btCangeUser->setEnabled(users_.Count() > 0);
    NewUserName.clear();
    SelectedUser = chosen ? currentUser : -1;
    btOK->setText(chosen ? QStringLiteral("つづける continue") : QStringLiteral("はじめる start"));
    btOK->setEnabled(chosen);
    btPractice->setEnabled(chosen);
    practice_ = false;
    btCangeUser->setText(chosen ? QStringLiteral("人を変える change user")
                                : QStringLiteral("人を選ぶ select user"));
    // The first key goes to the button that plays on, never to help.
    (chosen ? btOK : btCangeUser)->setFocus(Qt::OtherFocusReason);
    ShowPlayer(SelectedUser);
}

TPlayerChoice TForm2::Choice(int result) const {
    const bool accepted = result == QDialog::Accepted;
    return {accepted && !practice_, SelectedUser, added_, accepted && practice_};
}

void TForm2::ShowPlayer(int index) {
    if (index < 0 || index >= users_.Count()) {
        ShowName(QString());
        ShowStation(0);
        ShowLevel(QString());
        ShowCharacter(-1);
        return;
    }
    const TSenkaroUser& user = users_.Items(index);
    ShowName(user.Name);
    ShowStation(user.Station);
    ShowLevel(LevelName(user.Level));
    ShowCharacter(user.Character);
}

void TForm2::pmCangeUserPopup() {
    const TSenkaroUsers& users = users_;
    if (users.Count() == 0) return;
    const QList<QAction*> items = pmCangeUser->actions();
    const qsizetype bar = items.indexOf(miNewUserBar);
    for (qsizetype i = bar + 1; i < items.size(); ++i) {
        pmCangeUser->removeAction(items[i]);
        items[i]->deleteLater();
    }
    for (int i = 0; i < users.Count(); ++i) {
        const QString name = users.Items(i).Name;
        QAction* item = pmCangeUser->addAction(name);
        item->setData(i);
        connect(item, &QAction::triggered, this, [this, i, name] { UserItemClick(i, name); });
    }
}

void TForm2::UserItemClick(int index, const QString& caption) {
    if (index < 0 || index >= users_.Count()) return;
    SelectedUser = index;
    ShowPlayer(index);
    ShowName(caption);
    PlayerChosen();
}

void TForm2::PlayerChosen() {
    btOK->setEnabled(true);
    btPractice->setEnabled(true);
    btCangeUser->setText(QStringLiteral("人を変える change user"));
    // The next key plays on with the player chosen, not into the menu again.
    btOK->setFocus(Qt::OtherFocusReason);
}

void TForm2::newuser1Click() {
    const std::optional<QString> name = AskUserName(dialogs_);
    if (!name) return;
    NewUserName = *name;
    NewUserCharacter = RunCharacterDialog(characters_, dialogs_, 0);
    // The same Add as the game's, so the index is the one the game will give the player.
    SelectedUser = users_.Add(*name);
    users_.Items(SelectedUser).Character = NewUserCharacter;
    added_.push_back({*name, NewUserCharacter});
    ShowPlayer(SelectedUser);
    PlayerChosen();
}

void TForm2::ShowName(const QString& name) {
    // Whole in a smaller face where it must be; elided only if even that is too wide.
    const QFont font =
        FittedFont(BoldFont(fonts::kWindowFace, 16), name, lbSelect->size(), kMinPixels);
    lbSelect->setFont(font);
    const QString shown = QFontMetrics(font).elidedText(name, Qt::ElideRight, lbSelect->width());
    lbSelect->setText(shown);
    lbSelect->setToolTip(shown == name ? QString() : name);
}

void TForm2::ShowStation(int station) {
    if (station < 0 || station >= kStationCount) return;
    shownStation_ = station;
    imBack->setPixmap(assets::LoadPixmap(assets::StationPicture(station)));
    const QString text = StationJapanese(station) + QStringLiteral("(%1)\n").arg(station) +
                         StationRomanised(station);
    lbStation->setFont(FittedFont(BoldFont(fonts::kWindowFace, kStationPixels), text,
                                  lbStation->size(), kMinPixels));
    lbStation->setText(text);
}

void TForm2::ShowCharacter(int character) {
    if (character < 0 || character > 8) {
        imCharactor->clear();
        lbCharactor->clear();
        return;
    }
    imCharactor->setPixmap(assets::LoadPixmap(assets::CharacterPicture(character)));
    lbCharactor->setText(CharacterName(character));
}

void TForm2::ShowLevel(const QString& text) {
    lbLevel->setFont(
        FittedFont(BoldFont(fonts::kBrushFace, kLevelPixels), text, lbLevel->size(), kMinPixels));
    lbLevel->setText(text);
}
