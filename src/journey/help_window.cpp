#include "journey/help_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("千花路五十三次 ヘルプ help"));
    browser_ = new QTextBrowser(this);
    browser_->setOpenLinks(true);
    // A link out of the page goes to the desktop; there may be none, the page stays.
    browser_->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(760, 680);
}

void THelpWindow::ShowPage(const QString& fileName) {
    if (fileName != fileName_) {
        fileName_ = fileName;
        browser_->setSource(QUrl::fromLocalFile(fileName));
    }
    // Opened from a modal dialog the window must be modal too, or that dialog blocks it; opened
    // from the game it leaves the game playable.
    const QWidget* modal = QApplication::activeModalWidget();
    const bool overModal = modal && modal != this;
    if (overModal != (windowModality() == Qt::ApplicationModal)) {
        hide();
        setWindowModality(overModal ? Qt::ApplicationModal : Qt::NonModal);
    }
    show();
    raise();
    activateWindow();
}

void THelpWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
