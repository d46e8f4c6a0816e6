// SPDX-License-Identifier: GPL-3.0-or-later
// Implements practice.h: practice.
#include "practice/practice.h"

#include "method/cuts.h"
#include "method/exact.h"
#include "texts/cutwords.h"
#include "texts/explain.h"

namespace {

using reporttext::tr;

PracticeJudgement right(const QString &why)
{
    return {true, tr("Верно. ") + why};
}

PracticeJudgement wrong(const QString &why)
{
    return {false, tr("Неверно. ") + why};
}

// Why the objective row gives no bound yet: its entry of the wrong sign.
QString noBoundYet(const CourseView &view, const PracticeStep &step, int k)
{
    const Course &course = view.course();
    const Tableau &t = course.tables[step.table];
    return (course.maximise ? tr("В строке Z есть элемент не больше -0.000001 — %2 в столбце %1: свободный член "
                                 "строки Z ещё не верхняя оценка.")
                            : tr("В строке Z есть элемент не меньше 0.000001 — %2 в столбце %1: свободный член "
                                 "строки Z ещё не нижняя оценка."))
        .arg(t.columns[k], view.number(step.table, t.m, k));
}

QString boundReached(const CourseView &view, const PracticeStep &step)
{
    const Course &course = view.course();
    const Tableau &t = course.tables[step.table];
    return (course.maximise ? tr("В строке Z нет элементов не больше -0.000001: свободный член строки Z (%1) — "
                                 "верхняя оценка, первый этап окончен.")
                            : tr("В строке Z нет элементов не меньше 0.000001: свободный член строки Z (%1) — "
                                 "нижняя оценка, первый этап окончен."))
        .arg(view.number(step.table, t.m, t.n));
}

QString negativeFreeTerm(const CourseView &view, const PracticeStep &step, int row)
{
    const Tableau &t = view.course().tables[step.table];
    return tr("В столбце L есть свободный член меньше -0.000001 — %1 в строке %2: точка ещё нарушает "
              "ограничения, это не оптимум.")
        .arg(view.number(step.table, row, t.n), t.rows[row]);
}

QString optimumReached()
{
    return tr("В столбце L нет свободных членов меньше -0.000001: точка допустима, это оптимум.");
}

QString cycledWhy(const Course &course)
{
    const std::pair<int, int> repeat = firstRepetition(course);
    if (repeat.first >= 0)
        return tr("Таблица %1 повторяет таблицу %2: дальше метод повторял бы те же замены без конца.")
            .arg(repeat.first)
            .arg(repeat.second);
    return tr("За %1 замен этап не пришёл к ответу: предел замен исчерпан.").arg(kIterationLimit);
}

// The reason of the program's own answer at a step.
QString reasonOf(const CourseView &view, const PracticeStep &step)
{
    const Course &course = view.course();
    const Tableau &t = course.tables[step.table];
    switch (step.answer) {
    case PracticeStep::Bound:
        return boundReached(view, step);
    case PracticeStep::Optimum:
        return optimumReached();
    case PracticeStep::Cycled:
        return cycledWhy(course);
    case PracticeStep::NoSolution:
        if (step.stage == 1) {
            const int k = enteringColumn(t, course.maximise);
            return tr("В столбце %1 элемент строки Z равен %2, а элементов не меньше 0.000001 в нём нет: "
                      "ведущей строки нет — нет решений.")
                .arg(t.columns[k], view.number(step.table, t.m, k));
        } else {
            const int r = mostNegativeFreeTermRow(t);
            return tr("В строке %1 свободный член %2 отрицателен, а все её элементы не меньше -0.000001: "
                      "ведущего столбца нет — нет решений.")
                .arg(t.rows[r], view.number(step.table, r, t.n));
        }
    case PracticeStep::CutRow:
    case PracticeStep::BranchRow: {
        QString reason = cutRowReason(view, step.table, step.source, step.answer == PracticeStep::BranchRow);
        reason[0] = reason[0].toUpper();
        return reason;
    }
    case PracticeStep::Pivot:
        break;
    }
    const PivotChoice &pivot = course.pivots[step.pivot];
    QString row;
    if (pivot.stage == 1)
        row = (course.maximise ? tr("В строке Z первый элемент не больше -0.000001 — %2 в столбце %1")
                               : tr("В строке Z первый элемент не меньше 0.000001 — %2 в столбце %1"))
                  .arg(t.columns[pivot.entering], view.number(step.table, t.m, pivot.entering))
              + tr("; в этом столбце первый сверху элемент не меньше 0.000001 — %2 в строке %1")
                    .arg(t.rows[pivot.row], view.number(step.table, pivot.row, pivot.entering));
    else
        row = tr("Самый отрицательный свободный член — %1 в строке %2")
                  .arg(view.number(step.table, pivot.row, t.n), t.rows[pivot.row]);
    const QString rule = pivot.stage == 1 ? (course.maximise ? tr("наибольшая оценка меньше 0.000001")
                                                            : tr("наименьшая оценка больше -0.000001"))
                                          : (course.maximise ? tr("наибольшее отношение меньше 0.000001")
                                                            : tr("наименьшее отношение больше -0.000001"));
    return row + tr("; %1 — %2 в столбце %3: ведущий элемент %4,%5.")
                     .arg(rule, view.score(step.pivot, pivot.column), t.columns[pivot.column])
                     .arg(pivot.row)
                     .arg(pivot.column);
}

// An ending where a cut is to be written or a node branched: the point is
// not whole yet.
QString notWholeYet(const CourseView &view, const PracticeStep &step)
{
    const Tableau &t = view.course().tables[step.table];
    if (step.answer == PracticeStep::BranchRow)
        return tr("Точка ещё не целая (%1 = %2): дальше узел делится на ветви — щёлкните строку переменной, по "
                  "которой ветвим.")
            .arg(t.rows[step.source], view.number(step.table, step.source, t.n));
    return tr("Точка ещё не целая (%1 = %2): дальше пишется отсечение — щёлкните строку, по которой оно пишется.")
        .arg(t.rows[step.source], view.number(step.table, step.source, t.n));
}

// An ending button that is not the program's answer: the rule it breaks.
QString brokenEnding(const CourseView &view, const PracticeStep &step, PracticeChoice::Kind kind)
{
    const Course &course = view.course();
    const Tableau &t = course.tables[step.table];
    const int k = enteringColumn(t, course.maximise);
    switch (kind) {
    case PracticeChoice::Bound:
        if (step.stage == 2)
            return tr("Оценка уже найдена на первом этапе; второй этап убирает отрицательные свободные члены.");
        return noBoundYet(view, step, k);
    case PracticeChoice::Optimum:
        if (step.stage == 1 && k >= 0)
            return tr("Оптимум ищет второй этап, а первый ещё не окончен. ") + noBoundYet(view, step, k);
        if (step.stage == 1)
            return (course.maximise ? tr("В строке Z нет элементов не больше -0.000001: первый этап окончен верхней "
                                         "оценкой %1, а оптимум ищет второй этап после неё.")
                                    : tr("В строке Z нет элементов не меньше 0.000001: первый этап окончен нижней "
                                         "оценкой %1, а оптимум ищет второй этап после неё."))
                .arg(view.number(step.table, t.m, t.n));
        return mostNegativeFreeTermRow(t) >= 0 ? negativeFreeTerm(view, step, mostNegativeFreeTermRow(t)) : optimumReached();
    case PracticeChoice::NoSolution:
        if (step.stage == 1) {
            if (k < 0)
                return boundReached(view, step);
            const int r = firstPositiveRow(t, k);
            return tr("В столбце %1 есть элемент не меньше 0.000001 — %2 в строке %3: ведущая строка есть.")
                .arg(t.columns[k], view.number(step.table, r, k), t.rows[r]);
        } else {
            const int r = mostNegativeFreeTermRow(t);
            if (r < 0)
                return optimumReached();
            const int s = firstNegativeEntry(t, r);
            return tr("В строке %1 есть элемент меньше -0.000001 — %2 в столбце %3: ведущий столбец есть.")
                .arg(t.rows[r], view.number(step.table, r, s), t.columns[s]);
        }
    case PracticeChoice::Cycled:
        return tr("Ни одна таблица ещё не повторила прежнюю, и предел в %1 замен не исчерпан.").arg(kIterationLimit);
    case PracticeChoice::Cell:
        break;
    }
    return QString();
}

// A cell of the pivot row other than the pivot element: why its column is
// not the one the rule takes.
PracticeJudgement otherColumn(const CourseView &view, const PracticeStep &step, int column)
{
    const Course &course = view.course();
    const PivotChoice &pivot = course.pivots[step.pivot];
    const Tableau &t = course.tables[step.table];
    const QString label = t.columns[column], row = t.rows[pivot.row];
    const QString entry = view.number(step.table, pivot.row, column);
    if (const ExactCourse *exact = view.exactReplay()) {
        const std::optional<ExactTie> tie = columnTie(course, *exact, step.pivot);
        if (tie && tie->ruled == column)
            return right(tr("В дробях столбцы %1 и %2 равны (%3); программа из-за округления берёт столбец %2 — "
                            "ведущий элемент %4,%5, с ним и продолжим.")
                             .arg(label, t.columns[pivot.column], fractionText(tie->value))
                             .arg(pivot.row)
                             .arg(pivot.column));
    }
    const bool ratio = pivot.stage == 2;
    switch (pivot.scores[column].kind) {
    case ColumnScore::NoCandidate:
        if (t.at(pivot.row, column) < 0)
            return wrong(tr("Элемент %1 строки %2 в столбце %3 внутри полосы ±0.000001 и считается нулём: "
                            "столбец не кандидат.").arg(entry, row, label));
        return wrong(tr("Элемент %1 строки %2 в столбце %3 не меньше -0.000001: столбец не кандидат.")
                         .arg(entry, row, label));
    case ColumnScore::ZeroObjective:
        return wrong(tr("Столбец %1 исключён: его элемент строки Z близок к нулю.").arg(label));
    case ColumnScore::ZeroEntry:
        return wrong(tr("Столбец %1 исключён: его элемент строки %2 (%3) близок к нулю.").arg(label, row, entry));
    default:
        break;
    }
    const QString score = view.score(step.pivot, column), best = view.score(step.pivot, pivot.column);
    if (pivot.scores[column].value == pivot.scores[pivot.column].value)
        return wrong((ratio ? tr("Отношение столбца %1 (%2) равно отношению столбца %3, а из равных остаётся левый: "
                                 "ведущий элемент %4,%5.")
                            : tr("Оценка столбца %1 (%2) равна оценке столбца %3, а из равных остаётся левый: "
                                 "ведущий элемент %4,%5."))
                         .arg(label, score, t.columns[pivot.column])
                         .arg(pivot.row)
                         .arg(pivot.column));
    const QString what = ratio ? tr("Отношение") : tr("Оценка");
    if (!acceptsScore(pivot.scores[column].value, false, 0, course.maximise))
        return wrong((course.maximise ? tr("%1 столбца %2 (%3) не меньше 0.000001: правило её не берёт.")
                                      : tr("%1 столбца %2 (%3) не больше -0.000001: правило её не берёт."))
                         .arg(what, label, score));
    return wrong((course.maximise ? tr("%1 столбца %2 (%3) не наибольшая из меньших 0.000001: это %4 в столбце %5.")
                                  : tr("%1 столбца %2 (%3) не наименьшая из больших -0.000001: это %4 в столбце %5."))
                     .arg(what, label, score, best, t.columns[pivot.column]));
}

// A cell outside the pivot row: why its row is not the one the rule takes.
PracticeJudgement otherRow(const CourseView &view, const PracticeStep &step, int row, int column)
{
    const Course &course = view.course();
    const PivotChoice &pivot = course.pivots[step.pivot];
    const Tableau &t = course.tables[step.table];
    if (pivot.stage == 1)
        return wrong(tr("Ведущая строка первого этапа — первая сверху с элементом не меньше 0.000001 в столбце %1: "
                        "это %2 (%3), а не %4.")
                         .arg(t.columns[pivot.entering], t.rows[pivot.row],
                              view.number(step.table, pivot.row, pivot.entering), t.rows[row]));
    if (const ExactCourse *exact = view.exactReplay()) {
        const std::optional<ExactTie> tie = rowTie(course, *exact, step.pivot);
        if (tie && tie->ruled == row && column == pivot.column)
            return right(tr("В дробях строки %1 и %2 равны (%3); программа из-за округления берёт строку %2 — "
                            "ведущий элемент %4,%5, с ним и продолжим.")
                             .arg(t.rows[row], t.rows[pivot.row], fractionText(tie->value))
                             .arg(pivot.row)
                             .arg(pivot.column));
    }
    const QString free = view.number(step.table, row, t.n);
    if (!isNegativeFreeTerm(t.at(row, t.n)))
        return wrong(tr("Свободный член строки %1 (%2) не меньше -0.000001: строка не может быть ведущей.")
                         .arg(t.rows[row], free));
    if (t.at(row, t.n) == t.at(pivot.row, t.n))
        return wrong(tr("Свободный член строки %1 (%2) равен свободному члену строки %3, а из равных остаётся "
                        "верхняя: ведущий элемент %4,%5.")
                         .arg(t.rows[row], free, t.rows[pivot.row])
                         .arg(pivot.row)
                         .arg(pivot.column));
    return wrong(tr("Свободный член строки %1 (%2) не самый отрицательный: это %3 в строке %4.")
                     .arg(t.rows[row], free, view.number(step.table, pivot.row, t.n), t.rows[pivot.row]));
}

} // namespace

namespace {

// The first item from k on where the student decides: a pivot, an ending
// of a stage, a cut, or a node to branch; the items' number when none is left.
int nextDecision(const Course &course, int k)
{
    const std::vector<Course::Item> &items = course.items;
    for (; k < int(items.size()); ++k) {
        switch (items[k].kind) {
        case Course::Item::Point:
        case Course::Item::Pivot:
        case Course::Item::Bound:
        case Course::Item::OptimumHeading:
        case Course::Item::NoSolution:
        case Course::Item::Cycled:
        case Course::Item::Cut:
            return k;
        case Course::Item::NodeEnd:
            if (course.nodes[items[k].pivot].end == Course::Node::Branched)
                return k;
            break;
        default:
            break;
        }
    }
    return k;
}

} // namespace

bool canPractise(const Course &course)
{
    return course.ending != Course::Ending::None && course.ending != Course::Ending::NoColumn
           && !course.whatIfMade();
}

std::vector<PracticeStep> practiceSteps(const Course &course)
{
    std::vector<PracticeStep> steps;
    if (!canPractise(course))
        return steps;
    const std::vector<Course::Item> &items = course.items;
    const int repeat = firstRepetition(course).first;
    int k = 0;
    while (k < int(items.size()) && items[k].kind != Course::Item::Table)
        ++k;
    int table = 0, stage = 1;
    for (++k; k < int(items.size());) {
        PracticeStep step;
        step.table = table;
        step.stage = stage;
        step.firstItem = k;
        step.repeats = repeat >= 0 && table >= repeat;
        switch (items[k].kind) {
        case Course::Item::Point:
        case Course::Item::Pivot: {
            int j = k;
            for (; j < int(items.size()) && items[j].kind != Course::Item::Table; ++j)
                if (items[j].kind == Course::Item::Pivot)
                    step.pivot = items[j].pivot;
            step.answer = PracticeStep::Pivot;
            step.lastItem = std::min(j + 1, int(items.size()));
            table = items[std::min(j, int(items.size()) - 1)].table;
            break;
        }
        case Course::Item::Bound: {
            int j = k;
            while (j < int(items.size())
                   && (items[j].kind == Course::Item::Bound || items[j].kind == Course::Item::FinalPoint
                       || items[j].kind == Course::Item::Stage2))
                ++j;
            step.answer = PracticeStep::Bound;
            step.lastItem = j;
            stage = 2;
            break;
        }
        case Course::Item::Cut: { // the row to cut by, then the cut's table and the second stage
            step.answer = PracticeStep::CutRow;
            step.source = course.changes[items[k].pivot].source;
            step.lastItem = std::min(k + 3, int(items.size()));
            table = items[k + 1].table;
            stage = 2;
            break;
        }
        case Course::Item::NodeEnd: { // the variable to branch on, then the lines up to the next decision
            step.answer = PracticeStep::BranchRow;
            step.source = cutSourceRow(course.tables[table], course.tables[table].cells);
            step.lastItem = nextDecision(course, k + 1);
            break;
        }
        default: {
            step.answer = items[k].kind == Course::Item::OptimumHeading ? PracticeStep::Optimum
                          : items[k].kind == Course::Item::Cycled       ? PracticeStep::Cycled
                                                                        : PracticeStep::NoSolution;
            // An ending reveals its lines up to the next decision (a cut,
            // a branch, a pivot of the next node), if there is one.
            step.lastItem = step.answer == PracticeStep::Cycled ? int(items.size()) : nextDecision(course, k + 1);
        }
        }
        for (int j = step.firstItem; j < step.lastItem; ++j)
            if (items[j].kind == Course::Item::Table)
                table = items[j].table;
        steps.push_back(step);
        k = step.lastItem;
    }
    return steps;
}

PracticeJudgement judgePractice(const CourseView &view, const PracticeStep &step, const PracticeChoice &choice)
{
    const Tableau &t = view.course().tables[step.table];
    if (choice.kind == PracticeChoice::Cycled && (step.answer == PracticeStep::Cycled || step.repeats))
        return right(cycledWhy(view.course()));
    if (step.answer == PracticeStep::Cycled)
        return wrong(cycledWhy(view.course()) + tr(" Это «зациклился»."));
    if (step.answer == PracticeStep::CutRow || step.answer == PracticeStep::BranchRow) {
        if (choice.kind != PracticeChoice::Cell)
            return wrong(notWholeYet(view, step));
        bool isRight = false;
        const QString words = cutRowVerdict(view, step.table, step.source, choice.row, &isRight,
                                            step.answer == PracticeStep::BranchRow);
        return {isRight, words};
    }
    if (choice.kind != PracticeChoice::Cell) {
        const bool same = (choice.kind == PracticeChoice::Bound && step.answer == PracticeStep::Bound)
                          || (choice.kind == PracticeChoice::Optimum && step.answer == PracticeStep::Optimum)
                          || (choice.kind == PracticeChoice::NoSolution && step.answer == PracticeStep::NoSolution);
        return same ? right(reasonOf(view, step)) : wrong(brokenEnding(view, step, choice.kind));
    }
    if (choice.row < 0 || choice.row >= t.m || choice.column < 0 || choice.column >= t.n)
        return wrong(tr("Ведущий элемент стоит в строке ограничения и в столбце переменной, а не в строке Z "
                        "и не в столбце L."));
    if (step.answer != PracticeStep::Pivot)
        return wrong(tr("Ведущего элемента здесь нет. ") + reasonOf(view, step));
    const PivotChoice &pivot = view.course().pivots[step.pivot];
    if (choice.row == pivot.row && choice.column == pivot.column)
        return right(reasonOf(view, step));
    if (choice.row != pivot.row)
        return otherRow(view, step, choice.row, choice.column);
    return otherColumn(view, step, choice.column);
}

QString practiceHint(const CourseView &view, const PracticeStep &step)
{
    return tr("Подсказка: ") + reasonOf(view, step);
}

QString practiceChoiceName(const Course &course, const PracticeChoice &choice)
{
    switch (choice.kind) {
    case PracticeChoice::Cell:
        return tr("элемент %1,%2").arg(choice.row).arg(choice.column);
    case PracticeChoice::Bound:
        return course.maximise ? tr("Верхняя оценка найдена") : tr("Нижняя оценка найдена");
    case PracticeChoice::Optimum:
        return tr("Оптимум найден");
    case PracticeChoice::NoSolution:
        return tr("Нет решений");
    case PracticeChoice::Cycled:
        return tr("Зацикливание");
    }
    return QString();
}
