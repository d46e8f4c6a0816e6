// SPDX-License-Identifier: GPL-3.0-or-later
#include "course.h"

#include <cmath>

bool Course::allFinite() const
{
    for (const std::vector<double> *values : {&c, &a, &b})
        for (double v : *values)
            if (!std::isfinite(v))
                return false;
    return true;
}

std::vector<double> Course::rightHandsAt(int t) const
{
    std::vector<double> values = b;
    for (int k = 0; k < t && k < int(pivots.size()); ++k) {
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
    for (int k = 0; k < t && k < int(pivots.size()); ++k)
        if (pivots[k].stage == kChangeStage && changes[pivots[k].row].row < 0)
            values.insert(values.end(), changes[pivots[k].row].coefficients.begin(),
                          changes[pivots[k].row].coefficients.end());
    return values;
}
