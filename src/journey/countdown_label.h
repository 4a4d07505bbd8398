// The band's countdown: the time left as the player sees it ("8:12"), and as a screen reader
// reads it: the caption as the label's text, the whole seconds left as its value. At the minute
// marks and in the last ten seconds the time is announced (the label's description changes and
// the value's change is told); the other seconds change quietly.
#pragma once

#include <QLabel>
#include <optional>

// The whole seconds a caption of CountdownCaption shows ("1:02:03", "8:12", "9"); none for
// anything else.
std::optional<int> CaptionSeconds(const QString& caption);

// What is said when the time left reaches `seconds`; none between the marks.
std::optional<QString> TimeLeftAnnouncement(int seconds);

class TCountdownLabel final : public QLabel {
    Q_OBJECT

  public:
    explicit TCountdownLabel(QWidget* parent);

    // A new caption; announced only when `announce` and its seconds reach a mark not yet
    // announced this round.
    void Show(const QString& caption, bool announce);
    std::optional<int> Seconds() const { return seconds_; }
    // Tells assistive technology what is said of the time: the description changes.
    void Say(const QString& said);

    // Makes the label's accessible interface known to Qt; called by every label.
    static void InstallFactory();

  private:
    std::optional<int> seconds_;
    std::optional<int> announced_;
};
