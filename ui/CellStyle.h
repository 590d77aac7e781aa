#pragma once

#include <QColor>

// Colours of one grid cell as the grid draws and prints it: the row's own
// colours (white or the alternate silver) after the screen's colouring hook.
struct CellStyle {
    QColor background;
    QColor text;
};
