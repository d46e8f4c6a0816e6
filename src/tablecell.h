// SPDX-License-Identifier: GPL-3.0-or-later
// A cell of a snapshot table: its fixed size, and the mark of the pivot
// element, the same in the tables the stages write and in those the views
// add (a continuation after "Что если…", practice hiding a mark until its
// step is taken).
#ifndef TABLECELL_H
#define TABLECELL_H

#include "basictext.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>

// Fixed size of one cell of a snapshot table, in pixels.
constexpr int kCellHeight = 40;
constexpr int kCellWidth = 110;

// A marked cell is bold on a background a third of the way from the
// palette's base colour to its highlight, so that its text reads in light
// and dark themes alike; a screen reader says that it is the pivot element.
// Only its look changes: text, size and place stay.
inline void setCellMarked(QLabel *cell, bool marked)
{
    QFont font = cell->font();
    font.setBold(marked);
    cell->setFont(font);
    if (marked) {
        QPalette palette = cell->palette();
        const QColor highlight = palette.color(QPalette::Highlight), base = palette.color(QPalette::Base);
        const QColor background((highlight.red() + 2 * base.red()) / 3, (highlight.green() + 2 * base.green()) / 3,
                                (highlight.blue() + 2 * base.blue()) / 3);
        palette.setColor(cell->backgroundRole(), background);
        cell->setPalette(palette);
    }
    cell->setAutoFillBackground(marked);
    cell->setAccessibleDescription(marked ? basictext::tr("ведущий элемент") : QString());
}

#endif // TABLECELL_H
