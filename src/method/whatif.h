// SPDX-License-Identifier: GPL-3.0-or-later
// "Что если…": after the optimum a right-hand side is set anew or a
// constraint is added, and the course continues from its last table without
// solving again: the last table with its free terms recomputed (or the new
// row written in the last table's basis), then the dual simplex method's
// second stage, by the method's own rules, until an optimum, "нет решений"
// or the pivot limit. Plain functions that append to the course's record.
#ifndef WHATIF_H
#define WHATIF_H

#include "method/course.h"

#include <QString>
#include <QStringList>

// What the user asks: the constraint whose right-hand side changes (-1: a
// new constraint), the new right-hand side and, for a new constraint, its
// coefficients, as typed.
struct WhatIf {
    int row = -1;
    QString rightHandText;
    QStringList coefficientTexts;
};

// Why the course cannot continue (it did not end at an optimum, or a value
// is no finite number); empty when it can.
QString whatIfUnavailable(const Course &course);

// The text of right-hand side i of the course's last problem, as it was
// typed (in the form, or in the change that set it last), for the dialog
// to start from; a text that is no number as the value it counts as.
QString rightHandText(const Course &course, int i);

// The course continued after the change; false when it changes nothing (a
// right-hand side set to its own value exactly, *error left empty) or a
// field of the change is no finite number (the reason in *error).
bool continueCourse(Course &course, const WhatIf &whatIf, QString *error);

#endif // WHATIF_H
