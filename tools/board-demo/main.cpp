// senkaro-board-demo: the board alone, to look at. It lays out a made puzzle, shows the candidate
// marks of the puzzle's forced digit and circles the forced cell with a memo stroke, drawn the
// way the player's mouse would draw it. The board stays playable until the window is closed.
//
//   senkaro-board-demo [--seed N] [--kind 1-6] [--screenshot FILE]
//   senkaro-board-demo --example 1-9 [--screenshot FILE]
//
// With --example the board shows the worked example of a technique, explained at the first step
// that uses the technique, as the game's explanation draws it (the help page's pictures).
// With --screenshot the board is saved as a PNG once it is ready, and the program ends.
#include <QApplication>
#include <QCommandLineParser>
#include <QMouseEvent>
#include <QWidget>
#include <cmath>
#include <numbers>
#include <optional>

#include "board/explanation_drawing.h"
#include "board/sudoku.h"
#include "logic/explanation_walk.h"
#include "logic/position_text.h"
#include "logic/random.h"
#include "logic/technique_examples.h"
#include "logic/templates.h"
#include "platform/fonts.h"

namespace {

void SendMouse(QWidget& target, QEvent::Type type, QPointF p, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, p, target.mapToGlobal(p), button, held, Qt::NoModifier);
    QApplication::sendEvent(&target, &event);
}

// A ring around the cell, drawn on the board as a pen stroke.
void CircleCell(TSudoku& board, TCell cell) {
    const TBoardGeometry& g = board.Geometry();
    const QPointF centre =
        QPointF(g.CellOrigin(cell.Col, cell.Row)) + QPointF(g.CellWidth / 2.0, g.CellHeight / 2.0);
    const double rx = g.CellWidth * 0.62;
    const double ry = g.CellHeight * 0.62;
    const auto at = [&](double t) { return centre + QPointF(rx * std::cos(t), ry * std::sin(t)); };
    const double start = -2.2;
    SendMouse(board, QEvent::MouseButtonPress, at(start), Qt::LeftButton, Qt::LeftButton);
    constexpr int kSteps = 40;
    for (int i = 1; i <= kSteps; ++i) {
        const double t = start + 2.15 * std::numbers::pi * i / kSteps;
        SendMouse(board, QEvent::MouseMove, at(t), Qt::NoButton, Qt::LeftButton);
    }
    SendMouse(board, QEvent::MouseButtonRelease, at(start + 2.15 * std::numbers::pi),
              Qt::LeftButton, Qt::NoButton);
}

// The worked example laid out, walked to the first step of its own technique, and drawn.
bool ShowExample(TSudoku& board, int technique) {
    const TWorkedExample example = WorkedExample(technique);
    std::string error;
    const std::optional<TMatrix> position = MatrixFromText(example.Position, error);
    if (!position || !example.Explanation.Explained()) return false;
    board.Board().LayOutPuzzle(example.Position);
    board.Fix();
    TExplanationWalk walk(*position, example.Explanation);
    while (walk.Current().Technique != technique && walk.CanForward())
        walk.Forward();
    // On the answer's own step its piece stands on the board, as after a round.
    if (!walk.CanForward()) {
        const TMove& answer = example.Explanation.Answer;
        board.Board().PlacePiece(board.Board().NextFreePiece(answer.Digit), answer.Col, answer.Row,
                                 false);
    }
    board.ShowExplanation(DrawingOf(walk));
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    fonts::InstallSubstitutions();
    QApplication::setApplicationName(QStringLiteral("senkaro-board-demo"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The game's board alone, with a made puzzle."));
    parser.addHelpOption();
    const QCommandLineOption seedOption(QStringLiteral("seed"),
                                        QStringLiteral("Seed of the puzzle's draw."),
                                        QStringLiteral("N"), QStringLiteral("7"));
    const QCommandLineOption kindOption(QStringLiteral("kind"), QStringLiteral("Puzzle kind, 1-6."),
                                        QStringLiteral("K"), QStringLiteral("6"));
    const QCommandLineOption screenshotOption(QStringLiteral("screenshot"),
                                              QStringLiteral("Save the board as a PNG and quit."),
                                              QStringLiteral("FILE"));
    const QCommandLineOption exampleOption(
        QStringLiteral("example"), QStringLiteral("A technique's worked example, 1-9, explained."),
        QStringLiteral("T"));
    parser.addOptions({seedOption, kindOption, screenshotOption, exampleOption});
    parser.process(app);

    // The model outlives the window and with it the board widget that draws it.
    TBoard model;
    QWidget window;
    window.setWindowTitle(QStringLiteral("senkaro board demo"));
    window.setFont(QFont(fonts::kWindowFace, 9));
    auto* board = new TSudoku(model, &window);
    board->setGeometry(0, 0, 580, 480);
    window.resize(board->size());
    window.show();
    board->setEnabled(false);

    // The puzzle goes on once the stacks stand; a screenshot lays them out straight away.
    int status = 0;
    const bool screenshot = parser.isSet(screenshotOption);
    board->SetPaced(!screenshot);
    board->OnStarted = [&] {
        if (parser.isSet(exampleOption)) {
            if (!ShowExample(*board, parser.value(exampleOption).toInt())) {
                qCritical("no worked example %s", qPrintable(parser.value(exampleOption)));
                status = 2;
                return;
            }
        } else {
            SeedProgramRandom(parser.value(seedOption).toULongLong());
            TDrawnTemplate drawn = DrawTemplate(parser.value(kindOption).toInt(), ProgramRandom());
            model.MakePuzzle(drawn.Text);
            model.Fix();
            if (const std::optional<TFoundAnswer> answer = model.FindAnswer()) {
                board->ShowCandidates(answer->Move.Digit);
                // The pen works only on an enabled board, as in a round.
                board->setEnabled(true);
                CircleCell(*board, answer->Move.Cell());
            }
        }
        board->setEnabled(true);
        if (!screenshot) return;
        const QString file = parser.value(screenshotOption);
        if (!board->grab().save(file)) {
            qCritical("cannot write %s", qPrintable(file));
            status = 1;
        }
    };
    board->Start();
    if (screenshot) return status;
    return app.exec();
}
