// SPDX-License-Identifier: GPL-3.0-or-later
// What every unit that words something shares: the lookup of the program's
// fixed texts and the decimal format of the report's numbers.
#ifndef BASICTEXT_H
#define BASICTEXT_H

#include <QString>

namespace basictext {

// A fixed text of the program, looked up in the main window's translation
// context as all its texts are.
QString tr(const char *text);

// Real values in report lines and table cells: six significant digits.
QString decimal(double v);

// Why a file could not be read (or written), in words for the user: there
// is no such file (or no such folder for it), it is a folder, or there is no
// permission; otherwise the system's own words.
QString fileProblem(const QString &path, bool writing, const QString &systemWords);

} // namespace basictext

#endif // BASICTEXT_H
