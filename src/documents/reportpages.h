// SPDX-License-Identifier: GPL-3.0-or-later
// The report on pages, for a PDF file and for the printer alike: the problem
// as the title, then every line, explanation and table in order, a table
// never split across pages and never parted from the lines that introduce
// it, every cell as wide as its widest text in the font it is drawn in, a
// table too wide for the page made smaller as a whole, the pivot elements
// marked, page numbers in the footer, and for two variables the plane
// view's picture at the end, drawn as vectors by the window's own drawing.
// Nothing is clipped: a line too long for the page wraps.
#ifndef REPORTPAGES_H
#define REPORTPAGES_H

#include "texts/reporttext.h"

#include <vector>

#include <QFont>
#include <QRectF>

class QPagedPaintDevice;

// A text of a table as the pages draw it: in which font, where its lines
// stand, and the room its cell leaves it (the cell less its padding).
struct DrawnText {
    QString text;
    QFont font;
    QRectF rect;
    QRectF room;
    int page = 0;
};

// Lays the report out on the device's pages and, when `paint`, paints it
// there; every table's texts as drawn go to *drawn. The number of pages.
int paintReportPages(QPagedPaintDevice *device, const ReportContent &content, bool paint = true,
                     std::vector<DrawnText> *drawn = nullptr);

#endif // REPORTPAGES_H
