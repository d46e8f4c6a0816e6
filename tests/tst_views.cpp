// SPDX-License-Identifier: GPL-3.0-or-later
// The report's views: the exact fractions, the explanations that agree with
// them, and the plane.
// worked examples and the ways each stage ends.
#include "texts/explain.h"
#include "mainwindow/mainmenu.h"
#include "practice/practice.h"
#include "texts/ranging.h"
#include "method/whatif.h"
#include "plane/planedrawing.h"
#include "reportwindow/planewindow.h"
#include "reportdriver.h"

#include "method/branches.h"
#include "documents/treedrawing.h"
#include "texts/branchwords.h"
#include "reportwindow/reportview.h"
#include "widgets/snapshottable.h"
#include "mainwindow/translation.h"
#include "files/lpfile.h"
#include "plane/dualplane.h"
#include "method/solve.h"

#include <QAccessible>
#include <QDialog>
#include <QTimer>
#include <QClipboard>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <QWindow>
#include <QVBoxLayout>

#include <limits>

class ViewsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exactView();
    void explanationsAgreeWithTheExactView();
    void planeView();
    void planeLabelsApart();
    void treeStrips();
    void dualView();
};

// As the program runs: with the toolkit's own texts in Russian, which must
// leave the program's own texts as they are written.
void ViewsTest::initTestCase()
{
    QVERIFY(installToolkitTranslation(qApp));
}

// Exact fractions: a value the decimals round shows exactly; a fraction too
// long for its cell shows as its nearest double with "…", whole in the
// tooltip and in the copy; and the view chosen last opens the next report,
// a run starting in decimals.
void ViewsTest::exactView()
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
void ViewsTest::explanationsAgreeWithTheExactView()
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

// The plane view of a two-variable problem: its geometry from the real
// course, the window through the real report, and what it draws.
void ViewsTest::planeView()
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
    // (the page shown: the picture of x0 and x1 with its caption)
    const QWidget *page = plane->findChild<QTabWidget *>(QStringLiteral("planePages"))->currentWidget();
    QCOMPARE(QGuiApplication::clipboard()->image().size(), page->size() * plane->devicePixelRatioF());
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

// The plane's labels (the lines' and cuts' names, the points' table
// numbers) meet neither each other nor a point, nor the axes' numbers: over
// the gallery's two-variable problems and a few hundred generated ones,
// integer ones among them (by cuts and by branches), in the window's size and in a small picture.
void ViewsTest::planeLabelsApart()
{
    std::vector<Course> courses;
    for (const QString &example : MainMenu::examples()) {
        LpError error;
        const std::optional<ProblemTexts> problem = readProblemFile(example, &error);
        if (problem && problem->n == 2)
            courses.push_back(solveCourse(*problem));
    }
    QVERIFY(courses.size() >= 5);
    std::mt19937 random(20261208);
    auto whole = [&random](int from, int to) { return QString::number(std::uniform_int_distribution<int>(from, to)(random)); };
    for (int k = 0; k < repetitions(300); ++k) {
        ProblemTexts problem;
        problem.n = 2;
        problem.m = 1 + k % 4;
        problem.maximise = k % 3 != 0;
        problem.integer = k % 4 == 0; // by cuts; k % 4 == 2 by branches
        problem.objective << whole(-9, 9) << whole(-9, 9);
        for (int i = 0; i < problem.m; ++i)
            problem.constraints << whole(-9, 9) << whole(-9, 9), problem.rightHands << whole(-30, 30);
        courses.push_back(solveCourse(problem));
        if (k % 4 == 2 && branchesUnavailable(courses.back()).isEmpty())
            continueWithBranches(courses.back());
    }
    int labels = 0;
    // The pictures of the problems and, for two constraints, of their duals.
    std::vector<PlaneProblem> planes;
    for (const Course &course : courses) {
        if (hasPlanePicture(course))
            planes.push_back(primalPlane(course));
        if (hasDualPlanePicture(course))
            planes.push_back(dualPlane(course));
    }
    for (const PlaneProblem &plane : planes) {
        for (const QRectF &rect : {QRectF(0, 0, 600, 480), QRectF(0, 0, 400, 320)}) {
            PlaneDrawing drawing(plane);
            const std::vector<PlaneLabel> placed = drawing.labels(rect, QFont());
            std::vector<QPointF> points;
            for (const QPointF &p : plane.path)
                points.push_back(drawing.toScreen(p, rect));
            for (const NodePoint &node : plane.nodes)
                points.push_back(drawing.toScreen(node.point, rect));
            for (size_t a = 0; a < placed.size(); ++a) {
                for (size_t b = a + 1; b < placed.size(); ++b)
                    QVERIFY2(!placed[a].rect.intersects(placed[b].rect),
                             qPrintable(placed[a].text + QStringLiteral(" / ") + placed[b].text));
                for (const QPointF &p : points)
                    QVERIFY2(!placed[a].rect.contains(p), qPrintable(placed[a].text));
            }
            labels += int(placed.size());
        }
    }
    QVERIFY2(labels > 3 * repetitions(300), qPrintable(QString::number(labels))); // the check saw many labels
}

// A tree of branch and bound to its limit of 50 nodes, drawn in strips for
// pages of several widths: every box drawn once, whole inside its strip;
// boxes on one level never overlap.
void ViewsTest::treeStrips()
{
    ProblemTexts p{true, 4, 8, {"9", "12", "18", "13"},
                   QStringLiteral("7 2 10 2 15 11 5 15 8 8 4 12 11 3 14 5 11 8 7 14 3 13 12 5 6 8 5 4 4 7 6 5").split(' '),
                   QStringLiteral("45 48 71 45 89 35 87 75").split(' '), false};
    Course course = solveCourse(p);
    continueWithBranches(course);
    QCOMPARE(course.ending, Course::Ending::NodeLimit);
    const std::vector<TreeLine> tree = treeLines(CourseView(course));
    const TreeDrawing drawing(tree, QFont());
    const std::vector<QRectF> &boxes = drawing.boxes();
    for (size_t a = 0; a < boxes.size(); ++a)
        for (size_t b = a + 1; b < boxes.size(); ++b)
            QVERIFY(!boxes[a].intersects(boxes[b]));
    for (double width : {300.0, 500.0, 900.0}) {
        double step = 0;
        const std::vector<double> strips = drawing.strips(0.6, width, &step);
        QVERIFY(strips.size() > 1);
        for (const QRectF &box : boxes) {
            const double centre = box.center().x() * 0.6;
            const int k = int(std::count_if(strips.begin(), strips.end(), [&](double from) { return from <= centre; })) - 1;
            QVERIFY(centre < strips[k] + step);
            const double left = (width - step) / 2 - strips[k]; // where the strip is drawn
            QVERIFY(left + box.left() * 0.6 >= 0 && left + box.right() * 0.6 <= width);
        }
    }
}

// The worked examples read as points of their dual problems, by hand, in
// fractions: the dual under the problem, every table's dual point, the
// optimum's complementary slackness; switched off, the report as before.
void ViewsTest::dualView()
{
    Widget w;
    solve(w, workedExample());
    const QStringList before = reportItems(w);
    reportAction(w, "actionFractions")->trigger();
    reportAction(w, "actionDual")->trigger();
    QStringList items = reportItems(w);
    QCOMPARE(items.mid(0, 6), QStringList({"Двойственная задача:", "W = 4·y0 + 6·y1 -> min", "1·y0 + 3·y1 >= 1",
                                           "2·y0 + 1·y1 >= 1", "y0, y1 >= 0", reportline::maxTask}));
    QStringList points;
    for (const QString &item : items)
        if (item.startsWith(QStringLiteral("двойственная точка")))
            points << item;
    QCOMPARE(points, QStringList({"двойственная точка: y = (0 0), W = 0 — недопустима: нарушены ограничения 1, 2 двойственной задачи",
                                  "двойственная точка: y = (1/2 0), W = 2 — недопустима: нарушено ограничение 1 двойственной задачи",
                                  "двойственная точка: y = (1 0), W = 4 — допустима",
                                  "двойственная точка: y = (2/5 1/5), W = 14/5 — допустима"}));
    // Each right after its table.
    for (int k = 1; k < items.size(); ++k)
        QCOMPARE(items[k].startsWith(QStringLiteral("двойственная точка")), items[k - 1].startsWith(QStringLiteral("table")));
    reportAction(w, "actionExplain")->trigger();
    const QStringList explained = explanationTexts(w);
    for (const char *line : {"Проверка: F = W = 14/5; дополняющая нежёсткость — каждое произведение равно 0:",
                             "y0·(4 - 1·x0 - 2·x1) = 2/5·0 = 0", "y1·(6 - 3·x0 - 1·x1) = 1/5·0 = 0",
                             "x0·(1·y0 + 3·y1 - 1) = 8/5·0 = 0", "x1·(2·y0 + 1·y1 - 1) = 6/5·0 = 0"})
        QVERIFY2(explained.contains(QString::fromUtf8(line)), line);
    reportAction(w, "actionExplain")->trigger();
    reportAction(w, "actionDual")->trigger();
    reportAction(w, "actionFractions")->trigger();
    QCOMPARE(reportItems(w), before);
    closeReport(w);
    // A minimisation's dual: W to the maximum, rows <= c, y <= 0.
    solve(w, minimisingWorkedExample());
    reportAction(w, "actionDual")->trigger();
    items = reportItems(w);
    QCOMPARE(items.mid(0, 5), QStringList({"Двойственная задача:", "W = -1·y0 -> max", "1·y0 <= 1", "-1·y0 <= 1", "y0 <= 0"}));
    QVERIFY(items.contains(QStringLiteral("двойственная точка: y = (-1), W = 1 — допустима")));
    reportAction(w, "actionDual")->trigger();
    ReportViews::dualChosen = false;
    closeReport(w);
    // On the plane: the worked example's dual page, its optimum the primal's
    // value; three variables and two constraints: the dual page alone.
    solve(w, workedExample());
    reportAction(w, "actionPlane")->trigger();
    auto *pages = w.formArea->findChild<ReportViews *>()->planeWindow()->findChild<QTabWidget *>(QStringLiteral("planePages"));
    QCOMPARE(pages->count(), 2);
    QVERIFY(pages->findChild<QLabel *>(QStringLiteral("dualPlaneCaption"))->text().contains(
        QStringLiteral("Оптимум двойственной задачи: y = (0.4 0.2), W = 2.8")));
    closeReport(w);
    solve(w, maxProblem({1, 1, 1}, {{1, 1, 1}, {1, 2, 3}}, {1, 2}));
    QVERIFY(reportAction(w, "actionPlane")->isEnabled());
    reportAction(w, "actionPlane")->trigger();
    pages = w.formArea->findChild<ReportViews *>()->planeWindow()->findChild<QTabWidget *>(QStringLiteral("planePages"));
    QCOMPARE(pages->count(), 1);
    QVERIFY(pages->findChild<QWidget *>(QStringLiteral("dualPlanePicture")));
    closeReport(w);
}

QTEST_MAIN(ViewsTest)
#include "tst_views.moc"
