// SPDX-License-Identifier: GPL-3.0-or-later
// Implements labelplaces.h: where a label of a picture goes.
#include "plane/labelplaces.h"

#include <algorithm>
#include <cmath>

// The rectangle of a text centred at `centre`.
QRectF textBox(const QFontMetricsF &metrics, const QString &text, const QPointF &centre)
{
    const QSizeF size(metrics.horizontalAdvance(text) + 2, metrics.height());
    return QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size);
}

bool isFree(const QRectF &place, const std::vector<QRectF> &taken, const QRectF &area)
{
    return area.contains(place)
           && std::none_of(taken.begin(), taken.end(), [&place](const QRectF &t) { return t.intersects(place); });
}

// The first of the places that lies in `area` and meets nothing taken;
// where none does, the free place nearest the first, searched ring by ring
// around it (the first itself where the area has no room left).
QRectF firstFree(const std::vector<QRectF> &places, const std::vector<QRectF> &taken, const QRectF &area)
{
    for (const QRectF &place : places)
        if (isFree(place, taken, area))
            return place;
    const QRectF first = places.front();
    const double step = first.height() / 2;
    const int rings = int(std::hypot(area.width(), area.height()) / step);
    for (int ring = 1; ring <= rings; ++ring)
        for (int k = -ring; k <= ring; ++k)
            for (const QPointF &shift : {QPointF(k, -ring), QPointF(k, ring), QPointF(-ring, k), QPointF(ring, k)}) {
                const QRectF place = first.translated(shift * step);
                if (isFree(place, taken, area))
                    return place;
            }
    return first;
}

