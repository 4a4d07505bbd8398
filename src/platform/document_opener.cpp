#include "platform/document_opener.h"

#include <QProcess>
#include <memory>
#include <utility>

void TDesktopDocumentOpener::Open(const QString& path, TDone done) {
    // Without a parent: a browser the opener runs in the foreground outlives the game's
    // windows, and deleting the QProcess would end it.
    auto* process = new QProcess;
    auto answer = std::make_shared<TDone>(std::move(done));
    const auto finish = [process, answer](bool opened) {
        if (*answer) std::exchange(*answer, nullptr)(opened);
        process->deleteLater();
    };
    QObject::connect(process, &QProcess::finished, process,
                     [finish](int status, QProcess::ExitStatus how) {
                         finish(how == QProcess::NormalExit && status == 0);
                     });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [finish](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) finish(false);
                     });
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(program_, {path});
}
