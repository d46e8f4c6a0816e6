// SPDX-License-Identifier: GPL-3.0-or-later
// Implements course.h: the course of one solve as data.
#include "method/course.h"

#include "method/basictext.h"

#include <algorithm>
#include <cmath>

QString Tableau::problemRowName(int i) const
{
    // The rows added after the problem's constraints (cuts Sk, bounds Bk),
    // in the order they were added: by their numbers.
    std::vector<std::pair<int, QString>> added;
    for (QString label : rows + columns) {
        if (label.startsWith(QLatin1Char('-')))
            label.remove(0, 1);
        if (label.startsWith(QLatin1Char('S')) || label.startsWith(QLatin1Char('B')))
            added.emplace_back(label.mid(1).toInt(), label);
    }
    std::sort(added.begin(), added.end());
    const int constraints = m - int(added.size());
    return i < constraints ? QStringLiteral("Y%1").arg(i) : added[i - constraints].second;
}

bool Course::allFinite() const
{
    for (const std::vector<double> *values : {&c, &a, &b})
        for (double v : *values)
            if (!std::isfinite(v))
                return false;
    return true;
}

int Course::cutCount() const
{
    return int(std::count_if(changes.begin(), changes.end(), [](const Change &c) { return c.cut; }));
}

int Course::cutsAt(int t) const
{
    int cuts = 0;
    for (int k : pivotsTo(t))
        cuts += pivots[k].stage == kChangeStage && changes[pivots[k].row].cut;
    return cuts;
}

int Course::recordBefore(int k) const
{
    for (int j = k - 1; j >= 0; --j)
        if (nodes[j].end == Node::Record)
            return j;
    return -1;
}

bool Course::whatIfMade() const
{
    return std::any_of(changes.begin(), changes.end(), [](const Change &c) { return !c.cut && !c.branch(); });
}

int Course::sourceTable(int p) const
{
    const bool branch = pivots[p].stage == kChangeStage && changes[pivots[p].row].branch();
    return branch ? changes[pivots[p].row].parentTable : p;
}

int Course::changePivot(int c) const
{
    int p = 0;
    while (pivots[p].stage != kChangeStage || pivots[p].row != c)
        ++p;
    return p;
}

std::vector<int> Course::pivotsTo(int t) const
{
    std::vector<int> path;
    for (int k = std::min(t, int(pivots.size())) - 1; k >= 0; k = sourceTable(k) - 1)
        path.push_back(k);
    std::reverse(path.begin(), path.end());
    return path;
}

QString Course::fieldName(int k) const
{
    using basictext::tr;
    auto coefficient = [](const QString &owner, int j) { return tr("%1: коэффициент при x%2").arg(owner).arg(j); };
    auto constraint = [](int i) { return tr("Ограничение %1").arg(i); };
    if (k < n)
        return coefficient(QStringLiteral("F"), k);
    if (k < n + n * m)
        return coefficient(constraint((k - n) / n), (k - n) % n);
    return tr("%1: правая часть").arg(constraint(k - n - n * m));
}

QString Course::fieldText(int k) const
{
    const QStringList all = objectiveTexts + constraintTexts + rightHandTexts;
    return all.value(k);
}

std::vector<double> Course::rightHandsAt(int t) const
{
    std::vector<double> values = b;
    for (int k : pivotsTo(t)) {
        if (pivots[k].stage != kChangeStage)
            continue;
        const Change &change = changes[pivots[k].row];
        if (change.row >= 0)
            values[change.row] = change.rightHand;
        else
            values.push_back(change.rightHand);
    }
    return values;
}

std::vector<double> Course::constraintsAt(int t) const
{
    std::vector<double> values = a;
    for (int k : pivotsTo(t))
        if (pivots[k].stage == kChangeStage && changes[pivots[k].row].row < 0)
            values.insert(values.end(), changes[pivots[k].row].coefficients.begin(),
                          changes[pivots[k].row].coefficients.end());
    return values;
}
