#include "board_json.h"

#include "board/board.h"

void WriteMove(TJsonWriter& json, const std::optional<TMove>& move) {
    if (!move) {
        json.Null();
        return;
    }
    json.BeginObject();
    json.Key("col").Int(move->Col);
    json.Key("row").Int(move->Row);
    json.Key("digit").Int(move->Digit);
    json.EndObject();
}

std::optional<TMove> BoardAnswer(const TBoard& board) {
    if (const std::optional<TFoundAnswer> answer = board.FindAnswer()) return answer->Move;
    return std::nullopt;
}
