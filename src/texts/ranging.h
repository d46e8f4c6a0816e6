// SPDX-License-Identifier: GPL-3.0-or-later
// After the optimum: how far each right-hand side and each objective
// coefficient may move alone while the last table stays the answer. For a
// right-hand side, the interval over which the last table's basis stays
// feasible (so optimal: the point moves, F changes by the dual estimate per
// unit); for a coefficient, the interval over which the last table's point
// stays optimal. Read from the last table as students read it by hand, in
// the view's numbers: decimals, or exactly from the exact replay, the same
// entries taking part in both (the method's sign tests decide which).
#ifndef RANGING_H
#define RANGING_H

#include "texts/reporttext.h"

#include <QString>
#include <QStringList>

#include <vector>

// The two tables of the ranging, as the report, the copy and the documents
// show them: "Правые части" (a row per constraint) and "Коэффициенты F" (a
// row per variable), each under its title, with the line that says how a
// row is read (shown with the explanations).
std::vector<TitledGrid> rangingGrids(const CourseView &view);

// Why a course has no ranging: it did not end at an optimum. Empty when it did.
QString rangingUnavailable(const Course &course);

#endif // RANGING_H
