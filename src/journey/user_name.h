// The one check for a player name typed by the player (the first-start prompt and the dialog's
// new-user item): a name must survive being written to the data file and read back unchanged.
#pragma once

#include <QString>
#include <optional>

struct TNameCheck {
    QString Name;                  // the name to use: the input without surrounding blanks
    std::optional<QString> Error;  // why the name is refused: Japanese, a blank line, English
    bool Ok() const { return !Error.has_value(); }
};

TNameCheck ValidateUserName(const QString& input);
