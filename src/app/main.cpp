// The game program. It takes nothing from the command line.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

#include "logic/random.h"
#include "platform/fonts.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    fonts::InstallSubstitutions();
    SeedProgramRandomFromClock();

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("千花路五十三次 巡数 一人旅"));
    window.setFont(QFont(fonts::kWindowFace, 12));
    auto* label = new QLabel(
        QStringLiteral("ただいま準備中です。\n\nThe game is being built."), &window);
    label->setAlignment(Qt::AlignCenter);
    window.setCentralWidget(label);
    window.resize(1024, 768);
    window.show();
    return app.exec();
}
