// Opening a document with the program the desktop associates with it.
#pragma once

#include <QString>

class TDocumentOpener {
  public:
    virtual ~TDocumentOpener() = default;
    // Whether some program on this desktop opens files like this one.
    virtual bool HasAssociatedProgram(const QString& path) const = 0;
    virtual bool Open(const QString& path) = 0;
};

// The desktop's own association (xdg-mime / xdg-open), opened through QDesktopServices.
class TDesktopDocumentOpener final : public TDocumentOpener {
  public:
    bool HasAssociatedProgram(const QString& path) const override;
    bool Open(const QString& path) override;
};
