// SPDX-License-Identifier: GPL-3.0-or-later
// Implements practicepanel.h: the practice panel below the last table shown.
#include "reportwindow/practicepanel.h"

#include "reportwindow/practicetable.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

using reporttext::tr;

// The width of the frame around the cell the keyboard is on.
constexpr int kFrameWidth = 2;

QLabel *cellAt(const QTableWidget *table, int row, int column)
{
    return qobject_cast<QLabel *>(table->cellWidget(row, column));
}

} // namespace

PracticePanel::PracticePanel(bool maximise, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("practicePanel"));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Решать самому: выберите ведущий элемент в последней таблице или исход"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    prompt = new QLabel(this);
    prompt->setWordWrap(true);
    layout->addWidget(prompt);
    buttons = new QWidget(this);
    // Two by two, so that the panel is no wider than a table of two variables.
    auto *grid = new QGridLayout(buttons);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(addButton("practiceBound", maximise ? tr("Верхняя оценка найдена") : tr("Нижняя оценка найдена"),
                              PracticeChoice::Bound), 0, 0);
    grid->addWidget(addButton("practiceOptimum", tr("Оптимум найден"), PracticeChoice::Optimum), 0, 1);
    grid->addWidget(addButton("practiceNoSolution", tr("Нет решений"), PracticeChoice::NoSolution), 1, 0);
    grid->addWidget(addButton("practiceCycled", tr("Зацикливание"), PracticeChoice::Cycled), 1, 1);
    hint = new QPushButton(tr("Подсказка"), buttons);
    hint->setObjectName(QStringLiteral("practiceHint"));
    hint->setFocusPolicy(Qt::NoFocus);
    QSizePolicy keepsItsPlace = hint->sizePolicy();
    keepsItsPlace.setRetainSizeWhenHidden(true); // the row does not change width when it shows
    hint->setSizePolicy(keepsItsPlace);
    hint->hide();
    connect(hint, &QPushButton::clicked, this, &PracticePanel::hintAsked);
    grid->addWidget(hint, 0, 2);
    grid->setColumnStretch(3, 1);
    layout->addWidget(buttons);
    // While a table is computed: check the cells typed, or reveal the rest.
    cellButtons = new QWidget(this);
    auto *line = new QHBoxLayout(cellButtons);
    line->setContentsMargins(0, 0, 0, 0);
    auto *check = new QPushButton(tr("Проверить"), cellButtons);
    check->setObjectName(QStringLiteral("practiceCheck"));
    check->setFocusPolicy(Qt::NoFocus); // the keyboard stays in the cells; Enter checks
    connect(check, &QPushButton::clicked, this, &PracticePanel::checkAsked);
    auto *reveal = new QPushButton(tr("Показать"), cellButtons);
    reveal->setObjectName(QStringLiteral("practiceReveal"));
    reveal->setFocusPolicy(Qt::NoFocus);
    connect(reveal, &QPushButton::clicked, this, &PracticePanel::revealAsked);
    line->addWidget(check);
    line->addWidget(reveal);
    line->addStretch(1);
    cellButtons->hide();
    layout->addWidget(cellButtons);
    tables = new QPushButton(tr("Считать таблицы самому"), this);
    tables->setObjectName(QStringLiteral("practiceTables"));
    tables->setCheckable(true);
    tables->setFocusPolicy(Qt::TabFocus); // reached by Tab from the panel; Space toggles it
    connect(tables, &QPushButton::toggled, this, &PracticePanel::tablesToggled);
    layout->addWidget(tables, 0, Qt::AlignLeft);
    feedback = new QLabel(this);
    feedback->setObjectName(QStringLiteral("practiceFeedback"));
    feedback->setWordWrap(true);
    layout->addWidget(feedback);
    score = new QLabel(this);
    score->setObjectName(QStringLiteral("practiceScore"));
    score->hide();
    layout->addWidget(score);
}

QPushButton *PracticePanel::addButton(const char *name, const QString &text, PracticeChoice::Kind kind)
{
    auto *button = new QPushButton(text, buttons);
    button->setObjectName(QLatin1String(name));
    button->setFocusPolicy(Qt::NoFocus); // the keyboard stays on the table's cells
    connect(button, &QPushButton::clicked, this, [this, kind] { emit chosen(PracticeChoice{kind, -1, -1}); });
    return button;
}

PracticePanel::~PracticePanel()
{
    releaseTable();
}

// The cells of the table chosen on so far become plain cells again.
void PracticePanel::releaseTable()
{
    setFrame(nullptr);
    for (int i = 0; table && i < table->rowCount(); ++i)
        for (int j = 0; j < table->columnCount(); ++j) {
            QLabel *cell = cellAt(table, i, j);
            cell->removeEventFilter(this);
            cell->unsetCursor();
        }
    table = nullptr;
}

void PracticePanel::setTable(QTableWidget *next, int nextRow, int nextColumn)
{
    if (next != table) {
        releaseTable();
        table = next;
        for (int i = 0; table && i < table->rowCount(); ++i)
            for (int j = 0; j < table->columnCount(); ++j) {
                QLabel *cell = cellAt(table, i, j);
                cell->installEventFilter(this);
                cell->setCursor(Qt::PointingHandCursor);
            }
    }
    row = nextRow;
    column = nextColumn;
    setFrame(table ? cellAt(table, row, column) : nullptr);
}

void PracticePanel::setFrame(QLabel *cell)
{
    if (cell == framedCell)
        return;
    if (framedCell)
        framedCell->setFrameStyle(QFrame::NoFrame | QFrame::Plain); // as a label starts
    framedCell = cell;
    if (cell) {
        cell->setFrameStyle(QFrame::Box | QFrame::Plain);
        cell->setLineWidth(kFrameWidth);
    }
}

void PracticePanel::setFeedback(const QString &text)
{
    feedback->setText(text);
}

void PracticePanel::setHintOffered(bool offered)
{
    hint->setVisible(offered);
}

void PracticePanel::setScore(const QString &text)
{
    const bool end = !text.isEmpty();
    score->setText(text);
    score->setVisible(end);
    prompt->setVisible(!end);
    buttons->setVisible(!end && !computed);
}

void PracticePanel::setTablesOn(bool on)
{
    const QSignalBlocker quiet(tables);
    tables->setChecked(on);
}

void PracticePanel::setDeciding(PracticeStep::Answer answer)
{
    deciding = answer;
    showPrompt();
}

void PracticePanel::showPrompt()
{
    if (computed) {
        prompt->setText(tr("Посчитайте новую таблицу: введите клетки (дроби можно: 1/3, -2,5) и нажмите "
                           "«Проверить» или Enter; «Показать» заполнит остальные."));
        return;
    }
    const QString click = deciding == PracticeStep::CutRow      ? tr("строку, по которой пишется отсечение")
                          : deciding == PracticeStep::BranchRow ? tr("строку переменной, по которой ветвим")
                                                                : tr("ведущий элемент последней таблицы");
    prompt->setText(tr("Ваш ход: щёлкните %1 (или стрелки и Enter) либо выберите исход.").arg(click));
}

void PracticePanel::setComputing(int number, const Tableau &labels, const std::vector<CellProgress> &cells)
{
    if (number != computedNumber) {
        // The check that ends a table may come from a cell of it: the
        // table goes once that signal is done.
        if (computed) {
            computed->hide();
            layout()->removeWidget(computed);
            computed->deleteLater();
        }
        computed = nullptr;
        computedNumber = number;
        if (number >= 0) {
            computed = new PracticeTable(labels, this);
            static_cast<QVBoxLayout *>(layout())->insertWidget(0, computed);
            connect(computed, &PracticeTable::typed, this, &PracticePanel::cellTyped);
            connect(computed, &PracticeTable::checkAsked, this, &PracticePanel::checkAsked);
            computed->show();
            computed->focusFirstOpen();
        }
    }
    showPrompt();
    cellButtons->setVisible(computed);
    buttons->setVisible(!computed && score->isHidden());
    if (computed)
        computed->showCells(cells);
}

// The arrow keys and Enter belong to the panel while it has the focus,
// before the report's shortcuts that scroll.
bool PracticePanel::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride && table) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            return true;
        default:
            break;
        }
    }
    return QWidget::event(event);
}

void PracticePanel::keyPressEvent(QKeyEvent *event)
{
    if (!table)
        return QWidget::keyPressEvent(event);
    switch (event->key()) {
    case Qt::Key_Up:
        emit framed(row - 1, column);
        break;
    case Qt::Key_Down:
        emit framed(row + 1, column);
        break;
    case Qt::Key_Left:
        emit framed(row, column - 1);
        break;
    case Qt::Key_Right:
        emit framed(row, column + 1);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit chosen(PracticeChoice{PracticeChoice::Cell, row, column});
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

bool PracticePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && table) {
        for (int i = 0; i < table->rowCount(); ++i)
            for (int j = 0; j < table->columnCount(); ++j)
                if (cellAt(table, i, j) == watched) {
                    setFocus();
                    emit chosen(PracticeChoice{PracticeChoice::Cell, i, j});
                    return true;
                }
    }
    return QWidget::eventFilter(watched, event);
}
