// Opening the help page with the program the desktop associates with it, or saying why not.
#pragma once

#include <QString>

class TDialogs;
class TDocumentOpener;

// "senkaro.html" beside the program.
QString DefaultHelpFile();

void OpenHelpDocument(const QString& fileName, TDialogs& dialogs, TDocumentOpener* opener);
