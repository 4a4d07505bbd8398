// The whole game as a person plays it, on a real X server: the game's own window in this
// process, and a driver thread that moves the real mouse and types on the real keyboard with
// xdotool, reading the window's state (where the forced move is, what the dialogs show) only
// to know where to click and what to expect.
//
//   e2e_game first   first start in an empty folder: name, character, a right move, a wrong
//                    move, pause and resume, a round won with keys only, quit during a round
//   e2e_game again   start again in the same folder: the saved player at the saved station
//   e2e_game rules   a saved beginner at station 4, off the checkpoints: a close after 75 s of play
//                    (Cancel: the round runs on), pause toggled every 0.5 s until the round
//                    ends as a time-out, and a close after 75 s answered Yes (one station back)
//   e2e_game arrive  a saved beginner at station 53: the round won, S while the explanation is
//                    offered asks the arrival question, Yes: the character of level 1, a round
//                    at level 1 station 0
//
// The rules phase runs under faketime, which speeds up the program's clocks and sleeps; with
// E2E_SPEED=15 the driver waits in real time all the same, and xdotool runs unfaked.
//
// Prints one line per check and "N passed, N failed" at the end; exits 1 when a check failed.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

#include "board/explanation_overlay.h"
#include "board/number_piece.h"
#include "board/sudoku.h"
#include "journey/button_style.h"
#include "journey/character_dialog.h"
#include "journey/countdown_label.h"
#include "journey/dialogs.h"
#include "journey/explanation_panel.h"
#include "journey/game_dialogs.h"
#include "journey/main_window.h"
#include "journey/player_dialog.h"
#include "journey/practice_dialog.h"
#include "journey/practice_view.h"
#include "journey/round_records.h"
#include "journey/round_rules.h"
#include "journey/statistics_window.h"
#include "logic/practice_supply.h"
#include "logic/random.h"
#include "platform/beep.h"
#include "platform/clock.h"
#include "platform/document_opener.h"
#include "platform/fonts.h"
#include "platform/sound_player.h"

namespace {

const QString kName = QStringLiteral("Tabibito");

// How much faster than real time this process's clocks run.
int Speed() {
    static const int speed = std::max(1, qEnvironmentVariableIntValue("E2E_SPEED"));
    return speed;
}

std::atomic<int> passed{0};
std::atomic<int> failed{0};

void Check(bool ok, const std::string& what) {
    std::printf("%s - %s\n", ok ? "ok" : "FAIL", what.c_str());
    std::fflush(stdout);
    (ok ? passed : failed)++;
}

// Runs f on the window thread and hands back its result; works inside modal dialogs too.
template <typename F>
auto OnGui(F f) -> decltype(f()) {
    using R = decltype(f());
    if constexpr (std::is_void_v<R>) {
        QMetaObject::invokeMethod(qApp, f, Qt::BlockingQueuedConnection);
    } else {
        R result{};
        QMetaObject::invokeMethod(
            qApp, [&] { result = f(); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

// Sleeps for ms of real time.
void Sleep(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms * Speed()));
}

// Waits until the condition holds on the window thread, or the real time is up.
bool WaitFor(const std::function<bool()>& condition, int timeoutMs = 8000) {
    for (int waited = 0; waited < timeoutMs; waited += 50) {
        if (OnGui(condition)) return true;
        Sleep(50);
    }
    return false;
}

// A helper program in real time, without the faked clock.
void RunUnfaked(const QString& program, const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LD_PRELOAD", "FAKETIME", "DONT_FAKE_MONOTONIC"})
        env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.start(program, args);
    process.waitForFinished(-1);
}

void Xdo(const QStringList& args) {
    RunUnfaked(QStringLiteral("xdotool"), args);
}

QString N(int v) {
    return QString::number(v);
}

// With E2E_SCREENSHOTS set to a folder, the screen at this moment as FOLDER/name.png.
void Shot(const char* name) {
    const QString folder = qEnvironmentVariable("E2E_SCREENSHOTS");
    if (folder.isEmpty()) return;
    Sleep(400);
    RunUnfaked(QStringLiteral("import"),
               {"-window", "root", QDir(folder).filePath(QString::fromLatin1(name) + ".png")});
}

void Click(QPoint p) {
    Xdo({"mousemove", "--sync", N(p.x()), N(p.y())});
    Sleep(60);
    Xdo({"click", "1"});
    Sleep(120);
}

// A person's drag: press, a few moves, release over the target.
void Drag(QPoint from, QPoint to) {
    Xdo({"mousemove", "--sync", N(from.x()), N(from.y())});
    Sleep(60);
    Xdo({"mousedown", "1"});
    Sleep(60);
    for (int step = 1; step <= 4; ++step) {
        const QPoint p = from + (to - from) * step / 4;
        Xdo({"mousemove", "--sync", N(p.x()), N(p.y())});
        Sleep(40);
    }
    Xdo({"mouseup", "1"});
    Sleep(200);
}

QPoint CentreOf(const QWidget* w) {
    return w->mapToGlobal(w->rect().center());
}

QWidget* ActionButton(TForm1& form, QAction& action) {
    for (QToolBar* bar : form.findChildren<QToolBar*>())
        if (QWidget* w = bar->widgetForAction(&action)) return w;
    return nullptr;
}

// The close button of the tool band.
QPoint CloseButton(TForm1& form) {
    for (QAction* a : form.findChildren<QAction*>())
        if (a->text() == QStringLiteral("終わる Close")) return CentreOf(ActionButton(form, *a));
    return {};
}

template <typename T>
bool ModalIs() {
    return dynamic_cast<T*>(QApplication::activeModalWidget()) != nullptr;
}

QPoint ButtonInModal(const QString& text) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return {};
    for (QAbstractButton* b : modal->findChildren<QAbstractButton*>())
        if (b->text().contains(text) && b->isVisible()) return CentreOf(b);
    return {};
}

struct TMoveOnScreen {
    QPoint From, To;
};

// Where to press (the top free piece of the digit) and release (the cell's centre).
TMoveOnScreen ScreenMove(TForm1& form, int digit, TCell cell) {
    TSudoku& board = form.Sudoku();
    const int piece = board.Board().NextFreePiece(digit);
    const TNumberPiece* widget = board.NumberPiece(piece);
    const QPoint cellCentre =
        board.Geometry().CellOrigin(cell.Col, cell.Row) +
        QPoint(board.Geometry().CellWidth / 2, board.Geometry().CellHeight / 2);
    // Press on the piece's visible right part: the pieces of a stack overlap.
    return {widget->mapToGlobal(QPoint(widget->width() - 8, widget->height() / 2)),
            board.mapToGlobal(cellCentre)};
}

// After a judged round the explanation is offered first; its continue passes over it.
void PassOverTheExplanation(TForm1& form) {
    Check(WaitFor([&] { return form.Explanation().Offered(); }),
          "after the round the explanation is offered");
    // It says first how the round ended and how the player moved.
    const QString verdict = OnGui([&] { return form.Explanation().Verdict(); });
    Check(verdict == VerdictText(form.Game().LastJudgement().Verdict) &&
              !OnGui([&] { return form.Explanation().Progress(); }).isEmpty(),
          "the offer says what happened (" + verdict.toStdString() + ")");
    Click(OnGui([&] { return CentreOf(&form.Explanation().ContinueButton()); }));
}

int Station(TForm1& form) {
    return form.Game().Players().Items(std::max(0, form.Game().CurrentUser())).Station;
}

bool IsCheckpoint(TForm1& form, int station) {
    const auto& list = form.Game().CheckpointList();
    return std::find(list.begin(), list.end(), station) != list.end();
}

bool RoundRunning(TForm1& form) {
    return form.CountdownTimer().isActive();
}

// A cell other than the answer's where the answer's digit may stand.
TCell WrongCell(TForm1& form) {
    const TMove answer = form.Game().Round().ForcedMove();
    const TBoard& board = form.Sudoku().Board();
    for (int i = 0; i < 81; ++i) {
        const TCell c{i % 9, i / 9};
        if (c == answer.Cell() || board.Matrix().GetValue(c.Col, c.Row) != 0) continue;
        if (board.CanPlace(c.Col, c.Row, answer.Digit)) return c;
    }
    return {-1, -1};
}

void PlayFirstStart(TForm1& form) {
    // 1. The name prompt, then the character dialog, then the first round at once.
    Check(WaitFor([] { return ModalIs<QInputDialog>(); }), "the name prompt appears");
    Shot("first-start");
    Xdo({"type", "--delay", "60", kName});
    Xdo({"key", "Return"});
    Check(WaitFor([] { return ModalIs<TForm3>(); }), "the character dialog appears");
    Click(OnGui([] { return ButtonInModal(QStringLiteral("OK")); }));
    Check(WaitFor([&] { return RoundRunning(form); }), "the first round starts at once");
    Check(OnGui([&] { return form.Game().Round().PuzzleKind(); }) == 1,
          "a beginner's first round is of kind 1");
    const QString caption = OnGui([&] { return form.CountdownLabel().text(); });
    Check(caption == "2:08" || caption == "2:07",
          "the countdown shows 2:08 (" + caption.toStdString() + ")");
    Check(WaitFor([&] { return form.CountdownLabel().text() != caption; }, 3000),
          "the countdown counts down");
    Check(OnGui([&] { return form.Sudoku().Count(); }) >= 12, "the board shows the puzzle");
    Shot("running-round");

    // 2. The right move: success, the circle, station 1, the player dialog; continue.
    const TMove answer = OnGui([&] { return form.Game().Round().ForcedMove(); });
    Drag(OnGui([&] { return ScreenMove(form, answer.Digit, answer.Cell()).From; }),
         OnGui([&] { return ScreenMove(form, answer.Digit, answer.Cell()).To; }));
    Check(WaitFor([&] { return form.Explanation().Offered(); }),
          "after the right move the explanation is offered");
    Check(OnGui([] { return QApplication::activeModalWidget() == nullptr; }),
          "the player dialog waits");
    Xdo({"key", "y"});
    Check(WaitFor([&] { return form.Explanation().Explaining(); }), "Y shows why");
    Check(OnGui([&] { return form.Sudoku().ExplanationOverlay()->isVisible(); }),
          "the board draws the explanation");
    Shot("explanation");
    Xdo({"key", "Escape"});
    Check(WaitFor([] { return ModalIs<TForm2>(); }),
          "once the explanation is closed the player dialog opens");
    Check(OnGui([&] { return Station(form); }) == 1, "the player is at station 1");
    Shot("judged-round");
    Check(OnGui([&] { return form.Circle().isVisible(); }),
          "the circle lies over the judged piece");
    Click(OnGui([] { return ButtonInModal(QStringLiteral("continue")); }));
    Check(WaitFor([&] { return RoundRunning(form); }), "continue starts the next round");

    // 3. A wrong move: the message, the answer played and marked, the station as the rules say.
    const int before = OnGui([&] { return Station(form); });
    const TMove next = OnGui([&] { return form.Game().Round().ForcedMove(); });
    const TCell wrong = OnGui([&] { return WrongCell(form); });
    Check(wrong.Col >= 0, "a wrong cell for the answer's digit exists");
    const TMoveOnScreen wrongMove = OnGui([&] { return ScreenMove(form, next.Digit, wrong); });
    Drag(wrongMove.From, wrongMove.To);
    Check(WaitFor([] { return ModalIs<QMessageBox>(); }), "a wrong move brings the message");
    const QString message = OnGui([] {
        auto* box = dynamic_cast<QMessageBox*>(QApplication::activeModalWidget());
        return box ? box->text() : QString();
    });
    Check(message.contains(QStringLiteral("必然の一手を探してください")),
          "the message asks for the forced move");
    Shot("wrong-move");
    Check(OnGui([&] {
              int movable = 0;
              for (int i = 0; i < TBoard::kPieceCount; ++i)
                  movable += form.Sudoku().Board().Pieces(i).OnGrid() &&
                             !form.Sudoku().NumberPiece(i)->Fixed();
              return movable;
          }) == 1,
          "only the answer's piece is movable on the board");
    Xdo({"key", "Return"});
    PassOverTheExplanation(form);
    Check(WaitFor([] { return ModalIs<TForm2>(); }), "after the failure the player dialog opens");
    Check(OnGui([&] { return form.Sudoku().Board().Matrix().GetValue(next.Col, next.Row); }) ==
              next.Digit,
          "the answer is played");
    Check(OnGui([&] { return form.Circle().isVisible(); }), "the answer is marked with the circle");
    const int expected = OnGui([&] { return IsCheckpoint(form, before); }) ? before : before - 1;
    Check(OnGui([&] { return Station(form); }) == expected,
          "the player steps back unless at a checkpoint");
    Click(OnGui([] { return ButtonInModal(QStringLiteral("continue")); }));
    Check(WaitFor([&] { return RoundRunning(form); }), "continue starts another round");

    // 4. Pause and resume: the board hidden, the countdown frozen.
    Click(OnGui([&] { return CentreOf(ActionButton(form, *form.Actions().acPause)); }));
    Check(WaitFor([&] { return form.Game().Round().Paused() && !form.Sudoku().isVisible(); }),
          "pausing hides the board");
    const QString frozen = OnGui([&] { return form.CountdownLabel().text(); });
    Shot("paused");
    Sleep(2500);
    Check(OnGui([&] { return form.CountdownLabel().text(); }) == frozen,
          "the countdown is frozen while paused");
    Click(OnGui([&] { return CentreOf(ActionButton(form, *form.Actions().acPause)); }));
    Check(WaitFor([&] { return !form.Game().Round().Paused() && form.Sudoku().isVisible(); }),
          "resuming shows the board");

    // 5. A round won with keys alone: the cursor moved with the arrows, the digit typed.
    const TMove keyed = OnGui([&] { return form.Game().Round().ForcedMove(); });
    const TCell cursor = OnGui([&] { return form.Sudoku().Cursor().Cell(); });
    const int stationBefore = OnGui([&] { return Station(form); });
    for (int i = 0; i < (keyed.Col - cursor.Col + 9) % 9; ++i)
        Xdo({"key", "Right"});
    for (int i = 0; i < (keyed.Row - cursor.Row + 9) % 9; ++i)
        Xdo({"key", "Down"});
    Check(WaitFor([&] { return form.Sudoku().Cursor().Cell() == keyed.Cell(); }),
          "the arrow keys bring the cursor to the answer's cell");
    Shot("keyboard-cursor");
    Xdo({"key", QString::number(keyed.Digit)});
    PassOverTheExplanation(form);
    Check(WaitFor([] { return ModalIs<TForm2>(); }), "the digit key wins the round");
    Check(OnGui([&] { return Station(form); }) == stationBefore + 1,
          "the keyed move moves the player on");
    // 6. Between rounds, the records: every round so far counted.
    Click(OnGui([] { return ButtonInModal(QStringLiteral("close")); }));
    Check(WaitFor([] { return QApplication::activeModalWidget() == nullptr; }),
          "close leaves the player dialog");
    Click(OnGui([&] { return CentreOf(ActionButton(form, *form.Actions().acRecords)); }));
    Check(WaitFor([] { return ModalIs<TStatisticsWindow>(); }), "the records window opens");
    Check(OnGui([&] { return form.Dialogs().Statistics().Statistics().All.Rounds; }) == 3,
          "it counts the three rounds played");
    Shot("records");
    Click(OnGui([] { return ButtonInModal(QStringLiteral("close")); }));
    Check(WaitFor([] { return QApplication::activeModalWidget() == nullptr; }),
          "the records window closes");
    Click(OnGui([&] { return CentreOf(ActionButton(form, *form.Actions().acStart)); }));
    Check(WaitFor([&] { return RoundRunning(form); }), "start begins one more round");

    // 7. Quit during the round's first minute: no question, nothing lost.
    Click(OnGui([&] { return CloseButton(form); }));
    Check(WaitFor([&] { return !form.isVisible(); }), "closing in the first minute asks nothing");
}

// In the player dialog: the saved player chosen in the change-player menu.
void ChooseSavedPlayer(TForm1& form) {
    Click(OnGui([] { return ButtonInModal(QStringLiteral("select user")); }));
    Sleep(300);
    // The menu: the new-user item, the separator, then the player.
    const QPoint item = OnGui([] {
        auto* menu = dynamic_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return QPoint();
        const QList<QAction*> actions = menu->actions();
        return menu->mapToGlobal(menu->actionGeometry(actions.last()).center());
    });
    Click(item);
    Check(WaitFor([&] { return form.Dialogs().PlayerDialog().lbSelect->text() == kName; }),
          "the saved player can be chosen");
}

void PlayAgain(TForm1& form) {
    Check(WaitFor([] { return ModalIs<TForm2>(); }), "with a saved player the player dialog opens");
    Check(OnGui([&] { return form.Game().Players().Count(); }) == 1, "the saved player is loaded");
    const int saved = OnGui([&] { return form.Game().Players().Items(0).Station; });
    ChooseSavedPlayer(form);
    Shot("player-dialog");
    Check(OnGui([&] { return form.Dialogs().PlayerDialog().ShownStation(); }) == saved,
          "the dialog shows the saved station " + std::to_string(saved));
    std::printf("station %d\n", saved);
    Click(OnGui([] { return ButtonInModal(QStringLiteral("close")); }));
    Check(WaitFor([] { return QApplication::activeModalWidget() == nullptr; }),
          "close leaves the dialog");
    Click(OnGui([&] { return CloseButton(form); }));
    Check(WaitFor([&] { return !form.isVisible(); }), "the window closes between rounds");
}

// The player dialog's menu: the saved player chosen, then continue; the round runs.
void ContinueAsSavedPlayer(TForm1& form) {
    ChooseSavedPlayer(form);
    Click(OnGui([&] { return CentreOf(form.Dialogs().PlayerDialog().btOK); }));
    Check(WaitFor([&] { return RoundRunning(form); }), "the dialog's OK starts a round");
}

// Waits until the running round has been played for ms of the program's time.
bool WaitForPlay(TForm1& form, std::int64_t ms, const TClock& clock) {
    return WaitFor(
        [&] {
            return form.Game().Round().State() == TRoundState::Running &&
                   clock.NowMs() - form.Game().Round().StartTick() >= ms;
        },
        20000);
}

QString QuestionShown() {
    auto* box = dynamic_cast<QMessageBox*>(QApplication::activeModalWidget());
    return box ? box->text() : QString();
}

// Gives the window the keyboard again, as a person would click it after a dialog.
void FocusWindow(TForm1& form) {
    Xdo({"windowfocus", "--sync", QString::number(OnGui([&] { return form.winId(); }))});
    Check(WaitFor([&] { return QApplication::activeWindow() == &form; }),
          "the window has the keys");
}

// Practice: from the player dialog's 修行 button, technique 4 chosen, its round played with a
// hint; the record says so, and the journey stands as it was.
// The longest gap between the window thread's ticks (a frame's stand-in, every 2 ms asked)
// while the supply makes every position anew, from all its stocks taken to all full again.
void MeasureFramesWhileMaking(TPracticeSupply& supply) {
    const auto full = [&] {
        for (int t = 1; t <= 9; ++t)
            if (supply.ReadyCount(t) < TPracticeSupply::kReadyPerTechnique) return false;
        return true;
    };
    WaitFor(full, 60000);
    auto* ticks = OnGui([] { return new QElapsedTimer; });
    std::atomic<qint64> longest{0};
    QTimer* timer = OnGui([&] {
        auto* t = new QTimer;
        t->setTimerType(Qt::PreciseTimer);
        QObject::connect(t, &QTimer::timeout, [&longest, ticks] {
            longest = std::max<qint64>(longest, ticks->restart());
        });
        ticks->start();
        t->start(2);
        return t;
    });
    for (int t = 1; t <= 9; ++t)
        while (supply.Take(t)) {
        }
    const auto started = std::chrono::steady_clock::now();
    WaitFor(full, 60000);
    const double making =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    OnGui([&] {
        delete timer;
        delete ticks;
    });
    std::printf("longest frame while making 27 positions (%.1f s): %lld ms\n", making,
                static_cast<long long>(longest.load()));
}

void PlayPractice(TForm1& form, TPracticeSupply& supply) {
    Check(WaitFor([] { return ModalIs<TForm2>(); }), "the player dialog opens");
    MeasureFramesWhileMaking(supply);
    const int station = OnGui([&] { return form.Game().Players().Items(0).Station; });
    ChooseSavedPlayer(form);
    Click(OnGui([&] { return CentreOf(form.Dialogs().PlayerDialog().btPractice); }));
    Check(WaitFor([] { return ModalIs<TPracticeDialog>(); }), "修行 practice opens the picker");
    Shot("practice-picker");
    Click(OnGui([&] { return CentreOf(form.Dialogs().PracticeDialog().TechniqueButton(4)); }));
    Check(WaitFor([&] { return form.Game().State() == TGameState::PracticeRunning; }),
          "a practice round of the technique chosen runs");
    Check(OnGui([&] { return form.Game().PracticeTechnique(); }) == 4, "it practises technique 4");
    const QString caption = OnGui([&] { return form.CountdownLabel().text(); });
    Check(caption.startsWith(QStringLiteral("0:0")),
          "its clock starts at 0:00 (" + caption.toStdString() + ")");
    Check(WaitFor([&] { return form.CountdownLabel().text() > caption; }, 3000), "and counts up");

    FocusWindow(form);
    Xdo({"key", "h"});
    Check(WaitFor([&] { return form.Practice().Words().isVisible(); }),
          "H shows the first hint beside the board");
    Check(OnGui([&] {
              const TExplanationOverlay* shown = form.Sudoku().ExplanationOverlay();
              return shown && shown->isVisible() && shown->Drawing().Shaded.size() == 1;
          }),
          "and shades the unit to look at");
    Shot("practice-hint");

    const TMove answer = OnGui([&] { return form.Game().Round().ForcedMove(); });
    Drag(OnGui([&] { return ScreenMove(form, answer.Digit, answer.Cell()).From; }),
         OnGui([&] { return ScreenMove(form, answer.Digit, answer.Cell()).To; }));
    Check(WaitFor([&] { return form.Explanation().Offered(); }),
          "after the move its explanation is offered");
    Check(OnGui([&] { return form.Explanation().ContinueButton().text(); }) ==
              QStringLiteral("つぎ next"),
          "the offer goes on to the next position");
    Check(OnGui([&] {
              const TRoundRecords& records = form.Game().Records();
              const std::optional<TRoundRecord> last = records.Items(records.Count() - 1);
              return last && last->Kind == 0 && last->Technique == 4 &&
                     last->Result == TRoundResult::Hinted;
          }),
          "the round is recorded as practice of technique 4, hinted");
    Shot("practice-offer");
    Click(OnGui([&] { return CentreOf(&form.Explanation().JourneyButton()); }));
    Check(WaitFor([&] { return form.Game().State() == TGameState::BetweenRounds; }),
          "back to the journey");
    Check(OnGui([&] { return form.Game().Players().Items(0).Station; }) == station,
          "the journey stands where it was");
    Click(OnGui([&] { return CloseButton(form); }));
    Check(WaitFor([&] { return !form.isVisible(); }), "the window closes");
}

void PlayTheRules(TForm1& form, const TClock& clock) {
    Check(WaitFor([] { return ModalIs<TForm2>(); }), "the player dialog opens");
    const int start = OnGui([&] { return form.Game().Players().Items(0).Station; });
    ContinueAsSavedPlayer(form);
    Shot("rules-round");

    // 1. A close after 75 s of play asks; Cancel lets the round run on.
    Check(WaitForPlay(form, 75000, clock), "75 s of play pass");
    Click(OnGui([&] { return CloseButton(form); }));
    Check(WaitFor([] { return ModalIs<QMessageBox>(); }), "closing after a minute asks");
    Check(OnGui(QuestionShown).contains(QStringLiteral("すでに１分を過ぎています")),
          "the question names the minute");
    Shot("close-question");
    Click(OnGui([] { return ButtonInModal(QStringLiteral("Cancel")); }));
    Check(WaitFor([&] { return RoundRunning(form) && form.Sudoku().isVisible(); }),
          "after Cancel the round runs on");
    Check(OnGui([&] { return form.isVisible() && Station(form) == start; }),
          "after Cancel the window and the station stay");

    // 2. Pause toggled every 0.5 s of the program's time with its key: the round still ends by
    // its time. (A click on the button would, once the round is over, land on the start
    // button that takes its place.)
    FocusWindow(form);
    int toggles = 0;
    while (OnGui([&] { return form.Game().Round().Active(); }) && toggles < 5000) {
        Xdo({"key", "p"});
        ++toggles;
        std::this_thread::sleep_for(std::chrono::milliseconds(500));  // the program's 0.5 s
    }
    PassOverTheExplanation(form);
    Check(WaitFor([] { return ModalIs<TForm2>(); }), "toggling pause ends in a time-out");
    std::printf("pause toggled %d times\n", toggles);
    Check(OnGui([&] { return form.CountdownLabel().text(); }) == "0", "the countdown shows 0");
    Check(OnGui([&] { return Station(form); }) == start - 1, "the time-out costs one station");

    // 3. The next round, closed after 75 s with Yes: one station back, saved, the window gone.
    Click(OnGui([] { return ButtonInModal(QStringLiteral("continue")); }));
    Check(WaitFor([&] { return RoundRunning(form); }), "continue starts the next round");
    Check(WaitForPlay(form, 75000, clock), "75 s of play pass again");
    Click(OnGui([&] { return CloseButton(form); }));
    Check(WaitFor([] { return ModalIs<QMessageBox>(); }), "closing asks again");
    Click(OnGui([] { return ButtonInModal(QStringLiteral("Yes")); }));
    Check(WaitFor([&] { return !form.isVisible(); }), "Yes closes the window");
    Check(OnGui([&] { return Station(form); }) == start - 2, "Yes costs one station");
    std::printf("station %d\n", start - 2);
}

void PlayTheArrival(TForm1& form) {
    Check(WaitFor([] { return ModalIs<TForm2>(); }), "the player dialog opens");
    ContinueAsSavedPlayer(form);
    Check(OnGui([&] { return Station(form); }) == 53, "the player stands at station 53");

    // The round won: the player stands at Kyoto, the explanation is offered.
    const TMove answer = OnGui([&] { return form.Game().Round().ForcedMove(); });
    Drag(OnGui([&] { return ScreenMove(form, answer.Digit, answer.Cell()).From; }),
         OnGui([&] { return ScreenMove(form, answer.Digit, answer.Cell()).To; }));
    Check(WaitFor([&] { return form.Explanation().Offered(); }),
          "after the right move the explanation is offered");
    Check(OnGui([&] { return Station(form); }) == 54, "the right move brings the player to Kyoto");

    // S asks the arrival question first; Yes sets out on the next journey.
    FocusWindow(form);
    Xdo({"key", "s"});
    Check(WaitFor([] { return ModalIs<QMessageBox>(); }), "S brings the arrival question");
    Check(OnGui(QuestionShown).contains(QStringLiteral("の目的地に到着です")),
          "the question tells of the arrival");
    Shot("arrival-question");
    Click(OnGui([] { return ButtonInModal(QStringLiteral("Yes")); }));
    Check(WaitFor([] { return ModalIs<TForm3>(); }),
          "the character dialog of the new level appears");
    Check(OnGui([&] {
              TForm3& characters = form.Dialogs().CharacterDialog();
              return characters.CharacterButton(3)->isEnabled() &&
                     !characters.CharacterButton(0)->isEnabled();
          }),
          "it offers the characters of level 1");
    Shot("arrival-character");
    Click(OnGui([] { return ButtonInModal(QStringLiteral("OK")); }));
    Check(WaitFor([&] { return RoundRunning(form); }), "a round of the new journey starts");
    Check(OnGui([&] {
              const TSenkaroUser& user = form.Game().Players().Items(0);
              return user.Level == 1 && user.Station == 0;
          }),
          "the player is at level 1, station 0");
    Check(OnGui([&] {
              const TRound& round = form.Game().Round();
              return round.TimeLimit() == TimeLimitMs(round.PuzzleKind(), 1);
          }),
          "the round's time limit is of level 1");
    Check(OnGui([&] {
              const TRoundRecords& records = form.Game().Records();
              for (int i = 0; i < records.Count(); ++i)
                  if (records.Items(i)->Station == 54) return false;
              return records.Count() == 1;
          }),
          "no round was played at Kyoto");
    Shot("arrival-round");

    // Quit in the round's first minute.
    Click(OnGui([&] { return CloseButton(form); }));
    Check(WaitFor([&] { return !form.isVisible(); }), "the window closes");
}

// Seconds since this process started, from the kernel's own record.
double SecondsSinceProcessStart() {
    QFile stat(QStringLiteral("/proc/self/stat"));
    QFile uptime(QStringLiteral("/proc/uptime"));
    if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly)) return -1;
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    const double started = fields.value(19).toDouble() / static_cast<double>(sysconf(_SC_CLK_TCK));
    return uptime.readAll().split(' ').value(0).toDouble() - started;
}

}  // namespace

int main(int argc, char* argv[]) {
    const QString phase = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("first");
    QApplication app(argc, argv);
    app.setStyle(new TButtonStyle);
    // The driver ends the program; until then the window thread must keep answering it.
    QApplication::setQuitOnLastWindowClosed(false);
    fonts::InstallSubstitutions();

    TSystemClock clock;
    TSystemBeep beep;
    TDesktopDocumentOpener opener;
    TQtDialogs dialogs(nullptr, QStringLiteral("千花路五十三次 巡数 一人旅"));
    TAudioSinkPlayer sound;
    TServices services;
    services.Dialogs = &dialogs;
    services.Clock = &clock;
    services.Beep = &beep;
    services.Sound = &sound;
    services.Opener = &opener;
    SeedProgramRandomFromClock();
    TPracticeSupply practice(ProgramRandom().Next());
    services.Practice = &practice;
    TForm1 form(services);
    dialogs.SetParent(&form);
    form.show();
    QTimer::singleShot(0, [] {
        std::printf("window shown %.0f ms after the process started\n",
                    SecondsSinceProcessStart() * 1000);
    });

    std::thread driver([&] {
        if (phase == QStringLiteral("again"))
            PlayAgain(form);
        else if (phase == QStringLiteral("rules"))
            PlayTheRules(form, clock);
        else if (phase == QStringLiteral("arrive"))
            PlayTheArrival(form);
        else if (phase == QStringLiteral("practice"))
            PlayPractice(form, practice);
        else
            PlayFirstStart(form);
        // Whatever happened, the window goes and the program ends.
        Sleep(300);
        QMetaObject::invokeMethod(
            qApp,
            [] {
                QApplication::closeAllWindows();
                QApplication::quit();
            },
            Qt::QueuedConnection);
    });
    app.exec();
    driver.join();
    Check(!QFile::exists(QStringLiteral("senkaro.ini.damaged")), "no damaged data file was left");
    std::printf("%d passed, %d failed\n", passed.load(), failed.load());
    return failed.load() == 0 ? 0 : 1;
}
