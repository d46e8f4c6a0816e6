// SPDX-License-Identifier: GPL-3.0-or-later
// Small things the program's windows share: the program's icon, the keys
// that scroll a report whatever has the focus, and a call made once a window
// is first exposed (framed by the window manager).
#ifndef WINDOWKIT_H
#define WINDOWKIT_H

#include <functional>

class QIcon;
class QScrollArea;
class QWindow;

// The program's icon, the one its menu entry shows, in the sizes a window
// manager asks for.
QIcon programIcon();

// The report scrolls from the keyboard whatever has the focus: the page
// keys, Home and End, and the arrows.
void addScrollKeys(QScrollArea *area);

// Runs `run` once, when `window` is first exposed.
void onFirstExpose(QWindow *window, std::function<void()> run);

#endif // WINDOWKIT_H
