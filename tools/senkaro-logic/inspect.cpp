// The inspect command. Each field is computed on its own fresh copy of the position's matrix,
// so no technique sees what another one did.
//
// Moves are {"col": x, "row": y, "digit": d} or null; eliminations are {"changed": bool,
// "masks": [81 candidate masks after the operation, index = col + 9 x row]}. The last three
// fields ask the board: the position is laid out on a TBoard, its givens placed as they stand.
#include "inspect.h"

#include <functional>
#include <optional>
#include <string>

#include "board/board.h"
#include "board_json.h"
#include "json_writer.h"
#include "logic/matrix.h"
#include "position_lines.h"

namespace {

const char* StateName(TMatrixState state) {
    switch (state) {
        case msSolved:
            return "solved";
        case msContradiction:
            return "contradiction";
        case msStuck:
            return "stuck";
        case msOpen:
            break;
    }
    return "open";
}

// The board's next-move search in report mode: {"level", "col", "row", "digit"} or null.
void WriteNextMove(TJsonWriter& json, TBoard& board, bool advanced) {
    int digit = 0;
    TCell cell;
    if (!board.FindNextMove(false, advanced, digit, cell)) {
        json.Null();
        return;
    }
    json.BeginObject();
    json.Key("level").Int(board.CurrentTechnique());
    json.Key("col").Int(cell.Col);
    json.Key("row").Int(cell.Row);
    json.Key("digit").Int(digit);
    json.EndObject();
}

// next, next_basic and answer. A board takes a given only where the rule allows it, so for a
// position that breaks the rule the board's position would be another one: all three are null.
void WriteBoardFields(TJsonWriter& json, const std::string& text, const TMatrix& m) {
    TBoard board;
    board.LayOutPuzzle(text);
    if (!(board.Matrix() == m)) {
        json.Key("next").Null();
        json.Key("next_basic").Null();
        json.Key("answer").Null();
        return;
    }
    // Report mode changes nothing but CurrentTechnique, so one board serves all three.
    WriteNextMove(json.Key("next"), board, true);
    WriteNextMove(json.Key("next_basic"), board, false);
    board.Fix();
    WriteMove(json.Key("answer"), BoardAnswer(board));
}

void WriteMasks(TJsonWriter& json, const TMatrix& matrix) {
    json.Key("masks").BeginArray();
    for (int i = 0; i < 81; ++i)
        json.Int(matrix.CandidatesAt(i));
    json.EndArray();
}

// Runs an elimination on a copy and writes whether it changed anything and the masks after.
void WriteElimination(TJsonWriter& json, const TMatrix& matrix,
                      const std::function<bool(TMatrix&)>& eliminate) {
    TMatrix copy = matrix;
    const bool changed = eliminate(copy);
    json.BeginObject();
    json.Key("changed").Bool(changed);
    WriteMasks(json, copy);
    json.EndObject();
}

// Every position is good to inspect.
bool WriteInspection(TJsonWriter& json, const std::string& text, const TMatrix& m) {
    json.BeginObject();
    json.Key("position").String(text);
    json.Key("state").String(StateName(m.GetState()));
    json.Key("empty").Int(m.EmptyCount());
    WriteMove(json.Key("L1"), m.FindJustOneEmptyCell());
    json.Key("L2").BeginArray();
    for (int d = 1; d <= 9; ++d)
        WriteMove(json, m.FindOnlyOnePlaceLeft(d));
    json.EndArray();
    WriteMove(json.Key("L3"), m.FindOnlyMissingNumber());
    WriteMove(json.Key("any"), m.FindAnyForcedMove());
    WriteElimination(json.Key("L4"), m, [](TMatrix& c) { return c.ApplyMyReservedSeat(); });
    json.Key("L4d").BeginArray();
    for (int d = 1; d <= 9; ++d) {
        WriteElimination(json, m, [d](TMatrix& c) { return c.ApplyMyReservedSeatOfDigit(d); });
    }
    json.EndArray();
    WriteElimination(json.Key("L5"), m, [](TMatrix& c) { return c.ApplyYourReservedSeat(); });
    WriteElimination(json.Key("L6"), m, [](TMatrix& c) { return c.ApplyOurReservedSeat(); });
    TMatrix all = m;
    all.ApplyAllReservedSeats();
    json.Key("all").BeginObject();
    WriteMasks(json, all);
    json.EndObject();
    WriteMove(json.Key("L7"), m.FindKeepOff());
    WriteMove(json.Key("L8"), m.FindGetOut());
    WriteElimination(json.Key("L9"), m, [](TMatrix& c) { return c.ApplyPuzzled(); });
    json.Key("blocked").BeginArray();
    for (int d = 1; d <= 9; ++d)
        json.Bool(m.DigitBlocked(d));
    json.EndArray();
    WriteBoardFields(json, text, m);
    json.EndObject();
    return true;
}

}  // namespace

int RunInspect(std::span<const std::string_view> args, std::istream& in, std::ostream& out) {
    return RunOnPositions("inspect", args, in, out, WriteInspection);
}
