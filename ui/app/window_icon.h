#pragma once
// The program's icon and the name of its desktop entry.

#include <QIcon>

// The icon of the installed icon theme, or, where none is installed, the same picture drawn
// from the icon's cell pattern at every installed size.
QIcon ProgramIcon();

// The icon drawn from the cell pattern alone, `size` pixels square.
QImage ProgramIconImage(int size);

// The application id: the desktop entry's file name without ".desktop".
QString DesktopFileName();
