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
