// Whether a key is held down right now. Qt answers this only for the modifier keys, so the
// tracker watches every key event of the application and remembers which keys are down. Tests
// hand the game a key state they set themselves.
#pragma once

#include <QObject>
#include <QSet>

class TKeyState {
  public:
    virtual ~TKeyState() = default;
    virtual bool IsDown(Qt::Key key) const = 0;
};

// Records key presses and releases of the whole application. Shift+Tab arrives as Backtab and is
// counted as Tab. When the application loses the keyboard, releases can no longer be seen, so
// every key counts as up again.
class TKeyStateTracker final : public QObject, public TKeyState {
  public:
    explicit TKeyStateTracker(QObject* parent = nullptr);
    ~TKeyStateTracker() override;

    bool IsDown(Qt::Key key) const override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QSet<int> down_;
};
