#include "journey/game_dialogs.h"

#include "journey/character_dialog.h"
#include "journey/dialogs.h"
#include "journey/game.h"
#include "journey/player_dialog.h"
#include "journey/practice.h"
#include "journey/practice_dialog.h"
#include "journey/statistics_window.h"
#include "journey/user_name_prompt.h"

TGameDialogs::TGameDialogs(TDialogs& dialogs, const THelpPage& help, QWidget* parent)
    : dialogs_(dialogs),
      form3_(std::make_unique<TForm3>(help, parent)),
      form2_(std::make_unique<TForm2>(*form3_, dialogs, help, parent)),
      statistics_(std::make_unique<TStatisticsWindow>(parent)),
      practice_(std::make_unique<TPracticeDialog>(help, parent)) {}

TGameDialogs::~TGameDialogs() = default;

TPracticeChoice TGameDialogs::ChoosePractice(const TGame& game) {
    const std::optional<int> chosen =
        RunPracticeDialog(*practice_, dialogs_, game.PracticeChoices());
    if (!chosen) return {};
    return *chosen == TPracticeDialog::kWeakest ? TPracticeChoice::TheWeakest()
                                                : TPracticeChoice::Of(*chosen);
}

std::optional<TGameReply> TGameDialogs::Open(const TGameReply& reply, TGame& game,
                                             QPoint playerDialogAt) {
    switch (reply.Open) {
        case TOpen::Nothing:
            return std::nullopt;
        case TOpen::FirstPlayer: {
            const QString name = InsistOnUserName(dialogs_);
            return game.FirstPlayerAdded(name, RunCharacterDialog(*form3_, dialogs_, 0));
        }
        case TOpen::PlayerDialog: {
            form2_->move(playerDialogAt);
            form2_->PrepareToOpen(game.Players(), game.CurrentUser());
            const int result = dialogs_.RunModal(*form2_);
            return game.PlayerChosen(form2_->Choice(result));
        }
        case TOpen::CharacterDialog:
            return game.CharacterChosen(
                RunCharacterDialog(*form3_, dialogs_, reply.CharacterLevel));
        case TOpen::ArrivalQuestion:
            return game.ArrivalAnswered(dialogs_.Ask(reply.Question, false) == TAnswer::Yes);
        case TOpen::CloseQuestion:
            return game.CloseAnswered(dialogs_.Ask(reply.Question, true) == TAnswer::Yes);
        case TOpen::PracticePicker:
            return game.PracticeChosen(ChoosePractice(game));
        case TOpen::Records:
            break;
    }
    if (const TSenkaroUser* user = game.CurrentPlayer()) {
        statistics_->ShowPlayer(user->Name, game.Records().OfPlayer(user->Name), user->Level,
                                user->Station);
        dialogs_.RunModal(*statistics_);
    }
    return std::nullopt;
}
