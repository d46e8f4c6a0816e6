// SPDX-License-Identifier: GPL-3.0-or-later
#include "course.h"

#include "reporttext.h"

#include <QHash>

#include <cmath>

bool Course::allFinite() const
{
    for (const std::vector<double> *values : {&c, &a, &b})
        for (double v : *values)
            if (!std::isfinite(v))
                return false;
    return true;
}

std::pair<int, int> Course::firstRepetition() const
{
    QHash<QString, int> seen;
    for (int t = 0; t < int(tables.size()); ++t) {
        const Tableau &table = tables[t];
        QStringList key = table.columns + table.rows;
        for (double v : table.cells)
            key << reporttext::decimal(v);
        const QString text = key.join(QLatin1Char(' '));
        const auto earlier = seen.constFind(text);
        if (earlier != seen.constEnd())
            return {t, *earlier};
        seen.insert(text, t);
    }
    return {-1, -1};
}
