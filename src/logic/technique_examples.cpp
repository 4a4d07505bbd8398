// The examples: the first stored template of kinds 1-6 as it stands for techniques 1-6, and
// positions met while playing random puzzles on for techniques 7-9. The answers are stored with
// them (the board's answer search gives these same moves; a test holds them to it).
#include "logic/technique_examples.h"

#include <array>

#include "logic/position_text.h"
#include "logic/templates.h"

namespace {

struct TStoredExample {
    int templateKind;  // 0: the position below
    const char* position;
    TMove answer;
};

constexpr std::array<TStoredExample, 9> kExamples = {{
    {1, nullptr, {2, 2, 9}},
    {2, nullptr, {4, 2, 1}},
    {3, nullptr, {4, 1, 9}},
    {4, nullptr, {1, 0, 9}},
    {5, nullptr, {8, 2, 3}},
    {6, nullptr, {8, 5, 1}},
    {0,
     "000040021501200490423000087635920804000865002002304965000700240200100008007402009",
     {3, 0, 5}},
    {0,
     "020001083000072060000830702050700008000060070970005200030007020000943050000000340",
     {4, 0, 9}},
    {0,
     "000230080000800200802904006007129468126478359489365712208043000760592800940081020",
     {7, 7, 4}},
}};

void AddSentences(const std::vector<TStep>& steps, TLanguage language, const std::string& indent,
                  std::vector<std::string>& sentences) {
    for (const TStep& step : steps) {
        sentences.push_back(indent + StepSentence(step, language));
        if (step.Type == TStepType::Trial)
            AddSentences(step.Steps, language, indent + "  ", sentences);
    }
}

}  // namespace

TWorkedExample WorkedExample(int technique) {
    TWorkedExample example;
    example.Technique = technique;
    if (technique < 1 || technique > 9) return example;
    const TStoredExample& stored = kExamples[static_cast<std::size_t>(technique - 1)];
    example.Position =
        stored.templateKind != 0 ? TemplateGroup(stored.templateKind).front() : stored.position;
    std::string error;
    if (const auto position = MatrixFromText(example.Position, error))
        example.Explanation = Explain(*position, stored.answer);
    return example;
}

std::vector<std::string> ExampleSentences(const TWorkedExample& example, TLanguage language) {
    std::vector<std::string> sentences;
    AddSentences(example.Explanation.Steps, language, "", sentences);
    return sentences;
}
