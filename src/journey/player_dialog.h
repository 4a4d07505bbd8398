// The player dialog between rounds: continue, close, change or add a player. It shows the
// chosen player's name, station picture, level and travel character, and works on the players
// through a TPlayerDialogHost.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QMenu;
class QPushButton;
class QToolButton;
class QAction;
class TPlayerDialogHost;

class TForm2 final : public QDialog {
  public:
    static constexpr int kClientWidth = 474;
    static constexpr int kClientHeight = 254;

    TForm2(TPlayerDialogHost& host, QWidget* parent);

    // Before every opening: the buttons for a game with or without a current player (-1), and
    // that player shown.
    void PrepareToOpen(int currentUser);
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

    TPlayerDialogHost& host_;
    int shownStation_ = -1;
};
