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

class TForm2 final : public QDialog {
  public:
    static constexpr int kClientWidth = 474;
    static constexpr int kClientHeight = 254;

    explicit TForm2(QWidget* parent = nullptr);

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

    // The main window's help action.
    std::function<void()> OnHelp;

  private:
    int shownStation_ = -1;
};
