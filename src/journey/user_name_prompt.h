// Asking for a player's name in the game's input box, with the one name check of the game.
#pragma once

#include <QString>
#include <optional>

class TDialogs;

// Asks once: the checked, trimmed name, or nothing when cancelled, left blank or refused. A
// refused name is answered with the check's message.
std::optional<QString> AskUserName(TDialogs& dialogs);

// Asks until a name is given: a blank name asks again, Cancel says a name is needed.
QString InsistOnUserName(TDialogs& dialogs);
