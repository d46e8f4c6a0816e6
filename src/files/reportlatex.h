// SPDX-License-Identifier: GPL-3.0-or-later
// The report as LaTeX, as teachers typeset simplex tableaux: the problem in
// display mathematics, every table an array under its labels with a rule
// before the Z row and the pivot element boxed, fractions as \frac, the
// report's lines and explanations as text with every special character
// escaped. Every label by one rule (a letter with its index in mathematics,
// a word as text); a table wider than the line made as wide as the line;
// the Russian text searchable in the compiled PDF (a ToUnicode map). What
// the window shows, in the view's numbers.
#ifndef REPORTLATEX_H
#define REPORTLATEX_H

#include "texts/reporttext.h"

#include <QString>

#include <vector>

// The body alone (for a document of the student's own, which needs the
// amsmath and graphicx packages), or a whole document that pdflatex
// compiles with Debian's texlive-latex-base, -recommended and
// -lang-cyrillic.
QString latexOfReport(const ReportContent &content, bool wholeDocument);

// A number of the report in mathematics: "8/5" as \frac{8}{5}, "-3/4" as
// -\frac{3}{4}, "1e-07" as 1\cdot 10^{-7}.
QString latexNumber(const QString &number);

// Text with LaTeX's special characters escaped, and the signs that the
// Cyrillic font encoding lacks written as mathematics.
QString latexText(const QString &text);

#endif // REPORTLATEX_H
