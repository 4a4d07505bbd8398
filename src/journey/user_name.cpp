#include "journey/user_name.h"

#include <QList>

#include <algorithm>
#include <string>

#include "storage/cp932.h"

namespace {

QString Message(const QString& japanese, const QString& english) {
    return japanese + QStringLiteral("\n\n") + english;
}

// The data file is CP932 on disk: a name must come back from it as it went in. Some characters
// have a CP932 form that reads back as another one ("¥" as a backslash, "〜" as "～"), which would
// make two names one on disk.
bool SurvivesTheFile(const QString& text) {
    cp932::TEncoder encoder;
    std::string bytes;
    const std::string utf8 = text.toStdString();
    if (!encoder.Append(utf8, bytes)) return false;
    const auto back = cp932::ToUtf8(bytes);
    return back && *back == utf8;
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
        const QList<uint> codePoints = name.toUcs4();
        for (const uint codePoint : codePoints) {
            const char32_t character = codePoint;
            const QString c = QString::fromUcs4(&character, 1);
            if (!SurvivesTheFile(c)) {
                check.Error = Message(
                    QStringLiteral("ユーザー名に保存できない文字「%1」があります。").arg(c),
                    QStringLiteral("The name has a character that cannot be saved: %1").arg(c));
                return check;
            }
        }
        if (!SurvivesTheFile(name)) {
            check.Error = Message(QStringLiteral("ユーザー名に保存できない文字があります。"),
                                  QStringLiteral("The name has a character that cannot be saved."));
        }
    }
    return check;
}
