// SPDX-License-Identifier: GPL-3.0-or-later
// A problem as the input form holds it: its size, max or min, and every
// field's text as typed. The form, the LP files and the solve all speak it.
#ifndef PROBLEMTEXTS_H
#define PROBLEMTEXTS_H

#include <QStringList>

struct ProblemTexts {
    bool maximise = true;
    int n = 0, m = 0;
    QStringList objective;   // n texts
    QStringList constraints; // m rows of n texts, row by row
    QStringList rightHands;  // m texts
    bool integer = false;    // every variable is to be whole

    bool operator==(const ProblemTexts &other) const
    {
        return maximise == other.maximise && n == other.n && m == other.m && objective == other.objective
               && constraints == other.constraints && rightHands == other.rightHands && integer == other.integer;
    }
    bool operator!=(const ProblemTexts &other) const { return !(*this == other); }
};

#endif // PROBLEMTEXTS_H
