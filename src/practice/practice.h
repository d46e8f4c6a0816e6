// SPDX-License-Identifier: GPL-3.0-or-later
// Practice: the student takes every decision of the course: at each table
// the pivot element or the ending, and after a fractional optimum of an
// integer problem the row to cut by. The course is cut into steps, one per
// decision, each with the report's items that a right answer reveals; one
// judgement says whether a choice is right and why, by the method's own
// rules (tableau.h) and in the explanations' words, accepting a pivot that
// ties exactly with the program's where only rounding decided.
#ifndef PRACTICE_H
#define PRACTICE_H

#include "texts/reporttext.h"

#include <QString>

#include <vector>

// What the report does at a step.
struct PracticeStep {
    enum Answer { Pivot, Bound, Optimum, NoSolution, Cycled, CutRow, BranchRow };
    Answer answer = Pivot;
    int table = 0;       // the table the decision is taken on
    int stage = 1;       // the stage that takes it
    int pivot = -1;      // Pivot: the pivot of the course
    int source = -1;     // CutRow: the row the cut is written from (any cell of it is right);
                         // BranchRow: the row of the variable to branch on
    int firstItem = 0;   // the items a right answer reveals: [firstItem, lastItem)
    int lastItem = 0;
    bool repeats = false; // the table repeats an earlier one: "Зацикливание" is right too
};

// Whether a course can be practised: it ended with a line (a course that
// stopped without one holds values that are not finite numbers), and no
// change was made after its optimum.
bool canPractise(const Course &course);

// The steps of a course in order; the items before the first step (the task
// and the first table) are shown from the start. No steps for a course that
// cannot be practised.
std::vector<PracticeStep> practiceSteps(const Course &course);

// A choice of the student: a cell of the step's table, or an ending.
struct PracticeChoice {
    enum Kind { Cell, Bound, Optimum, NoSolution, Cycled };
    Kind kind = Cell;
    int row = -1, column = -1;
};

struct PracticeJudgement {
    bool right = false;
    QString words; // starts with "Верно." or "Неверно."
};

// The judgement of a choice at a step, in the view's numbers.
PracticeJudgement judgePractice(const CourseView &view, const PracticeStep &step, const PracticeChoice &choice);

// The rule's choice at a step and its reason, for the hint.
QString practiceHint(const CourseView &view, const PracticeStep &step);

// The texts of the ending buttons ("Верхняя оценка найдена" or, minimising,
// "Нижняя оценка найдена"), and how a choice is named in the record of tries.
QString practiceChoiceName(const Course &course, const PracticeChoice &choice);

#endif // PRACTICE_H
