// SPDX-License-Identifier: GPL-3.0-or-later
// Changes after the optimum through the real window: "Что если…" continues the
// report from its last table.
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

class ChangesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void whatIfContinuesTheReport();
};

// As the program runs: with the toolkit's own texts in Russian, which must
// leave the program's own texts as they are written.
void ChangesTest::initTestCase()
{
    QVERIFY(installToolkitTranslation(qApp));
}

// "Что если…" through the real window: the dialog sets Y1's right-hand side
// to 10 (inside its range: no pivot), then adds x0 + x1 <= 3; the report
// goes on after its last item, in decimals and in fractions, in the copy.
void ChangesTest::whatIfContinuesTheReport()
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

QTEST_MAIN(ChangesTest)
#include "tst_changes.moc"
