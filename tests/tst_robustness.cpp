// SPDX-License-Identifier: GPL-3.0-or-later
// Any text in any field, and long repeated use: every solve ends with a
// complete report, and nothing is left behind after "Ok" or a rebuild.
#include "reportdriver.h"
#include "reportwindow/reportview.h"

#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QTimer>
#include <QWindow>

#include <unistd.h>

namespace {

constexpr int kRandomActions = 10000;

const QStringList kOddTexts = {
    "", "   ", "abc", "1,5", "+.5", ".5e1", "1e3", "inf", "-inf", "nan", "1e400", "-1e400", "1e-400",
    QString(10000, QLatin1Char('7')), "пять", QStringLiteral("\U0001F600"), "0x10", "1e", "--1", "-0",
};

// The resident memory of this process, in kB; -1 when it cannot be read.
long residentKb()
{
    QFile statm("/proc/self/statm");
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    bool ok = false;
    const long pages = statm.readAll().split(' ').value(1).toLong(&ok);
    return ok ? pages * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

// What a finished report always holds, whatever the numbers were.
void checkComplete(const Widget &w)
{
    QStringList items = reportItems(w);
    // With the dual view on, the dual problem stands before the task.
    if (reportAction(w, "actionDual")->isChecked()) {
        QCOMPARE(items.first(), QStringLiteral("Двойственная задача:"));
        while (!items.isEmpty() && items.first() != reportline::maxTask && items.first() != reportline::minTask)
            items.removeFirst();
    }
    QVERIFY(items.size() >= 3);
    QVERIFY(items.first() == reportline::maxTask || items.first() == reportline::minTask);
    QCOMPARE(items.last(), reportline::ok);
    QVERIFY(items[1].startsWith(QStringLiteral("table ")));
    for (QTableWidget *t : reportTables(w)) {
        QCOMPARE(t->rowCount(), w.ml + 1);
        QCOMPARE(t->columnCount(), w.nl + 1);
        for (int i = 0; i < t->rowCount(); ++i)
            for (int j = 0; j < t->columnCount(); ++j) {
                // A decimal, or in the exact view a fraction or a shortened one.
                static const QRegularExpression fraction(QStringLiteral("^-?\\d+(/\\d+)?$"));
                QString cell = cellText(t, i, j);
                if (cell.endsWith(QChar(0x2026)))
                    cell.chop(1);
                bool ok = false;
                cell.toDouble(&ok);
                QVERIFY2(ok || fraction.match(cell).hasMatch() || cell == "inf" || cell == "-inf" || cell == "nan",
                         qPrintable(cell));
            }
    }
    QVERIFY(!w.flgdel);
    QVERIFY(w.horhead.isEmpty() && w.verthead.isEmpty());
}

// Answers the modal "Что если…" dialog once it is up: a right-hand side or
// a new constraint (row `row`, the last row for a new one) set to the
// texts given, then "ok"; a dialog that refuses them is cancelled.
// An empty value keeps what the dialog starts with.
void answerWhatIf(int row, const QString &value, const QStringList &coefficients)
{
    QTimer::singleShot(0, [=] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            qFatal("no what-if dialog");
        auto *rows = dialog->findChild<QComboBox *>(QStringLiteral("whatIfRow"));
        rows->setCurrentIndex(std::min(row, rows->count() - 1));
        for (int j = 0; j < coefficients.size(); ++j)
            if (auto *field = dialog->findChild<QLineEdit *>(QStringLiteral("whatIfCoefficient%1").arg(j)))
                field->setText(coefficients[j]);
        if (!value.isEmpty())
            dialog->findChild<QLineEdit *>(QStringLiteral("whatIfValue"))->setText(value);
        for (QPushButton *button : dialog->findChildren<QPushButton *>())
            if (button->text() == QLatin1String("ok"))
                button->click();
        if (dialog->isVisible())
            dialog->reject();
    });
}

// A number as a student types it, now and then a fraction.
QString randomNumber(Uniform &uniform, int range)
{
    const int v = uniform(-range, range);
    return uniform(0, 5) == 0 ? QStringLiteral("%1/%2").arg(v).arg(uniform(2, 3)) : QString::number(v);
}

// One random action of the report window, as a student takes it.
void randomReportAction(Widget &w, Uniform &uniform)
{
    auto *views = w.formArea->findChild<ReportViews *>();
    QWidget *panel = w.formArea->findChild<QWidget *>(QStringLiteral("practicePanel"));
    auto trigger = [&w](const char *name) {
        QAction *action = reportAction(w, name);
        if (action->isEnabled())
            action->trigger();
    };
    switch (uniform(0, 16)) {
    case 0:
        return trigger("actionFractions");
    case 1:
        return trigger("actionExplain");
    case 2:
        return trigger("actionRanging");
    case 3:
        return trigger("actionPractice");
    case 4:
    case 5:
    case 6: { // a cell of the last table shown
        QTableWidget *last = nullptr;
        for (QTableWidget *t : reportTables(w))
            if (!t->isHidden())
                last = t;
        if (panel && last)
            QTest::mouseClick(cellLabel(last, uniform(0, last->rowCount() - 1), uniform(0, last->columnCount() - 1)),
                              Qt::LeftButton);
        return;
    }
    case 7:
        if (panel) {
            const char *buttons[] = {"practiceBound", "practiceOptimum", "practiceNoSolution", "practiceCycled",
                                     "practiceHint"};
            auto *button = panel->findChild<QPushButton *>(QLatin1String(buttons[uniform(0, 4)]));
            if (button->isVisible())
                button->click();
        }
        return;
    case 8:
        if (panel) {
            const Qt::Key keys[] = {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right, Qt::Key_Return};
            QTest::keyClick(panel, keys[uniform(0, 4)]);
        }
        return;
    case 13:
        return trigger("actionInteger");
    case 16:
        return trigger("actionBranch");
    case 14:
        return trigger("actionDual");
    case 15: // the guide, now and then closed again
        trigger("actionGuide");
        if (uniform(0, 1))
            for (QWidget *top : QApplication::topLevelWidgets())
                if (top->objectName() == QLatin1String("guideWindow"))
                    top->close();
        return;
    case 12: // practice's tables: switched, a cell typed (and Enter), checked, revealed
        if (panel) {
            const QList<QLineEdit *> cells = panel->findChildren<QLineEdit *>();
            const char *buttons[] = {"practiceTables", "practiceCheck", "practiceReveal"};
            auto *button = panel->findChild<QPushButton *>(QLatin1String(buttons[uniform(0, 2)]));
            if (!cells.isEmpty() && uniform(0, 2) > 0) {
                QLineEdit *cell = cells[uniform(0, cells.size() - 1)];
                QTest::keyClicks(cell, randomNumber(uniform, 6));
                if (uniform(0, 1))
                    QTest::keyClick(cell, Qt::Key_Return);
            } else if (button->isVisible()) {
                button->click();
            }
        }
        return;
    case 9:
        if (reportAction(w, "actionWhatIf")->isEnabled()) {
            const int n = views->course().n;
            QStringList coefficients;
            for (int j = 0; j < n; ++j)
                coefficients << randomNumber(uniform, 5);
            const int how = uniform(0, 3); // now and then "ok" on the value as it starts
            answerWhatIf(uniform(0, 9), how == 0 ? QString() : randomNumber(uniform, 12), coefficients);
            reportAction(w, "actionWhatIf")->trigger();
        }
        return;
    case 10:
        if (views->planeWindow() && views->planeWindow()->isVisible())
            views->planeWindow()->close();
        else
            trigger("actionPlane");
        return;
    default:
        trigger("actionCopy");
    }
}

} // namespace

class RobustnessTest : public QObject
{
    Q_OBJECT

private slots:
    void nonFiniteValuesShowAsQtPrintsThem();
    void anyTextInAnyField();
    void randomUse();
    void pageFollowsTheState();
    void repeatedUseLeavesNothingBehind();
};

void RobustnessTest::nonFiniteValuesShowAsQtPrintsThem()
{
    Widget w;
    buildForm(w, 2, 1);
    const QStringList texts = {"inf", "-1e400", "nan", "1e400"};
    for (int k = 0; k < 4; ++k)
        (k < 2 ? w.list_A[k] : k == 2 ? w.list_Z[0] : w.list_L[0])->setText(texts[k]);
    click(w, "pushButton_2");
    QCOMPARE(tableText(reportTables(w).first()), QStringLiteral("table -X0 -X1 L / Y0 inf -inf inf / Z nan 0 0"));
    checkComplete(w);
    closeReport(w);
}

void RobustnessTest::anyTextInAnyField()
{
    Uniform uniform(4242);
    Widget w;
    for (int k = 0; k < repetitions(2000); ++k) {
        buildForm(w, uniform(2, 4), uniform(1, 8));
        for (QLineEdit *field : w.list_A + w.list_Z + w.list_L)
            field->setText(uniform(0, 2) == 0 ? kOddTexts[uniform(0, kOddTexts.size() - 1)]
                                              : QString::number(uniform(-5, 5)));
        w.maxmin->setCurrentIndex(uniform(0, 1));
        click(w, "pushButton_2");
        checkComplete(w);
        if (QTest::currentTestFailed())
            qFatal("solve %d failed", k);
        closeReport(w);
    }
}

// Thousands of seeded random user actions on the real windows: clicks on
// every control, texts typed into the fields (numbers, decimal commas,
// fractions, junk), Tab, Enter, the spin boxes, "ok", solving, close
// requests, the report's actions (views, practice with its tables,
// "Что если…" answered by a timer, the cuts or branches, the plane view,
// copy), and
// "Ok". After
// every action: at most one report window, the main window's two buttons
// disabled exactly while it is open, the field lists as long as the form is
// big, the focus never in a snapshot table (but in practice's editors),
// and every report that opens complete and ending in "Ok".
void RobustnessTest::randomUse()
{
    Uniform uniform(8080);
    const QStringList texts = {"1,5", "1/3", "-2", "abc", "", "7", "0.25", "1/0", "-3/4", "1e400", "2,5/5", "-10000",
                               "1e300", "-1e-300", "0.0000005"};
    Widget w;
    w.show();
    QCoreApplication::processEvents();
    auto *spinN = control<QSpinBox>(w, "spinBox");
    auto *spinM = control<QSpinBox>(w, "spinBox_2");
    auto *okButton = control<QPushButton>(w, "pushButton");
    auto *solveButton = control<QPushButton>(w, "pushButton_2");
    const sarea *lastReport = nullptr;
    int reports = 0;
    for (int k = 0; k < repetitions(kRandomActions); ++k) {
        const QList<QLineEdit *> fields = w.list_Z + w.list_A + w.list_L;
        QLineEdit *field = fields.isEmpty() ? nullptr : fields[uniform(0, fields.size() - 1)];
        QAbstractButton *ok = reportOk(w);
        switch (uniform(0, 15)) {
        case 0:
            QTest::keyClick(uniform(0, 1) ? spinN : spinM, uniform(0, 1) ? Qt::Key_Up : Qt::Key_Down);
            break;
        case 1:
            QTest::mouseClick(okButton, Qt::LeftButton);
            break;
        case 2:
        case 3:
            if (solveButton->isVisible())
                QTest::mouseClick(solveButton, Qt::LeftButton);
            break;
        case 4:
        case 5:
            if (field) {
                field->setFocus();
                field->selectAll();
                QTest::keyClicks(field, texts[uniform(0, texts.size() - 1)]);
            }
            break;
        case 6:
            if (w.maxmin)
                QTest::keyClick(w.maxmin, uniform(0, 1) ? Qt::Key_Up : Qt::Key_Down);
            break;
        case 7:
            if (QApplication::focusWidget())
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, uniform(0, 1) ? Qt::ShiftModifier : Qt::NoModifier);
            break;
        case 8:
            if (field)
                QTest::keyClick(field, Qt::Key_Return);
            break;
        case 9:
            if (w.formArea) {
                w.formArea->close();
                QCloseEvent request;
                QCoreApplication::sendEvent(w.formArea->windowHandle(), &request);
            }
            break;
        case 12:
        case 13:
            if (w.formArea) // the report's actions: views, practice, what-if, the plane, copy
                randomReportAction(w, uniform);
            break;
        default:
            if (ok) {
                const int how = uniform(0, 2);
                if (how == 0)
                    QTest::mouseClick(ok, Qt::LeftButton);
                else
                    QTest::keyClick(QApplication::focusWidget(), how == 1 ? Qt::Key_Return : Qt::Key_Space);
            }
        }
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        int shownReports = 0, shownPlanes = 0;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            shownReports += dynamic_cast<sarea *>(window) && window->isVisible();
            shownPlanes += window->objectName() == QLatin1String("planeView") && window->isVisible();
        }
        QCOMPARE(shownReports, w.formArea ? 1 : 0);
        QVERIFY(shownPlanes <= shownReports); // a plane view never outlives its report
        QCOMPARE(okButton->isEnabled(), !w.formArea);
        QCOMPARE(solveButton->isEnabled(), !w.formArea);
        if (w.flg)
            QCOMPARE(QList<int>({int(w.list_Z.size()), int(w.list_A.size()), int(w.list_L.size())}),
                     QList<int>({w.nl, w.nl * w.ml, w.ml}));
        // The focus is never in a snapshot table (practice's editors are
        // meant to have it).
        if (QWidget *focus = QApplication::focusWidget(); focus && !focus->objectName().startsWith(QLatin1String("practiceCell_")))
            for (QWidget *f = focus; f; f = f->parentWidget())
                QVERIFY(!qobject_cast<QTableWidget *>(f));
        if (w.formArea && w.formArea != lastReport) {
            checkComplete(w);
            ++reports;
        }
        lastReport = w.formArea;
        if (QTest::currentTestFailed())
            qFatal("random action %d failed", k);
    }
    qInfo("%d random actions, %d reports", repetitions(kRandomActions), reports);
    ReportViews::fractionsChosen = ReportViews::explanationsChosen = ReportViews::rangingChosen = ReportViews::dualChosen = false; // as a new run starts
    // A player that stopped reaching the report would check nothing of it.
    QVERIFY2(reports >= repetitions(kRandomActions) / 50, qPrintable(QString::number(reports)));
}

// The report window's page is a function of its state: seeded random
// sequences of the window's actions on generated problems; after each, the
// page and the copy equal those of a fresh report of the same problem
// brought straight to the same state. Nothing crashes on the way.
void RobustnessTest::pageFollowsTheState()
{
    Uniform uniform(2828);
    int practised = 0, changed = 0, branched = 0;
    for (int k = 0; k < repetitions(300); ++k) {
        Problem problem;
        problem.maximise = uniform(0, 1);
        const int n = uniform(2, 3), m = uniform(1, 4);
        for (int j = 0; j < n; ++j)
            problem.c.push_back(uniform(-4, 4));
        for (int i = 0; i < m; ++i) {
            problem.a.emplace_back();
            for (int j = 0; j < n; ++j)
                problem.a.back().push_back(uniform(-4, 4));
            problem.b.push_back(uniform(-6, 11));
        }
        Widget w;
        w.show();
        solve(w, problem);
        for (int action = uniform(1, 16); action > 0; --action) {
            randomReportAction(w, uniform);
            QCoreApplication::processEvents();
        }
        const ReportState state = w.formArea->findChild<ReportViews *>()->state();
        practised += state.practice;
        changed += state.course.whatIfMade();
        branched += state.course.branched();
        Widget fresh;
        fresh.show();
        solve(fresh, problem);
        auto *views = fresh.formArea->findChild<ReportViews *>();
        views->setState(state);
        QCoreApplication::processEvents();
        const QStringList freshPage = pageSnapshot(fresh), page = pageSnapshot(w);
        for (int line = 0; line < std::min(freshPage.size(), page.size()); ++line) {
            if (freshPage[line] == page[line])
                continue;
            int at = 0; // where they part, for a readable message
            while (at < std::min(freshPage[line].size(), page[line].size()) && freshPage[line][at] == page[line][at])
                ++at;
            QFAIL(qPrintable(QStringLiteral("line %1 at %2:\nfresh: %3\nafter the actions: %4").arg(line).arg(at)
                                 .arg(freshPage[line].mid(std::max(0, at - 40), 200), page[line].mid(std::max(0, at - 40), 200))));
        }
        QCOMPARE(freshPage, page);
        QCOMPARE(views->shownCopy().text, w.formArea->findChild<ReportViews *>()->shownCopy().text);
        QCOMPARE(views->shownCopy().html, w.formArea->findChild<ReportViews *>()->shownCopy().html);
        closeReport(fresh);
        closeReport(w);
        if (QTest::currentTestFailed())
            qFatal("sequence %d failed", k);
    }
    ReportViews::fractionsChosen = ReportViews::explanationsChosen = ReportViews::rangingChosen = ReportViews::dualChosen = false;
    qInfo("%d sequences, %d ending in practice, %d with changes, %d with branches", repetitions(300), practised, changed,
          branched);
    // A player that stopped reaching practice, the changes or the branches would check little of them.
    QVERIFY(practised >= repetitions(300) / 10 && changed >= repetitions(300) / 20 && branched >= repetitions(300) / 50);
}

void RobustnessTest::repeatedUseLeavesNothingBehind()
{
    QVERIFY2(residentKb() > 0, "the resident memory cannot be read from /proc/self/statm");
    Widget w;
    buildForm(w, 4, 8);
    const int objects = w.findChildren<QObject *>().size();
    const int windows = topLevelWindows();
    long afterHundred = 0;
    for (int k = 0; k < repetitions(1000); ++k) {
        w.list_A[k % 32]->setText(QString::number(k % 7 - 3));
        w.list_Z[k % 4]->setText(QString::number(k % 5 - 2));
        w.maxmin->setCurrentIndex(k % 2);
        click(w, "pushButton_2");
        QVERIFY(!w.flgdel && w.horhead.isEmpty() && w.verthead.isEmpty());
        closeReport(w);
        QCOMPARE(w.findChildren<QObject *>().size(), objects);
        QCOMPARE(topLevelWindows(), windows);
        if (k == 99)
            afterHundred = residentKb();
    }
    const long afterSolves = residentKb();
    for (int k = 0; k < 200; ++k)
        buildForm(w, k % 2 ? 4 : 2, k % 2 ? 8 : 1); // ends on 4 x 8, as it began
    QCOMPARE(w.findChildren<QObject *>().size(), objects);
    QCOMPARE(topLevelWindows(), windows);
    qInfo("resident memory: %ld kB after 100 solves, %ld kB after %d, %ld kB after 200 rebuilds",
          afterHundred, afterSolves, repetitions(1000), residentKb());
#ifndef DUAL_SIMPLEX_SANITIZED // the sanitizer's quarantine holds freed memory on purpose
    QVERIFY(residentKb() - afterHundred < 8 * 1024);
#endif
}

QTEST_MAIN(RobustnessTest)
#include "tst_robustness.moc"
