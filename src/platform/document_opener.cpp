#include "platform/document_opener.h"

#include <QDesktopServices>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

// What xdg-mime names as the default program for a type; empty when it names none.
QString DefaultFor(const QString& mimeType) {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) return {};
    QProcess process;
    process.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!process.waitForFinished(2000)) {
        process.kill();
        return {};
    }
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

}  // namespace

bool TDesktopDocumentOpener::HasAssociatedProgram(const QString& path) const {
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty()) return false;
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    if (!DefaultFor(type).isEmpty()) return true;
    // Web pages also open in whatever browser the system has set up.
    if (type == QStringLiteral("text/html")) {
        for (const char* browser : {"x-www-browser", "sensible-browser", "firefox", "chromium"})
            if (!QStandardPaths::findExecutable(QString::fromLatin1(browser)).isEmpty())
                return true;
        return !qEnvironmentVariableIsEmpty("BROWSER");
    }
    return false;
}

bool TDesktopDocumentOpener::Open(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
