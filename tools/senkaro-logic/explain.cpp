// explain and examples. Cells are indexes col + 9 x row; a unit is {"row": y}, {"col": x} or
// {"box": b} with b = bx + 3 x by; removed candidates are [cell, digit] pairs. A step's fields
// follow its pattern (see the usage text); a trial's "steps" are steps of the same form.
#include "explain.h"

#include <iostream>
#include <string>

#include "board/answer_explanation.h"
#include "board/board.h"
#include "board_json.h"
#include "json_writer.h"
#include "logic/explanation.h"
#include "logic/explanation_text.h"
#include "logic/technique_examples.h"
#include "logic/technique_names.h"
#include "position_lines.h"

namespace {

void WriteUnit(TJsonWriter& json, TUnit unit) {
    const char* kind = unit.Kind == TUnitKind::Row      ? "row"
                       : unit.Kind == TUnitKind::Column ? "col"
                                                        : "box";
    json.BeginObject().Key(kind).Int(unit.Number).EndObject();
}

void WriteInts(TJsonWriter& json, const std::vector<int>& values) {
    json.BeginArray();
    for (const int value : values)
        json.Int(value);
    json.EndArray();
}

void WriteCandidates(TJsonWriter& json, const std::vector<TCandidate>& candidates) {
    json.BeginArray();
    for (const TCandidate& c : candidates)
        json.BeginArray().Int(c.Cell).Int(c.Digit).EndArray();
    json.EndArray();
}

void WriteRemoved(TJsonWriter& json, const TStep& step) {
    WriteCandidates(json.Key("removed"), step.Removed);
    WriteCandidates(json.Key("matters"), step.Matters);
}

// {"cell": i} for an empty cell without candidates, {"unit", "digit"} for a unit without room.
void WriteDeadEnd(TJsonWriter& json, const TDeadEnd& end) {
    json.BeginObject();
    if (end.IsCell()) {
        json.Key("cell").Int(end.Cell);
    } else {
        WriteUnit(json.Key("unit"), end.Unit);
        json.Key("digit").Int(end.Digit);
    }
    json.EndObject();
}

void WriteSteps(TJsonWriter& json, const std::vector<TStep>& steps);

void WriteStep(TJsonWriter& json, const TStep& step) {
    json.BeginObject();
    json.Key("type").String(StepTypeName(step.Type));
    json.Key("technique").Int(step.Technique);
    switch (step.Type) {
        case TStepType::LastCell:
        case TStepType::LastPlace:
            WriteUnit(json.Key("unit"), step.Unit);
            [[fallthrough]];
        case TStepType::LastCandidate:
            json.Key("cell").Int(step.Cell);
            json.Key("digit").Int(step.Digit);
            break;
        case TStepType::Contradiction:
            json.Key("cell").Int(step.Cell);
            json.Key("assumed").Int(step.Assumed);
            json.Key("chain").BeginArray();
            for (const TChainLink& link : step.Chain) {
                json.BeginObject();
                WriteUnit(json.Key("unit"), link.Unit);
                json.Key("cell").Int(link.Cell).Key("digit").Int(link.Digit);
                json.EndObject();
            }
            json.EndArray();
            json.Key("blocked").BeginObject();
            WriteUnit(json.Key("unit"), step.Blocked.Unit);
            json.Key("digit").Int(step.Blocked.Digit);
            json.EndObject();
            json.Key("digit").Int(step.Digit);
            break;
        case TStepType::Locked:
            json.Key("digit").Int(step.Digit);
            WriteUnit(json.Key("unit"), step.Unit);
            WriteUnit(json.Key("other"), step.Other);
            WriteRemoved(json, step);
            break;
        case TStepType::Naked:
            WriteUnit(json.Key("unit"), step.Unit);
            WriteInts(json.Key("cells"), step.Cells);
            WriteInts(json.Key("digits"), step.Digits);
            WriteRemoved(json, step);
            break;
        case TStepType::Hidden:
            WriteUnit(json.Key("unit"), step.Unit);
            WriteInts(json.Key("digits"), step.Digits);
            WriteInts(json.Key("cells"), step.Cells);
            WriteRemoved(json, step);
            break;
        case TStepType::Trial:
            json.Key("cell").Int(step.Cell);
            json.Key("assumed").Int(step.Assumed);
            WriteSteps(json.Key("steps"), step.Steps);
            WriteDeadEnd(json.Key("contradiction"), step.Contradiction);
            WriteRemoved(json, step);
            break;
    }
    json.EndObject();
}

void WriteSteps(TJsonWriter& json, const std::vector<TStep>& steps) {
    json.BeginArray();
    for (const TStep& step : steps)
        WriteStep(json, step);
    json.EndArray();
}

std::optional<TMove> AnswerOf(const std::optional<TExplanation>& explanation) {
    if (!explanation) return std::nullopt;
    return explanation->Answer;
}

// A position that breaks the rule cannot stand on the board: no answer. A position with a dead
// end is not explained, answer or not: its "contradiction" follows the empty steps, and the
// line counts as bad.
bool WriteExplanation(TJsonWriter& json, const std::string& text, const TMatrix& position) {
    TBoard board;
    board.LayOutPuzzle(text);
    std::optional<TExplanation> explanation;
    if (board.Matrix() == position) {
        board.Fix();
        explanation = ExplainAnswer(board);
    }
    const std::optional<TDeadEnd> contradiction =
        explanation ? explanation->Contradiction : DeadEndOf(position);
    json.BeginObject();
    json.Key("position").String(text);
    WriteMove(json.Key("answer"), AnswerOf(explanation));
    WriteSteps(json.Key("steps"), explanation ? explanation->Steps : std::vector<TStep>{});
    if (contradiction) WriteDeadEnd(json.Key("contradiction"), *contradiction);
    json.EndObject();
    return !contradiction;
}

void WriteSentences(TJsonWriter& json, const std::vector<TStep>& steps) {
    json.BeginArray();
    for (const TStep& step : steps) {
        json.BeginObject();
        json.Key("ja").String(StepSentence(step, TLanguage::Japanese));
        json.Key("en").String(StepSentence(step, TLanguage::English));
        if (step.Type == TStepType::Trial) WriteSentences(json.Key("steps"), step.Steps);
        json.EndObject();
    }
    json.EndArray();
}

}  // namespace

int RunExplain(std::span<const std::string_view> args, std::istream& in, std::ostream& out) {
    return RunOnPositions("explain", args, in, out, WriteExplanation);
}

int RunExamples(std::span<const std::string_view> args, std::istream&, std::ostream& out) {
    if (!args.empty()) {
        std::cerr << "senkaro-logic examples: takes no arguments\n";
        return 2;
    }
    for (int technique = 1; technique <= 9 && out; ++technique) {
        const TWorkedExample example = WorkedExample(technique);
        TJsonWriter json;
        json.BeginObject();
        json.Key("technique").Int(technique);
        json.Key("name").String(TechniqueLevelNames[static_cast<std::size_t>(technique)]);
        json.Key("position").String(example.Position);
        WriteMove(json.Key("answer"), example.Explanation.Answer);
        WriteSteps(json.Key("steps"), example.Explanation.Steps);
        WriteSentences(json.Key("sentences"), example.Explanation.Steps);
        json.EndObject();
        out << json.Text() << '\n';
    }
    return 0;
}
