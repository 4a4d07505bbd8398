// A worked example of each technique 1-9: a stored position whose answer needs the technique,
// with its explanation, as the help page shows it.
#pragma once

#include <string>
#include <vector>

#include "logic/explanation.h"
#include "logic/explanation_text.h"

struct TWorkedExample {
    int Technique = 0;
    std::string Position;  // a position text
    TExplanation Explanation;
};

// The example of the technique (1-9); for any other number an example with no position.
TWorkedExample WorkedExample(int technique);

// The explanation's sentences in one language, one per step; a trial's own steps follow its
// summary, each opened by "  ".
std::vector<std::string> ExampleSentences(const TWorkedExample& example, TLanguage language);
