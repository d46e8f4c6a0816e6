// SPDX-License-Identifier: GPL-3.0-or-later
// The report on pages, for a PDF file and for the printer alike: the problem
// as the title, then every line, explanation and table in order, a table
// never split across pages, the pivot elements marked, page numbers in the
// footer, and for two variables the plane view's picture at the end, drawn
// as vectors by the window's own drawing.
#ifndef REPORTPAGES_H
#define REPORTPAGES_H

#include "reporttext.h"

#include <vector>

class QPagedPaintDevice;

// Lays the report out on the device's pages and, when `paint`, paints it
// there. The number of pages.
int paintReportPages(QPagedPaintDevice *device, const ReportContent &content, bool paint = true);

#endif // REPORTPAGES_H
