// SPDX-License-Identifier: GPL-3.0-or-later
// The user's guide inside the program: the Russian guide (docs/guide-ru.md,
// built in as a resource with its pictures) in a window of its own, its
// links between sections followed, Esc closing it. F1 and "Справка" in the
// main window's and the report's context menus open it.
#ifndef GUIDEWINDOW_H
#define GUIDEWINDOW_H

#include <QString>

class QAction;
class QTextBrowser;
class QWidget;

// The guide's window, made on the first call and raised on the next ones;
// owned by the application's first top-level window that asks for it.
QTextBrowser *showGuide(QWidget *from);

// "Справка" (F1) for `window`: a window action, listed in its context menu
// where the window builds that menu from its actions.
QAction *addGuideAction(QWidget *window);

// The anchor a link names for a heading, as the guide's links are written
// (and as GitHub makes them): lower case, blanks as hyphens, punctuation
// left out.
QString headingAnchor(const QString &heading);

#endif // GUIDEWINDOW_H
