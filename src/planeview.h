// SPDX-License-Identifier: GPL-3.0-or-later
// The plane view of a problem with two variables: the axes x0 and x1, every
// constraint's line, the feasible region shaded, and the dual simplex
// method's path through the points of the report's tables, which stay
// outside the region until the last one; at an optimum the level line of F
// through it and the direction in which F improves. The geometry is plain
// functions (planegeometry.h); the window and the pages only draw it.
#ifndef PLANEVIEW_H
#define PLANEVIEW_H

#include "planegeometry.h"
#include "reporttext.h"

class QPainter;
class QWidget;

// The window "На плоскости" for the view's course, owned by the report
// window and transient for it. Its caption states the verdict in the view's
// numbers; the picture and the caption follow the view when it changes (the
// fractions, the path so far in practice).
QWidget *openPlaneView(const CourseView &view, QWidget *report);
void updatePlaneView(QWidget *planeView, const CourseView &view);

// Whether the course has a picture on the plane: two variables, every field
// a finite number.
bool hasPlanePicture(const Course &course);

// The same drawing in `rect` of any painter (a page of a document, an image),
// in print colours on white, as vectors where the painter keeps them.
void paintPlane(QPainter &painter, const QRectF &rect, const Course &course);

// Where a point of the plane is drawn in that window, in its coordinates.
QPoint planePointInWindow(const QWidget *planeView, const QPointF &p);

#endif // PLANEVIEW_H
