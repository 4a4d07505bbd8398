// Opening the help page with the program the desktop associates with it; where none takes it,
// in the game's own help window.
#pragma once

#include <QPointer>
#include <QString>

#include "journey/help_window.h"

class TDialogs;
class TDocumentOpener;

// Where the help page "senkaro.html" lies for a program in the folder: beside it (a build
// tree), else in share/senkaro/ beside the program's folder (an install, /usr/games next to
// /usr/share/senkaro, wherever its root is). When it is in neither, the first place, so the
// message names where it was looked for.
QString HelpFileFor(const QString& programFolder);
// The help page of the running program.
QString DefaultHelpFile();

// A missing page is a message. Else the opener tries the desktop; when nothing there opens the
// page (or there is no opener), the help window shows it, or a message says so without one.
void OpenHelpDocument(const QString& fileName, TDialogs& dialogs, TDocumentOpener* opener,
                      THelpWindow* window);

// The help page and how to open it, for every window that has a help button: they share the
// one help window. Without dialogs it opens nothing.
struct THelpPage {
    QString File;
    TDialogs* Dialogs = nullptr;
    TDocumentOpener* Opener = nullptr;
    QPointer<THelpWindow> Window;
    void Open() const;
};
