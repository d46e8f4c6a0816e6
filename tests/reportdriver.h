// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real main window the way a user does, and reads the report
// window back item by item.
#ifndef REPORTDRIVER_H
#define REPORTDRIVER_H

#include "mainwindow/widget.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QStringList>
#include <QTableWidget>
#include <QtTest>

#include <random>
#include <vector>

// The long loops run a smaller seeded share of their repetitions in the
// sanitizer build, which is several times slower: every check stays.
inline int repetitions(int full)
{
#ifdef DUAL_SIMPLEX_SANITIZED
    return full / 4;
#else
    return full;
#endif
}

struct Problem {
    bool maximise = true;
    std::vector<double> c;               // objective coefficients
    std::vector<std::vector<double>> a;  // constraint rows
    std::vector<double> b;               // right-hand sides
};

// The worked examples: maximise x0 + x1 subject to x0 + 2·x1 <= 4 and
// 3·x0 + x1 <= 6; minimise x0 + x1 subject to x0 - x1 <= -1.
inline Problem workedExample()
{
    return Problem{true, {1, 1}, {{1, 2}, {3, 1}}, {4, 6}};
}

inline Problem minimisingWorkedExample()
{
    return Problem{false, {1, 1}, {{1, -1}}, {-1}};
}

// The seeded random source of the random tests: uniform integers in [lo, hi].
class Uniform
{
public:
    explicit Uniform(unsigned seed) : rng(seed) {}
    int operator()(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

private:
    std::mt19937 rng;
};

// The report's fixed lines, as the report writes them.
namespace reportline {
const QString maxTask = QStringLiteral("Задача на максимум. Ищем верхнюю оценку целевой функции");
const QString minTask = QStringLiteral("Задача на минимум. Ищем нижнюю оценку целевой функции");
const QString stage2 = QStringLiteral("Ищем оптимальное решение");
const QString optimum = QStringLiteral("Оптимальное решение ");
const QString noSolution = QStringLiteral("нет решений");
const QString cycled = QStringLiteral("зациклился");
const QString ok = QStringLiteral("button Ok"); // the closing button, as reportItems lists it
} // namespace reportline

template <typename T>
inline T *control(Widget &w, const char *name)
{
    T *found = w.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        qFatal("no control %s", name);
    return found;
}

inline void click(Widget &w, const char *name)
{
    QTest::mouseClick(control<QPushButton>(w, name), Qt::LeftButton);
}

// Sets the spin boxes and presses "ok".
inline void buildForm(Widget &w, int n, int m)
{
    control<QSpinBox>(w, "spinBox")->setValue(n);
    control<QSpinBox>(w, "spinBox_2")->setValue(m);
    click(w, "pushButton");
}

// A value as a student types it: the shortest text that reads back as it.
inline QString numberText(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

// Builds the form for the problem and types it in.
inline void fillForm(Widget &w, const Problem &p)
{
    const int n = int(p.c.size()), m = int(p.a.size());
    buildForm(w, n, m);
    for (int j = 0; j < n; ++j)
        w.list_Z[j]->setText(numberText(p.c[j]));
    for (int i = 0; i < m; ++i) {
        for (int j = 0; j < n; ++j)
            w.list_A[i * n + j]->setText(numberText(p.a[i][j]));
        w.list_L[i]->setText(numberText(p.b[i]));
    }
    w.maxmin->setCurrentIndex(p.maximise ? 0 : 1);
}

// Builds the form for the problem, types it in and presses "Вывести решение".
inline void solve(Widget &w, const Problem &p)
{
    fillForm(w, p);
    click(w, "pushButton_2");
}

// The label that shows cell (i, j) of a snapshot table, and its text.
inline QLabel *cellLabel(const QTableWidget *t, int i, int j)
{
    return qobject_cast<QLabel *>(t->cellWidget(i, j));
}

inline QString cellText(const QTableWidget *t, int i, int j)
{
    if (const QLabel *label = cellLabel(t, i, j))
        return label->text();
    return t->item(i, j) ? t->item(i, j)->text() : QString(); // a table of the ranging
}

// A table reads "table <column headers> / <row header> <cells> / ...".
inline QString tableText(const QTableWidget *t)
{
    QStringList parts;
    QStringList head;
    for (int j = 0; j < t->columnCount(); ++j)
        head << t->horizontalHeaderItem(j)->text();
    parts << QStringLiteral("table ") + head.join(QLatin1Char(' '));
    for (int i = 0; i < t->rowCount(); ++i) {
        QStringList row{t->verticalHeaderItem(i)->text()};
        for (int j = 0; j < t->columnCount(); ++j)
            row << cellText(t, i, j);
        parts << row.join(QLatin1Char(' '));
    }
    return parts.join(QStringLiteral(" / "));
}

// The cells of a table whose labels are marked (bold), as "row,column".
inline QStringList markedCells(const QTableWidget *t)
{
    QStringList marked;
    for (int i = 0; i < t->rowCount(); ++i)
        for (int j = 0; j < t->columnCount(); ++j)
            if (cellLabel(t, i, j)->font().bold())
                marked << QStringLiteral("%1,%2").arg(i).arg(j);
    return marked;
}

// The report, top to bottom: a label gives its text (an explanation's
// without the word joiners that keep its labels whole on the screen), a
// table its tableText, the closing button "button <text>".
inline QStringList reportItems(const Widget &w)
{
    QStringList items;
    QLayout *vert = w.Form ? w.Form->layout() : nullptr;
    if (!vert)
        return items;
    for (int k = 0; k < vert->count(); ++k) {
        QWidget *item = vert->itemAt(k)->widget();
        if (auto *label = qobject_cast<QLabel *>(item))
            items << label->text().remove(QChar(0x2060));
        else if (auto *table = qobject_cast<QTableWidget *>(item))
            items << tableText(table);
        else if (auto *button = qobject_cast<QPushButton *>(item))
            items << QStringLiteral("button ") + button->text();
        else
            items << QStringLiteral("?");
    }
    return items;
}

inline QList<QTableWidget *> reportTables(const Widget &w)
{
    QList<QTableWidget *> tables;
    QLayout *vert = w.Form->layout();
    for (int k = 0; k < vert->count(); ++k) {
        if (auto *t = qobject_cast<QTableWidget *>(vert->itemAt(k)->widget());
            t && t->objectName() != QLatin1String("rangingTable"))
            tables << t;
    }
    return tables;
}

// An action of the report window: actionCopy, actionPlane, actionFractions, actionExplain.
inline QAction *reportAction(const Widget &w, const char *name)
{
    auto *action = w.formArea->findChild<QAction *>(QLatin1String(name));
    if (!action)
        qFatal("no action %s", name);
    return action;
}

// The explanation lines of the report as it is shown, top to bottom.
inline QStringList explanationTexts(const Widget &w)
{
    QStringList texts;
    QLayout *vert = w.Form->layout();
    for (int k = 0; k < vert->count(); ++k)
        if (QWidget *item = vert->itemAt(k)->widget(); item->objectName() == QLatin1String("explanation"))
            texts << qobject_cast<QLabel *>(item)->text().remove(QChar(0x2060));
    return texts;
}

// Everything the page shows, top to bottom, for comparing two pages: every
// widget shown with its kind and texts; a table's headers, and each cell's
// text, tooltip, mark and frame; a wrapped line's width; practice's panel
// with its prompt, feedback, hint and score; then the actions' states.
inline QStringList pageSnapshot(const Widget &w)
{
    QStringList page;
    QLayout *vert = w.Form->layout();
    for (int k = 0; k < vert->count(); ++k) {
        QWidget *item = vert->itemAt(k)->widget();
        if (item->isHidden())
            continue;
        QString line = item->metaObject()->className() + QStringLiteral(" ") + item->objectName();
        if (auto *label = qobject_cast<QLabel *>(item)) {
            line += QStringLiteral(" ") + label->text() + QStringLiteral(" w") + QString::number(label->maximumWidth());
        } else if (auto *table = qobject_cast<QTableWidget *>(item)) {
            line += QStringLiteral(" ") + tableText(table);
            for (int i = 0; i < table->rowCount(); ++i)
                for (int j = 0; j < table->columnCount(); ++j)
                    if (const QLabel *cell = cellLabel(table, i, j))
                        line += QStringLiteral(" [%1,%2 %3 %4 %5 %6]").arg(i).arg(j).arg(cell->toolTip())
                                    .arg(cell->font().bold()).arg(cell->frameStyle())
                                    .arg(cell->autoFillBackground() ? cell->palette().color(cell->backgroundRole()).name()
                                                                    : QString());
        } else if (auto *button = qobject_cast<QPushButton *>(item)) {
            line += QStringLiteral(" ") + button->text();
        } else {
            for (const QWidget *part : item->findChildren<QWidget *>())
                if (!part->isHidden()) {
                    line += QStringLiteral(" {") + part->objectName();
                    if (auto *label = qobject_cast<const QLabel *>(part))
                        line += QStringLiteral(" ") + label->text();
                    if (auto *edit = qobject_cast<const QLineEdit *>(part))
                        line += QStringLiteral(" %1 %2 %3 %4").arg(edit->text()).arg(edit->isReadOnly()).arg(edit->toolTip())
                                    .arg(edit->palette().color(QPalette::Text).name());
                    if (auto *button = qobject_cast<const QPushButton *>(part))
                        line += QStringLiteral(" %1").arg(button->isChecked());
                    line += QStringLiteral("}");
                }
            line += QStringLiteral(" w") + QString::number(item->maximumWidth());
        }
        page << line;
    }
    // The page's children in the order a screen reader reads them: the
    // layout first, the items, the closing button last.
    const QObject *newest = w.Form->children().last();
    page << QStringLiteral("newest child: ") + newest->metaObject()->className()
                + (qobject_cast<const QPushButton *>(newest) ? QStringLiteral(" ") + static_cast<const QPushButton *>(newest)->text()
                                                               : QString());
    for (const QAction *action : w.formArea->actions())
        page << QStringLiteral("%1 %2 %3 %4").arg(action->objectName()).arg(action->isEnabled()).arg(action->isChecked())
                    .arg(action->toolTip());
    return page;
}

// The report window's tool bar.
inline QWidget *reportToolBar(const Widget &w)
{
    return w.formArea->findChild<QWidget *>(QStringLiteral("reportToolBar"));
}

// The windows (not the popup menus) that exist now, shown or not.
inline int topLevelWindows()
{
    int windows = 0;
    for (const QWidget *w : QApplication::topLevelWidgets())
        windows += w->windowType() != Qt::Popup;
    return windows;
}

// The report's "Ok": the last item of its page; null without a report.
inline QPushButton *reportOk(const Widget &w)
{
    QLayout *vert = w.Form ? w.Form->layout() : nullptr;
    return vert ? qobject_cast<QPushButton *>(vert->itemAt(vert->count() - 1)->widget()) : nullptr;
}

// Presses the report's "Ok", then lets the pending events and the deferred
// deletions run, as the event loop would: the window disappears at once and
// is destroyed then.
inline void closeReport(Widget &w)
{
    QPushButton *ok = reportOk(w);
    QVERIFY(ok);
    QPointer<QWidget> window = w.formArea;
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(window && !window->isVisible());
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!window);
}

// Restores the application's font when it goes out of scope, also when a
// check before that failed.
class FontGuard
{
public:
    FontGuard() : saved(QApplication::font()) {}
    ~FontGuard() { QApplication::setFont(saved); }
    FontGuard(const FontGuard &) = delete;
    FontGuard &operator=(const FontGuard &) = delete;
    const QFont saved;
};

// What the report suites share: the report's lines, the problems, and what
// every finished report shows.
namespace reportcheck {

using reportline::maxTask;
using reportline::minTask;
using reportline::stage2;
using reportline::optimum;
using reportline::noSolution;
using reportline::cycled;
const QString &kOk = reportline::ok;

inline QString at(const QString &point)
{
    return QStringLiteral("достигается в точке - (") + point + QLatin1Char(')');
}

inline QString pivotAt(const char *rs)
{
    return QStringLiteral("координаты ведущего элемента ") + QLatin1String(rs);
}

inline QString value(const char *v)
{
    return QStringLiteral("значение функции ") + QLatin1String(v);
}

inline Problem maxProblem(std::vector<double> c, std::vector<std::vector<double>> a, std::vector<double> b)
{
    return Problem{true, std::move(c), std::move(a), std::move(b)};
}

inline Problem minProblem(std::vector<double> c, std::vector<std::vector<double>> a, std::vector<double> b)
{
    return Problem{false, std::move(c), std::move(a), std::move(b)};
}

// The problem on which the first stage's rules pivot without end.
inline Problem cyclingProblem()
{
    return minProblem({0, -1, 0, 0},
                      {{-1, 2, 3, -1}, {1, -2, -1, -2}, {2, -2, 3, 1}, {-2, -2, -3, -3},
                       {3, -1, 2, 1}, {-3, 1, 2, 2}, {1, -3, 1, 2}, {1, -2, 1, 1}},
                      {0, 0, 0, 5, 0, 2, 1, 0});
}

// Checks what every report shares: tables of the tableau's size under the
// page, "Ok" last, the window shown and the main buttons locked.
inline void checkFinishedReport(Widget &w, int n, int m)
{
    QVERIFY(w.formArea && w.Form);
    QVERIFY(w.formArea->isVisible());
    QCOMPARE(w.formArea->windowTitle(), QStringLiteral("Решение"));
    QCOMPARE(w.Form->windowTitle(), QStringLiteral("Решение"));
    QCOMPARE(w.formArea->widget(), w.Form);
    QCOMPARE(w.Form->layout()->sizeConstraint(), QLayout::SetFixedSize);
    for (QTableWidget *t : reportTables(w)) {
        QCOMPARE(t->parentWidget(), w.Form);
        QCOMPARE(t->rowCount(), m + 1);
        QCOMPARE(t->columnCount(), n + 1);
        QCOMPARE(t->minimumSize(), QSize((n + 1) * 110, (m + 1) * 40));
        QCOMPARE(t->maximumSize(), QSize((n + 1) * 110, (m + 1) * 40));
    }
    QCOMPARE(reportItems(w).last(), kOk);
    QCOMPARE(w.Form->children().first(), static_cast<QObject *>(w.Form->layout()));
    QCOMPARE(w.Form->children().last(), static_cast<QObject *>(reportOk(w)));
    // A table that was pivoted on has its pivot element marked, the one that
    // the next pivot line names; a table after which no pivot came, none.
    const QStringList items = reportItems(w);
    const QList<QTableWidget *> tables = reportTables(w);
    int table = -1;
    QStringList named;
    for (const QString &item : items + QStringList{QStringLiteral("table")}) {
        if (item.startsWith(QLatin1String("table"))) {
            if (table >= 0)
                QCOMPARE(markedCells(tables[table]), named);
            ++table;
            named.clear();
        } else if (item.startsWith(pivotAt("")) && named.isEmpty()) {
            named << item.mid(pivotAt("").size());
        }
    }
    // and the mark shows: the marked cell is painted on another background.
    const QStringList marked = markedCells(tables.first());
    if (!marked.isEmpty()) {
        const QImage picture = tables.first()->grab().toImage();
        auto corner = [&](int i, int j) {
            const QWidget *cell = cellLabel(tables.first(), i, j);
            return picture.pixel(cell->mapTo(tables.first(), QPoint(2, 2)));
        };
        const int i = marked.first().section(',', 0, 0).toInt(), j = marked.first().section(',', 1).toInt();
        QVERIFY(corner(i, j) != corner(tables.first()->rowCount() - 1, j == 0 ? 1 : 0));
        // A screen reader says which cell is the pivot element.
        QCOMPARE(QAccessible::queryAccessibleInterface(cellLabel(tables.first(), i, j))->text(QAccessible::Description),
                 QStringLiteral("ведущий элемент"));
    }
    // A click or a drag over a table selects nothing and shows nothing.
    QTableWidget *first = tables.first();
    const QImage before = first->grab().toImage();
    const QPoint from = first->visualRect(first->model()->index(0, 0)).center();
    const QPoint to = first->visualRect(first->model()->index(m, n)).center();
    QTest::mouseClick(first->viewport(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mousePress(first->viewport(), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(first->viewport(), to);
    QTest::mouseRelease(first->viewport(), Qt::LeftButton, Qt::NoModifier, to);
    QVERIFY(!first->selectionModel()->hasSelection());
    QCOMPARE(first->grab().toImage(), before);
    // Rows and columns share the fixed size: the whole tableau shows.
    QCoreApplication::processEvents();
    // The window carries the program's icon; it is as wide as its page and as
    // tall as the page or the screen allows, and lies on the screen.
    QVERIFY(!w.windowIcon().availableSizes().isEmpty());
    QCOMPARE(w.formArea->windowIcon().availableSizes(), w.windowIcon().availableSizes());
    const QRect screen = w.formArea->screen()->availableGeometry();
    const int frame = 2 * w.formArea->frameWidth();
    // The tool bar stands above the page, outside it, its height added.
    const QWidget *bar = reportToolBar(w);
    QVERIFY(bar->isVisible() && bar->parentWidget() == w.formArea);
    QCOMPARE(bar->geometry().top(), w.formArea->frameWidth());
    QCOMPARE(w.formArea->viewport()->geometry().top(), bar->geometry().bottom() + 1);
    QCOMPARE(bar->width(), w.formArea->width() - frame);
    for (const QWidget *button : bar->findChildren<QWidget *>())
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    // The report's actions: the window's, in its context menu, each with its
    // shortcut in its tooltip.
    QStringList actions;
    for (const QAction *action : w.formArea->actions()) {
        actions << action->objectName();
        QVERIFY(action->toolTip().contains(action->shortcut().toString(QKeySequence::NativeText)));
    }
    QCOMPARE(actions, QStringList({"actionCopy", "actionPlane", "actionFractions", "actionExplain", "actionSave",
                                   "actionPrint", "actionCopyLatex", "actionPractice", "actionRanging", "actionDual", "actionWhatIf",
                                   "actionInteger", "actionBranch", "actionGuide"}));
    QCOMPARE(w.formArea->contextMenuPolicy(), Qt::ActionsContextMenu);
    QVERIFY(screen.contains(w.formArea->frameGeometry()));
    if (w.formArea->frameGeometry().height() < screen.height())
        QCOMPARE(w.formArea->height(), w.Form->height() + frame + bar->height());
    QVERIFY(w.formArea->height() <= w.Form->height() + frame + bar->height());
    QVERIFY(w.formArea->width() >= w.Form->width() + frame);
    QVERIFY(!w.formArea->horizontalScrollBar()->isVisible());
    // Each cell label covers its cell; the headers are as large as those of
    // a plain table that measures the same texts itself.
    for (QTableWidget *t : reportTables(w).mid(0, 3)) {
        QVERIFY(!t->horizontalScrollBar()->isVisible());
        QVERIFY(!t->verticalScrollBar()->isVisible());
        QTableWidget plain(t->rowCount(), t->columnCount());
        for (int i = 0; i < t->rowCount(); ++i) {
            plain.setVerticalHeaderItem(i, new QTableWidgetItem(t->verticalHeaderItem(i)->text()));
            for (int j = 0; j < t->columnCount(); ++j)
                QCOMPARE(t->cellWidget(i, j)->geometry(), t->visualRect(t->model()->index(i, j)));
        }
        for (int j = 0; j < t->columnCount(); ++j)
            plain.setHorizontalHeaderItem(j, new QTableWidgetItem(t->horizontalHeaderItem(j)->text()));
        QCOMPARE(t->horizontalHeader()->sizeHint(), plain.horizontalHeader()->sizeHint());
        QCOMPARE(t->verticalHeader()->sizeHint(), plain.verticalHeader()->sizeHint());
    }
    QVERIFY(!control<QPushButton>(w, "pushButton")->isEnabled());
    QVERIFY(!control<QPushButton>(w, "pushButton_2")->isEnabled());
    QVERIFY(!w.flgdel);
    QVERIFY(w.horhead.isEmpty() && w.verthead.isEmpty());
}


} // namespace reportcheck

using namespace reportcheck;
Q_DECLARE_METATYPE(Problem)

#endif // REPORTDRIVER_H
