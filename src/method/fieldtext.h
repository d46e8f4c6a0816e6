// SPDX-License-Identifier: GPL-3.0-or-later
// How the text of a field of the input form reads as a number: in the
// doubles the method computes with, and exactly, as a rational number, for
// the exact view of a report. One reading rule serves both.
#ifndef FIELDTEXT_H
#define FIELDTEXT_H

#include <QString>

#include <gmpxx.h>

#include <optional>

// What a field's text counts as, and whether it reads as a number at all.
// A text without "," and "/" reads as the C locale reads numbers, and counts
// as what that gives even when it fails ("abc" is 0, "1e400" is inf). A text
// with one decimal comma, no point and no other comma reads with the comma
// taken for a point ("1,5"); one with a single "/" is a fraction whose two
// sides read so and whose denominator is not 0 ("1/3", "-1,5/2"). Any other
// text counts as 0.
double fieldValue(const QString &text, bool *isNumber);

// The same text read without rounding: "0.1" is 1/10, "1/3" is 1/3, and a
// text that counts as 0 is 0. Nothing when the text counts as a value that is
// not a finite number ("1e400", "inf", "nan").
std::optional<mpq_class> exactFieldValue(const QString &text);

#endif // FIELDTEXT_H
