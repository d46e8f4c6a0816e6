// SPDX-License-Identifier: GPL-3.0-or-later
// Whole solves through the real window: the report, item by item, for the
// worked examples and the ways each stage ends.
#include "texts/explain.h"
#include "mainwindow/mainmenu.h"
#include "practice/practice.h"
#include "texts/ranging.h"
#include "method/whatif.h"
#include "plane/planedrawing.h"
#include "reportwindow/planewindow.h"
#include "reportdriver.h"
#include "reportwindow/reportview.h"
#include "widgets/snapshottable.h"
#include "mainwindow/translation.h"

#include <QAccessible>
#include <QDialog>
#include <QTimer>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QToolButton>
#include <QWindow>
#include <QVBoxLayout>

#include <limits>

namespace {

using reportline::maxTask;
using reportline::minTask;
using reportline::stage2;
using reportline::optimum;
using reportline::noSolution;
using reportline::cycled;
const QString &kOk = reportline::ok;

QString at(const QString &point)
{
    return QStringLiteral("достигается в точке - (") + point + QLatin1Char(')');
}

QString pivotAt(const char *rs)
{
    return QStringLiteral("координаты ведущего элемента ") + QLatin1String(rs);
}

QString value(const char *v)
{
    return QStringLiteral("значение функции ") + QLatin1String(v);
}

Problem maxProblem(std::vector<double> c, std::vector<std::vector<double>> a, std::vector<double> b)
{
    return Problem{true, std::move(c), std::move(a), std::move(b)};
}

Problem minProblem(std::vector<double> c, std::vector<std::vector<double>> a, std::vector<double> b)
{
    return Problem{false, std::move(c), std::move(a), std::move(b)};
}

// The problem on which the first stage's rules pivot without end.
Problem cyclingProblem()
{
    return minProblem({0, -1, 0, 0},
                      {{-1, 2, 3, -1}, {1, -2, -1, -2}, {2, -2, 3, 1}, {-2, -2, -3, -3},
                       {3, -1, 2, 1}, {-3, 1, 2, 2}, {1, -3, 1, 2}, {1, -2, 1, 1}},
                      {0, 0, 0, 5, 0, 2, 1, 0});
}

} // namespace

Q_DECLARE_METATYPE(Problem)

class ReportTest : public QObject
{
    Q_OBJECT

private:
    // Checks what every report shares: tables of the tableau's size under
    // the page, "Ok" last, the window shown and the main buttons locked.
    static void checkFinishedReport(Widget &w, int n, int m);

private slots:
    void initTestCase();
    void pivotWorkedExample();
    void labelsAndDoublePivot();
    void workedExampleMaximising();
    void workedExampleMinimising();
    void endings_data();
    void endings();
    void headersFollowTheFont();
    void cyclingFirstStage();
    void cyclingSecondStage();
    void reportWindowRefusesToClose();
    void keyboardOnly();
    void copyTheReport();
    void okGivesButtonsBackAndSolvingAgainRepeats();
    void solveReadsTheFormShown();
    void fieldTexts();
    void exactView();
    void explanationsAgreeWithTheExactView();
    void practice();
    void whatIfContinuesTheReport();
    void planeView();
};

void ReportTest::checkFinishedReport(Widget &w, int n, int m)
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
                                   "actionPrint", "actionCopyLatex", "actionPractice", "actionRanging", "actionWhatIf",
                                   "actionInteger"}));
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

// As the program runs: with the toolkit's own texts in Russian, which must
// leave the program's own texts as they are written.
void ReportTest::initTestCase()
{
    QVERIFY(installToolkitTranslation(qApp));
}

void ReportTest::pivotWorkedExample()
{
    Widget w;
    click(w, "pushButton");
    double rows[2][3] = {{1, 2, 6}, {-4, -2, 0}};
    for (int i = 0; i < 2; ++i)
        std::copy(rows[i], rows[i] + 3, w.A[i]);
    w.pivot(0, 1);
    QCOMPARE(w.lead, 2.0);
    QCOMPARE(QList<double>({w.A[0][0], w.A[0][1], w.A[0][2]}), QList<double>({0.5, 0.5, 3}));
    QCOMPARE(QList<double>({w.A[1][0], w.A[1][1], w.A[1][2]}), QList<double>({-3, 1, 6}));

    // An update that cancels but for rounding (0.3 - 3 * 0.1 leaves -5.6e-17)
    // gives exactly 0; one that leaves 1e-11 of 1 keeps it; an infinite term
    // keeps its plain arithmetic (5 - inf is -inf, not 0).
    const double inf = std::numeric_limits<double>::infinity();
    double cancelling[2][3] = {{1, 3, inf}, {0.1, 0.3, 5}};
    for (int i = 0; i < 2; ++i)
        std::copy(cancelling[i], cancelling[i] + 3, w.A[i]);
    w.pivot(0, 0);
    QVERIFY(w.A[1][1] == 0); // exactly: QCOMPARE would take any |x| < 1e-12 for 0
    QCOMPARE(w.A[1][2], -inf);
    double nearlyCancelling[2][3] = {{1, 1, 0}, {1, 1 + 1e-11, 0}};
    for (int i = 0; i < 2; ++i)
        std::copy(nearlyCancelling[i], nearlyCancelling[i] + 3, w.A[i]);
    w.pivot(0, 0);
    QCOMPARE(w.A[1][1], (1 + 1e-11) - 1);
}

void ReportTest::labelsAndDoublePivot()
{
    Widget w;
    buildForm(w, 4, 8);
    QVERIFY(QMetaObject::invokeMethod(&w, "initialhead"));
    QCOMPARE(w.horhead, QStringList({"-X0", "-X1", "-X2", "-X3", "L"}));
    QCOMPARE(w.verthead, QStringList({"Y0", "Y1", "Y2", "Y3", "Y4", "Y5", "Y6", "Y7", "Z"}));
    for (int i = 0; i <= 8; ++i)
        for (int j = 0; j <= 4; ++j)
            w.A[i][j] = (i * 7 + j * 3) % 5 - 2 + 0.25 * j;
    std::vector<double> before(w.A[0], w.A[0] + 45);
    const QStringList h = w.horhead, v = w.verthead;
    for (int k = 0; k < 2; ++k) {
        w.pivot(5, 2);
        QVERIFY(QMetaObject::invokeMethod(&w, "swaphead", Q_ARG(int, 5), Q_ARG(int, 2)));
        if (k == 0) {
            QCOMPARE(w.verthead[5], QStringLiteral("X2"));
            QCOMPARE(w.horhead[2], QStringLiteral("-Y5"));
        }
    }
    QCOMPARE(w.horhead, h);
    QCOMPARE(w.verthead, v);
    for (int k = 0; k < 45; ++k)
        QVERIFY(qAbs(w.A[0][k] - before[k]) < 1e-12);
    // A column index outside the tableau changes no label.
    QVERIFY(QMetaObject::invokeMethod(&w, "swaphead", Q_ARG(int, 0), Q_ARG(int, 5)));
    QVERIFY(QMetaObject::invokeMethod(&w, "swaphead", Q_ARG(int, 0), Q_ARG(int, -1)));
    QCOMPARE(w.horhead, h);
    QCOMPARE(w.verthead, v);
    w.horhead.clear();
    w.verthead.clear();
}

void ReportTest::workedExampleMaximising()
{
    Widget w;
    solve(w, workedExample());
    QCOMPARE(reportItems(w),
             QStringList({maxTask,
                          "table -X0 -X1 L / Y0 1 2 4 / Y1 3 1 6 / Z -1 -1 0",
                          "точка - (0 2 )", pivotAt("0,1"),
                          "table -X0 -Y0 L / X1 0.5 0.5 2 / Y1 2.5 -0.5 4 / Z -0.5 0.5 2",
                          "точка - (4 0 )", pivotAt("0,0"),
                          "table -X1 -Y0 L / X0 2 1 4 / Y1 -5 -3 -6 / Z 1 1 4",
                          "Верхняя оценка функции - 4", at("4 0 "),
                          stage2, pivotAt("1,0"),
                          "table -Y1 -Y0 L / X0 0.4 -0.2 1.6 / X1 -0.2 0.6 1.2 / Z 0.2 0.4 2.8",
                          optimum, at("1.6 1.2 "), value("2.8"), kOk}));
    checkFinishedReport(w, 2, 2);
    QCOMPARE(w.step_1_rez, 1);
    QCOMPARE(w.step_2_rez, 1);
    QCOMPARE(w.lead, -5.0);
    const QStringList decimals = reportItems(w);

    // In exact fractions: only texts change; items, sizes and marks stay.
    reportAction(w, "actionFractions")->trigger();
    QCOMPARE(reportItems(w),
             QStringList({maxTask,
                          "table -X0 -X1 L / Y0 1 2 4 / Y1 3 1 6 / Z -1 -1 0",
                          "точка - (0 2 )", pivotAt("0,1"),
                          "table -X0 -Y0 L / X1 1/2 1/2 2 / Y1 5/2 -1/2 4 / Z -1/2 1/2 2",
                          "точка - (4 0 )", pivotAt("0,0"),
                          "table -X1 -Y0 L / X0 2 1 4 / Y1 -5 -3 -6 / Z 1 1 4",
                          "Верхняя оценка функции - 4", at("4 0 "),
                          stage2, pivotAt("1,0"),
                          "table -Y1 -Y0 L / X0 2/5 -1/5 8/5 / X1 -1/5 3/5 6/5 / Z 1/5 2/5 14/5",
                          optimum, at("8/5 6/5 "), value("14/5"), kOk}));
    checkFinishedReport(w, 2, 2);

    // With explanations, in fractions: the scores -1 and -1/2 choose -X1.
    reportAction(w, "actionExplain")->trigger();
    const QStringList exactReasons = explanationTexts(w);
    QVERIFY(exactReasons[0].contains(QStringLiteral("    -X0: -1 / 1 = -1\n    -X1: -1 / 2 = -1/2\n"
                                                    "Наибольшая оценка меньше 0.000001 — -1/2 в столбце -X1")));
    QCOMPARE(exactReasons.mid(exactReasons.size() - 2),
             QStringList({"двойственные оценки: Y0 = 2/5, Y1 = 1/5", "проверка: 4·2/5 + 6·1/5 = 14/5 — это значение функции"}));

    // With explanations, in decimals, in full, each in its place.
    reportAction(w, "actionFractions")->trigger();
    QCOMPARE(reportItems(w),
             QStringList({maxTask,
                          "table -X0 -X1 L / Y0 1 2 4 / Y1 3 1 6 / Z -1 -1 0",
                          "точка - (0 2 )",
                          "Почему ведущий элемент 0,1:\n"
                          "В строке Z первый элемент не больше -0.000001 — это -1 в столбце -X0: пока он есть, "
                          "свободный член строки Z не верхняя оценка.\n"
                          "В этом столбце первый сверху элемент не меньше 0.000001 — это 1 в строке Y0: она ведущая.\n"
                          "Оценки столбцов, элемент строки Z / элемент строки Y0:\n"
                          "    -X0: -1 / 1 = -1\n"
                          "    -X1: -1 / 2 = -0.5\n"
                          "Наибольшая оценка меньше 0.000001 — -0.5 в столбце -X1: он ведущий.",
                          pivotAt("0,1"),
                          "table -X0 -Y0 L / X1 0.5 0.5 2 / Y1 2.5 -0.5 4 / Z -0.5 0.5 2",
                          "точка - (4 0 )",
                          "Почему ведущий элемент 0,0:\n"
                          "В строке Z первый элемент не больше -0.000001 — это -0.5 в столбце -X0: пока он есть, "
                          "свободный член строки Z не верхняя оценка.\n"
                          "В этом столбце первый сверху элемент не меньше 0.000001 — это 0.5 в строке X1: она ведущая.\n"
                          "Оценки столбцов, элемент строки Z / элемент строки X1:\n"
                          "    -X0: -0.5 / 0.5 = -1\n"
                          "    -Y0: 0.5 / 0.5 = 1\n"
                          "Наибольшая оценка меньше 0.000001 — -1 в столбце -X0: он ведущий.",
                          pivotAt("0,0"),
                          "table -X1 -Y0 L / X0 2 1 4 / Y1 -5 -3 -6 / Z 1 1 4",
                          "Почему это верхняя оценка: в строке Z нет элементов не больше -0.000001, так что свободный "
                          "член строки Z (4) больше функция не станет.\n"
                          "Но в столбце L есть отрицательные свободные члены: точка таблицы ещё нарушает ограничения, "
                          "и второй этап их убирает.",
                          "Верхняя оценка функции - 4", at("4 0 "),
                          stage2,
                          "Почему ведущий элемент 1,0:\n"
                          "Самый отрицательный свободный член — это -6 в строке Y1: она ведущая.\n"
                          "Отношения элемента строки Z к отрицательному элементу строки Y1:\n"
                          "    -X1: 1 / (-5) = -0.2\n"
                          "    -Y0: 1 / (-3) = -0.333333\n"
                          "Наибольшее отношение меньше 0.000001 — -0.2 в столбце -X1: он ведущий.",
                          pivotAt("1,0"),
                          "table -Y1 -Y0 L / X0 0.4 -0.2 1.6 / X1 -0.2 0.6 1.2 / Z 0.2 0.4 2.8",
                          "Почему это оптимум: в столбце L нет свободных членов меньше -0.000001, так что точка "
                          "допустима, а строка Z по-прежнему даёт оценку функции, которая в ней достигается.\n"
                          "Двойственная оценка ограничения i читается в строке Z, в столбце -Yi (0, если Yi стоит в "
                          "строке): на столько меняется оптимальное значение при росте правой части ограничения i на 1.",
                          optimum, at("1.6 1.2 "), value("2.8"),
                          "двойственные оценки: Y0 = 0.4, Y1 = 0.2",
                          "проверка: 4·0.4 + 6·0.2 = 2.8 — это значение функции",
                          kOk}));

    // Switched off, today's report comes back byte for byte.
    reportAction(w, "actionExplain")->trigger();
    QCOMPARE(reportItems(w), decimals);
    checkFinishedReport(w, 2, 2);

    // Every action is in reach from the bar's menus, without "»", in the
    // window of the smallest report (two variables, one constraint) as it
    // opens, in the default font and in one twice as large (a screen of
    // twice the resolution without scaling); in a narrower window the
    // groups that do not fit go to the menu of "»".
    auto reachable = [&w](bool *overflow) {
        const QWidget *bar = reportToolBar(w);
        QList<QAction *> actions;
        *overflow = false;
        for (const QToolButton *button : bar->findChildren<QToolButton *>()) {
            if (!button->isVisible())
                continue;
            if (!bar->rect().contains(button->geometry()))
                return QList<QAction *>();
            *overflow = *overflow || button->text() == QStringLiteral("»");
            for (QAction *action : button->menu()->actions())
                actions += action->menu() ? action->menu()->actions() : QList<QAction *>{action};
        }
        std::sort(actions.begin(), actions.end());
        return actions;
    };
    auto all = [&w] {
        QList<QAction *> actions = w.formArea->actions();
        std::sort(actions.begin(), actions.end());
        return actions;
    };
    bool overflow = true;
    w.formArea->resize(reportToolBar(w)->sizeHint().width() / 2 + 40, 300);
    QCoreApplication::processEvents();
    QCOMPARE(reachable(&overflow), all());
    QVERIFY(overflow);
    closeReport(w);
    {
        FontGuard guard;
        for (double scale : {1.0, 2.0}) {
            QFont font = guard.saved;
            font.setPointSizeF(font.pointSizeF() * scale);
            QApplication::setFont(font);
            solve(w, maxProblem({1, 1}, {{1, 1}}, {2}));
            QCoreApplication::processEvents();
            QCOMPARE(reachable(&overflow), all());
            QVERIFY2(!overflow, qPrintable(QString::number(scale)));
            closeReport(w);
        }
    }
}

void ReportTest::workedExampleMinimising()
{
    Widget w;
    solve(w, minimisingWorkedExample());
    QCOMPARE(reportItems(w),
             QStringList({minTask, "table -X0 -X1 L / Y0 1 -1 -1 / Z -1 -1 0",
                          "Нижняя оценка функции - 0", at("0 0 "), stage2, pivotAt("0,1"),
                          "table -X0 -Y0 L / X1 -1 -1 1 / Z -2 -1 1", optimum, at("0 1 "),
                          value("1"), kOk}));
    checkFinishedReport(w, 2, 1);
    // Explained: a column that is no candidate shows as "—", and the dual
    // estimate of a minimum is not positive.
    reportAction(w, "actionExplain")->trigger();
    QCOMPARE(explanationTexts(w),
             QStringList({"Почему это нижняя оценка: в строке Z нет элементов не меньше 0.000001, так что свободный "
                          "член строки Z (0) меньше функция не станет.\n"
                          "Но в столбце L есть отрицательные свободные члены: точка таблицы ещё нарушает ограничения, "
                          "и второй этап их убирает.",
                          "Почему ведущий элемент 0,1:\n"
                          "Самый отрицательный свободный член — это -1 в строке Y0: она ведущая.\n"
                          "Отношения элемента строки Z к отрицательному элементу строки Y0:\n"
                          "    -X0: — (элемент строки Y0 не меньше -0.000001)\n"
                          "    -X1: -1 / (-1) = 1\n"
                          "Наименьшее отношение больше -0.000001 — 1 в столбце -X1: он ведущий.",
                          "Почему это оптимум: в столбце L нет свободных членов меньше -0.000001, так что точка "
                          "допустима, а строка Z по-прежнему даёт оценку функции, которая в ней достигается.\n"
                          "Двойственная оценка ограничения i читается в строке Z, в столбце -Yi (0, если Yi стоит в "
                          "строке): на столько меняется оптимальное значение при росте правой части ограничения i на 1.",
                          "двойственные оценки: Y0 = -1", "проверка: (-1)·(-1) = 1 — это значение функции"}));
    reportAction(w, "actionExplain")->trigger();
    closeReport(w);
}

// The closing lines of reports that end in each possible way.
void ReportTest::endings_data()
{
    QTest::addColumn<Problem>("problem");
    QTest::addColumn<QStringList>("tail");
    QTest::addColumn<int>("tables");

    QTest::newRow("max, bound at once")
        << maxProblem({-1, 0}, {{1, 1}}, {3})
        << QStringList({"Верхняя оценка функции - 0", at("0 0 "), stage2, optimum, at("0 0 "), value("0")}) << 1;
    QTest::newRow("min, bound at once")
        << minProblem({2, 0}, {{1, 1}}, {3})
        << QStringList({"Нижняя оценка функции - 0", at("0 0 "), stage2, optimum, at("0 0 "), value("0")}) << 1;
    QTest::newRow("no pivot row in the first stage")
        << maxProblem({1, 1}, {{-1, -1}}, {1}) << QStringList({maxTask, "table -X0 -X1 L / Y0 -1 -1 1 / Z -1 -1 0", noSolution}) << 1;
    QTest::newRow("equal scores: lower column")
        << maxProblem({1, 1}, {{1, 1}}, {2})
        << QStringList({pivotAt("0,0"), "table -Y0 -X1 L / X0 1 1 2 / Z 1 0 2", "Верхняя оценка функции - 2",
                        at("2 0 "), stage2, optimum, at("2 0 "), value("2")}) << 2;
    QTest::newRow("equal free terms: lower row")
        << minProblem({1, 1}, {{-1, 0}, {0, -1}}, {-1, -1})
        << QStringList({pivotAt("1,1"), "table -Y0 -Y1 L / X0 -1 0 1 / X1 0 -1 1 / Z -1 -1 2", optimum,
                        at("1 1 "), value("2")}) << 3;
    QTest::newRow("equal ratios: lower column")
        << minProblem({1, 1}, {{-1, -1}}, {-2})
        << QStringList({stage2, pivotAt("0,0"), "table -Y0 -X1 L / X0 -1 1 2 / Z -1 0 2", optimum, at("2 0 "),
                        value("2")}) << 2;
    QTest::newRow("no negative entry in the pivot row")
        << maxProblem({1, 1}, {{1, 1}, {-1, 0}}, {4, -5})
        << QStringList({"Верхняя оценка функции - 4", at("4 0 "), stage2, noSolution}) << 2;
    QTest::newRow("value printed with its sign")
        << maxProblem({-1, -1}, {{-1, 0}, {0, -1}}, {-1, -1}) << QStringList({optimum, at("1 1 "), value("-2")}) << 3;
    QTest::newRow("max: free term -5e-7 counts as zero")
        << maxProblem({-1, -1}, {{1, -1}}, {-5e-7})
        << QStringList({stage2, optimum, at("0 0 "), value("0")}) << 1;
    QTest::newRow("min: free term -5e-7 counts as zero too")
        << minProblem({1, 1}, {{1, -1}}, {-5e-7})
        << QStringList({stage2, optimum, at("0 0 "), value("0")}) << 1;
    QTest::newRow("objective entries below the tolerance enter nowhere")
        << maxProblem({5e-7, 9e-7}, {{1, 1}}, {1})
        << QStringList({"Верхняя оценка функции - 0", at("0 0 "), stage2, optimum, at("0 0 "), value("0")}) << 1;
    QTest::newRow("objective entries below the tolerance enter nowhere, min")
        << minProblem({-5e-7, -9e-7}, {{1, 1}}, {1})
        << QStringList({"Нижняя оценка функции - 0", at("0 0 "), stage2, optimum, at("0 0 "), value("0")}) << 1;
    // The whole course depends on which objective entry enters: the first
    // one of the wrong sign, not the last.
    QTest::newRow("first entry of the wrong sign enters")
        << maxProblem({1, 1}, {{0, 1}, {1, 0}}, {2, 3})
        << QStringList({maxTask, "table -X0 -X1 L / Y0 0 1 2 / Y1 1 0 3 / Z -1 -1 0",
                        "точка - (3 0 )", pivotAt("1,0"), "table -Y1 -X1 L / Y0 0 1 2 / X0 1 0 3 / Z 1 -1 3",
                        "точка - (3 2 )", pivotAt("0,1"), "table -Y1 -Y0 L / X1 0 1 2 / X0 1 0 3 / Z 1 1 5",
                        "Верхняя оценка функции - 5", at("3 2 "), stage2, optimum, at("3 2 "), value("5")})
        << 3;
    QTest::newRow("six significant digits")
        << maxProblem({1, 0}, {{3, 0}}, {1})
        << QStringList({"точка - (0.333333 0 )", pivotAt("0,0"),
                        "table -Y0 -X1 L / X0 0.333333 0 0.333333 / Z 0.333333 0 0.333333",
                        "Верхняя оценка функции - 0.333333", at("0.333333 0 "), stage2, optimum,
                        at("0.333333 0 "), value("0.333333")})
        << 2;
    // Entries inside the band of +-0.000001 count as zero in every sign test
    // of a pivot row's or pivot column's entries; 0.000001 itself does not.
    // A typed value inside the band changes each report below when one of
    // those tests compares with exact 0 instead, or includes the band's edge.
    QTest::newRow("band: no pivot row over 0.0000005, max")
        << maxProblem({1, 1}, {{5e-7, 1}}, {1})
        << QStringList({maxTask, "table -X0 -X1 L / Y0 5e-07 1 1 / Z -1 -1 0", noSolution}) << 1;
    QTest::newRow("band: no pivot row over 0.0000005, min")
        << minProblem({-1, -1}, {{5e-7, 1}}, {1})
        << QStringList({minTask, "table -X0 -X1 L / Y0 5e-07 1 1 / Z 1 1 0", noSolution}) << 1;
    QTest::newRow("band: a pivot row over 0.000001")
        << maxProblem({1, 0}, {{1e-6, 1}}, {1})
        << QStringList({"точка - (1e+06 0 )", pivotAt("0,0"), "table -Y0 -X1 L / X0 1e+06 1e+06 1e+06 / Z 1e+06 1e+06 1e+06",
                        "Верхняя оценка функции - 1e+06", at("1e+06 0 "), stage2, optimum, at("1e+06 0 "), value("1e+06")})
        << 2;
    QTest::newRow("band: -0.0000005 is no negative entry, max")
        << maxProblem({-1, -1}, {{-5e-7, 0}}, {-1})
        << QStringList({"table -X0 -X1 L / Y0 -5e-07 0 -1 / Z 1 1 0", "Верхняя оценка функции - 0", at("0 0 "), stage2,
                        noSolution}) << 1;
    QTest::newRow("band: -0.0000005 is no negative entry, min")
        << minProblem({1, 1}, {{-5e-7, 0}}, {-1})
        << QStringList({"table -X0 -X1 L / Y0 -5e-07 0 -1 / Z -1 -1 0", "Нижняя оценка функции - 0", at("0 0 "), stage2,
                        noSolution}) << 1;
    QTest::newRow("band: -0.000001 is no negative entry")
        << maxProblem({-1, -1}, {{-1e-6, 2}}, {-1})
        << QStringList({"table -X0 -X1 L / Y0 -1e-06 2 -1 / Z 1 1 0", "Верхняя оценка функции - 0", at("0 0 "), stage2,
                        noSolution}) << 1;
    QTest::newRow("band: no zero score over -0.0000005, max")
        << maxProblem({1, 0}, {{1, -5e-7}}, {1})
        << QStringList({"точка - (1 0 )", pivotAt("0,0"), "table -Y0 -X1 L / X0 1 -5e-07 1 / Z 1 -5e-07 1",
                        "Верхняя оценка функции - 1", at("1 0 "), stage2, optimum, at("1 0 "), value("1")}) << 2;
    QTest::newRow("band: no zero score over -0.0000005, min")
        << minProblem({-1, 0}, {{1, -5e-7}}, {1})
        << QStringList({"точка - (1 0 )", pivotAt("0,0"), "table -Y0 -X1 L / X0 1 -5e-07 1 / Z -1 5e-07 -1",
                        "Нижняя оценка функции - -1", at("1 0 "), stage2, optimum, at("1 0 "), value("-1")}) << 2;
    QTest::newRow("band: no ratio over 0.0000005")
        << maxProblem({10, 1}, {{1e-6, 5e-7}}, {1})
        << QStringList({"точка - (1e+06 0 )", pivotAt("0,0"), "table -Y0 -X1 L / X0 1e+06 0.5 1e+06 / Z 1e+07 4 1e+07",
                        "Верхняя оценка функции - 1e+07", at("1e+06 0 "), stage2, optimum, at("1e+06 0 "), value("1e+07")})
        << 2;
    // Rounding leaves -1.1e-16 where the exact value is 0: the report shows 0.
    QTest::newRow("a cancelled entry prints 0")
        << maxProblem({5.25, 0.2}, {{9.75, -9.25}, {5, -1.9}}, {8.6, 0})
        << QStringList({"точка - (0 0 )", pivotAt("1,0"),
                        "table -Y1 -X1 L / X0 0.2 -0.38 0 / Y0 -1.95 -5.545 8.6 / Z 1.05 -2.195 0", noSolution})
        << 3;
    // Under exact-zero sign tests a free term of -4.4e-16 becomes a pivot row
    // and the report ends with "нет решений", though the optimum is 0.
    QTest::newRow("no pivot on a rounding residue, min")
        << minProblem({1, 0, -1}, {{-3, -1, 1}, {-4, 4, 1}, {3, 3, -3}, {3, -1, 4}, {3, -2, 1}, {4, 4, 2}},
                      {0, 9, 2, 2, 10, 0})
        << QStringList({optimum, at("0 0 0 "), value("0")}) << -1;
    // Under exact-zero sign tests this problem pivots on -3.5e-18 and ends
    // with a wrong bound of 3 and "нет решений".
    QTest::newRow("no pivot on a rounding residue, max")
        << maxProblem({2, 2, 0, 0},
                      {{0, -1, -2, -3}, {-1, 0, 0, 3}, {1, -3, 1, 3}, {0, 3, -3, 2}, {3, 2, 0, -1}, {2, -2, 0, 2}},
                      {1, 6, 0, 4, 1, 1})
        << QStringList({optimum, at("0 0.9375 0.1875 0.875 "), value("1.875")}) << -1;
}

void ReportTest::endings()
{
    QFETCH(Problem, problem);
    QFETCH(QStringList, tail);
    QFETCH(int, tables);
    Widget w;
    solve(w, problem);
    const QStringList items = reportItems(w);
    QCOMPARE(items.mid(items.size() - 1 - tail.size(), tail.size()), tail);
    if (tables >= 0)
        QCOMPARE(reportTables(w).size(), tables);
    checkFinishedReport(w, int(problem.c.size()), int(problem.a.size()));
    closeReport(w);
}

// The headers' measures are kept from one report to the next; after a change
// of font they are measured anew.
void ReportTest::headersFollowTheFont()
{
    const FontGuard font;
    Widget w;
    for (int pointSize : {font.saved.pointSize(), font.saved.pointSize() - 3}) {
        QFont sized = font.saved;
        sized.setPointSize(pointSize);
        QApplication::setFont(sized);
        solve(w, workedExample());
        checkFinishedReport(w, 2, 2);
        closeReport(w);
    }
}

void ReportTest::cyclingFirstStage()
{
    Widget w;
    solve(w, cyclingProblem());
    const QStringList items = reportItems(w);
    QCOMPARE(reportTables(w).size(), 101);
    QCOMPARE(items.filter(QRegularExpression("^точка - \\(")).size(), 100);
    QCOMPARE(items.filter(QRegularExpression("^координаты ведущего элемента")).size(), 100);
    QCOMPARE(items.first(), minTask);
    QCOMPARE(items.mid(items.size() - 4),
             QStringList({pivotAt("0,2"),
                          "table -Y4 -X1 -X0 -Y2 L / X2 -1 -1 -1 1 0 / Y1 5 -1 10 -3 0 / X3 3 1 5 -2 0 / "
                          "Y3 6 -2 10 -3 5 / Y0 6 6 7 -5 0 / Y5 -4 1 -11 2 2 / Y6 -5 -4 -8 3 1 / "
                          "Y7 -2 -2 -3 1 0 / Z 0 1 0 0 0",
                          cycled, kOk}));
    // From table 1 on, the tables repeat with period 6: table 7 is table 1.
    QStringList tables;
    for (const QTableWidget *t : reportTables(w))
        tables << tableText(t);
    QCOMPARE(tables.mid(1, 6).removeDuplicates(), 0);
    QVERIFY(!tables.mid(1).contains(tables[0]));
    for (int k = 1; k + 6 < tables.size(); ++k)
        QCOMPARE(tables[k + 6], tables[k]);
    // and the explanation names the repeated table.
    reportAction(w, "actionExplain")->trigger();
    QVERIFY(explanationTexts(w).last().startsWith(QStringLiteral("Почему «зациклился»: таблица 7 повторяет таблицу 1 ")));
    reportAction(w, "actionExplain")->trigger();
    QVERIFY(!items.contains(stage2));
    QCOMPARE(items.size(), 1 + 101 + 200 + 2);
    QCOMPARE(w.step_1_rez, 0);
    checkFinishedReport(w, 4, 8);
    closeReport(w);
}

// Beale's cycling example, turned into the dual form: the first stage finds
// its bound at once, and the second stage repeats four pivots without end.
void ReportTest::cyclingSecondStage()
{
    Widget w;
    solve(w, maxProblem({0, 0, -1}, {{-0.5, -0.5, -1}, {5.5, 1.5, 0}, {2.5, 0.5, 0}, {-9, -1, 0}},
                        {-10, 57, 9, 24}));
    const QStringList items = reportItems(w);
    const int stage2At = items.indexOf(stage2);
    QCOMPARE(stage2At, 4);
    QCOMPARE(reportTables(w).size(), 101);
    const QStringList pivots = items.filter(QRegularExpression("^координаты ведущего элемента"));
    QCOMPARE(pivots.size(), 100);
    QCOMPARE(pivots.mid(0, 5), QStringList({pivotAt("0,0"), pivotAt("1,1"), pivotAt("2,0"), pivotAt("3,1"),
                                            pivotAt("0,0")}));
    QCOMPARE(items.mid(items.size() - 2), QStringList({cycled, kOk}));
    QCOMPARE(items.size(), 4 + 1 + 200 + 2);
    QVERIFY(!items.contains(optimum));
    checkFinishedReport(w, 3, 4);
    closeReport(w);
}

void ReportTest::reportWindowRefusesToClose()
{
    Widget w;
    solve(w, workedExample());
    QVERIFY(!w.formArea->close());
    QCloseEvent e;
    QApplication::sendEvent(w.Form, &e);
    QVERIFY(!e.isAccepted());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(w.formArea->isVisible());
    QVERIFY(!control<QPushButton>(w, "pushButton")->isEnabled());
    QCOMPARE(reportItems(w).last(), kOk);
    closeReport(w);
}

// A keyboard alone builds the form, types the worked example in reading
// order, solves with Enter on the button and in a field, scrolls the
// report, and closes it with Enter and Space on "Ok", which has the focus;
// Tab never stops in a table.
void ReportTest::keyboardOnly()
{
    Widget w;
    w.show();
    QCoreApplication::processEvents(); // the window system activates the window
    QCOMPARE(QApplication::activeWindow(), &w);
    auto key = [](int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), modifiers);
    };
    // Enter in a spin box presses "ok" with the value typed or stepped to.
    control<QSpinBox>(w, "spinBox")->setFocus();
    key(Qt::Key_End);
    key(Qt::Key_Backspace);
    QTest::keyClicks(QApplication::focusWidget(), "3");
    key(Qt::Key_Return);
    QCOMPARE(w.list_Z.size(), 3);
    control<QSpinBox>(w, "spinBox")->setFocus();
    key(Qt::Key_Down);
    key(Qt::Key_Tab);
    key(Qt::Key_Up);
    key(Qt::Key_Return);
    QCOMPARE(w.list_A.size(), 4);
    QCoreApplication::processEvents(); // the new fields are shown, the first one takes the focus
    const QList<QWidget *> readingOrder = {w.list_Z[0], w.list_Z[1], w.maxmin,    w.list_A[0], w.list_A[1],
                                           w.list_L[0], w.list_A[2], w.list_A[3], w.list_L[1],
                                           control<QPushButton>(w, "pushButton_2")};
    const QStringList typed = {"1", "1", "", "1", "2", "4", "3", "1", "6"};
    for (int k = 0; k < readingOrder.size(); ++k) {
        QCOMPARE(QApplication::focusWidget(), readingOrder[k]);
        if (k < typed.size()) {
            QTest::keyClicks(QApplication::focusWidget(), typed[k]); // the text is selected: typing replaces it
            key(Qt::Key_Tab);
        }
    }
    key(Qt::Key_Return); // on "Вывести решение"
    QVERIFY(w.formArea && w.formArea->isVisible());
    QCOMPARE(reportItems(w).last(), kOk);
    QCOMPARE(w.formArea->windowHandle()->transientParent(), w.windowHandle());
    QCoreApplication::processEvents(); // the window system activates the new window
    QAbstractButton *ok = reportOk(w);
    QCOMPARE(QApplication::focusWidget(), ok);
    for (int k = 0; k < 3; ++k) {
        key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ok);
    }

    w.formArea->resize(w.formArea->width(), 200);
    QScrollBar *bar = w.formArea->verticalScrollBar();
    const QList<QPair<int, int>> scrolls = {{Qt::Key_End, bar->maximum()}, {Qt::Key_Home, 0},
                                            {Qt::Key_PageDown, bar->pageStep()}, {Qt::Key_Down, bar->pageStep() + bar->singleStep()},
                                            {Qt::Key_Up, bar->pageStep()}, {Qt::Key_PageUp, 0}};
    for (const auto &scroll : scrolls) {
        key(scroll.first);
        QCOMPARE(bar->value(), scroll.second);
    }
    QCOMPARE(QApplication::focusWidget(), ok);
    key(Qt::Key_Return);
    QVERIFY(!w.formArea);
    QVERIFY(control<QPushButton>(w, "pushButton_2")->isEnabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>(w, "pushButton_2"));
    key(Qt::Key_Tab, Qt::ShiftModifier);
    key(Qt::Key_Return); // Enter in a field solves
    QVERIFY(w.formArea);
    QCoreApplication::processEvents();
    key(Qt::Key_Space);
    QVERIFY(!w.formArea);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    key(Qt::Key_Return);
    QVERIFY(w.formArea);
    QCoreApplication::processEvents();
    key(Qt::Key_Escape); // Esc closes as "Ok" does; the close request stays refused
    QVERIFY(!w.formArea);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Ctrl+C with "Ok" focused, and the context menu opened with the Menu key,
// copy the whole report: the problem restated, then every item in order, as
// aligned plain text and as HTML with the pivot elements in bold. The
// clipboard is left alone until then.
void ReportTest::copyTheReport()
{
    const QString text = QStringLiteral(R"(F = 1·x0 + 1·x1 -> max
1·x0 + 2·x1 <= 4
3·x0 + 1·x1 <= 6
x0, x1 >= 0

Задача на максимум. Ищем верхнюю оценку целевой функции
    -X0  -X1  L
Y0    1    2  4
Y1    3    1  6
Z    -1   -1  0
точка - (0 2 )
координаты ведущего элемента 0,1
     -X0   -Y0  L
X1   0.5   0.5  2
Y1   2.5  -0.5  4
Z   -0.5   0.5  2
точка - (4 0 )
координаты ведущего элемента 0,0
    -X1  -Y0   L
X0    2    1   4
Y1   -5   -3  -6
Z     1    1   4
Верхняя оценка функции - 4
достигается в точке - (4 0 )
Ищем оптимальное решение
координаты ведущего элемента 1,0
     -Y1   -Y0    L
X0   0.4  -0.2  1.6
X1  -0.2   0.6  1.2
Z    0.2   0.4  2.8
Оптимальное решение 
достигается в точке - (1.6 1.2 )
значение функции 2.8
)");
    const QString table = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n");
    auto row = [](const char *label, const QStringList &cells) {
        QString html = QStringLiteral("<tr><th>%1</th>").arg(QLatin1String(label));
        for (const QString &cell : cells)
            html += QStringLiteral("<td align=\"right\">%1</td>").arg(cell);
        return html + QStringLiteral("</tr>\n");
    };
    auto head = [](const QStringList &labels) {
        return QStringLiteral("<tr><th></th><th>") + labels.join(QStringLiteral("</th><th>")) + QStringLiteral("</th></tr>\n");
    };
    const QString html =
        QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>\n"
                       "<p>F = 1·x0 + 1·x1 -&gt; max<br>\n1·x0 + 2·x1 &lt;= 4<br>\n3·x0 + 1·x1 &lt;= 6<br>\n"
                       "x0, x1 &gt;= 0</p>\n<p>Задача на максимум. Ищем верхнюю оценку целевой функции</p>\n")
        + table + head({"-X0", "-X1", "L"}) + row("Y0", {"1", "<b>2</b>", "4"}) + row("Y1", {"3", "1", "6"})
        + row("Z", {"-1", "-1", "0"}) + QStringLiteral("</table>\n<p>точка - (0 2 )</p>\n<p>координаты ведущего элемента 0,1</p>\n")
        + table + head({"-X0", "-Y0", "L"}) + row("X1", {"<b>0.5</b>", "0.5", "2"}) + row("Y1", {"2.5", "-0.5", "4"})
        + row("Z", {"-0.5", "0.5", "2"}) + QStringLiteral("</table>\n<p>точка - (4 0 )</p>\n<p>координаты ведущего элемента 0,0</p>\n")
        + table + head({"-X1", "-Y0", "L"}) + row("X0", {"2", "1", "4"}) + row("Y1", {"<b>-5</b>", "-3", "-6"})
        + row("Z", {"1", "1", "4"})
        + QStringLiteral("</table>\n<p>Верхняя оценка функции - 4</p>\n<p>достигается в точке - (4 0 )</p>\n"
                         "<p>Ищем оптимальное решение</p>\n<p>координаты ведущего элемента 1,0</p>\n")
        + table + head({"-Y1", "-Y0", "L"}) + row("X0", {"0.4", "-0.2", "1.6"}) + row("X1", {"-0.2", "0.6", "1.2"})
        + row("Z", {"0.2", "0.4", "2.8"})
        + QStringLiteral("</table>\n<p>Оптимальное решение </p>\n<p>достигается в точке - (1.6 1.2 )</p>\n"
                         "<p>значение функции 2.8</p>\n</body></html>\n");

    QClipboard *clipboard = QGuiApplication::clipboard();
    Widget w;
    w.show();
    clipboard->setText(QStringLiteral("before"));
    solve(w, workedExample());
    QCoreApplication::processEvents(); // the report window is active, "Ok" has the focus
    QCOMPARE(clipboard->text(), QStringLiteral("before"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->mimeData()->text(), text);
    QCOMPARE(clipboard->mimeData()->html(), html);

    clipboard->clear();
    QTimer::singleShot(0, [] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("Копировать отчёт"));
        menu->actions().first()->trigger();
        menu->close();
    });
    // What the window system makes of the Menu key: a keyboard request for a
    // context menu, sent to the widget with the focus ("Ok").
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QApplication::sendEvent(QApplication::focusWidget(), &menuKey);
    QCOMPARE(clipboard->mimeData()->text(), text);
    QCOMPARE(clipboard->mimeData()->html(), html);
    // With the explanations shown, they are copied in their places.
    reportAction(w, "actionExplain")->trigger();
    reportAction(w, "actionCopy")->trigger();
    QVERIFY(clipboard->mimeData()->text().contains(QStringLiteral(
        "точка - (0 2 )\nПочему ведущий элемент 0,1:\nВ строке Z первый элемент не больше -0.000001")));
    QVERIFY(clipboard->mimeData()->text().endsWith(QStringLiteral(
        "значение функции 2.8\nдвойственные оценки: Y0 = 0.4, Y1 = 0.2\n"
        "проверка: 4·0.4 + 6·0.2 = 2.8 — это значение функции\n")));
    QVERIFY(clipboard->mimeData()->html().contains(QStringLiteral(
        "<p>точка - (0 2 )</p>\n<p><i>Почему ведущий элемент 0,1:<br>\n")));
    reportAction(w, "actionExplain")->trigger();
    reportAction(w, "actionCopy")->trigger();
    QCOMPARE(clipboard->mimeData()->text(), text);
    closeReport(w);

    solve(w, cyclingProblem());
    QCoreApplication::processEvents();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->mimeData()->html().count(QStringLiteral("<table ")), 101);
    QCOMPARE(clipboard->mimeData()->html().count(QStringLiteral("<b>")), 100);
    QCOMPARE(clipboard->mimeData()->text().count(QStringLiteral("\nZ ")), 101);
    QVERIFY(clipboard->mimeData()->text().startsWith(QStringLiteral("F = 0·x0 - 1·x1 + 0·x2 + 0·x3 -> min\n"
                                                                      "-1·x0 + 2·x1 + 3·x2 - 1·x3 <= 0\n")));
    closeReport(w);
}

void ReportTest::okGivesButtonsBackAndSolvingAgainRepeats()
{
    Widget w;
    const int windowsBefore = topLevelWindows();
    solve(w, workedExample());
    const QStringList first = reportItems(w);
    QCOMPARE(topLevelWindows(), windowsBefore + 1);
    closeReport(w);
    QVERIFY(!w.formArea && !w.Form);
    QCOMPARE(topLevelWindows(), windowsBefore);
    QVERIFY(control<QPushButton>(w, "pushButton")->isEnabled());
    QVERIFY(control<QPushButton>(w, "pushButton_2")->isEnabled());
    QCOMPARE(w.list_A[2]->text(), QStringLiteral("3"));
    click(w, "pushButton_2");
    QCOMPARE(reportItems(w), first);
    closeReport(w);
}

// The solve reads the form that is shown, whatever the spin boxes show now;
// the next "ok" builds the form for the spin boxes.
void ReportTest::solveReadsTheFormShown()
{
    const Problem p = maxProblem({1, 1, 0}, {{1, 2, 1}, {3, 1, 1}}, {4, 6});
    Widget reference;
    solve(reference, p);
    const QStringList expected = reportItems(reference);
    for (const QPair<int, int> &spins : {qMakePair(4, 8), qMakePair(2, 1)}) {
        Widget w;
        solve(w, p);
        closeReport(w);
        control<QSpinBox>(w, "spinBox")->setValue(spins.first);
        control<QSpinBox>(w, "spinBox_2")->setValue(spins.second);
        click(w, "pushButton_2");
        QCOMPARE(reportItems(w), expected);
        checkFinishedReport(w, 3, 2);
        closeReport(w);
        click(w, "pushButton");
        QCOMPARE(w.list_A.size(), spins.first * spins.second);
    }
}

// Fields are read as C-locale numbers, with a decimal comma, or as fractions;
// anything else counts as 0, and the field shows that it is not a number
// (in red, with a tooltip that says what it counts as) until it is one again.
void ReportTest::fieldTexts()
{
    enum Mark { None, NotANumber, OutOfRange };
    const struct {
        const char *text;
        const char *shown;
        Mark mark;
        const char *exact; // the exact view's value; none when the text has no finite value
    } cases[] = {
        {"1.5", "1.5", None, "3/2"},           {"1,5", "1.5", None, "3/2"},
        {"", "0", None, "0"},                  {"   ", "0", None, "0"},
        {"abc", "0", NotANumber, "0"},         {"+.5", "0.5", None, "1/2"},
        {".5e1", "5", None, "5"},              {"1e3", "1000", None, "1000"},
        {" -2,25e1 ", "-22.5", None, "-45/2"}, {"1/3", "0.333333", None, "1/3"},
        {"-3/4", "-0.75", None, "-3/4"},       {"2/-5", "-0.4", None, "-2/5"},
        {"1,5/3", "0.5", None, "1/2"},         {"-1,5/2", "-0.75", None, "-3/4"},
        {"0.1", "0.1", None, "1/10"},          {"2.5e-3", "0.0025", None, "1/400"},
        {"1/0", "0", NotANumber, "0"},         {"1/3/4", "0", NotANumber, "0"},
        {"1,000,5", "0", NotANumber, "0"},     {"1.5,2", "0", NotANumber, "0"},
        {"1..2", "0", NotANumber, "0"},        {"1,5e400", "0", NotANumber, "0"},
        {"1e-400", "0", NotANumber, "0"},      {"1e400", "inf", NotANumber, nullptr},
        {"-10000", "-10000", None, "-10000"},  {"20000", "20000", OutOfRange, "20000"},
        {"1e5", "100000", OutOfRange, "100000"}, {"0.0000001", "1e-07", OutOfRange, "1/10000000"},
        {"-0.000001", "-1e-06", OutOfRange, "-1/1000000"}, {"0.0000011", "1.1e-06", None, "11/10000000"},
        {"inf", "inf", OutOfRange, nullptr},   {" 0.1 ", "0.1", None, "1/10"},
        // A fraction of 12 characters shows whole in its cell, one of 13 shortened.
        {"1234.567", "1234.57", None, "1234567/1000"}, {"-1234.567", "-1234.57", None, "-1234567/1000"},
    };
    Widget w;
    buildForm(w, 2, 1);
    const QColor plainText = w.list_A[0]->palette().color(QPalette::Text);
    QColor colours[3] = {plainText};
    for (const auto &c : cases) {
        w.list_A[0]->setText(QString::fromUtf8(c.text));
        w.list_Z[0]->setText("3");
        w.list_Z[1]->setText("5");
        click(w, "pushButton_2");
        QTableWidget *first = reportTables(w).first();
        QCOMPARE(tableText(first), QStringLiteral("table -X0 -X1 L / Y0 %1 0 0 / Z -3 -5 0").arg(QLatin1String(c.shown)));
        // Read exactly, by the same rule.
        QAction *fractions = reportAction(w, "actionFractions");
        QCOMPARE(fractions->isEnabled(), c.exact != nullptr);
        if (c.exact) {
            fractions->trigger();
            const QLabel *cell = cellLabel(first, 0, 0);
            QCOMPARE(cell->toolTip().isEmpty() ? cell->text() : cell->toolTip(), QLatin1String(c.exact));
            QCOMPARE(cell->text().endsWith(QChar(0x2026)), int(qstrlen(c.exact)) > kLongestCellFraction);
            fractions->trigger();
        } else {
            QVERIFY(fractions->toolTip().contains(QStringLiteral("«Ограничение 0: коэффициент при x0»")));
        }
        closeReport(w);
        const QLineEdit *field = w.list_A[0];
        const QColor colour = field->palette().color(QPalette::Text);
        if (!colours[c.mark].isValid())
            colours[c.mark] = colour;
        QCOMPARE(colour, colours[c.mark]);
        QCOMPARE(field->toolTip().isEmpty(), c.mark == None);
        if (c.mark == NotANumber)
            QVERIFY(field->toolTip().endsWith(QLatin1String(c.shown)));
        if (c.mark == OutOfRange)
            QVERIFY(field->toolTip().contains(QStringLiteral("вне диапазона"))
                    && field->toolTip().contains(QLatin1String(c.shown)));
    }
    // Three marks that tell each other apart.
    QVERIFY(colours[NotANumber] != plainText && colours[OutOfRange] != plainText
            && colours[OutOfRange] != colours[NotANumber]);
    // The reason names the field off the diagonal too.
    w.list_A[0]->setText(QStringLiteral("1"));
    w.list_A[1]->setText(QStringLiteral("1e400"));
    click(w, "pushButton_2");
    QVERIFY(reportAction(w, "actionFractions")->toolTip().contains(QStringLiteral("«Ограничение 0: коэффициент при x1»")));
    closeReport(w);
}

// Exact fractions: a value the decimals round shows exactly; a fraction too
// long for its cell shows as its nearest double with "…", whole in the
// tooltip and in the copy; and the view chosen last opens the next report,
// a run starting in decimals.
void ReportTest::exactView()
{
    QVERIFY(!ReportViews::fractionsChosen && !ReportViews::explanationsChosen);
    Widget w;
    w.show();
    buildForm(w, 2, 1);
    const QStringList typed = {"1", "0", "0.3", "1", "0.1"}; // max x0, 0.3·x0 + x1 <= 0.1
    const QList<QLineEdit *> fields = {w.list_Z[0], w.list_Z[1], w.list_A[0], w.list_A[1], w.list_L[0]};
    for (int k = 0; k < fields.size(); ++k)
        fields[k]->setText(typed[k]);
    click(w, "pushButton_2");
    QVERIFY(reportItems(w).contains(QStringLiteral("точка - (0.333333 0 )")));
    reportAction(w, "actionFractions")->trigger();
    QVERIFY(ReportViews::fractionsChosen);
    QVERIFY(reportItems(w).contains(QStringLiteral("точка - (1/3 0 )")));
    QVERIFY(reportItems(w).contains(QStringLiteral("table -Y0 -X1 L / X0 10/3 10/3 1/3 / Z 10/3 10/3 1/3")));
    reportAction(w, "actionCopy")->trigger();
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("F = 1·x0 + 0·x1 -> max\n3/10·x0 + 1·x1 <= 1/10\n")));
    closeReport(w);

    // The next report opens in fractions.
    fields[2]->setText(QStringLiteral("0.1234567"));
    click(w, "pushButton_2");
    QVERIFY(reportAction(w, "actionFractions")->isChecked());
    const QLabel *cell = cellLabel(reportTables(w).first(), 0, 0);
    QCOMPARE(cell->text(), QStringLiteral("0.123457…"));
    QCOMPARE(cell->toolTip(), QStringLiteral("1234567/10000000"));
    reportAction(w, "actionCopy")->trigger();
    QVERIFY(QGuiApplication::clipboard()->text().contains(QRegularExpression(QStringLiteral("\nY0  1234567/10000000 +1  1/10\n"))));
    QVERIFY(!QGuiApplication::clipboard()->mimeData()->html().contains(QChar(0x2026)));
    reportAction(w, "actionFractions")->trigger();
    QCOMPARE(cell->text(), QStringLiteral("0.123457"));
    QVERIFY(cell->toolTip().isEmpty());
    QVERIFY(!ReportViews::fractionsChosen);
    closeReport(w);

    // A field without a finite value leaves no exact view, and says why.
    fields[0]->setText(QStringLiteral("1e400"));
    click(w, "pushButton_2");
    QVERIFY(!reportAction(w, "actionFractions")->isEnabled());
    QVERIFY(reportAction(w, "actionFractions")->toolTip().contains(QStringLiteral("«F: коэффициент при x0» («1e400») не является конечным числом")));
    QVERIFY(!reportAction(w, "actionPlane")->isEnabled()); // nor a picture
    QVERIFY(reportAction(w, "actionPlane")->toolTip().contains(QStringLiteral("не все значения полей — конечные числа")));
    closeReport(w);
}

// The explanations never contradict what the fractions show: where only
// rounding decided between rows or columns equal in exact arithmetic, they
// say so in both views; an exact division by 0 says that the value does not
// exist; the infeasible row is the one the smallest-number search reaches; a
// band entry's column is named as no candidate; and the plane view's caption
// follows "Дроби".
void ReportTest::explanationsAgreeWithTheExactView()
{
    auto typeAndSolve = [](Widget &w, int n, const QStringList &objective, const QStringList &rows) {
        buildForm(w, n, rows.size());
        for (int j = 0; j < n; ++j)
            w.list_Z[j]->setText(objective[j]);
        for (int i = 0; i < rows.size(); ++i) {
            const QStringList row = rows[i].split(' ');
            for (int j = 0; j < n; ++j)
                w.list_A[i * n + j]->setText(row[j]);
            w.list_L[i]->setText(row[n]);
        }
        click(w, "pushButton_2");
    };
    const struct {
        int n;
        QStringList objective, rows;
        const char *line;
    } ties[] = {
        {2, {"-1", "4/3"}, {"-2 -5/7 -5/7", "-1/3 2/3 -5/3", "-1/3 6 4/3"},
         "в дробях строки Y0 и X1 равны (-5/2); в десятичных числах из-за округления меньше X1, поэтому ведущая она"},
        {3, {"-1", "1/3", "3"}, {"-1/3 1/7 1 -2/3", "-1/3 2 1 -2"},
         "в дробях оценки столбцов -X0 и -X2 равны (-2/21); в десятичных числах из-за округления больше оценка "
         "столбца -X2, поэтому ведущий он"},
    };
    Widget w;
    for (const auto &tie : ties) {
        typeAndSolve(w, tie.n, tie.objective, tie.rows);
        reportAction(w, "actionExplain")->trigger();
        for (int view = 0; view < 2; ++view) {
            const QStringList lines = explanationTexts(w).join('\n').split('\n');
            QCOMPARE(lines.filter(QStringLiteral("в дробях")), QStringList{QString::fromUtf8(tie.line)});
            reportAction(w, "actionFractions")->trigger();
        }
        reportAction(w, "actionExplain")->trigger();
        closeReport(w);
    }

    // A pivot-row entry of at least 0.000001 in doubles that is exactly 0:
    // its column's exact ratio does not exist, and nothing divides by it.
    Course course;
    course.n = 2;
    course.m = 1;
    course.objectiveTexts = QStringList{"1", "1"};
    course.constraintTexts = QStringList{"0", "1"};
    course.rightHandTexts = QStringList{"4"};
    course.c = {1, 1};
    course.a = {0.5, 1};
    course.b = {4};
    course.tables.push_back({2, 1, {"-X0", "-X1", "L"}, {"Y0", "Z"}, {0.5, 1, 4, -1, -1, 0}});
    course.pivots.push_back({1, 0, 1, 0, {{ColumnScore::Ratio, -2}, {ColumnScore::Ratio, -1}}});
    course.items = {{Course::Item::Task, 0, -1}, {Course::Item::Table, 0, -1}, {Course::Item::Pivot, 0, 0}};
    ReplayFailure failure;
    const std::optional<ExactCourse> exact = replayExactly(course, &failure);
    QVERIFY(exact);
    QVERIFY(!exactScore(course, *exact, 0, 0) && !columnTie(course, *exact, 0));
    const CourseView fractions(course, &*exact);
    QCOMPARE(fractions.score(0, 0), QStringLiteral("нет (в дробях элемент равен 0)"));
    QVERIFY(explainCourse(fractions).front().text.contains(QStringLiteral("-X0: -1 / 0 = нет (в дробях элемент равен 0)")));

    // The search for a feasible point takes the rows and the columns by
    // their numbers: Y0, although Y1's free term is more negative and Y1 is
    // the last row; then, pivoting on Y0 (-2, -2), the column -X0, which
    // leaves Y1 contradictory (taking -X1 would end at X1 instead).
    const struct {
        Problem problem;
        const char *row;
    } searches[] = {{maxProblem({1, 1}, {{0, 1}, {0, 2}}, {-1, -3}), "Y0"},
                    {maxProblem({1, 1}, {{-2, -2}, {0, 2}}, {-3, -2}), "Y1"}};
    for (const auto &search : searches) {
        solve(w, search.problem);
        reportAction(w, "actionExplain")->trigger();
        QVERIFY2(explanationTexts(w).last().endsWith(
                     QStringLiteral("поиск приходит к строке %1 с отрицательным свободным членом и неотрицательными "
                                    "элементами, которой не удовлетворяет ни одна неотрицательная точка.")
                         .arg(QLatin1String(search.row))),
                 qPrintable(explanationTexts(w).last()));
        reportAction(w, "actionExplain")->trigger();
        closeReport(w);
    }

    // A second-stage pivot row with -0.0000005: no candidate in that column.
    solve(w, maxProblem({-1, -1}, {{-5e-7, -1}}, {-1}));
    reportAction(w, "actionExplain")->trigger();
    QVERIFY(explanationTexts(w).join('\n').contains(
        QStringLiteral("Отношения элемента строки Z к отрицательному элементу строки Y0:\n"
                       "    -X0: — (элемент строки Y0 не меньше -0.000001)\n    -X1: 1 / (-1) = -1\n")));
    reportAction(w, "actionExplain")->trigger();
    closeReport(w);

    // The plane view's caption in the report's numbers.
    solve(w, workedExample());
    reportAction(w, "actionPlane")->trigger();
    const QLabel *caption = w.formArea->findChild<ReportViews *>()->planeWindow()->findChild<QLabel *>(
        QStringLiteral("planeCaption"));
    reportAction(w, "actionFractions")->trigger();
    QVERIFY(caption->text().startsWith(
        QStringLiteral("Оптимальное решение достигается в точке - (8/5 6/5 ), значение функции 14/5\n")));
    QVERIFY(caption->text().contains(QStringLiteral("линия уровня F = 14/5")));
    reportAction(w, "actionFractions")->trigger();
    QVERIFY(caption->text().contains(QStringLiteral("линия уровня F = 2.8")));

    // The ranging of the worked example, worked by hand: b0 and b1 from 2 to
    // 12, c0 from 1/2 to 3, c1 from 1/3 to 2; in the report's tables, in
    // decimals and in fractions, and in the copy under their titles.
    auto rangingRows = [&w]() {
        QStringList rows;
        for (const QTableWidget *table : w.Form->findChildren<QTableWidget *>(QStringLiteral("rangingTable")))
            for (int i = 0; i < table->rowCount(); ++i) {
                QStringList row{table->verticalHeaderItem(i)->text()};
                for (int j = 0; j < table->columnCount(); ++j)
                    row << table->item(i, j)->text();
                rows << row.join(' ');
            }
        return rows;
    };
    reportAction(w, "actionRanging")->trigger();
    QCOMPARE(rangingRows(), QStringList({"Y0 4 0.4 2 12", "Y1 6 0.2 2 12", "x0 1 0 0.5 3", "x1 1 0 0.333333 2"}));
    reportAction(w, "actionFractions")->trigger();
    QCOMPARE(rangingRows(), QStringList({"Y0 4 2/5 2 12", "Y1 6 1/5 2 12", "x0 1 0 1/2 3", "x1 1 0 1/3 2"}));
    reportAction(w, "actionCopy")->trigger();
    QVERIFY(QGuiApplication::clipboard()->text().endsWith(
        QStringLiteral("Правые части\n    b  оценка  от  до\nY0  4     2/5   2  12\nY1  6     1/5   2  12\nКоэффициенты F\n"
                       "    c  оценка   от  до\nx0  1       0  1/2   3\nx1  1       0  1/3   2\n")));
    reportAction(w, "actionFractions")->trigger();
    closeReport(w);
    // It lasts for the run; without an optimum the action says why.
    solve(w, maxProblem({1, 1}, {{-1, -1}}, {1}));
    QVERIFY(!reportAction(w, "actionRanging")->isEnabled());
    QVERIFY(reportAction(w, "actionRanging")->toolTip().contains(QStringLiteral("только у оптимума")));
    closeReport(w);
    solve(w, minProblem({1, 1}, {{1, -1}}, {-1}));
    QCOMPARE(rangingRows(), QStringList({"Y0 -1 -1 -∞ 0", "x0 1 -2 -1 +∞", "x1 1 0 0 +∞"}));
    reportAction(w, "actionRanging")->trigger();
    QVERIFY(rangingRows().isEmpty());
    closeReport(w);
}

// Practice through the real window: the worked example played with clicks
// and keys, a wrong try of each kind with its words, the hint, the score and
// the record of tries in the copy; a tie that rounding decided accepted
// both ways; the cycling report ended with "Зацикливание" once a table
// repeats; practice off gives the report back byte for byte.
void ReportTest::practice()
{
    Widget w;
    w.setWindowTitle(QStringLiteral("Двойственный симплекс-метод"));
    auto *menu = new MainMenu(w);
    fillForm(w, workedExample());
    QAction *practise = w.findChild<QAction *>(QStringLiteral("actionPractice"));
    QVERIFY(practise && practise->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_T));
    Q_UNUSED(menu);
    click(w, "pushButton_2");
    const QStringList whole = reportItems(w);
    reportAction(w, "actionCopy")->trigger();
    const QString wholeCopy = QGuiApplication::clipboard()->text();
    closeReport(w);

    practise->trigger();
    QTRY_VERIFY(reportAction(w, "actionPractice")->isChecked()); // once the window is up
    auto *panel = w.formArea->findChild<QWidget *>(QStringLiteral("practicePanel"));
    QVERIFY(panel);
    auto visibleItems = [&w]() {
        QStringList shown;
        const QStringList all = reportItems(w);
        QLayout *vert = w.Form->layout();
        for (int k = 0; k < vert->count(); ++k)
            if (!vert->itemAt(k)->widget()->isHidden() && vert->itemAt(k)->widget()->objectName() != QLatin1String("practicePanel"))
                shown << all[k];
        return shown;
    };
    QCOMPARE(visibleItems(), QStringList({maxTask, "table -X0 -X1 L / Y0 1 2 4 / Y1 3 1 6 / Z -1 -1 0", kOk}));
    QVERIFY(markedCells(reportTables(w).first()).isEmpty()); // the answer is not given away
    const auto *feedback = panel->findChild<QLabel *>(QStringLiteral("practiceFeedback"));
    auto *hint = panel->findChild<QPushButton *>(QStringLiteral("practiceHint"));
    auto pressed = [&](const char *button) {
        QTest::mouseClick(panel->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
        return feedback->text();
    };
    auto clicked = [&](int i, int j) {
        QTest::mouseClick(cellLabel(reportTables(w)[visibleItems().filter("table").size() - 1], i, j), Qt::LeftButton);
        return feedback->text();
    };
    // Table 0: a column whose score is not the largest, by a click; the
    // Z row; an ending while a pivot exists; then the hint and, by the
    // keyboard, the pivot itself.
    QCOMPARE(clicked(0, 0), QStringLiteral("Неверно. Оценка столбца -X0 (-1) не наибольшая из меньших 0.000001: это -0.5 в столбце -X1."));
    QVERIFY(hint->isHidden());
    QCOMPARE(clicked(2, 1), QStringLiteral("Неверно. Ведущий элемент стоит в строке ограничения и в столбце переменной, а не в строке Z и не в столбце L."));
    QVERIFY(!hint->isHidden());
    QCOMPARE(pressed("practiceBound"), QStringLiteral("Неверно. В строке Z есть элемент не больше -0.000001 — -1 в столбце -X0: свободный член строки Z ещё не верхняя оценка."));
    QTest::mouseClick(hint, Qt::LeftButton);
    QVERIFY(feedback->text().startsWith(QStringLiteral("Подсказка: В строке Z первый элемент не больше -0.000001 — -1 в столбце -X0; ")));
    QVERIFY(feedback->text().endsWith(QStringLiteral("ведущий элемент 0,1.")));
    QCOMPARE(visibleItems().size(), 3); // a hint chooses nothing
    panel->setFocus(); // the frame is on the last cell clicked, (2, 1)
    QTest::keyClick(panel, Qt::Key_Up);
    QTest::keyClick(panel, Qt::Key_Up);
    QTest::keyClick(panel, Qt::Key_Return);
    QVERIFY(feedback->text().startsWith(QStringLiteral("Верно. ")));
    QCOMPARE(visibleItems().mid(2, 3), whole.mid(2, 3)); // the point, the pivot line, table 1
    QCOMPARE(markedCells(reportTables(w)[0]), QStringList({"0,1"}));
    // Table 1: a wrong row, then the pivot; table 2: "Оптимум найден" before
    // the bound, then the bound, a stage-2 cell outside the pivot row, the
    // pivot; table 3: the optimum.
    QCOMPARE(clicked(1, 0), QStringLiteral("Неверно. Ведущая строка первого этапа — первая сверху с элементом не меньше 0.000001 в столбце -X0: это X1 (0.5), а не Y1."));
    QVERIFY(clicked(0, 0).startsWith(QStringLiteral("Верно.")));
    QCOMPARE(pressed("practiceOptimum"), QStringLiteral("Неверно. В строке Z нет элементов не больше -0.000001: первый этап "
                                                        "окончен верхней оценкой 4, а оптимум ищет второй этап после неё."));
    QVERIFY(pressed("practiceBound").startsWith(QStringLiteral("Верно. В строке Z нет элементов не больше -0.000001")));
    QCOMPARE(clicked(0, 0), QStringLiteral("Неверно. Свободный член строки X0 (4) не меньше -0.000001: строка не может быть ведущей."));
    QVERIFY(clicked(1, 0).startsWith(QStringLiteral("Верно. Самый отрицательный свободный член — -6 в строке Y1")));
    QCOMPARE(pressed("practiceNoSolution"), QStringLiteral("Неверно. В столбце L нет свободных членов меньше -0.000001: точка допустима, это оптимум."));
    QVERIFY(pressed("practiceOptimum").startsWith(QStringLiteral("Верно.")));
    QCOMPARE(panel->findChild<QLabel *>(QStringLiteral("practiceScore"))->text(), QStringLiteral("С первой попытки верно: 0 из 5 шагов"));
    QCOMPARE(visibleItems(), whole);
    // The copy: what is shown, with every wrong try where it was made.
    reportAction(w, "actionCopy")->trigger();
    const QStringList copied = QGuiApplication::clipboard()->text().split('\n');
    QCOMPARE(copied.filter(QRegularExpression("^(элемент|Верхняя|Оптимум|Нет решений).*: Неверно\\.")).size(), 7);
    QVERIFY(copied.indexOf(QRegularExpression("^элемент 0,0: Неверно\\. Оценка столбца -X0.*")) < copied.indexOf(pivotAt("0,1")));
    // Off: the whole report, byte for byte.
    reportAction(w, "actionPractice")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // the panel goes once its key is done
    QVERIFY(!w.formArea->findChild<QWidget *>(QStringLiteral("practicePanel")));
    QCOMPARE(reportItems(w), whole);
    reportAction(w, "actionCopy")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), wholeCopy);
    closeReport(w);

    // Computing the tables, on the keyboard alone: Tab from the panel to
    // "Считать таблицы самому" and Space; the pivot by the arrows and
    // Enter; the cells typed, Tab between them, Enter checks: a wrong cell
    // told its rule, the second time with the value; a right one locked
    // with the report's own text; then "Показать" for the rest.
    ReportViews::tablesChosen = false;
    solve(w, workedExample());
    const QStringList plain = reportItems(w);
    reportAction(w, "actionCopy")->trigger();
    const QString plainCopy = QGuiApplication::clipboard()->text();
    reportAction(w, "actionPractice")->trigger();
    w.formArea->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.formArea));
    panel = w.formArea->findChild<QWidget *>(QStringLiteral("practicePanel"));
    panel->setFocus();
    auto key = [](int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), modifiers);
    };
    auto type = [](const QString &text) { QTest::keyClicks(QApplication::focusWidget(), text); };
    key(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("practiceTables"));
    key(Qt::Key_Space);
    QVERIFY(ReportViews::tablesChosen);
    key(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), panel);
    key(Qt::Key_Right);
    key(Qt::Key_Return);
    auto cell = [&w](int i, int j) {
        return w.formArea->findChild<QLineEdit *>(QStringLiteral("practiceCell_%1_%2").arg(i).arg(j));
    };
    QVERIFY(cell(0, 0) && cell(2, 2) && QApplication::focusWidget() == cell(0, 0));
    auto shownTables = [&w] {
        const QList<QTableWidget *> all = reportTables(w);
        return std::count_if(all.begin(), all.end(), [](const QTableWidget *t) { return !t->isHidden(); });
    };
    QCOMPARE(shownTables(), 1); // the new table is the editors', not yet the report's
    type(QStringLiteral("1/2"));
    key(Qt::Key_Tab);
    type(QStringLiteral("5"));
    key(Qt::Key_Tab);
    type(QStringLiteral("2"));
    key(Qt::Key_Return);
    QVERIFY(cell(0, 0)->isReadOnly() && cell(0, 2)->isReadOnly() && !cell(0, 1)->isReadOnly());
    QCOMPARE(cell(0, 0)->text(), QStringLiteral("0.5")); // the report's own text
    QCOMPARE(cell(0, 1)->toolTip(), QStringLiteral("Неверно: 5. Клетка X1, -Y0 — место ведущего элемента: 1 / 2."));
    QCOMPARE(cell(0, 1)->palette().color(QPalette::Text), QColor(Qt::red));
    QVERIFY(cell(0, 1)->accessibleDescription().startsWith(QStringLiteral("неверно")));
    QCOMPARE(QApplication::focusWidget(), cell(1, 0)); // off the locked cell, to the next open one
    key(Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), cell(0, 1)); // Tab passes over the locked cells
    key(Qt::Key_A, Qt::ControlModifier);
    type(QStringLiteral("4"));
    key(Qt::Key_Return);
    QCOMPARE(cell(0, 1)->toolTip(), QStringLiteral("Неверно: 4. Клетка X1, -Y0 — место ведущего элемента: 1 / 2 = 0.5."));
    reportAction(w, "actionExplain")->trigger(); // the explanations' words
    QCOMPARE(cell(0, 1)->toolTip(), QStringLiteral("Неверно: 4. Клетка X1, -Y0 стоит на месте ведущего элемента: в новой "
                                                    "таблице там число, обратное ему: 1 / 2 = 0.5."));
    reportAction(w, "actionExplain")->trigger();
    cell(0, 1)->setFocus();
    key(Qt::Key_A, Qt::ControlModifier);
    type(QStringLiteral("0,5"));
    key(Qt::Key_Return);
    QVERIFY(cell(0, 1)->isReadOnly());
    QTest::mouseClick(panel->findChild<QPushButton *>(QStringLiteral("practiceReveal")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!cell(0, 0));
    QCOMPARE(shownTables(), 2);
    QCOMPARE(visibleItems().mid(2, 3), plain.mid(2, 3)); // the point, the pivot line, table 1 as the report's
    QCOMPARE(QApplication::focusWidget(), panel); // on to the next decision
    // The rest revealed table by table; the score counts the cells right at
    // their first check: 2 of the 9 of table 1 and none of the 18 revealed.
    auto reveal = [panel] { QTest::mouseClick(panel->findChild<QPushButton *>(QStringLiteral("practiceReveal")), Qt::LeftButton); };
    key(Qt::Key_Return); // the frame is on (0, 0), the next pivot
    reveal();
    QTest::mouseClick(panel->findChild<QPushButton *>(QStringLiteral("practiceBound")), Qt::LeftButton);
    key(Qt::Key_Down);
    key(Qt::Key_Return); // (1, 0)
    reveal();
    QTest::mouseClick(panel->findChild<QPushButton *>(QStringLiteral("practiceOptimum")), Qt::LeftButton);
    QCOMPARE(panel->findChild<QLabel *>(QStringLiteral("practiceScore"))->text(),
             QStringLiteral("С первой попытки верно: 5 из 5 шагов. Клетки с первой проверки: 2 из 27"));
    reportAction(w, "actionCopy")->trigger();
    const QStringList record = QGuiApplication::clipboard()->text().split('\n');
    QVERIFY(record.indexOf(QStringLiteral("Неверно: 5. Клетка X1, -Y0 — место ведущего элемента: 1 / 2.")) >= 0);
    QVERIFY(record.indexOf(QStringLiteral("Неверно: 4. Клетка X1, -Y0 — место ведущего элемента: 1 / 2 = 0.5."))
            < record.indexOf(QRegularExpression(QStringLiteral("^X1 .*"))));
    reportAction(w, "actionPractice")->trigger();
    QCOMPARE(reportItems(w), plain);
    reportAction(w, "actionCopy")->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), plainCopy);
    ReportViews::tablesChosen = false;
    closeReport(w);

    // The ranging survives practice: hidden until its end, back when
    // practice is switched off, and no frame is left on any cell.
    solve(w, workedExample());
    reportAction(w, "actionRanging")->trigger();
    auto rangingTables = [&w] { return w.Form->findChildren<QTableWidget *>(QStringLiteral("rangingTable")).size(); };
    auto framed = [&w] {
        int cells = 0;
        for (const QLabel *cell : w.Form->findChildren<QLabel *>())
            cells += cell->frameShape() != QFrame::NoFrame;
        return cells;
    };
    const QStringList ranged = reportItems(w);
    QCOMPARE(rangingTables(), 2);
    reportAction(w, "actionPractice")->trigger();
    QCOMPARE(rangingTables(), 0);
    QCOMPARE(framed(), 1);
    reportAction(w, "actionPractice")->trigger();
    QCOMPARE(reportItems(w), ranged);
    QCOMPARE(framed(), 0);
    QVERIFY(reportAction(w, "actionRanging")->isChecked());
    reportAction(w, "actionRanging")->trigger();
    closeReport(w);

    // Exactly equal scores, ratios and free terms: the other one is wrong,
    // answered as the explanations word it (the left, the upper of equals).
    const struct {
        Problem problem;
        int row, column;
        const char *said;
    } equals[] = {
        {maxProblem({1, 1}, {{1, 1}}, {2}), 0, 1,
         "Неверно. Оценка столбца -X1 (-1) равна оценке столбца -X0, а из равных остаётся левый: ведущий элемент 0,0."},
        {minProblem({1, 1}, {{-1, -1}}, {-2}), 0, 1,
         "Неверно. Отношение столбца -X1 (1) равно отношению столбца -X0, а из равных остаётся левый: ведущий элемент 0,0."},
        {minProblem({1, 1}, {{-1, 0}, {0, -1}}, {-1, -1}), 1, 1,
         "Неверно. Свободный член строки Y1 (-1) равен свободному члену строки Y0, а из равных остаётся верхняя: ведущий "
         "элемент 0,0."},
    };
    for (const auto &equal : equals) {
        solve(w, equal.problem);
        const Course &course = w.formArea->findChild<ReportViews *>()->course();
        const std::vector<PracticeStep> steps = practiceSteps(course);
        const auto step = std::find_if(steps.begin(), steps.end(), [](const PracticeStep &s) { return s.answer == PracticeStep::Pivot; });
        QCOMPARE(judgePractice(CourseView(course), *step, {PracticeChoice::Cell, equal.row, equal.column}).words,
                 QString::fromUtf8(equal.said));
        closeReport(w);
    }

    // Rounding decided between rows Y0 and X1, equal in fractions: both right.
    buildForm(w, 2, 3);
    const QStringList texts = {"-1", "4/3", "-2", "-5/7", "-1/3", "2/3", "-1/3", "6", "-5/7", "-5/3", "4/3"};
    const QList<QLineEdit *> fields = {w.list_Z[0], w.list_Z[1], w.list_A[0], w.list_A[1], w.list_A[2], w.list_A[3],
                                       w.list_A[4], w.list_A[5], w.list_L[0], w.list_L[1], w.list_L[2]};
    for (int k = 0; k < fields.size(); ++k)
        fields[k]->setText(texts[k]);
    ReportViews::practiceRequested = true;
    click(w, "pushButton_2");
    const ReportViews *views = w.formArea->findChild<ReportViews *>();
    const Course &course = views->course();
    ReplayFailure failure;
    const std::optional<ExactCourse> exact = replayExactly(course, &failure);
    const CourseView numbers(course, nullptr, &*exact);
    int tied = 0;
    for (const PracticeStep &step : practiceSteps(course)) {
        if (step.answer != PracticeStep::Pivot || !rowTie(course, *exact, step.pivot))
            continue;
        const PivotChoice &pivot = course.pivots[step.pivot];
        const int other = rowTie(course, *exact, step.pivot)->ruled;
        QVERIFY(judgePractice(numbers, step, {PracticeChoice::Cell, pivot.row, pivot.column}).right);
        const PracticeJudgement tie = judgePractice(numbers, step, {PracticeChoice::Cell, other, pivot.column});
        QVERIFY2(tie.right, qPrintable(tie.words));
        QVERIFY(tie.words.startsWith(QStringLiteral("Верно. В дробях строки Y0 и X1 равны (-5/2); программа из-за округления берёт строку X1")));
        ++tied;
    }
    QCOMPARE(tied, 1);
    closeReport(w);

    // The cycling report: "Зацикливание" is wrong until a table repeats an
    // earlier one, right from then on, and shows the rest of the report.
    ReportViews::practiceRequested = true;
    solve(w, cyclingProblem());
    QTRY_VERIFY(w.formArea->findChild<QWidget *>(QStringLiteral("practicePanel")));
    panel = w.formArea->findChild<QWidget *>(QStringLiteral("practicePanel"));
    auto *cycledButton = panel->findChild<QPushButton *>(QStringLiteral("practiceCycled"));
    const std::vector<PracticeStep> steps = practiceSteps(w.formArea->findChild<ReportViews *>()->course());
    for (int k = 0; k < 8; ++k) {
        QTest::mouseClick(cycledButton, Qt::LeftButton);
        const QString said = panel->findChild<QLabel *>(QStringLiteral("practiceFeedback"))->text();
        if (k == 7) {
            QCOMPARE(said, QStringLiteral("Верно. Таблица 7 повторяет таблицу 1: дальше метод повторял бы те же замены без конца."));
            break;
        }
        QVERIFY2(said.startsWith(QStringLiteral("Неверно. Ни одна таблица ещё не повторила прежнюю")), qPrintable(said));
        const PivotChoice &pivot = w.formArea->findChild<ReportViews *>()->course().pivots[steps[k].pivot];
        QTest::mouseClick(cellLabel(reportTables(w)[k], pivot.row, pivot.column), Qt::LeftButton);
    }
    QCOMPARE(reportItems(w).last(), kOk);
    QVERIFY(!reportTables(w).last()->isHidden() && reportItems(w).contains(cycled));
    QCOMPARE(panel->findChild<QLabel *>(QStringLiteral("practiceScore"))->text(), QStringLiteral("С первой попытки верно: 1 из 8 шагов"));
    closeReport(w);
}

// "Что если…" through the real window: the dialog sets Y1's right-hand side
// to 10 (inside its range: no pivot), then adds x0 + x1 <= 3; the report
// goes on after its last item, in decimals and in fractions, in the copy.
void ReportTest::whatIfContinuesTheReport()
{
    Widget w;
    solve(w, workedExample());
    const int before = reportItems(w).size();
    auto answer = [](int row, const QString &value, const QStringList &coefficients) {
        QTimer::singleShot(0, [=] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog && dialog->objectName() == QLatin1String("whatIfDialog"));
            dialog->findChild<QComboBox *>(QStringLiteral("whatIfRow"))->setCurrentIndex(row);
            for (int j = 0; j < coefficients.size(); ++j)
                dialog->findChild<QLineEdit *>(QStringLiteral("whatIfCoefficient%1").arg(j))->setText(coefficients[j]);
            dialog->findChild<QLineEdit *>(QStringLiteral("whatIfValue"))->setText(value);
            for (QPushButton *button : dialog->findChildren<QPushButton *>())
                if (button->text() == QLatin1String("ok"))
                    button->click();
        });
    };
    answer(1, QStringLiteral("10"), {});
    reportAction(w, "actionWhatIf")->trigger();

    QCOMPARE(reportItems(w).mid(before - 1),
             QStringList({"Правая часть Y1: 6 → 10", "table -Y1 -Y0 L / X0 0.4 -0.2 3.2 / X1 -0.2 0.6 0.4 / Z 0.2 0.4 3.6",
                          stage2, optimum, at("3.2 0.4 "), value("3.6"), kOk}));
    answer(2, QStringLiteral("3"), {"1", "1"});
    reportAction(w, "actionWhatIf")->trigger();
    const QStringList items = reportItems(w);
    QCOMPARE(items.mid(before + 5, 2), QStringList({"Новое ограничение Y2: 1·x0 + 1·x1 <= 3",
                                                     "table -Y1 -Y0 L / X0 0.4 -0.2 3.2 / X1 -0.2 0.6 0.4 / "
                                                     "Y2 -0.2 -0.4 -0.6 / Z 0.2 0.4 3.6"}));
    QCOMPARE(items.mid(items.size() - 6), QStringList({pivotAt("2,0"), "table -Y2 -Y0 L / X0 2 -1 2 / X1 -1 1 1 / Y1 -5 2 3 / Z 1 0 3",
                                                       optimum, at("2 1 "), value("3"), kOk}));
    QCOMPARE(markedCells(reportTables(w)[reportTables(w).size() - 2]).size(), 1); // the new pivot is marked
    reportAction(w, "actionFractions")->trigger();
    QVERIFY(reportItems(w).contains(QStringLiteral("table -Y1 -Y0 L / X0 2/5 -1/5 16/5 / X1 -1/5 3/5 2/5 / Z 1/5 2/5 18/5")));
    reportAction(w, "actionCopy")->trigger();
    QVERIFY(QGuiApplication::clipboard()->text().contains(QStringLiteral("Правая часть Y1: 6 → 10\n")));
    reportAction(w, "actionFractions")->trigger();
    closeReport(w);
    // With the fractions on, a change is worded in fractions at once; the
    // dialog starts with the right-hand side as typed ("1/3" stays 1/3, not
    // 0.333333), and "ok" on it changes nothing.
    fillForm(w, workedExample());
    w.list_L[1]->setText(QStringLiteral("1/3"));
    click(w, "pushButton_2");
    reportAction(w, "actionFractions")->trigger();
    const QStringList unchanged = reportItems(w);
    QString started;
    QTimer::singleShot(0, [&started] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        dialog->findChild<QComboBox *>(QStringLiteral("whatIfRow"))->setCurrentIndex(1);
        started = dialog->findChild<QLineEdit *>(QStringLiteral("whatIfValue"))->text();
        dialog->accept();
    });
    reportAction(w, "actionWhatIf")->trigger();
    QCOMPARE(started, QStringLiteral("1/3"));
    QCOMPARE(reportItems(w), unchanged);
    answer(0, QStringLiteral("5"), {});
    reportAction(w, "actionWhatIf")->trigger();
    QVERIFY(reportItems(w).contains(QStringLiteral("Правая часть Y0: 4 → 5")));
    reportAction(w, "actionFractions")->trigger();
    closeReport(w);
    // No optimum, no change: the action says why.
    solve(w, maxProblem({1, 1}, {{-1, -1}}, {1}));
    QVERIFY(!reportAction(w, "actionWhatIf")->isEnabled());
    closeReport(w);
    // Y0 set to 20, outside its range: one pivot to the optimum (0, 6); the
    // range of Y1 then starts at 0, not at a rounding residue of it.
    solve(w, workedExample());
    Course course = w.formArea->findChild<ReportViews *>()->course();
    QString error;
    QVERIFY(continueCourse(course, WhatIf{0, QStringLiteral("20"), {}}, &error));
    QCOMPARE(course.ending, Course::Ending::Optimum);
    QCOMPARE(CourseView(course).line(course.items[course.items.size() - 2]), QStringLiteral("достигается в точке - (0 6 )"));
    QCOMPARE(rangingGrids(CourseView(course)).front().cells[1], QStringList({"6", "1", "0", "10"}));
    closeReport(w);
}

// The plane view of a two-variable problem: its geometry from the real
// course, the window through the real report, and what it draws.
void ReportTest::planeView()
{
    auto near = [](const QPointF &a, const QPointF &b) { return QLineF(a, b).length() < 1e-9; };
    Widget w;
    w.show();
    solve(w, workedExample());
    const Course &course = w.formArea->findChild<ReportViews *>()->course();
    const std::vector<HalfPlane> constraints = halfPlanesOf(course);
    const QPolygonF region = feasiblePolygon(QRectF(-1, -1, 10, 10), constraints);
    QCOMPARE(region.size(), 4);
    for (const QPointF &corner : {QPointF(0, 0), QPointF(2, 0), QPointF(1.6, 1.2), QPointF(0, 2)})
        QVERIFY(std::any_of(region.begin(), region.end(), [&](const QPointF &p) { return near(p, corner); }));
    const std::vector<QPointF> path = pathOf(course);
    const std::vector<QPointF> expected{{0, 0}, {0, 2}, {4, 0}, {1.6, 1.2}};
    QCOMPARE(path.size(), expected.size());
    for (size_t k = 0; k < path.size(); ++k) {
        QVERIFY(near(path[k], expected[k]));
        QCOMPARE(isFeasible(path[k], constraints), k != 2); // (4, 0) lies outside
    }
    QCOMPARE(regionKind(constraints), Region::Bounded);
    const QRectF frame = viewFrame(path, constraints);
    QVERIFY(frame.contains(QPointF(0, 0)) && frame.contains(QPointF(4, 0)) && frame.contains(QPointF(0, 6)));
    QCOMPARE(tickStep(7, 8), 1.0);
    QCOMPARE(tickStep(0.07, 8), 0.01);
    QCOMPARE(tickStep(130, 8), 20.0);

    // The window: transient for the report, one per report, closed by Esc.
    reportAction(w, "actionPlane")->trigger();
    QPointer<QWidget> plane = w.formArea->findChild<ReportViews *>()->planeWindow();
    QVERIFY(plane && plane->isVisible());
    QCOMPARE(plane->windowTitle(), QStringLiteral("На плоскости"));
    QCOMPARE(plane->windowHandle()->transientParent(), w.formArea->windowHandle());
    QCOMPARE(plane->windowIcon().availableSizes(), w.windowIcon().availableSizes());
    reportAction(w, "actionPlane")->trigger();
    QCOMPARE(w.formArea->findChildren<QWidget *>(QStringLiteral("planeView")).size(), 1);
    // What it draws: the region shaded inside and not outside, the optimum's
    // filled marker where the optimum maps; and it follows a resize.
    for (const QSize size : {plane->size(), QSize(420, 700)}) {
        plane->resize(size);
        QCoreApplication::processEvents();
        const QImage picture = plane->grab().toImage();
        const qreal ratio = picture.devicePixelRatio();
        auto pixel = [&](const QPointF &p) { return QColor(picture.pixel(planePointInWindow(plane, p) * ratio)); };
        const QColor base = plane->palette().color(QPalette::Base);
        QVERIFY(pixel({0.7, 0.3}) != base);
        QCOMPARE(pixel({3.3, 3.3}), base);
        QCOMPARE(pixel({1.6, 1.2}), QColor(215, 60, 40));
    }
    // Its actions, also in its context menu: Ctrl+C copies the picture as
    // an image, Esc and Ctrl+W close the window.
    auto planeAction = [&plane](const QKeySequence &key) {
        for (QAction *action : plane->actions())
            if (action->shortcuts().contains(key))
                return action;
        qFatal("no action for %s", qPrintable(key.toString()));
    };
    QCOMPARE(plane->contextMenuPolicy(), Qt::ActionsContextMenu);
    QGuiApplication::clipboard()->clear();
    planeAction(QKeySequence::Copy)->trigger();
    QCOMPARE(QGuiApplication::clipboard()->image().size(), plane->size() * plane->devicePixelRatioF());
    QCOMPARE(planeAction(QKeySequence(Qt::CTRL | Qt::Key_W)), planeAction(QKeySequence(Qt::Key_Escape)));
    planeAction(QKeySequence(Qt::Key_Escape))->trigger();
    QVERIFY(!plane->isVisible());
    reportAction(w, "actionPlane")->trigger();
    QVERIFY(plane->isVisible());
    QVERIFY(plane->findChild<QLabel *>(QStringLiteral("planeCaption"))->text().startsWith(
        QStringLiteral("Оптимальное решение достигается в точке - (1.6 1.2 ), значение функции 2.8\n")));
    // "Ok" closes it with the report.
    closeReport(w);
    QVERIFY(!plane);

    // An unbounded region, an empty one, a constraint without a line.
    const struct {
        Problem problem;
        Region region;
        const char *caption;
    } kinds[] = {
        {maxProblem({1, 1}, {{-1, -1}}, {1}), Region::Unbounded, "Область допустимых решений не ограничена"},
        {maxProblem({1, 1}, {{1, 1}, {-1, 0}}, {4, -5}), Region::Empty, "Область допустимых решений пуста"},
        {maxProblem({1, 1}, {{0, 0}, {1, 1}}, {3, 2}), Region::Bounded, "Ограничение Y0: 0 <= 3 выполняется везде"},
        {maxProblem({1, 1}, {{1, 100}}, {1000}), Region::Bounded, "Масштабы осей различны"},
    };
    for (const auto &kind : kinds) {
        solve(w, kind.problem);
        const Course &solved = w.formArea->findChild<ReportViews *>()->course();
        QCOMPARE(regionKind(halfPlanesOf(solved)), kind.region);
        QCOMPARE(feasiblePolygon(QRectF(-10, -10, 20, 20), halfPlanesOf(solved)).isEmpty(), kind.region == Region::Empty);
        reportAction(w, "actionPlane")->trigger();
        plane = w.formArea->findChild<ReportViews *>()->planeWindow();
        QVERIFY(plane->findChild<QLabel *>(QStringLiteral("planeCaption"))->text().contains(QString::fromUtf8(kind.caption)));
        closeReport(w);
    }

    // The arrow from the optimum points where F improves: where it grows
    // when maximising, where it falls when minimising; both towards (1, 1)
    // here, the one in a dark green, the way back not.
    for (const Problem &p : {workedExample(), minProblem({-1, -1}, {{1, 2}, {3, 1}}, {4, 6})}) {
        solve(w, p);
        reportAction(w, "actionPlane")->trigger();
        QWidget *view = w.formArea->findChild<ReportViews *>()->planeWindow();
        QCoreApplication::processEvents();
        const QImage picture = view->grab().toImage();
        const QPointF from = planePointInWindow(view, {1.6, 1.2});
        const QPointF towards = QPointF(planePointInWindow(view, {2.6, 2.2})) - from;
        const QPointF unit = towards / std::hypot(towards.x(), towards.y());
        // How far from the arrow's green the pixels nearest to the ray from
        // the optimum are, 20 to 40 pixels along it in the given sense.
        auto greenness = [&](double sense) {
            int least = 1000;
            for (int along = 20; along <= 40; ++along)
                for (int aside = -1; aside <= 1; ++aside) {
                    const QPointF at = from + unit * sense * along + QPointF(-unit.y(), unit.x()) * aside;
                    const QColor c(picture.pixel((at * picture.devicePixelRatio()).toPoint()));
                    least = std::min(least, std::abs(c.red() - 40) + std::abs(c.green() - 150) + std::abs(c.blue() - 70));
                }
            return least;
        };
        QVERIFY(greenness(1) < 30);
        QVERIFY(greenness(-1) > 150);
        closeReport(w);
    }

    // Three variables: no picture, and the action says why.
    solve(w, maxProblem({1, 1, 1}, {{1, 1, 1}}, {1}));
    QVERIFY(!reportAction(w, "actionPlane")->isEnabled());
    QVERIFY(reportAction(w, "actionPlane")->toolTip().contains(QStringLiteral("только для задачи с двумя переменными")));
    closeReport(w);
}

QTEST_MAIN(ReportTest)
#include "tst_report.moc"
