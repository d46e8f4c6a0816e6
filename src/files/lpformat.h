// SPDX-License-Identifier: GPL-3.0-or-later
// Problems as files in the LP format, the text format of linear programs that
// GLPK (glpsol --lp) and other solvers read. A file is read into the texts
// of the input form and the form's texts are written as a file; plain
// functions, with no window.
#ifndef LPFORMAT_H
#define LPFORMAT_H

#include "files/lperror.h"
#include "method/problemtexts.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The problem of an LP file, as the form's texts: variables x0, x1, ... in
// the order of their first appearance; every constraint as one or more "<="
// rows (">=" multiplied by -1, "=" as both, upper and positive lower bounds
// as rows of their own after the file's rows). Nothing, and the reason in
// *error, for a file that is no such problem.
std::optional<ProblemTexts> readLpProblem(const QByteArray &file, LpError *error);

// The form as an LP file: the values the form counts in the problem itself,
// every field's text as typed in comment lines that readLpProblem prefers
// while they agree with the problem.
QByteArray writeLpProblem(const ProblemTexts &problem);

// The value an LP file holds for a field's text: what the form counts it as,
// and 0 where that is no finite number, which the format cannot hold.
double lpValue(const QString &text);

#endif // LPFORMAT_H
