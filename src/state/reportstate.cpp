// SPDX-License-Identifier: GPL-3.0-or-later
// Implements reportstate.h: the report window's state as one value.
#include "state/reportstate.h"

#include "method/branches.h"
#include "method/cuts.h"
#include "texts/branchwords.h"
#include "texts/duality.h"
#include "texts/explain.h"
#include "practice/practicecells.h"
#include "texts/ranging.h"
#include "method/solve.h"

#include <QtGlobal>

#include <algorithm>
#include <atomic>

namespace {

using reporttext::tr;

quint64 newCourseId()
{
    static std::atomic<quint64> last{0};
    return ++last;
}

// The step is taken; at the end of the course, the score.
void takeStep(const Course &course, PracticeProgress &p)
{
    ++p.step;
    if (p.shownItems < int(course.items.size()))
        return;
    p.score = tr("С первой попытки верно: %1 из %2 шагов").arg(p.rightAtFirstTry).arg(p.step);
    if (p.cellsComputed > 0)
        p.score += tr(". Клетки с первой проверки: %1 из %2").arg(p.cellsRightFirst).arg(p.cellsComputed);
    p.step = p.steps.size();
}

// The table being computed is the report's own from now: its cells locked
// (the ones not yet right revealed), the step taken.
void finishTable(const CourseView &view, PracticeProgress &p)
{
    const Tableau &table = view.course().tables[p.computing];
    QString whole;
    for (int k = 0; k < int(p.cells.size()); ++k)
        if (!p.cells[k].locked) {
            p.cells[k].locked = true;
            p.cells[k].shown = view.cell(p.computing, k / (table.n + 1), k % (table.n + 1), &whole);
        }
    p.shownItems = p.steps[p.step].lastItem;
    p.computing = -1;
    p.cells.clear();
    takeStep(view.course(), p);
}

// Every cell typed and not yet right, checked.
void checkCells(const CourseView &view, bool explain, PracticeProgress &p)
{
    const int columns = view.course().tables[p.computing].n + 1;
    int right = 0, wrong = 0;
    for (int k = 0; k < int(p.cells.size()); ++k) {
        CellProgress &cell = p.cells[k];
        if (cell.locked || cell.typed.trimmed().isEmpty())
            continue;
        const CellCheck check = checkCell(view, p.computing, k / columns, k % columns, cell.typed, cell.wrongTries, explain);
        if (check.right) {
            cell.locked = true;
            cell.shown = check.shown;
            p.cellsRightFirst += !cell.checked;
            ++right;
        } else {
            ++cell.wrongTries;
            cell.feedback = check.words;
            p.tries.push_back({p.shownItems, check.words});
            ++wrong;
        }
        cell.checked = true;
    }
    const int open = int(std::count_if(p.cells.begin(), p.cells.end(), [](const CellProgress &c) { return !c.locked; }));
    p.feedback = open == 0 ? tr("Все клетки верны: таблица посчитана.")
                           : tr("Проверено: верно %1, неверно %2; осталось клеток: %3. Правило неверной клетки — в её "
                                "подсказке.").arg(right).arg(wrong).arg(open);
}

// A right choice of the pivot: the table it makes is computed by the
// student before the course goes on.
void startTable(const Course &course, const PracticeStep &step, PracticeProgress &p)
{
    p.shownItems = step.lastItem - 1; // all but the new table
    p.computing = course.items[step.lastItem - 1].table;
    const Tableau &table = course.tables[p.computing];
    p.cells.assign(size_t((table.m + 1) * (table.n + 1)), CellProgress());
    p.cellsComputed += int(p.cells.size());
    p.feedback += tr(" Посчитайте новую таблицу.");
}

// What the cells of the table being computed are told.
void computeTable(const CourseView &view, bool explain, const PracticeEvent &event, PracticeProgress &p)
{
    const int columns = view.course().tables[p.computing].n + 1;
    switch (event.kind) {
    case PracticeEvent::Type:
        if (!p.cells[event.choice.row * columns + event.choice.column].locked)
            p.cells[event.choice.row * columns + event.choice.column].typed = event.text;
        return;
    case PracticeEvent::Check:
        checkCells(view, explain, p);
        if (std::all_of(p.cells.begin(), p.cells.end(), [](const CellProgress &c) { return c.locked; }))
            finishTable(view, p);
        return;
    case PracticeEvent::Reveal:
        finishTable(view, p);
        p.feedback = tr("Таблица показана.");
        return;
    default: // deciding waits until the table is computed
        return;
    }
}

// Practice after its events, from the first step: every choice judged as
// it was made, every cell checked as it was, in the view's words.
PracticeProgress practiceAfter(const CourseView &view, const std::vector<PracticeEvent> &events, bool explain)
{
    const Course &course = view.course();
    const int items = int(course.items.size());
    PracticeProgress p;
    p.steps = practiceSteps(course);
    p.shownItems = p.steps.empty() ? items : p.steps.front().firstItem;
    for (const PracticeEvent &event : events) {
        if (event.kind == PracticeEvent::Tables) {
            p.tablesOn = event.on;
            if (!event.on && p.computing >= 0)
                finishTable(view, p);
            continue;
        }
        if (p.done())
            break;
        if (p.computing >= 0) {
            computeTable(view, explain, event, p);
            continue;
        }
        const PracticeStep &step = p.steps[p.step];
        const Tableau &table = course.tables[step.table];
        const PracticeChoice &choice = event.choice;
        if (event.kind == PracticeEvent::Hint) {
            p.feedback = practiceHint(view, step);
            continue;
        }
        if (event.kind == PracticeEvent::Frame || (event.kind == PracticeEvent::Choose && choice.kind == PracticeChoice::Cell)) {
            p.frameRow = qBound(0, choice.row, table.m);
            p.frameColumn = qBound(0, choice.column, table.n);
        }
        if (event.kind != PracticeEvent::Choose)
            continue;
        const PracticeJudgement judgement = judgePractice(view, step, choice);
        p.feedback = judgement.words;
        if (!judgement.right) {
            ++p.wrongTries;
            p.tries.push_back({p.shownItems, practiceChoiceName(course, choice) + QStringLiteral(": ") + judgement.words});
            p.hintOffered = p.wrongTries >= 2;
            continue;
        }
        p.rightAtFirstTry += p.wrongTries == 0;
        p.wrongTries = 0;
        p.hintOffered = false;
        p.frameRow = p.frameColumn = 0; // on the next table
        if (p.tablesOn && step.answer == PracticeStep::Pivot && choice.kind == PracticeChoice::Cell) {
            startTable(course, step, p);
            continue;
        }
        p.shownItems = choice.kind == PracticeChoice::Cycled ? items : step.lastItem;
        takeStep(course, p);
    }
    return p;
}

} // namespace

ReportModel::ReportModel(ReportState state) : current(std::move(state)), id(newCourseId())
{
    // What this course cannot show stays off.
    current.fractions = current.fractions && exact();
    if (!practiceUnavailable().isEmpty()) {
        current.practice = false;
        current.practiceEvents.clear();
    }
}

void ReportModel::courseChanged()
{
    replayTried = false;
    replay.reset();
    practiceProgress.reset();
    shown.reset();
}

void ReportModel::setFractions(bool on)
{
    current.fractions = on && exact();
    practiceProgress.reset();
}

void ReportModel::setExplanations(bool on)
{
    current.explanations = on;
    practiceProgress.reset(); // practice's words follow the explanations
}

void ReportModel::setRanging(bool on)
{
    current.ranging = on;
}

void ReportModel::setDual(bool on)
{
    current.dual = on;
}

void ReportModel::setPractice(bool on, bool computeTables)
{
    current.practice = on && practiceUnavailable().isEmpty();
    current.practiceEvents.clear();
    if (current.practice && computeTables)
        current.practiceEvents.push_back({PracticeEvent::Tables, {}, QString(), true});
    practiceProgress.reset();
    shown.reset();
}

void ReportModel::practise(const PracticeEvent &event)
{
    if (!current.practice || (progress().done() && event.kind != PracticeEvent::Tables))
        return;
    std::vector<PracticeEvent> &events = current.practiceEvents;
    // A cell typed anew holds its last text only.
    const bool retyped = event.kind == PracticeEvent::Type && !events.empty() && events.back().kind == PracticeEvent::Type
                         && events.back().choice.row == event.choice.row
                         && events.back().choice.column == event.choice.column;
    if (retyped)
        events.back() = event;
    else
        events.push_back(event);
    practiceProgress.reset();
    shown.reset();
}

bool ReportModel::change(const WhatIf &whatIf, QString *error)
{
    if (!whatIfUnavailable().isEmpty()) {
        *error = whatIfUnavailable();
        return false;
    }
    if (!continueCourse(current.course, whatIf, error))
        return false;
    current.practice = false;
    current.practiceEvents.clear();
    courseChanged();
    current.fractions = current.fractions && exact();
    return true;
}

bool ReportModel::cut(bool onTheirOwn)
{
    if (!cutsUnavailable().isEmpty())
        return false;
    continueWithCuts(current.course);
    current.cutsOnTheirOwn = onTheirOwn;
    current.practice = false;
    current.practiceEvents.clear();
    courseChanged();
    current.fractions = current.fractions && exact();
    return true;
}

bool ReportModel::branch()
{
    if (!branchesUnavailable().isEmpty())
        return false;
    if (current.cutsOnTheirOwn) { // another course from the optimum on
        current.course = withoutCuts(current.course);
        current.cutsOnTheirOwn = false;
        id = newCourseId();
    }
    continueWithBranches(current.course);
    current.practice = false;
    current.practiceEvents.clear();
    courseChanged();
    current.fractions = current.fractions && exact();
    return true;
}

QString ReportModel::branchesUnavailable() const
{
    return ::branchesUnavailable(current.cutsOnTheirOwn ? withoutCuts(current.course) : current.course);
}

QString ReportModel::cutsUnavailable() const
{
    return ::cutsUnavailable(current.course);
}

// The exact replay is made when first asked for: where it fails only in
// exact arithmetic (a pivot element exactly 0) the fractions are known to
// be unavailable from then on; where a field is no finite number, at once.
QString ReportModel::fractionsUnavailable() const
{
    if (!current.course.allFinite())
        exact();
    return replayTried && !replay ? reporttext::replayFailure(current.course, failure) : QString();
}

QString ReportModel::practiceUnavailable() const
{
    if (current.course.whatIfMade())
        return tr("Решать самому можно только до «Что если»");
    if (!canPractise(current.course))
        return tr("Решать самому нельзя: отчёт обрывается, потому что не все значения полей — конечные числа");
    return QString();
}

QString ReportModel::rangingUnavailable() const
{
    return ::rangingUnavailable(current.course);
}

QString ReportModel::whatIfUnavailable() const
{
    return ::whatIfUnavailable(current.course);
}

bool ReportModel::fractionsShown() const
{
    return current.fractions;
}

bool ReportModel::rangingShown() const
{
    return current.ranging && rangingUnavailable().isEmpty();
}

const ExactCourse *ReportModel::exact() const
{
    if (!replayTried) {
        replay = replayExactly(current.course, &failure);
        replayTried = true;
    }
    return replay ? &*replay : nullptr;
}

CourseView ReportModel::view() const
{
    const bool asked = current.fractions || current.explanations || current.practice;
    const ExactCourse *replayed = asked ? exact() : nullptr;
    return CourseView(current.course, fractionsShown() ? replayed : nullptr, replayed);
}

const PracticeProgress &ReportModel::progress() const
{
    if (!practiceProgress)
        practiceProgress = practiceAfter(view(), current.practice ? current.practiceEvents : std::vector<PracticeEvent>(),
                                         current.explanations);
    return *practiceProgress;
}

const Course &ReportModel::shownCourse() const
{
    if (shown)
        return *shown;
    shown = current.course;
    if (!current.practice)
        return *shown;
    const PracticeProgress &p = progress();
    shown->items.resize(p.shownItems);
    int last = 0;
    for (const Course::Item &item : shown->items)
        if (item.kind == Course::Item::Table)
            last = item.table;
    shown->tables.resize(last + 1);
    if (!p.done()) {
        shown->pivots.resize(std::min(shown->pivots.size(), size_t(last)));
        shown->ending = Course::Ending::None;
        // The nodes of branch and bound whose ending is shown; no record beyond them.
        const auto ended = std::count_if(shown->items.begin(), shown->items.end(),
                                         [](const Course::Item &item) { return item.kind == Course::Item::NodeEnd; });
        shown->nodes.resize(size_t(ended));
        if (shown->record >= int(ended))
            shown->record = -1;
    }
    return *shown;
}

CourseView ReportModel::shownView() const
{
    const CourseView whole = view();
    return CourseView(shownCourse(), whole.isExact() ? whole.exactReplay() : nullptr, whole.exactReplay());
}

ReportContent ReportModel::content() const
{
    const Course &course = current.course;
    const CourseView numbers = view();
    ReportContent content{numbers, {}, {}, &shownCourse(), {}};
    const int items = int(course.items.size());
    int shownItems = items, concealed = -1;
    std::vector<Explanation> tries;
    if (current.practice) {
        const PracticeProgress &p = progress();
        shownItems = p.shownItems;
        concealed = p.computing >= 0 ? -1 : p.table(); // the pivot shows once it is chosen
        tries = p.tries;
    }
    const bool done = shownItems >= items;
    std::vector<Explanation> explanations;
    if (current.explanations) {
        std::vector<Explanation> all = explainCourse(numbers);
        if (current.dual) {
            // The dual words after the method's own, at the same places.
            std::vector<Explanation> dual = dualExplanations(numbers);
            all.insert(all.end(), dual.begin(), dual.end());
            std::stable_sort(all.begin(), all.end(),
                             [](const Explanation &a, const Explanation &b) { return a.before < b.before; });
        }
        for (Explanation &e : all)
            if (e.before < shownItems || (done && e.before == shownItems))
                explanations.push_back(std::move(e));
    }
    std::vector<ReportBlock> &blocks = content.blocks;
    // The dual problem of table t's problem, under the problem or the change.
    auto dualProblem = [&](int t) {
        for (const QString &line : dualProblemLines(numbers, t))
            blocks.push_back({ReportBlock::Dual, line});
        if (current.explanations && !dualSignNote(course).isEmpty())
            blocks.push_back({ReportBlock::Explanation, dualSignNote(course)});
    };
    if (current.dual && !course.tables.empty())
        dualProblem(0);
    bool dualStopped = false;
    // The wrong tries made before an item, then its explanations.
    auto linesBefore = [&](int k) {
        for (const Explanation &t : tries)
            if (t.before == k)
                blocks.push_back({ReportBlock::Try, t.text});
        for (const Explanation &e : explanations)
            if (e.before == k)
                blocks.push_back({ReportBlock::Explanation, e.text});
    };
    for (int k = 0; k < items; ++k) {
        linesBefore(k);
        const Course::Item &item = course.items[k];
        ReportBlock block;
        block.item = k;
        block.shown = k < shownItems;
        if (item.kind == Course::Item::Table) {
            block.kind = ReportBlock::Table;
            block.index = item.table;
            block.pivotMarked = item.table != concealed;
        } else {
            block.text = numbers.line(item);
        }
        blocks.push_back(block);
        if (!current.dual || !block.shown || dualStopped)
            continue;
        if (item.kind == Course::Item::Table && hasDualPoint(course, item.table))
            blocks.push_back({ReportBlock::Dual, dualPointLine(numbers, item.table)});
        else if (item.kind == Course::Item::Change && !course.changes[item.pivot].cut)
            dualProblem(item.table);
        else if (item.kind == Course::Item::Cut || item.kind == Course::Item::Node)
            blocks.push_back({ReportBlock::Dual, dualStopLine(item.kind == Course::Item::Node)}), dualStopped = true;
    }
    linesBefore(items);
    if (done && course.branched()) {
        content.tree = treeLines(numbers);
        blocks.push_back({ReportBlock::TreeTitle, reporttext::treeTitle()});
        for (const TreeLine &line : content.tree)
            blocks.push_back({ReportBlock::TreeLine, line.text, -1, line.depth});
        blocks.push_back({ReportBlock::Tree, QString()});
    }
    if (done && rangingShown()) {
        content.grids = rangingGrids(numbers);
        for (int k = 0; k < int(content.grids.size()); ++k) {
            TitledGrid &grid = content.grids[k];
            if (!current.explanations)
                grid.note.clear();
            blocks.push_back({ReportBlock::GridTitle, grid.title, -1, k});
            blocks.push_back({ReportBlock::Grid, QString(), -1, k});
            if (!grid.note.isEmpty())
                blocks.push_back({ReportBlock::GridNote, grid.note, -1, k});
        }
    }
    return content;
}
