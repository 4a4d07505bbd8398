// The game's dialogs between rounds — the player dialog, the character dialog, the practice
// dialog, the statistics window, the name prompt and the arrival and closing questions — opened as
// a game reply asks and answered back to the game. The one place where they open; the window calls
// it from the event loop and follows the game's answer.
#pragma once

#include <QPoint>
#include <memory>
#include <optional>

#include "journey/help_document.h"

class QWidget;
class TDialogs;
class TForm2;
class TForm3;
class TGame;
class TPracticeDialog;
class TStatisticsWindow;
struct TGameReply;
struct TPracticeChoice;

class TGameDialogs {
  public:
    // Every box goes through the dialogs; the windows are children of the parent.
    TGameDialogs(TDialogs& dialogs, const THelpPage& help, QWidget* parent);
    ~TGameDialogs();

    // Opens what the reply asks for (the player dialog at the point given) and hands the
    // player's answer to the game; its reply, or nothing when nothing was asked of the game.
    std::optional<TGameReply> Open(const TGameReply& reply, TGame& game, QPoint playerDialogAt);

    TForm2& PlayerDialog() { return *form2_; }
    TForm3& CharacterDialog() { return *form3_; }
    TStatisticsWindow& Statistics() { return *statistics_; }
    TPracticeDialog& PracticeDialog() { return *practice_; }

  private:
    TPracticeChoice ChoosePractice(const TGame& game);

    TDialogs& dialogs_;
    std::unique_ptr<TForm3> form3_;
    std::unique_ptr<TForm2> form2_;
    std::unique_ptr<TStatisticsWindow> statistics_;
    std::unique_ptr<TPracticeDialog> practice_;
};
