#include "platform/beep.h"

#include <QApplication>

void TSystemBeep::Beep() {
    QApplication::beep();
}
