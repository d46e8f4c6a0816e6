// SPDX-License-Identifier: GPL-3.0-or-later
// Implements cuts.h: integer solutions by Gomory's cutting-plane method,
// continued by the dual simplex method.
#include "method/cuts.h"

#include "method/basictext.h"
#include "method/fieldtext.h"

#include <algorithm>

namespace {

using basictext::tr;

void addItem(Course &course, Course::Item::Kind kind, int pivot)
{
    course.items.push_back({kind, int(course.tables.size()) - 1, pivot});
}

// Whether a field's text is a whole number exactly.
bool isWhole(const QString &text)
{
    const std::optional<mpq_class> value = exactFieldValue(text);
    return value && value->get_den() == 1;
}

// The first field of the constraints (coefficients row by row, then the
// right-hand sides) that is not whole, counted as Course::fieldName counts;
// -1 when every one is.
int firstFractionalField(const Course &course)
{
    const int n = course.n, m = course.m;
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j)
            if (!isWhole(course.constraintTexts.value(i * n + j)))
                return n + i * n + j;
        if (!isWhole(course.rightHandTexts.value(i)))
            return n + n * m + i;
    }
    return -1;
}

} // namespace

// Cut k after the last table: its row in the table, its form in x recorded
// as a change of the problem, the table with the row Sk before the Z row.
void addCut(Course &course, int k)
{
    const int t = int(course.tables.size()) - 1;
    Tableau table = course.tables[t];
    const int n = table.n;
    Course::Change cut;
    cut.cut = true;
    cut.source = cutSourceRow(table, table.cells);
    const std::vector<double> row = cutRow(table, table.cells, cut.source);
    const std::vector<double> form = cutInX(table, row, course.constraintsAt(t), course.rightHandsAt(t));
    cut.coefficients.assign(form.begin(), form.begin() + n);
    cut.rightHand = form[n];
    course.changes.push_back(cut);
    course.pivots.push_back({kChangeStage, int(course.changes.size()) - 1, -1, -1, {}});
    table.cells.insert(table.cells.begin() + table.m * (n + 1), row.begin(), row.end());
    table.rows.insert(table.m, QStringLiteral("S%1").arg(k));
    ++table.m;
    course.tables.push_back(std::move(table));
    course.ending = Course::Ending::None;
    addItem(course, Course::Item::Cut, int(course.changes.size()) - 1);
    addItem(course, Course::Item::Table, int(course.pivots.size()) - 1);
}

Course withoutCuts(Course course)
{
    const auto search = std::find_if(course.items.begin(), course.items.end(),
                                     [](const Course::Item &item) { return item.kind == Course::Item::IntegerSearch; });
    if (search == course.items.end())
        return course;
    const int optimum = search->table;
    course.items.erase(search, course.items.end());
    course.tables.resize(size_t(optimum) + 1);
    course.pivots.resize(size_t(optimum));
    course.changes.erase(std::remove_if(course.changes.begin(), course.changes.end(),
                                        [](const Course::Change &c) { return c.cut; }),
                         course.changes.end());
    course.ending = Course::Ending::Optimum;
    course.endingRow = -1;
    return course;
}

bool isWholePoint(const Tableau &table)
{
    for (double x : table.point())
        if (fractionalPart(x) != 0)
            return false;
    return true;
}

QString cutsUnavailable(const Course &course)
{
    if (course.cutCount() > 0)
        return tr("Отсечения уже сделаны");
    if (course.branched())
        return tr("Целые значения уже ищутся методом ветвей и границ; отсечения — для задачи без ветвей");
    if (course.ending != Course::Ending::Optimum)
        return tr("Целые значения ищутся от оптимума, а отчёт кончается иначе");
    if (!course.allFinite())
        return tr("Целые значения нельзя: не все значения полей — конечные числа");
    if (isWholePoint(course.tables.back()))
        return tr("Оптимальная точка уже целая");
    for (const Course::Change &change : course.changes)
        for (const QString &text : change.coefficientTexts + QStringList{change.rightHandText})
            if (!isWhole(text))
                return tr("Отсечениям Гомори нужны целые коэффициенты и правые части, а в изменении стоит %1; "
                          "умножьте его на общий знаменатель, чтобы он стал целым")
                    .arg(text.trimmed().left(40));
    const int field = firstFractionalField(course);
    if (field >= 0)
        return tr("Отсечениям Гомори нужны целые коэффициенты и правые части, а поле «%1» — %2; умножьте его "
                  "строку на общий знаменатель, чтобы оно стало целым")
            .arg(course.fieldName(field), course.fieldText(field).trimmed().left(40));
    return QString();
}
