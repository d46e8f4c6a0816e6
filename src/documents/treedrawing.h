// SPDX-License-Identifier: GPL-3.0-or-later
// The tree of branch and bound drawn: each node a box with its bound, F and
// ending, under its parent, the `<=` child on the left; the final record's
// box marked. Laid out once in a font; drawn on any painter (the window's,
// a page's), scaled down where the room is narrower than the tree.
#ifndef TREEDRAWING_H
#define TREEDRAWING_H

#include "texts/reporttext.h"

#include <QFont>
#include <QRectF>

#include <vector>

class QPaintDevice;
class QPainter;

class TreeDrawing
{
public:
    // The tree's boxes measured in `font` on `device` (the screen when none).
    TreeDrawing(const std::vector<TreeLine> &tree, const QFont &font, QPaintDevice *device = nullptr);

    // The tree's own size, and the scale at which it fits `room` (never above 1).
    QSizeF size() const { return natural; }
    double scaleFor(const QSizeF &room) const;

    // The tree drawn at `topLeft` at `scale`, in the pen's and brush's
    // colours given: lines and text, the box's fill, the record's mark.
    // Only the boxes whose centres lie in [from, to) (drawn from the tree's
    // left edge, at `scale`) are drawn; every line is.
    void paint(QPainter &painter, const QPointF &topLeft, double scale, const QColor &text, const QColor &fill,
               const QColor &mark, double from = -1e300, double to = 1e300) const;

    // Each box where it is drawn at scale 1 from (0, 0), in the tree's order.
    const std::vector<QRectF> &boxes() const { return rects; }

    // The tree drawn at `scale` in strips side by side, each drawn whole in
    // `width`: the boxes whose centres lie in [left, left + step) of a
    // strip, where step leaves room for half the widest box on either side.
    // The strips' left edges, and that step.
    std::vector<double> strips(double scale, double width, double *step) const;

private:
    std::vector<TreeLine> tree;
    QFont font;
    QPaintDevice *device;
    std::vector<QRectF> rects;
    QSizeF natural;
    double widest = 0; // the widest box
};

#endif // TREEDRAWING_H
