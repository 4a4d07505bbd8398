#include "journey/explanation_note.h"

#include <QStringList>
#include <algorithm>
#include <span>

#include "board/explanation_drawing.h"
#include "logic/explanation_text.h"
#include "logic/explanation_walk.h"

namespace {

bool RemovedBy(const TStep& step, TCandidate c) {
    return std::find(step.Removed.begin(), step.Removed.end(), c) != step.Removed.end();
}

// The step before the page that took the candidate: "手順 k" / "step k", inside a trial its own
// steps first ("試行の手順 k" / "trial step k").
std::pair<QString, QString> TakenBy(const TExplanationWalk& walk, TCandidate c) {
    const std::vector<TStep>& steps = walk.Explanation().Steps;
    std::size_t outer = static_cast<std::size_t>(walk.Index());
    if (const TStep* trial = walk.OpenedTrial()) {
        outer = static_cast<std::size_t>(trial - steps.data());
        const std::span<const TStep> inner(trial->Steps);
        for (std::size_t k = std::min(inner.size(), static_cast<std::size_t>(walk.Index())); k > 0;
             --k) {
            if (RemovedBy(inner[k - 1], c))
                return {QStringLiteral("試行の手順 %1").arg(k),
                        QStringLiteral("trial step %1").arg(k)};
        }
    }
    for (std::size_t k = std::min(outer, steps.size()); k > 0; --k) {
        if (RemovedBy(steps[k - 1], c))
            return {QStringLiteral("手順 %1").arg(k), QStringLiteral("step %1").arg(k)};
    }
    return {QStringLiteral("前の手順"), QStringLiteral("an earlier step")};
}

}  // namespace

TExplanationNote GoneNote(const TExplanationWalk& walk, const TExplanationDrawing& drawing) {
    QStringList japanese, english;
    for (const TCandidate& c : drawing.GoneUnderRing) {
        const QString cell = QString::fromStdString(CellName(c.Cell));
        const auto [ja, en] = TakenBy(walk, c);
        japanese << QStringLiteral("%1 の %2（%3）").arg(cell).arg(c.Digit).arg(ja);
        english << QStringLiteral("%1 from %2 (%3)").arg(c.Digit).arg(cell, en);
    }
    if (japanese.isEmpty()) return {};
    return {QStringLiteral("先の手順で消えた候補：") + japanese.join(QStringLiteral("、")),
            QStringLiteral("Gone in earlier steps: ") + english.join(QStringLiteral(", "))};
}
