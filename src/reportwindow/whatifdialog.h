// SPDX-License-Identifier: GPL-3.0-or-later
// The small dialog of "Что если…": which right-hand side changes and to
// what ("Y1 (b = 6)" …), or, last, a new constraint with its coefficients;
// the fields read as the form's fields read.
#ifndef WHATIFDIALOG_H
#define WHATIFDIALOG_H

#include "texts/reporttext.h"
#include "method/whatif.h"

#include <optional>

class QWidget;

// What the user asks for; nothing when the dialog was cancelled.
std::optional<WhatIf> askWhatIf(QWidget *parent, const CourseView &view);

#endif // WHATIFDIALOG_H
