// SPDX-License-Identifier: GPL-3.0-or-later
// The report as the method writes it: the worked examples table by table, every
// ending, the first stage's cycling and the tables' headers.
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

class ReportTest : public QObject
{
    Q_OBJECT

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
};

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

QTEST_MAIN(ReportTest)
#include "tst_report.moc"
