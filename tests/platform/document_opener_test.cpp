// The desktop opener is judged by what the opening program did (its exit status), not by which
// programs happen to be installed.
#include "platform/document_opener.h"

#include <gtest/gtest.h>

#include <QTest>
#include <optional>

namespace {

// The answer the opener gives, the event loop run until it comes (the program's own time).
std::optional<bool> AnswerOf(const QString& program) {
    TDesktopDocumentOpener opener(program);
    std::optional<bool> answer;
    int answers = 0;
    opener.Open(QStringLiteral("/nonexistent/senkaro.html"), [&](bool opened) {
        answer = opened;
        ++answers;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 10'000));
    QCoreApplication::processEvents();
    EXPECT_EQ(answers, 1);
    return answer;
}

}  // namespace

TEST(DesktopDocumentOpener, OpenedOnlyWhenTheOpenerSucceeded) {
    EXPECT_EQ(AnswerOf(QStringLiteral("true")), true);
    // xdg-open with no method available ends with a status of its own.
    EXPECT_EQ(AnswerOf(QStringLiteral("false")), false);
    EXPECT_EQ(AnswerOf(QStringLiteral("/nonexistent/xdg-open")), false);
}
