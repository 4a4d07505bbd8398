// What the player dialog needs of the game around it: the players, saving them, choosing a
// travel character, opening help, and the game's boxes.
#pragma once

class TDialogs;
class TSenkaroUsers;

class TPlayerDialogHost {
  public:
    virtual TSenkaroUsers& Users() = 0;
    virtual void SaveUsers() = 0;
    // Asks for one of the level's three characters; the one chosen.
    virtual int ChooseCharacter(int level) = 0;
    virtual void OpenHelp() = 0;
    virtual TDialogs& Dialogs() = 0;

  protected:
    ~TPlayerDialogHost() = default;
};
