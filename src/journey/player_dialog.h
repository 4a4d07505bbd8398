// The player dialog between rounds: continue, close, change or add a player. It shows the
// chosen player's name, station picture, level and travel character. It works on a copy of the
// players and hands back what was chosen (Choice); it changes and saves nothing of the game's.
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "journey/help_document.h"
#include "journey/player_choice.h"
#include "journey/senkaro_user.h"

class QLabel;
class QMenu;
class QPushButton;
class QToolButton;
class QAction;
class TDialogs;
class TForm3;

class TForm2 final : public QDialog {
  public:
    static constexpr int kClientWidth = 474;
    static constexpr int kClientHeight = 254;

    // New players' characters are chosen in the character dialog; names are asked and refused
    // through the dialogs.
    TForm2(TForm3& characters, TDialogs& dialogs, THelpPage help, QWidget* parent);

    // Before every opening: the players as they stand, the buttons for a game with or without a
    // current player (-1), and that player shown.
    void PrepareToOpen(const TSenkaroUsers& users, int currentUser);
    // What was chosen, given the dialog's result (QDialog::Accepted for continue).
    TPlayerChoice Choice(int result) const;
    // The player's name, station, level and character; for -1 the start and no player.
    void ShowPlayer(int index);

    // The change-player menu: refilled with one item per player before it shows.
    void btCangeUserClick();
    void pmCangeUserPopup();
    void UserItemClick(int index, const QString& caption);
    void newuser1Click();

    int SelectedUser = -1;
    QString NewUserName;
    int NewUserCharacter = 0;

    QLabel* lbSelect = nullptr;
    QLabel* lbStation = nullptr;
    QLabel* lbLevel = nullptr;
    QLabel* lbCharactor = nullptr;
    QLabel* imBack = nullptr;
    QLabel* imCharactor = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;
    QPushButton* btCangeUser = nullptr;
    QPushButton* btPractice = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QMenu* pmCangeUser = nullptr;
    QAction* newuser1 = nullptr;
    QAction* miNewUserBar = nullptr;

    int ShownStation() const { return shownStation_; }

  private:
    void ShowStation(int station);
    void ShowCharacter(int character);
    void ShowLevel(const QString& text);
    void ShowName(const QString& name);
    // A player was chosen or added: the main button is enabled and takes the focus.
    void PlayerChosen();

    TForm3& characters_;
    TDialogs& dialogs_;
    THelpPage help_;
    TSenkaroUsers users_;  // the game's players, and those added in this opening
    std::vector<TNewPlayer> added_;
    int shownStation_ = -1;
    bool practice_ = false;  // closed through 修行 practice
};
