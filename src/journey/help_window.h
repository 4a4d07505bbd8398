// The game's own help window: the help page in a text browser, for a desktop where no program
// opens it. Its pictures are part of the page, its links move within it; Esc closes it. There is
// one of it: showing it again brings the same window to the front.
#pragma once

#include <QWidget>

class QTextBrowser;

class THelpWindow final : public QWidget {
  public:
    explicit THelpWindow(QWidget* parent = nullptr);

    // Shows the page of the file, read again when it is another file than the one shown.
    void ShowPage(const QString& fileName);

    QTextBrowser& Browser() { return *browser_; }
    const QString& FileName() const { return fileName_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QTextBrowser* browser_;
    QString fileName_;
};
