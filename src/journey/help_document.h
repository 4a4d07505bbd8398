// Opening the help page with the program the desktop associates with it, or saying why not.
#pragma once

#include <QString>

class TDialogs;
class TDocumentOpener;

// Where the help page "senkaro.html" lies for a program in the folder: beside it (a build
// tree), else in share/senkaro/ beside the program's folder (an install, /usr/games next to
// /usr/share/senkaro, wherever its root is). When it is in neither, the first place, so the
// message names where it was looked for.
QString HelpFileFor(const QString& programFolder);
// The help page of the running program.
QString DefaultHelpFile();

void OpenHelpDocument(const QString& fileName, TDialogs& dialogs, TDocumentOpener* opener);

// The help page and how to open it, for every window that has a help button. Without dialogs
// it opens nothing.
struct THelpPage {
    QString File;
    TDialogs* Dialogs = nullptr;
    TDocumentOpener* Opener = nullptr;
    void Open() const;
};
