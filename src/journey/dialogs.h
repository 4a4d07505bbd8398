// Every message box, input box and colour dialog of the game goes through TDialogs, so that
// each flow can be played by a test without a person clicking. TQtDialogs shows the real ones.
//
// Texts are the game's own: a Japanese sentence, a blank line, an English sentence. They may
// carry Windows line breaks ("\r\n"), which are shown as plain line breaks.
#pragma once

#include <QColor>
#include <QDialog>
#include <QPointer>
#include <QString>
#include <optional>

class QWidget;

enum class TAnswer { Yes, No, Cancel };

class TDialogs {
  public:
    virtual ~TDialogs() = default;
    // A message with an OK button.
    virtual void ShowMessage(const QString& text) = 0;
    // An information-style question with Yes and No (or Yes and Cancel when withCancel).
    virtual TAnswer Ask(const QString& text, bool withCancel) = 0;
    // A one-line input box; nothing when cancelled.
    virtual std::optional<QString> InputText(const QString& caption, const QString& prompt,
                                             const QString& initial) = 0;
    // The colour dialog; nothing when cancelled.
    virtual std::optional<QColor> ChooseColor(const QColor& initial) = 0;
    // Shows one of the game's own dialogs modally; its result (QDialog::Accepted or Rejected).
    virtual int RunModal(QDialog& dialog) = 0;
};

class TQtDialogs final : public TDialogs {
  public:
    // Boxes are shown over the parent, with the game's caption.
    TQtDialogs(QWidget* parent, QString caption);
    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(const QString& text) override;
    TAnswer Ask(const QString& text, bool withCancel) override;
    std::optional<QString> InputText(const QString& caption, const QString& prompt,
                                     const QString& initial) override;
    std::optional<QColor> ChooseColor(const QColor& initial) override;
    int RunModal(QDialog& dialog) override { return dialog.exec(); }

  private:
    QPointer<QWidget> parent_;
    QString caption_;
};

// The length of name every place shows whole, and the width a name field needs to show one of
// that length in the widest characters.
inline constexpr int kLongestName = 20;
class QLineEdit;
int NameFieldWidth(const QLineEdit& edit);

// "\r\n" and lone "\r" become "\n".
QString PlainLineBreaks(QString text);
