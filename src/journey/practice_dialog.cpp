#include "journey/practice_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "journey/dialogs.h"
#include "resource_names.h"

namespace {

const QString kTitle = QStringLiteral("修行 practice");

}  // namespace

TPracticeDialog::TPracticeDialog(THelpPage help, QWidget* parent)
    : QDialog(parent), help_(std::move(help)) {
    setWindowTitle(kTitle);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QHBoxLayout;
    auto* title = new QLabel(QStringLiteral("手筋をひとつ選んで練習しましょう　"
                                            "choose a technique to practise"),
                             this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    heading->addWidget(title, 1);
    auto* helpButton = new QToolButton(this);
    helpButton->setIcon(QIcon(assets::ActionIcon(10, 32)));
    helpButton->setIconSize(QSize(22, 22));
    helpButton->setAutoRaise(true);
    helpButton->setAccessibleName(QStringLiteral("案内 help"));
    helpButton->setToolTip(QStringLiteral("案内 help (F1)"));
    helpButton->setShortcut(Qt::Key_F1);
    connect(helpButton, &QToolButton::clicked, this, [this] { help_.Open(); });
    heading->addWidget(helpButton);
    layout->addLayout(heading);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("手筋 technique"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("正解 right"), this), 0, 1, Qt::AlignRight);
    for (int t = 1; t <= 9; ++t) {
        auto* button = new QPushButton(this);
        button->setStyleSheet(QStringLiteral("text-align: left; padding: 3px 8px;"));
        button->setToolTip(QStringLiteral("Space / Enter"));
        connect(button, &QPushButton::clicked, this, [this, t] { Choose(t); });
        buttons_[static_cast<std::size_t>(t - 1)] = button;
        grid->addWidget(button, t, 0);
        auto* share = new QLabel(this);
        share->setObjectName(QStringLiteral("share%1").arg(t));
        grid->addWidget(share, t, 1, Qt::AlignRight);
    }
    layout->addLayout(grid);

    weakest_ = new QPushButton(this);
    weakest_->setToolTip(QStringLiteral("Space / Enter"));
    connect(weakest_, &QPushButton::clicked, this, [this] { Choose(kWeakest); });
    layout->addWidget(weakest_);
    close_ = new QPushButton(QStringLiteral("とじる close"), this);
    close_->setToolTip(QStringLiteral("Esc"));
    close_->setAutoDefault(false);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(close_, 0, Qt::AlignRight);
}

void TPracticeDialog::PrepareToOpen(const TPracticeMenu& menu) {
    chosen_.reset();
    for (const TPracticeEntry& entry : menu.Techniques) {
        QPushButton* button = TechniqueButton(entry.Technique);
        const QString share = ShareText(entry.Tally);
        button->setText(entry.Name);
        // A screen reader hears the share with the name.
        button->setAccessibleDescription(QStringLiteral("正解 right %1").arg(share));
        findChild<QLabel*>(QStringLiteral("share%1").arg(entry.Technique))->setText(share);
    }
    const QString weakestName =
        menu.Weakest >= 1 && menu.Weakest <= 9
            ? menu.Techniques[static_cast<std::size_t>(menu.Weakest - 1)].Name
            : QString();
    weakest_->setText(QStringLiteral("苦手な手筋 my weakest technique") +
                      (weakestName.isEmpty() ? QString() : QStringLiteral("　→ ") + weakestName));
    weakest_->setEnabled(!weakestName.isEmpty());
    // The first key goes to the weakest, the choice most often wanted.
    (weakest_->isEnabled() ? weakest_ : TechniqueButton(1))->setFocus(Qt::OtherFocusReason);
}

void TPracticeDialog::Choose(int technique) {
    chosen_ = technique;
    accept();
}

std::optional<int> RunPracticeDialog(TPracticeDialog& dialog, TDialogs& dialogs,
                                     const TPracticeMenu& menu) {
    dialog.PrepareToOpen(menu);
    dialogs.RunModal(dialog);
    return dialog.Chosen();
}
