// Where the keys go between a round's moments, so that they are never lost: to the board while
// a round runs, to the offer's first button after a judged round, and otherwise to the main
// action's button (始める Play), whatever dialog or box had them last.
//
// On the offer, the focus rests on a control a screen reader names, and the verdict is said with
// it as the button's description. The panel keeps its keys: whatever key the button gets but
// Space is handed on to the panel, as if it had the focus; Space presses the button.
#pragma once

#include <QObject>

class QPushButton;
class QWidget;
class TExplanationPanel;

class TPlayFocus final : public QObject {
  public:
    TPlayFocus(TExplanationPanel& panel, QWidget& board, QWidget& mainAction, QObject* parent);

    // On "なぜ？ why" when the answer has steps to show, else on continuing.
    void Offer(const QString& verdict);
    QPushButton& FirstButton() const;
    // Back where the play goes on, once what was open has closed: the board while a round
    // runs, the offer while it stands, else the main action.
    void Restore(bool running);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TExplanationPanel& panel_;
    QWidget& board_;
    QWidget& mainAction_;
};
