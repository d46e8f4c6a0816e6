// SPDX-License-Identifier: GPL-3.0-or-later
// How a field of the input form looks for its text: a text that does not
// read as a number in red, a number outside the range the program is meant
// for in dark orange, each with a tooltip that says what it counts as.
#ifndef FIELDMARK_H
#define FIELDMARK_H

#include <QString>

class QLineEdit;

void markFieldText(QLineEdit *field, const QString &text);

#endif // FIELDMARK_H
