// After a judged round the focus rests on the offer's first button, a control a screen reader
// names, and the verdict is said with it as the button's description. The panel keeps its
// keys: whatever key the button gets is handed on to the panel, as if it had the focus.
#pragma once

#include <QObject>

class QPushButton;
class TExplanationPanel;

class TOfferFocus final : public QObject {
  public:
    TOfferFocus(TExplanationPanel& panel, QObject* parent);

    // On "なぜ？ why" when the answer has steps to show, else on continuing.
    void Focus(const QString& verdict);
    QPushButton& FirstButton() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    TExplanationPanel& panel_;
};
