// SPDX-License-Identifier: GPL-3.0-or-later
// A problem's LP file on disk: read into the problem's texts, or written
// whole, with the refusal or the failure in the user's words.
#ifndef LPFILE_H
#define LPFILE_H

#include "files/lpformat.h"

#include <QString>

#include <optional>

// The problem of an LP file on disk; nothing, and the reason, when it cannot
// be read or is no problem of this program.
std::optional<ProblemTexts> readProblemFile(const QString &path, LpError *error);

// The message for a file that was refused: "path:line: what is wrong".
QString fileErrorMessage(const QString &path, const LpError &error);

// The problem written to `path`, taking the file's place only when whole, so
// that a failed save leaves the file as it was. False, and the message in
// *error, on failure.
bool writeProblemFile(const QString &path, const ProblemTexts &problem, QString *error);

#endif // LPFILE_H
