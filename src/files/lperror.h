// SPDX-License-Identifier: GPL-3.0-or-later
// What reading an LP file can refuse, shared by the scanner and the reader.
#ifndef LPERROR_H
#define LPERROR_H

#include <QString>

// Why a file was refused: the line it names (from 1; 0 for the whole file)
// and what is wrong there, in words for the user.
struct LpError {
    int line = 0;
    QString message;
};

// Files larger than this are refused before they are read.
constexpr qint64 kLargestProblemFile = 1024 * 1024;

#endif // LPERROR_H
