// The action icons of the tool bands, sharp at 16 and 32 pixels. Indices: 0 pen colour,
// 1 eraser, 2 pen, 3 erase memo, 4 pause, 5 close, 6 resume, 7 start, 8 select player, 10 help,
// 11 records, 12 why, 13 practice, 14 hint.
#pragma once

#include <QIcon>

#include "resource_names.h"

inline QIcon ActionIcon(int index) {
    QIcon icon;
    icon.addFile(assets::ActionIcon(index, 16), QSize(16, 16));
    icon.addFile(assets::ActionIcon(index, 32), QSize(32, 32));
    return icon;
}
