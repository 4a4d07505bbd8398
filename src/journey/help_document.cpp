#include "journey/help_document.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "journey/dialogs.h"
#include "platform/document_opener.h"

QString HelpFileFor(const QString& programFolder) {
    const QDir folder(programFolder);
    const QString beside = folder.filePath(QStringLiteral("senkaro.html"));
    if (QFileInfo::exists(beside)) return beside;
    const QString installed =
        QDir::cleanPath(folder.filePath(QStringLiteral("../share/senkaro/senkaro.html")));
    return QFileInfo::exists(installed) ? installed : beside;
}

QString DefaultHelpFile() {
    return HelpFileFor(QCoreApplication::applicationDirPath());
}

void OpenHelpDocument(const QString& fileName, TDialogs& dialogs, TDocumentOpener* opener,
                      THelpWindow* window) {
    if (!QFileInfo::exists(fileName)) {
        dialogs.ShowMessage(QStringLiteral("ファイルがありません\r\n\r\n") + fileName);
        return;
    }
    const QPointer<THelpWindow> shown = window;
    const bool withWindow = window != nullptr;
    TDialogs* say = &dialogs;
    const auto showHere = [shown, withWindow, say, fileName] {
        if (shown)
            shown->ShowPage(fileName);
        else if (!withWindow)
            say->ShowMessage(
                QFileInfo(fileName).fileName() +
                QStringLiteral("\r\n\r\nこのファイルを開けるアプリケーションがありません"));
    };
    if (!opener) {
        showHere();
        return;
    }
    opener->Open(fileName, [showHere](bool opened) {
        if (!opened) showHere();
    });
}

void THelpPage::Open() const {
    if (Dialogs)
        OpenHelpDocument(File.isEmpty() ? DefaultHelpFile() : File, *Dialogs, Opener, Window);
}
