#include "journey/dialogs.h"

#include <QColorDialog>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

TQtDialogs::TQtDialogs(QWidget* parent, QString caption)
    : parent_(parent), caption_(std::move(caption)) {}

void TQtDialogs::ShowMessage(const QString& text) {
    QMessageBox::information(parent_, caption_, PlainLineBreaks(text));
}

TAnswer TQtDialogs::Ask(const QString& text, bool withCancel) {
    const QMessageBox::StandardButton second = withCancel ? QMessageBox::Cancel : QMessageBox::No;
    const auto answer = QMessageBox::information(parent_, caption_, PlainLineBreaks(text),
                                                 QMessageBox::Yes | second, second);
    if (answer == QMessageBox::Yes) return TAnswer::Yes;
    return answer == QMessageBox::No ? TAnswer::No : TAnswer::Cancel;
}

std::optional<QString> TQtDialogs::InputText(const QString& caption, const QString& prompt,
                                             const QString& initial) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    // Room for the longest name the game takes, in its widest characters.
    if (auto* edit = dialog.findChild<QLineEdit*>()) edit->setMinimumWidth(NameFieldWidth(*edit));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

int NameFieldWidth(const QLineEdit& edit) {
    const QString widest(kLongestName, QChar(0xFF37));  // full-width W
    return QFontMetrics(edit.font()).horizontalAdvance(widest) + 16;
}

std::optional<QColor> TQtDialogs::ChooseColor(const QColor& initial) {
    const QColor color = QColorDialog::getColor(initial, parent_);
    if (!color.isValid()) return std::nullopt;
    return color;
}

QString PlainLineBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}
