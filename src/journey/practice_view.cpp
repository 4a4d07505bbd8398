#include "journey/practice_view.h"

#include <QAction>
#include <QLabel>
#include <QTextDocumentFragment>

#include "board/explanation_drawing.h"
#include "board/sudoku.h"
#include "journey/explanation_panel.h"
#include "journey/game.h"
#include "journey/game_actions.h"
#include "journey/practice.h"
#include "logic/explanation_text.h"
#include "logic/technique_names.h"
#include "platform/fonts.h"

namespace {

constexpr int kWordsHeight = 112;

QString Unit(TUnit unit, TLanguage language) {
    return QString::fromStdString(UnitName(unit, language));
}

}  // namespace

QString HintText(const TPracticeHint& hint) {
    const int technique = hint.Technique >= 1 && hint.Technique <= 9 ? hint.Technique : 0;
    QString text = QStringLiteral("<b>ヒント %1 / %2　hint %1 of %2</b><br>")
                       .arg(hint.Stage)
                       .arg(kLastHintStage);
    const std::string_view name = TechniqueLevelNames[static_cast<std::size_t>(technique)];
    text += QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    if (hint.Unit)
        text +=
            QStringLiteral("<br>%1を見ましょう。 Look at %2.")
                .arg(Unit(*hint.Unit, TLanguage::Japanese), Unit(*hint.Unit, TLanguage::English));
    if (hint.Stage >= 2 && !hint.Cells.empty())
        text += QStringLiteral("<br>枠のマスが鍵です。 The framed cells are the key.");
    if (hint.Stage >= kLastHintStage)
        text += QStringLiteral("<br>説明を手順ごとに。 The explanation, step by step.");
    return text;
}

TPracticeView::TPracticeView(TGame& game, const TGameActions& actions, TSudoku& board,
                             TExplanationPanel& panel, QWidget& journeySide, TFollow follow)
    : QObject(&journeySide), game_(game), board_(board), panel_(panel) {
    words_ = new QLabel(&journeySide);
    words_->setObjectName(QStringLiteral("practiceWords"));
    words_->setTextFormat(Qt::RichText);
    words_->setWordWrap(true);
    words_->setFont(fonts::PixelFont(fonts::kWindowFace, 15, false));
    words_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    words_->setStyleSheet(
        QStringLiteral("background: rgb(247, 241, 225); color: rgb(96, 32, 16);"
                       "border: 2px solid rgb(107, 78, 42); padding: 8px;"));
    words_->setGeometry(0, panel.y(), journeySide.width(), kWordsHeight);
    words_->hide();

    // One key both ways: into practice between rounds, back to the journey during it.
    connect(actions.acPractice, &QAction::triggered, this, [this, follow] {
        follow(game_.Takes(TCommand::LeavePractice) ? game_.LeavePractice() : game_.OpenPractice());
    });
    connect(actions.acHint, &QAction::triggered, this, [this, follow] { follow(game_.Hint()); });
    panel_.OnLeave = [this, follow] { follow(game_.LeavePractice()); };
}

void TPracticeView::Follow(const TGameReply& reply) {
    const TGameState state = game_.State();
    panel_.SetPractice(Practising(state));
    const bool hintStands = state == TGameState::PracticeRunning ||
                            state == TGameState::PracticePaused ||
                            state == TGameState::PracticeJudging;
    if (reply.RoundStarted || !hintStands) {
        words_->hide();
        // The hint's drawing goes with its round; an offered explanation draws its own.
        if (!panel_.Offered()) board_.HideExplanation();
    }
    if (reply.Waiting) {
        words_->setText(MakingText());
        words_->show();
        words_->raise();
    }
    if (reply.Hint) ShowHint(*reply.Hint);
}

bool TPracticeView::ExplanationStays() const {
    const TGameState state = game_.State();
    return state == TGameState::Judged || state == TGameState::PracticeJudged ||
           ((state == TGameState::PracticeRunning || state == TGameState::PracticePaused) &&
            game_.ShownHint().Stage >= kLastHintStage);
}

void TPracticeView::ShowHint(const TPracticeHint& hint) {
    words_->setText(HintText(hint));
    // Its plain words as its name, which a screen reader is told of as it changes.
    words_->setAccessibleName(QTextDocumentFragment::fromHtml(words_->text()).toPlainText());
    if (hint.Stage < kLastHintStage) {
        board_.ShowHint(DrawingOf(hint));
        words_->show();
        words_->raise();
        return;
    }
    // The last hint: the whole explanation, walked on the panel over the words.
    words_->hide();
    panel_.Offer(game_.RoundPosition(), game_.RoundExplanation(), game_.AnswerTechnique());
    panel_.Explain();
}
