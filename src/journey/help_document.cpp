#include "journey/help_document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "journey/dialogs.h"
#include "platform/document_opener.h"

QString DefaultHelpFile() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("senkaro.html"));
}

void OpenHelpDocument(const QString& fileName, TDialogs& dialogs, TDocumentOpener* opener) {
    if (!QFileInfo::exists(fileName)) {
        dialogs.ShowMessage(QStringLiteral("ファイルがありません\r\n\r\n") + fileName);
        return;
    }
    if (!opener || !opener->HasAssociatedProgram(fileName)) {
        dialogs.ShowMessage(
            QFileInfo(fileName).fileName() +
            QStringLiteral("\r\n\r\nこのファイルを開けるアプリケーションがありません"));
        return;
    }
    opener->Open(fileName);
}
