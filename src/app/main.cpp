// The game program. Its command line has only --help and --version; the players live in
// senkaro.ini in the folder the game is started from.
#include <QApplication>
#include <iostream>

#include "app/command_line.h"

#include "journey/button_style.h"
#include "journey/dialogs.h"
#include "journey/help_document.h"
#include "journey/main_window.h"
#include "logic/practice_supply.h"
#include "logic/random.h"
#include "platform/beep.h"
#include "platform/clock.h"
#include "platform/document_opener.h"
#include "platform/fonts.h"
#include "platform/sound_player.h"
#include "storage/data_file_lock.h"
#include "storage/leftover_saves.h"

int main(int argc, char* argv[]) {
    // Read before the application object, which would need a display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const auto finished = ReadCommandLine(arguments)) {
        (finished->Status == 0 ? std::cout : std::cerr) << finished->Text.toLocal8Bit().constData();
        return finished->Status;
    }

    QApplication app(argc, argv);
    app.setStyle(new TButtonStyle);  // the application owns it
    fonts::InstallSubstitutions();

    TSystemClock clock;
    TSystemBeep beep;
    TDesktopDocumentOpener opener;
    TServices services;
    services.Clock = &clock;
    services.Beep = &beep;
    services.Opener = &opener;
    services.HelpFile = DefaultHelpFile();

    // The dialogs and the sound player need the window as their parent; they die before it.
    TQtDialogs dialogs(nullptr, QStringLiteral("千花路五十三次 巡数 一人旅"));
    // One game per folder for the whole run: a second one would undo the first one's saves.
    const TDataFileLock lock(services.DataFile);
    if (lock.State() == TDataFileLock::TState::HeldElsewhere) {
        std::cerr << kAlreadyRunningMessage << '\n';
        dialogs.ShowMessage(QString::fromUtf8(kAlreadyRunningMessage));
        return 1;
    }
    if (lock.State() == TDataFileLock::TState::Unavailable) {
        std::cerr << lock.Reason() << '\n';
        dialogs.ShowMessage(QString::fromStdString(lock.Reason()));
    }
    // What saves of killed games left behind; those of games still running stay.
    leftover_saves::Remove(services.DataFile);
    TAudioSinkPlayer sound;
    services.Dialogs = &dialogs;
    services.Sound = &sound;
    // The program's one generator, seeded once; practice positions are made ahead on a thread
    // of their own with a generator of their own, seeded from it. It outlives the window.
    SeedProgramRandomFromClock();
    TPracticeSupply practice(ProgramRandom().Next());
    services.Practice = &practice;
    TForm1 form(services);
    dialogs.SetParent(&form);
    form.show();
    return app.exec();
}
