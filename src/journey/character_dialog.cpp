#include "journey/character_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "journey/dialogs.h"
#include "journey/route_tables.h"
#include "pictures.h"
#include "resource_names.h"

namespace {
constexpr int kButtonWidth = 135;
constexpr int kButtonHeight = 147;
}  // namespace

TForm3::TForm3(THelpPage helpPage, QWidget* parent) : QDialog(parent), help_(std::move(helpPage)) {
    setFixedSize(407, 487);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);

    // The top panel: its picture, the invitation, OK and help.
    auto* panel = new QLabel(this);
    panel->setGeometry(0, 0, 407, 41);
    panel->setPixmap(assets::LoadPixmap(assets::CharacterPanel()));
    title_ = new QLabel(QStringLiteral("旅のキャラクターを選びましょう"), this);
    QFont bold = font();
    bold.setPixelSize(16);
    bold.setBold(true);
    title_->setFont(bold);
    title_->setGeometry(10, 0, 270, 41);
    title_->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(290, 8, 64, 25);
    ok->setDefault(true);
    ok->setToolTip(QStringLiteral("Enter"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* help = new QToolButton(this);
    help->setGeometry(362, 6, 30, 29);
    help->setIcon(QIcon(assets::ActionIcon(10, 32)));
    help->setIconSize(QSize(22, 22));
    help->setAutoRaise(true);
    help->setAccessibleName(QStringLiteral("案内 help"));
    help->setToolTip(QStringLiteral("案内 help (F1)"));
    help->setShortcut(Qt::Key_F1);
    connect(help, &QToolButton::clicked, this, [this] { help_.Open(); });

    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (int i = 0; i < 9; ++i) {
        auto* button = new QToolButton(this);
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIcon(QIcon(assets::CharacterPicture(i)));
        button->setIconSize(QSize(128, 128));
        button->setText(CharacterName(i));
        button->setGeometry(1 + (i % 3) * kButtonWidth, 41 + 1 + (i / 3) * kButtonHeight,
                            kButtonWidth, kButtonHeight);
        group->addButton(button, i);
        buttons_[static_cast<std::size_t>(i)] = button;
    }
}

void TForm3::PrepareFor(int level) {
    for (int i = 0; i < 9; ++i) {
        buttons_[static_cast<std::size_t>(i)]->setText(CharacterName(i));
        buttons_[static_cast<std::size_t>(i)]->setEnabled(i / 3 == level);
    }
    if (level >= 0 && level <= 2) buttons_[static_cast<std::size_t>(3 * level)]->setChecked(true);
    setWindowTitle(LevelName(level) + QStringLiteral("のキャラクターを選びましょう"));
}

int TForm3::ChosenCharacter() const {
    for (int i = 0; i < 9; ++i)
        if (buttons_[static_cast<std::size_t>(i)]->isChecked()) return i;
    return 0;
}

int RunCharacterDialog(TForm3& dialog, TDialogs& dialogs, int level) {
    dialog.PrepareFor(level);
    dialogs.RunModal(dialog);
    return dialog.ChosenCharacter();
}
