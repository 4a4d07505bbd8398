// The character dialog: nine travel characters as grouped check buttons, three a row; only the
// three of the journey's level can be chosen.
#pragma once

#include <QDialog>
#include <array>

#include "journey/help_document.h"

class QToolButton;
class QLabel;
class TDialogs;

class TForm3 final : public QDialog {
  public:
    explicit TForm3(THelpPage help = {}, QWidget* parent = nullptr);

    // Readies the buttons for a level: only its three enabled, its first pressed, the caption
    // naming the level.
    void PrepareFor(int level);
    // The first pressed button, or 0 when none is.
    int ChosenCharacter() const;

    QToolButton* CharacterButton(int character) const {
        return buttons_.at(static_cast<std::size_t>(character));
    }

  private:
    std::array<QToolButton*, 9> buttons_{};
    QLabel* title_ = nullptr;
    THelpPage help_;
};

// Readies the dialog for the level, shows it modally and gives the character chosen.
int RunCharacterDialog(TForm3& dialog, TDialogs& dialogs, int level);
