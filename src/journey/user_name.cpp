#include "journey/user_name.h"

#include <algorithm>
#include <string>

#include "storage/cp932.h"

namespace {

QString Message(const QString& japanese, const QString& english) {
    return japanese + QStringLiteral("\n\n") + english;
}

// The data file is CP932 on disk: a name must have a CP932 form.
bool CanBeStored(const QString& text) {
    cp932::TEncoder encoder;
    std::string bytes;
    return encoder.Append(text.toStdString(), bytes);
}

}  // namespace

TNameCheck ValidateUserName(const QString& input) {
    TNameCheck check{input.trimmed(), std::nullopt};
    const QString& name = check.Name;
    if (name.isEmpty()) {
        check.Error = Message(QStringLiteral("ユーザー名は必要です。"),
                              QStringLiteral("Please input your name."));
    } else if (name.contains(u'=')) {
        check.Error = Message(QStringLiteral("ユーザー名に「=」は使えません。"),
                              QStringLiteral("A name cannot contain \"=\"."));
    } else if (name.startsWith(u'[')) {
        check.Error = Message(QStringLiteral("ユーザー名を「[」で始めることはできません。"),
                              QStringLiteral("A name cannot begin with \"[\"."));
    } else if (std::any_of(name.begin(), name.end(),
                           [](QChar c) { return c.category() == QChar::Other_Control; })) {
        check.Error = Message(QStringLiteral("ユーザー名に制御文字は使えません。"),
                              QStringLiteral("A name cannot contain control characters."));
    } else {
        for (const QChar c : name) {
            // A surrogate pair is checked as a whole below; single characters here.
            if (c.isSurrogate()) continue;
            if (!CanBeStored(QString(c))) {
                check.Error = Message(
                    QStringLiteral("ユーザー名に保存できない文字「%1」があります。").arg(c),
                    QStringLiteral("The name has a character that cannot be saved: %1").arg(c));
                return check;
            }
        }
        if (!CanBeStored(name)) {
            check.Error = Message(QStringLiteral("ユーザー名に保存できない文字があります。"),
                                  QStringLiteral("The name has a character that cannot be saved."));
        }
    }
    return check;
}
