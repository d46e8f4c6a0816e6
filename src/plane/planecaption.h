// SPDX-License-Identifier: GPL-3.0-or-later
// What the plane picture of a problem says in words, for the caption under
// it: the verdict in the view's numbers, the region, the constraints
// without a line, the scales, and a legend.
#ifndef PLANECAPTION_H
#define PLANECAPTION_H

#include "texts/reporttext.h"

// What the picture says in words: the verdict in the view's numbers, the
// region, the constraints without a line, the scales, and a legend.
QString planeCaption(const CourseView &view);

#endif // PLANECAPTION_H
