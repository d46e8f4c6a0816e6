// SPDX-License-Identifier: GPL-3.0-or-later
// The window "На плоскости": the plane picture of the report's course with
// its caption, owned by the report window.
#ifndef PLANEWINDOW_H
#define PLANEWINDOW_H

#include "texts/reporttext.h"

#include <QPoint>
#include <QPointF>

class QWidget;

// The window for the view's course, transient for the report window. Its
// caption states the verdict in the view's numbers; the picture and the
// caption follow the view when it changes (the fractions, the path so far in
// practice).
QWidget *openPlaneView(const CourseView &view, QWidget *report);
void updatePlaneView(QWidget *planeView, const CourseView &view);

// Where a point of the plane is drawn in that window, in its coordinates.
QPoint planePointInWindow(const QWidget *planeView, const QPointF &p);

#endif // PLANEWINDOW_H
