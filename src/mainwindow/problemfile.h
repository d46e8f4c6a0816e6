// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's problem as a file: the form's texts read out and filled
// in, and an LP file opened into the form or the form saved as one. Plain
// functions on the window, for its file actions and tests.
#ifndef PROBLEMFILE_H
#define PROBLEMFILE_H

#include "files/lpfile.h"

#include <QString>

#include <optional>

class Widget;

// The input form's size, max or min and texts; n and m are 0 while there is
// no form.
ProblemTexts formTexts(const Widget &w);

// The problem in the form: an open report closed as "Ok" closes it, the
// spin boxes set, the form built as "ok" builds it, and every field filled.
void showProblem(Widget &w, const ProblemTexts &problem);

// Open `path` into the window, or save the window's form to it (whole
// values asked for or not). False, and the message in *error, on failure;
// a file that cannot be opened leaves the form as it was.
bool openProblemFile(Widget &w, const QString &path, QString *error);
bool saveProblemFile(Widget &w, const QString &path, QString *error, bool integer = false);

#endif // PROBLEMFILE_H
