// Opening a document with the program the desktop associates with it. Whether that worked is
// known only once the desktop's opener has tried: it may find no program at all.
#pragma once

#include <QString>
#include <functional>

class TDocumentOpener {
  public:
    // Called once the opener knows: true when a program took the document.
    using TDone = std::function<void(bool opened)>;

    virtual ~TDocumentOpener() = default;
    virtual void Open(const QString& path, TDone done) = 0;
};

// The desktop's own opener (xdg-open), judged by its exit status: it ends with 0 once a program
// has the document, with another status when it found none ("no method available"). A program
// it starts in the foreground keeps it running; the answer then comes when that program ends.
class TDesktopDocumentOpener final : public TDocumentOpener {
  public:
    explicit TDesktopDocumentOpener(QString program = QStringLiteral("xdg-open"))
        : program_(std::move(program)) {}
    void Open(const QString& path, TDone done) override;

  private:
    QString program_;
};
