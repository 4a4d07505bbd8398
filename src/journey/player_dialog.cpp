#include "journey/player_dialog.h"

#include <QAction>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include "journey/dialogs.h"
#include "journey/main_window.h"
#include "journey/route_tables.h"
#include "journey/user_name.h"
#include "platform/fonts.h"
#include "resource_names.h"

namespace {

QFont BoldFont(const QString& family, int pixels) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

}  // namespace

TForm2::TForm2(TForm1& form1) : QDialog(&form1), form1_(form1) {
    setWindowTitle(QStringLiteral("千花路５３次 巡数 一人旅"));
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);

    auto* background = new QLabel(this);
    background->setGeometry(0, 0, kClientWidth, kClientHeight);
    background->setPixmap(QPixmap(assets::PlayerDialogBackground()));
    background->setScaledContents(true);

    imBack = new QLabel(this);
    imBack->setGeometry(184, 8, 274, 178);
    imBack->setScaledContents(true);

    imCharactor = new QLabel(this);
    imCharactor->resize(128, 128);
    imCharactor->setAttribute(Qt::WA_TranslucentBackground);
    imCharactor->setAttribute(Qt::WA_TransparentForMouseEvents);
    // Right of centre, above the bottom edge.
    imCharactor->move(kClientWidth - 128 - 64, kClientHeight - 128 - 20);

    lbSelect = new QLabel(this);
    lbSelect->setGeometry(184, 232, 273, 18);
    lbSelect->setAlignment(Qt::AlignCenter);
    lbSelect->setFont(BoldFont(fonts::kWindowFace, 16));

    lbStation = new QLabel(this);
    lbStation->setGeometry(16, 128, 165, 56);
    lbStation->setFont(BoldFont(fonts::kWindowFace, 21));

    lbLevel = new QLabel(this);
    lbLevel->setGeometry(16, 88, 165, 24);
    lbLevel->setFont(BoldFont(fonts::kBrushFace, 16));

    lbCharactor = new QLabel(this);
    lbCharactor->setGeometry(408, 192, 64, 24);
    lbCharactor->setFont(BoldFont(fonts::kBrushFace, 16));

    SpeedButton1 = new QToolButton(this);
    SpeedButton1->setGeometry(128, 48, 25, 25);
    SpeedButton1->setAutoRaise(true);
    SpeedButton1->setIcon(QIcon(assets::ActionIcon(10, 16)));
    SpeedButton1->setToolTip(QStringLiteral("案内 help"));
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { form1_.acHelpExecute(); });

    btOK = new QPushButton(QStringLiteral("つづける continue"), this);
    btOK->setGeometry(16, 16, 137, 25);
    btOK->setDefault(true);
    connect(btOK, &QPushButton::clicked, this, &QDialog::accept);

    btCancel = new QPushButton(QStringLiteral("とじる close"), this);
    btCancel->setGeometry(16, 48, 105, 25);
    connect(btCancel, &QPushButton::clicked, this, &QDialog::reject);

    btCangeUser = new QPushButton(QStringLiteral("人を変える change player"), this);
    btCangeUser->setGeometry(16, 216, 153, 25);

    pmCangeUser = new QMenu(this);
    newuser1 = pmCangeUser->addAction(QStringLiteral("新規追加 new user"));
    miNewUserBar = pmCangeUser->addSeparator();
    connect(newuser1, &QAction::triggered, this, [this] { newuser1Click(); });
    connect(pmCangeUser, &QMenu::aboutToShow, this, [this] { pmCangeUserPopup(); });
    connect(btCangeUser, &QPushButton::clicked, this, [this] { btCangeUserClick(); });
}

void TForm2::btCangeUserClick() {
    pmCangeUser->popup(QCursor::pos());
}

void TForm2::pmCangeUserPopup() {
    TSenkaroUsers& users = form1_.Users();
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
    SelectedUser = index;
    btOK->setEnabled(index >= 0);
    lbSelect->setText(caption);
    if (index < 0 || index >= form1_.Users().Count()) return;
    const TSenkaroUser& user = form1_.Users().Items(index);
    ShowCharacter(user.Character);
    ShowStation(user.Station);
    SetLevelText(LevelName(user.Level));
}

void TForm2::newuser1Click() {
    const std::optional<QString> input =
        form1_.Dialogs().InputText(QStringLiteral("千花路五十三次 巡数 一人旅"),
                                   QStringLiteral("ユーザー名 input your name"), QString());
    if (!input || input->trimmed().isEmpty()) return;
    const TNameCheck check = ValidateUserName(*input);
    if (!check.Ok()) {
        form1_.Dialogs().ShowMessage(*check.Error);
        return;
    }
    btOK->setEnabled(true);
    lbSelect->setText(check.Name);
    NewUserName = check.Name;
    NewUserCharacter = form1_.ChooseCharacter(0);
    ShowCharacter(NewUserCharacter);
    SelectedUser = form1_.Users().Add(check.Name);
    form1_.Users().Items(SelectedUser).Character = NewUserCharacter;
    form1_.SaveUsers();
    ShowStation(0);
    SetLevelText(LevelName(0));
}

void TForm2::ShowStation(int station) {
    if (station < 0 || station >= kStationCount) return;
    shownStation_ = station;
    imBack->setPixmap(QPixmap(assets::StationPicture(station)));
    lbStation->setText(StationJapanese(station) + QStringLiteral("(%1)\n").arg(station) +
                       StationRomanised(station));
}

void TForm2::ShowCharacter(int character) {
    if (character < 0 || character > 8) return;
    imCharactor->setPixmap(QPixmap(assets::CharacterPicture(character)));
    lbCharactor->setText(CharacterName(character));
}

void TForm2::SetLevelText(const QString& text) {
    lbLevel->setText(text);
}
