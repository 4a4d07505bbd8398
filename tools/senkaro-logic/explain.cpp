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

void WriteRemoved(TJsonWriter& json, const std::vector<TCandidate>& removed) {
    json.Key("removed").BeginArray();
    for (const TCandidate& c : removed)
        json.BeginArray().Int(c.Cell).Int(c.Digit).EndArray();
    json.EndArray();
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
            WriteRemoved(json, step.Removed);
            break;
        case TStepType::Naked:
            WriteUnit(json.Key("unit"), step.Unit);
            WriteInts(json.Key("cells"), step.Cells);
            WriteInts(json.Key("digits"), step.Digits);
            WriteRemoved(json, step.Removed);
            break;
        case TStepType::Hidden:
            WriteUnit(json.Key("unit"), step.Unit);
            WriteInts(json.Key("digits"), step.Digits);
            WriteInts(json.Key("cells"), step.Cells);
            WriteRemoved(json, step.Removed);
            break;
        case TStepType::Trial:
            json.Key("cell").Int(step.Cell);
            json.Key("assumed").Int(step.Assumed);
            WriteSteps(json.Key("steps"), step.Steps);
            json.Key("contradiction").BeginObject();
            if (step.Contradiction.IsCell()) {
                json.Key("cell").Int(step.Contradiction.Cell);
            } else {
                WriteUnit(json.Key("unit"), step.Contradiction.Unit);
                json.Key("digit").Int(step.Contradiction.Digit);
            }
            json.EndObject();
            WriteRemoved(json, step.Removed);
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

// A position that breaks the rule cannot stand on the board: no answer.
void WriteExplanation(TJsonWriter& json, const std::string& text, const TMatrix& position) {
    TBoard board;
    board.LayOutPuzzle(text);
    std::optional<TExplanation> explanation;
    if (board.Matrix() == position) {
        board.Fix();
        explanation = ExplainAnswer(board);
    }
    json.BeginObject();
    json.Key("position").String(text);
    WriteMove(json.Key("answer"), AnswerOf(explanation));
    WriteSteps(json.Key("steps"), explanation ? explanation->Steps : std::vector<TStep>{});
    json.EndObject();
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
