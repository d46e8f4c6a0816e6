// SPDX-License-Identifier: GPL-3.0-or-later
// The dual problem on the plane, for a problem with two constraints: the
// dual's region in (y0, y1), every table's dual point numbered as in the
// report (feasible filled, infeasible hollow), the path, and the optimum
// ringed with the level line of W. The picture is of the problem as first
// solved (before any change or cut). The drawing is the primal picture's
// own; a minimisation's dual variables are not positive, so its picture
// shows -y0 and -y1, which are.
#ifndef DUALPLANE_H
#define DUALPLANE_H

#include "plane/planedrawing.h"

// Whether the course has a dual picture: two constraints, every field a
// finite number.
bool hasDualPlanePicture(const Course &course);

// The dual problem of the course on the plane.
PlaneProblem dualPlane(const Course &course);

// What the dual picture says in words: the dual's verdict, and a legend.
QString dualPlaneCaption(const CourseView &view);

#endif // DUALPLANE_H
