// SPDX-License-Identifier: GPL-3.0-or-later
// Practice through the real window: every kind of answer judged and recorded,
// the hint, the endings, and the report given back when it is switched off.
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

class PracticeTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void practice();
};

// As the program runs: with the toolkit's own texts in Russian, which must
// leave the program's own texts as they are written.
void PracticeTest::initTestCase()
{
    QVERIFY(installToolkitTranslation(qApp));
}

// Practice through the real window: the worked example played with clicks
// and keys, a wrong try of each kind with its words, the hint, the score and
// the record of tries in the copy; a tie that rounding decided accepted
// both ways; the cycling report ended with "Зацикливание" once a table
// repeats; practice off gives the report back byte for byte.
void PracticeTest::practice()
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

QTEST_MAIN(PracticeTest)
#include "tst_practice.moc"
