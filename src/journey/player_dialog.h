// The player dialog between rounds: continue, close, change or add a player. It shows the
// chosen player's station picture, level and travel character.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QMenu;
class QPushButton;
class QToolButton;
class QAction;
class TForm1;

class TForm2 final : public QDialog {
  public:
    static constexpr int kClientWidth = 474;
    static constexpr int kClientHeight = 254;

    // The dialog works on the main window's players.
    explicit TForm2(TForm1& form1);

    // The change-player menu: refilled with one item per player before it shows.
    void btCangeUserClick();
    void pmCangeUserPopup();
    void UserItemClick(int index, const QString& caption);
    void newuser1Click();

    // The station's picture and its name and number.
    void ShowStation(int station);
    // The character's picture and name.
    void ShowCharacter(int character);
    void SetLevelText(const QString& text);

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
    TForm1& form1_;
    int shownStation_ = -1;
};
