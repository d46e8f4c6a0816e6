// SPDX-License-Identifier: GPL-3.0-or-later
// The report as a file to hand in: PDF (the pages of the paginator), one
// self-contained HTML file (the copy's HTML, the plane picture embedded),
// plain text (the copy's text) or LaTeX, the format named by the file's
// extension. What the window shows, in its view.
#ifndef REPORTFILES_H
#define REPORTFILES_H

#include "texts/reporttext.h"

#include <QByteArray>
#include <QPageLayout>
#include <QString>

#include <optional>
#include <vector>

enum class ReportFormat { Pdf, Html, Text, Latex };

// The pages of a PDF report: A4, portrait, margins of 20 mm.
QPageLayout reportPageLayout();

// The format an extension names: .pdf, .html (or .htm), .txt, .tex.
std::optional<ReportFormat> reportFormatOf(const QString &path);
QString reportFormatExtension(ReportFormat format);

// The HTML file: the copy's HTML with a title, and for two variables the
// plane picture as an embedded PNG image.
QByteArray htmlReportFile(const ReportContent &content);

// Writes the report to `path` in the format its extension names; false and
// the reason in *error when the extension names none or writing fails.
bool writeReportFile(const QString &path, const ReportContent &content, QString *error);

#endif // REPORTFILES_H
