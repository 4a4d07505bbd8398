// What the player dialog hands back when it closes: whether the chosen player plays on or
// practises, who was chosen, and the players added through its new-user item. The game carries
// it out; the dialog itself changes and saves nothing.
#pragma once

#include <QString>
#include <vector>

struct TNewPlayer {
    QString Name;  // checked and trimmed
    int Character = 0;

    friend bool operator==(const TNewPlayer&, const TNewPlayer&) = default;
};

struct TPlayerChoice {
    // つづける continue: the chosen player plays on. False when the dialog was closed.
    bool Continue = false;
    // The index of the chosen player once the added ones are in the list; -1 for none.
    int Selected = -1;
    // In the order they were added. A name already in the list gets the new character; every
    // addition stands whether or not the dialog continues.
    std::vector<TNewPlayer> Added;
    // 修行 practice: the chosen player practises a technique (the picker opens) instead of
    // playing on; Continue is then not looked at.
    bool Practice = false;
};
