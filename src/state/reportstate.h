// SPDX-License-Identifier: GPL-3.0-or-later
// The report window's state as one value: the course with its changes, the
// views switched on, and practice with every step the student took. Every
// action of the window changes this value; what the page and the documents
// show is computed from it alone (the report's blocks in order), so that it
// never depends on the order in which the actions came. No widgets here.
#ifndef REPORTSTATE_H
#define REPORTSTATE_H

#include "method/exact.h"
#include "practice/practice.h"
#include "texts/reporttext.h"
#include "method/whatif.h"

#include <optional>
#include <vector>

// One action of the student in practice, in the order they came: a choice
// (a cell or an ending), the hint asked for, the keyboard's frame moved to
// a cell of the table being decided; computing the tables switched on or
// off, a cell of the table being computed typed, the cells typed checked,
// or the cells not yet right revealed.
struct PracticeEvent {
    enum Kind { Choose, Hint, Frame, Tables, Type, Check, Reveal };
    Kind kind = Choose;
    PracticeChoice choice; // Choose: the choice; Frame and Type: the cell (row, column)
    QString text;          // Type: the cell's text
    bool on = false;       // Tables: computing the tables on or off
};

inline PracticeEvent practiceEvent(PracticeEvent::Kind kind, const PracticeChoice &choice = {}, const QString &text = {},
                                   bool on = false)
{
    PracticeEvent event;
    event.kind = kind;
    event.choice = choice;
    event.text = text;
    event.on = on;
    return event;
}

// A cell of the table the student computes.
struct CellProgress {
    QString typed;         // what its editor holds
    QString shown;         // locked: the report's own text
    bool locked = false;   // right, or revealed
    bool checked = false;  // checked at least once
    int wrongTries = 0;
    QString feedback;      // a wrong cell: what its last check said
};

struct ReportState {
    Course course; // as solved, with the changes made after its optimum
    bool fractions = false;
    bool explanations = false;
    bool ranging = false;
    bool dual = false; // the dual problem beside every table
    bool practice = false;
    std::vector<PracticeEvent> practiceEvents; // while practice is on
    // The cuts went on by themselves (the problem is integer): branch and
    // bound may still take their place.
    bool cutsOnTheirOwn = false;
};

// Where practice stands after its events.
struct PracticeProgress {
    std::vector<PracticeStep> steps;
    size_t step = 0;         // the step being taken; steps.size() at the end
    int shownItems = 0;      // the course's items shown so far
    int wrongTries = 0;      // at the step being taken
    int rightAtFirstTry = 0;
    std::vector<Explanation> tries; // every wrong try and its feedback, where it was made
    QString feedback;        // what the last choice or hint was told
    bool hintOffered = false;
    QString score;           // at the end: the steps right at the first try
    int frameRow = 0, frameColumn = 0; // the keyboard's cell in the table being decided
    bool tablesOn = false;   // the student computes each table a pivot makes
    int computing = -1;      // the table being computed; -1 while deciding
    std::vector<CellProgress> cells; // its cells, row by row
    int cellsRightFirst = 0; // cells right at their first check
    int cellsComputed = 0;   // cells of every table computed so far

    bool done() const { return step >= steps.size(); }
    int table() const { return done() ? -1 : steps[step].table; }
};

class ReportModel
{
public:
    explicit ReportModel(ReportState state = ReportState());

    const ReportState &state() const { return current; }
    const Course &course() const { return current.course; }
    // Tells apart the courses a model has held: a new one for a new state,
    // the same while the course only grows by changes.
    quint64 courseId() const { return id; }

    // The actions. A view that cannot be shown for this course stays off;
    // practice starts afresh when switched on; a change after the optimum
    // ends practice and continues the course (false, and why in *error,
    // when it changes nothing or cannot be made).
    void setFractions(bool on);
    void setExplanations(bool on);
    void setRanging(bool on);
    void setDual(bool on);
    void setPractice(bool on, bool computeTables = false);
    void practise(const PracticeEvent &event);
    bool change(const WhatIf &whatIf, QString *error);
    // The course continued by Gomory's cuts after its optimum (practice
    // ends), by the user or on their own (an integer problem); false when
    // that cannot be.
    bool cut(bool onTheirOwn = false);
    // The course continued by branch and bound after its optimum, in place
    // of cuts that went on by themselves (practice ends); false when that
    // cannot be.
    bool branch();

    // Why a view or action is not available for this course; empty when it is.
    QString fractionsUnavailable() const;
    QString practiceUnavailable() const;
    QString rangingUnavailable() const;
    QString whatIfUnavailable() const;
    QString cutsUnavailable() const;
    QString branchesUnavailable() const;
    // What is shown: the fractions when asked for and the course has an
    // exact replay, the ranging when asked for and the course has an
    // optimum, practice when on.
    bool fractionsShown() const;
    bool rangingShown() const;

    // The numbers as the page shows them, with the exact replay at hand for
    // what rounding decided (the explanations, practice).
    CourseView view() const;
    const PracticeProgress &progress() const;
    // The course as practice shows it so far (the whole course otherwise):
    // the items reached, the tables up to the one being decided, no ending
    // before the end; and the view of it.
    const Course &shownCourse() const;
    CourseView shownView() const;
    // The page's and every document's blocks, in order.
    ReportContent content() const;

private:
    void courseChanged();
    const ExactCourse *exact() const;

    ReportState current;
    quint64 id;
    // Derived from the state, made when first asked for.
    mutable bool replayTried = false;
    mutable std::optional<ExactCourse> replay;
    mutable ReplayFailure failure;
    mutable std::optional<PracticeProgress> practiceProgress;
    mutable std::optional<Course> shown;
};

#endif // REPORTSTATE_H
