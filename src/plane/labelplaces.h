// SPDX-License-Identifier: GPL-3.0-or-later
// Where a label of a picture goes: the rectangle of a text, and the first
// of its places that meets no label or point placed before it.
#ifndef LABELPLACES_H
#define LABELPLACES_H

#include <QFontMetricsF>
#include <QRectF>
#include <QString>

#include <vector>

// The rectangle of a text centred at `centre`.
QRectF textBox(const QFontMetricsF &metrics, const QString &text, const QPointF &centre);

// Whether a place lies in `area` and meets nothing taken.
bool isFree(const QRectF &place, const std::vector<QRectF> &taken, const QRectF &area);

// The first of the places that lies in `area` and meets nothing taken;
// where none does, the free place nearest the first, searched ring by ring
// around it (the first itself where the area has no room left).
QRectF firstFree(const std::vector<QRectF> &places, const std::vector<QRectF> &taken, const QRectF &area);

#endif // LABELPLACES_H
