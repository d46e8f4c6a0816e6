// SPDX-License-Identifier: GPL-3.0-or-later
// Implements practicetable.h: the table the student computes in practice.
#include "reportwindow/practicetable.h"

#include "widgets/snapshottable.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

using reporttext::tr;

// A wrong cell's text colour, as the form's fields show a text they cannot read.
constexpr QRgb kWrongColour = 0xff0000;

} // namespace

PracticeTable::PracticeTable(const Tableau &labels, QWidget *parent) : QWidget(parent), columns(labels.n + 1)
{
    setObjectName(QStringLiteral("practiceTable"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    table = makeSnapshotTable(this, labels.columns, labels.rows, [](int, int) { return QString(); });
    table->setTabKeyNavigation(false); // Tab moves the keyboard between the editors, not the table's current cell
    layout->addWidget(table);
    QWidget *previous = nullptr;
    for (int i = 0; i <= labels.m; ++i)
        for (int j = 0; j <= labels.n; ++j) {
            auto *edit = new QLineEdit(table->viewport());
            edit->setObjectName(QStringLiteral("practiceCell_%1_%2").arg(i).arg(j));
            edit->setAccessibleName(tr("Клетка %1, %2").arg(labels.rows[i], labels.columns[j]));
            edit->setFrame(false);
            table->setCellWidget(i, j, edit);
            connect(edit, &QLineEdit::textEdited, this, [this, i, j](const QString &text) { emit typed(i, j, text); });
            connect(edit, &QLineEdit::returnPressed, this, &PracticeTable::checkAsked);
            if (previous)
                setTabOrder(previous, edit);
            previous = edit;
        }
}

// Enter in a cell asks for the check and ends there: a line edit passes the
// key on to its parents, and the panel's Enter would choose a pivot.
void PracticeTable::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

QLineEdit *PracticeTable::editor(int row, int column) const
{
    return static_cast<QLineEdit *>(table->cellWidget(row, column));
}

void PracticeTable::showCells(const std::vector<CellProgress> &cells)
{
    for (int k = 0; k < int(cells.size()); ++k) {
        const CellProgress &cell = cells[k];
        QLineEdit *edit = editor(k / columns, k % columns);
        const QString text = cell.locked ? cell.shown : cell.typed;
        if (edit->text() != text)
            edit->setText(text);
        const bool wrong = !cell.locked && !cell.feedback.isEmpty();
        QPalette palette;
        if (wrong)
            palette.setColor(QPalette::Text, QColor(kWrongColour));
        edit->setPalette(palette);
        edit->setToolTip(wrong ? cell.feedback : QString());
        edit->setAccessibleDescription(cell.locked ? tr("верно") : wrong ? tr("неверно: ") + cell.feedback : QString());
        edit->setReadOnly(cell.locked);
        // Tab passes over the cells already right.
        edit->setFocusPolicy(cell.locked ? Qt::NoFocus : Qt::StrongFocus);
    }
    // A cell that has just become right gives the keyboard to the next open one.
    for (int k = 0; k < int(cells.size()); ++k)
        if (editor(k / columns, k % columns)->hasFocus() && cells[k].locked) {
            for (int next = 1; next < int(cells.size()); ++next)
                if (!cells[(k + next) % cells.size()].locked) {
                    const int open = (k + next) % int(cells.size());
                    editor(open / columns, open % columns)->setFocus();
                    break;
                }
            break;
        }
}

void PracticeTable::focusFirstOpen()
{
    for (int i = 0; i < table->rowCount(); ++i)
        for (int j = 0; j < table->columnCount(); ++j)
            if (!editor(i, j)->isReadOnly()) {
                editor(i, j)->setFocus();
                return;
            }
}
