// SPDX-License-Identifier: GPL-3.0-or-later
// One solve: the dual simplex method as plain functions on the course
// record. The problem's texts are read as the form counts them; the first
// stage pivots until the objective row gives a bound, the second until no
// free term of a constraint row is negative. Each stage appends its tables,
// its pivots with what their choices looked at, its report items and its
// ending to the record. The main window's stages, the continuation after a
// change and the command line all run these functions.
#ifndef SOLVE_H
#define SOLVE_H

#include "method/course.h"
#include "method/problemtexts.h"

// The problem of the texts: the texts themselves and the values the form
// counts them as (a text that is no number counts as 0). No tables yet.
Course readProblem(const ProblemTexts &problem);

// The starting table: the constraint rows as typed, the objective row with
// its signs changed, the corner 0, under the starting labels.
Tableau startingTable(const Course &course);

// What a stage leaves besides the record, as the main window keeps it: the
// last pivot row it chose and the last pivot column (-1 before any), the
// last pivot element's value before its pivot, and the pivots it made.
struct StageRun {
    bool goesOn = false; // the first stage reached a bound: the second stage follows
    int row = -1, column = -1;
    double lead = 0;
    int pivots = 0;
};

// The first stage, from the record's last table: the task line and that
// table, then a pivot at a time until the bound, "нет решений", no column
// to score, or the pivot limit.
StageRun firstStage(Course &course);

// The second stage, from the record's last table: its opening line, then a
// pivot at a time until the optimum, "нет решений", no column accepted, or
// the pivot limit. The continuation after a change runs it too.
StageRun secondStage(Course &course);

// The course continued by Gomory's cuts after its optimum: "Ищем
// целочисленное решение", then cut after cut with the second stage, to the
// integer optimum, "нет целочисленных решений" or the limit of cuts.
void continueWithCuts(Course &course);

// The whole solve of a problem: both stages, the second when the first
// reached its bound; for an integer problem whose optimum is not whole,
// Gomory's cuts after it.
Course solveCourse(const ProblemTexts &problem);

#endif // SOLVE_H
