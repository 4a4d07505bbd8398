// The game's command line: --help and --version print and end the program before any window
// (or display connection) exists; anything else it does not know is a usage error.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What the program does instead of opening its window: print Text (to standard error when
// Status is not 0) and end with Status.
struct TCommandLineExit {
    QString Text;
    int Status = 0;
};

// The arguments as main() gets them, the program's name first. Nothing when the game starts.
std::optional<TCommandLineExit> ReadCommandLine(const QStringList& arguments);
