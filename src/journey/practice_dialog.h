// The practice dialog: the nine techniques, each with the player's own success share beside
// it, and "苦手な手筋 my weakest technique", which names the one it stands for. A click (or
// Space or Enter on a focused line) chooses; Esc and the close button choose nothing.
//
// Techniques are numbered 1-9 as in the technique names table; 0 stands for the weakest.
#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <optional>

#include "journey/help_document.h"
#include "journey/practice.h"

class QLabel;
class QPushButton;
class TDialogs;

class TPracticeDialog final : public QDialog {
  public:
    static constexpr int kWeakest = 0;

    explicit TPracticeDialog(THelpPage help = {}, QWidget* parent = nullptr);

    // Before each opening: the nine techniques with the player's shares, and the one the
    // weakest stands for now.
    void PrepareToOpen(const TPracticeMenu& menu);
    // What was chosen once the dialog has closed: a technique, kWeakest, or nothing.
    std::optional<int> Chosen() const { return chosen_; }

    QPushButton* TechniqueButton(int technique) const {
        return buttons_.at(static_cast<std::size_t>(technique - 1));
    }
    QPushButton* WeakestButton() const { return weakest_; }
    QPushButton* CloseButton() const { return close_; }

  private:
    void Choose(int technique);

    std::array<QPushButton*, 9> buttons_{};
    QPushButton* weakest_ = nullptr;
    QPushButton* close_ = nullptr;
    std::optional<int> chosen_;
    THelpPage help_;
};

// Readies the dialog, shows it modally and gives what was chosen.
std::optional<int> RunPracticeDialog(TPracticeDialog& dialog, TDialogs& dialogs,
                                     const TPracticeMenu& menu);
