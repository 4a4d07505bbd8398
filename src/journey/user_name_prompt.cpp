#include "journey/user_name_prompt.h"

#include "journey/dialogs.h"
#include "journey/user_name.h"

namespace {

const QString kCaption = QStringLiteral("千花路五十三次 巡数 一人旅");
const QString kNamePrompt = QStringLiteral("ユーザー名 input your name");
const QString kNameRequired = QStringLiteral("ユーザー名は必要です input your name");

enum class TAsked { Name, Cancelled, Blank, Refused };

TAsked Ask(TDialogs& dialogs, QString& name) {
    const std::optional<QString> input = dialogs.InputText(kCaption, kNamePrompt, QString());
    if (!input) return TAsked::Cancelled;
    if (input->trimmed().isEmpty()) return TAsked::Blank;
    const TNameCheck check = ValidateUserName(*input);
    if (!check.Ok()) {
        dialogs.ShowMessage(*check.Error);
        return TAsked::Refused;
    }
    name = check.Name;
    return TAsked::Name;
}

}  // namespace

std::optional<QString> AskUserName(TDialogs& dialogs) {
    QString name;
    if (Ask(dialogs, name) != TAsked::Name) return std::nullopt;
    return name;
}

QString InsistOnUserName(TDialogs& dialogs) {
    QString name;
    for (;;) {
        const TAsked asked = Ask(dialogs, name);
        if (asked == TAsked::Name) return name;
        if (asked == TAsked::Cancelled) dialogs.ShowMessage(kNameRequired);
    }
}
