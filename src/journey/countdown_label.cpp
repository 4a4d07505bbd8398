#include "journey/countdown_label.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QRegularExpression>

std::optional<int> CaptionSeconds(const QString& caption) {
    static const QRegularExpression form(
        QStringLiteral("^(?:(?:(\\d+):)?(\\d{1,2}):)?(\\d{1,2})$"));
    const QRegularExpressionMatch match = form.match(caption);
    if (!match.hasMatch()) return std::nullopt;
    return match.captured(1).toInt() * 3600 + match.captured(2).toInt() * 60 +
           match.captured(3).toInt();
}

std::optional<QString> TimeLeftAnnouncement(int seconds) {
    if (seconds <= 0) return std::nullopt;
    if (seconds <= 10)
        return QStringLiteral("残り %1 秒 %1 second%2 left")
            .arg(seconds)
            .arg(seconds == 1 ? "" : "s");
    if (seconds % 60 != 0) return std::nullopt;
    const int minutes = seconds / 60;
    return QStringLiteral("残り %1 分 %1 minute%2 left").arg(minutes).arg(minutes == 1 ? "" : "s");
}

namespace {

// The label as a read-only text whose value is the seconds left.
class TCountdownAccessible final : public QAccessibleWidget,
                                   public QAccessibleTextInterface,
                                   public QAccessibleValueInterface {
  public:
    explicit TCountdownAccessible(TCountdownLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    TCountdownLabel* Label() const { return static_cast<TCountdownLabel*>(widget()); }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return Label()->text();
        return QAccessibleWidget::text(t);
    }

    // QAccessibleTextInterface: the caption, nothing selectable.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override {
        return Label()->text().mid(start, end - start);
    }
    int characterCount() const override { return static_cast<int>(Label()->text().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

    // QAccessibleValueInterface: the seconds left, read only.
    QVariant currentValue() const override {
        const std::optional<int> seconds = Label()->Seconds();
        return seconds ? QVariant(*seconds) : QVariant();
    }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return currentValue(); }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
    if (className == QLatin1String("TCountdownLabel"))
        if (auto* label = qobject_cast<TCountdownLabel*>(object))
            return new TCountdownAccessible(label);
    return nullptr;
}

}  // namespace

TCountdownLabel::TCountdownLabel(QWidget* parent) : QLabel(parent) {
    InstallFactory();
}

void TCountdownLabel::Show(const QString& caption, bool announce) {
    setText(caption);
    seconds_ = CaptionSeconds(caption);
    if (!announce) announced_ = seconds_;
    if (!seconds_ || seconds_ == announced_) return;
    const std::optional<QString> said = TimeLeftAnnouncement(*seconds_);
    if (!said) return;
    announced_ = seconds_;
    Say(*said);
    QAccessibleValueChangeEvent event(this, *seconds_);
    QAccessible::updateAccessibility(&event);
}

void TCountdownLabel::Say(const QString& said) {
    setAccessibleDescription(said);
    QAccessibleEvent event(this, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

void TCountdownLabel::InstallFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(&Factory);
        return true;
    }();
    (void)installed;
}
