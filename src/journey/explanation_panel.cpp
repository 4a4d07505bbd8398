#include "journey/explanation_panel.h"

#include <utility>

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include "board/explanation_drawing.h"
#include "board/explanation_overlay.h"
#include "board/sudoku.h"
#include "journey/explanation_note.h"
#include "logic/explanation_text.h"
#include "logic/technique_names.h"
#include "platform/fonts.h"

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QString TechniqueName(int technique) {
    if (technique < 1 || technique > 9) return QString();
    return QString::fromUtf8(TechniqueLevelNames[static_cast<std::size_t>(technique)].data(),
                             static_cast<int>(TechniqueLevelNames[technique].size()));
}

QLabel* TextLabel(QWidget* parent, int pixels, bool bold, QColor colour) {
    auto* label = new QLabel(parent);
    QFont font(fonts::kWindowFace);
    font.setPixelSize(pixels);
    font.setBold(bold);
    label->setFont(font);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

QString Coloured(QColor colour, const QString& text) {
    colour.setAlpha(255);
    return QStringLiteral("<span style=\"color:%1\">%2</span>").arg(colour.name(), text);
}

// What the board's marks mean, in the board's own colours.
QString Legend() {
    using C = TExplanationColours;
    const QString square = QStringLiteral("■");
    const QString struck = QStringLiteral("<s>6</s>");
    return Coloured(C::Unit, square) + QStringLiteral(" 注目 unit　") +
           Coloured(C::Crossing, square) + QStringLiteral(" 交わる crossing　") +
           Coloured(C::DeadEnd, square) + QStringLiteral(" 行き詰まり dead end<br>") +
           Coloured(C::KeyCell, QStringLiteral("□")) + QStringLiteral(" 鍵のマス key cell　") +
           Coloured(C::Supposed, QStringLiteral("<i>6</i>")) +
           QStringLiteral(" 仮に置く supposed　") + Coloured(C::Ring, QStringLiteral("◯")) +
           QStringLiteral(" 置く placed<br>") + Coloured(C::Struck, struck) +
           Coloured(C::StruckSpare, struck) +
           QStringLiteral(" 消える候補（濃いのは答えに要る） goes (darker: needed)<br>") +
           Coloured(C::Reason, QStringLiteral("◯")) + QStringLiteral(" 理由の数字 reason　") +
           Coloured(C::Reason, QStringLiteral("▨")) + QStringLiteral(" 入れないマス shut　") +
           Coloured(C::Gone, struck) + QStringLiteral(" 先に消えた gone earlier");
}

QPushButton* Button(QWidget* parent, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setFocusPolicy(Qt::NoFocus);  // the panel takes the keys itself
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TExplanationPanel::TExplanationPanel(TSudoku& board, QWidget* parent)
    : QFrame(parent), board_(board) {
    setObjectName(QStringLiteral("explanationPanel"));
    setFrameShape(QFrame::Box);
    setLineWidth(2);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(0xF7, 0xF1, 0xE1));
    palette.setColor(QPalette::WindowText, QColor(0x6B, 0x4E, 0x2A));
    setPalette(palette);
    setFocusPolicy(Qt::StrongFocus);

    verdict_ = TextLabel(this, 18, true, QColor(0x60, 0x20, 0x10));
    progress_ = TextLabel(this, 14, true, QColor(0x30, 0x30, 0x90));
    title_ = TextLabel(this, 15, true, QColor(0x60, 0x20, 0x10));
    answer_ = TextLabel(this, 15, false, Qt::black);
    caption_ = TextLabel(this, 14, true, QColor(0x30, 0x30, 0x90));
    stepTechnique_ = TextLabel(this, 13, false, QColor(0x60, 0x60, 0x60));
    japanese_ = TextLabel(this, 16, false, Qt::black);
    english_ = TextLabel(this, 14, false, QColor(0x30, 0x30, 0x30));
    note_ = TextLabel(this, 13, false, QColor(0x60, 0x60, 0x60));

    why_ = Button(this, QStringLiteral("なぜ？ why"));
    continue_ = Button(this, QStringLiteral("つづける  continue"));
    journey_ = Button(this, QStringLiteral("旅にもどる back to the journey"));
    journey_->setVisible(false);
    back_ = Button(this, QStringLiteral("◀ もどる back"));
    forward_ = Button(this, QStringLiteral("すすむ next ▶"));
    open_ = Button(this, QStringLiteral("ひらく open"));
    leave_ = Button(this, QStringLiteral("試行を閉じる leave the trial"));
    close_ = Button(this, QStringLiteral("とじる close"));

    // Each button names its keys, which the panel takes whichever button has the focus.
    const std::pair<QPushButton*, const char*> keys[] = {{why_, "Y"},
                                                         {continue_, "Enter / Esc"},
                                                         {journey_, "T"},
                                                         {back_, "← / PageUp"},
                                                         {forward_, "→ / PageDown / Space / Enter"},
                                                         {open_, "↓"},
                                                         {leave_, "↑"},
                                                         {close_, "Esc"}};
    for (const auto& [button, key] : keys)
        button->setToolTip(QString::fromUtf8(key));

    legend_ = new QLabel(this);
    legend_->setTextFormat(Qt::RichText);
    legend_->setWordWrap(true);
    QFont legendFont(fonts::kWindowFace);
    legendFont.setPixelSize(12);
    legend_->setFont(legendFont);
    legend_->setText(Legend());

    auto* offerRow = new QHBoxLayout;
    offerRow->addWidget(why_);
    offerRow->addStretch();
    offerRow->addWidget(journey_);
    offerRow->addWidget(continue_);
    auto* stepRow = new QHBoxLayout;
    stepRow->addWidget(back_);
    stepRow->addWidget(forward_);
    stepRow->addStretch();
    stepRow->addWidget(open_);
    stepRow->addWidget(leave_);
    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch();
    closeRow->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(8);
    layout->addWidget(verdict_);
    layout->addWidget(progress_);
    layout->addWidget(title_);
    layout->addWidget(answer_);
    layout->addSpacing(6);
    layout->addWidget(caption_);
    layout->addWidget(stepTechnique_);
    layout->addWidget(japanese_);
    layout->addWidget(english_);
    layout->addWidget(note_);
    layout->addStretch();
    layout->addWidget(legend_);
    layout->addLayout(offerRow);
    layout->addLayout(stepRow);
    layout->addLayout(closeRow);

    connect(continue_, &QPushButton::clicked, this, [this] { Close(); });
    connect(journey_, &QPushButton::clicked, this, [this] {
        Dismiss();
        if (OnLeave) OnLeave();
    });
    connect(close_, &QPushButton::clicked, this, [this] { Close(); });
    connect(back_, &QPushButton::clicked, this, [this] { Go(&TExplanationWalk::Back); });
    connect(forward_, &QPushButton::clicked, this, [this] { Go(&TExplanationWalk::Forward); });
    connect(open_, &QPushButton::clicked, this, [this] { Go(&TExplanationWalk::Open); });
    connect(leave_, &QPushButton::clicked, this, [this] { Go(&TExplanationWalk::Leave); });
    hide();
}

void TExplanationPanel::SetPlaces(const QRect& offered, const QRect& explaining) {
    offerPlace_ = offered;
    stepsPlace_ = explaining;
}

void TExplanationPanel::Offer(const TMatrix& position, TExplanation explanation, int technique,
                              const TOfferHead& head) {
    walk_.emplace(position, std::move(explanation));
    answerTechnique_ = technique;
    verdict_->setText(head.Verdict);
    progress_->setText(head.Progress);
    offered_ = true;
    explaining_ = false;
    ShowOffer();
    show();
    raise();
    setFocus();
}

void TExplanationPanel::Explain() {
    if (!offered_ || !CanExplain()) return;
    // From the first step, however far an earlier look went.
    walk_->Rewind();
    explaining_ = true;
    ShowStep();
    setFocus();
}

void TExplanationPanel::Close() {
    if (!offered_) return;
    Dismiss();
    if (OnClosed) OnClosed();
}

void TExplanationPanel::SetPractice(bool practice) {
    if (practice_ == practice) return;
    practice_ = practice;
    continue_->setText(practice ? QStringLiteral("つぎ next")
                                : QStringLiteral("つづける  continue"));
    if (offered_ && !explaining_) ShowOffer();
}

void TExplanationPanel::Dismiss() {
    // The board's drawing is the panel's only while offered: else it may be a hint.
    if (std::exchange(offered_, false)) board_.HideExplanation();
    explaining_ = false;
    hide();
}

QString TExplanationPanel::Title() const {
    return title_->text();
}
QString TExplanationPanel::Verdict() const {
    return verdict_->text();
}
QString TExplanationPanel::Progress() const {
    return progress_->text();
}
QString TExplanationPanel::StepCaption() const {
    return caption_->text();
}
QString TExplanationPanel::JapaneseText() const {
    return japanese_->text();
}
QString TExplanationPanel::EnglishText() const {
    return english_->text();
}
QString TExplanationPanel::NoteText() const {
    return note_->text();
}

void TExplanationPanel::ShowOffer() {
    const TExplanation& explanation = walk_->Explanation();
    title_->setText(TechniqueName(answerTechnique_));
    const QString cell = Text(CellName(explanation.Answer.Col + 9 * explanation.Answer.Row));
    const QString digit = QString::number(explanation.Answer.Digit);
    answer_->setText(
        QStringLiteral("答えは %1 の %2 です。 The answer is %2 in %1.").arg(cell, digit));
    caption_->clear();
    stepTechnique_->clear();
    // Short: what happened, the answer, and why it can be shown, or that it cannot.
    japanese_->setText(CanExplain() ? QString()
                                    : QStringLiteral("この答えには見せられる手順がありません。"));
    english_->setText(CanExplain() ? QString()
                                   : QStringLiteral("There are no steps to show for this answer."));
    for (QLabel* label : {verdict_, progress_})
        label->setVisible(!label->text().isEmpty());
    for (QLabel* label : {caption_, stepTechnique_, japanese_, english_})
        label->setVisible(!label->text().isEmpty());
    if (offerPlace_.isValid()) setGeometry(offerPlace_);
    note_->clear();
    note_->setVisible(false);
    legend_->setVisible(false);
    why_->setVisible(true);
    why_->setEnabled(CanExplain());
    continue_->setVisible(true);
    journey_->setVisible(practice_);
    for (QPushButton* button : {back_, forward_, open_, leave_, close_})
        button->setVisible(false);
    board_.HideExplanation();
    Announce();
}

void TExplanationPanel::ShowStep() {
    const TExplanationWalk& walk = *walk_;
    const TStep& step = walk.Current();
    const QString position = QString::number(walk.Index() + 1);
    const QString count = QString::number(walk.Count());
    if (const TStep* trial = walk.OpenedTrial()) {
        const QString supposed =
            QStringLiteral("%1 = %2").arg(Text(CellName(trial->Cell))).arg(trial->Assumed);
        caption_->setText(
            walk.AtDeadEnd()
                ? QStringLiteral("試行 %1：行き詰まり　trial %1: dead end").arg(supposed)
                : QStringLiteral("試行 %1：手順 %2 / %3　trial %1: step %2 of %3")
                      .arg(supposed, position, count));
    } else {
        caption_->setText(QStringLiteral("手順 %1 / %2　step %1 of %2").arg(position, count));
    }
    stepTechnique_->setText(TechniqueName(step.Technique));
    japanese_->setText(Text(StepSentence(step, TLanguage::Japanese)));
    english_->setText(Text(StepSentence(step, TLanguage::English)));

    for (QLabel* label : {verdict_, progress_})
        label->setVisible(false);
    for (QLabel* label : {caption_, stepTechnique_, japanese_, english_})
        label->setVisible(true);
    if (stepsPlace_.isValid()) setGeometry(stepsPlace_);
    legend_->setVisible(true);
    why_->setVisible(false);
    continue_->setVisible(false);
    journey_->setVisible(false);
    for (QPushButton* button : {back_, forward_, close_})
        button->setVisible(true);
    back_->setEnabled(walk.CanBack());
    forward_->setEnabled(walk.CanForward());
    open_->setVisible(walk.CanOpen());
    leave_->setVisible(walk.CanLeave());
    const TExplanationDrawing drawing = DrawingOf(walk);
    const TExplanationNote note = GoneNote(walk, drawing);
    note_->setText(note.Empty() ? QString() : note.Japanese + QStringLiteral("\n") + note.English);
    note_->setVisible(!note.Empty());
    board_.ShowExplanation(drawing);
    Announce();
}

void TExplanationPanel::Announce() {
    // The panel keeps the focus while it is shown: a screen reader speaks its name as it
    // changes. A step is read without the title and the answer, which stay the same.
    QStringList parts;
    const std::vector<const QLabel*> labels =
        explaining_ ? std::vector<const QLabel*>{caption_, japanese_, english_, note_}
                    : std::vector<const QLabel*>{title_, answer_, japanese_, english_};
    for (const QLabel* label : labels) {
        if (!label->text().isEmpty()) parts << label->text();
    }
    setAccessibleName(parts.join(QStringLiteral(" ")));
}

void TExplanationPanel::Go(void (TExplanationWalk::*move)()) {
    if (!Explaining()) return;
    ((*walk_).*move)();
    ShowStep();
}

void TExplanationPanel::keyPressEvent(QKeyEvent* event) {
    if (!offered_) return QFrame::keyPressEvent(event);
    switch (event->key()) {
        case Qt::Key_Escape:
            Close();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (!explaining_) {
                Close();
                return;
            }
            Go(&TExplanationWalk::Forward);
            return;
        case Qt::Key_Right:
        case Qt::Key_PageDown:
        case Qt::Key_Space:
            Go(&TExplanationWalk::Forward);
            return;
        case Qt::Key_Left:
        case Qt::Key_PageUp:
            Go(&TExplanationWalk::Back);
            return;
        case Qt::Key_Down:
            Go(&TExplanationWalk::Open);
            return;
        case Qt::Key_Up:
            Go(&TExplanationWalk::Leave);
            return;
        default:
            QFrame::keyPressEvent(event);
    }
}
