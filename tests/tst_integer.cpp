// SPDX-License-Identifier: GPL-3.0-or-later
// Integer solutions by Gomory's cuts: on generated integer-data problems the
// verdict and value equal GLPK's integer optimum (glp_intopt), every cut in
// x keeps every whole point of the region and cuts off the point before it,
// and the exact replay agrees with the decimals; the textbook example
// through the real window, in fractions and on the plane; integer problem
// files read, written, and read by GLPK as integer problems.
#include "reportdriver.h"

#include "method/branches.h"
#include "method/cuts.h"
#include "method/exact.h"
#include "method/fieldtext.h"
#include "files/lpformat.h"
#include "mainwindow/mainmenu.h"
#include "plane/planedrawing.h"
#include "plane/planegeometry.h"
#include "reportwindow/planewindow.h"
#include "practice/practice.h"
#include "mainwindow/problemfile.h"
#include "reportwindow/reportview.h"
#include "reportwindow/treeview.h"
#include "method/solve.h"
#include "state/reportstate.h"

#include <QMenu>
#include <QPainter>
#include <QToolButton>
#include <QTemporaryDir>

#include <glpk.h>

namespace {

struct IntegerReference {
    bool lpOptimal = false;
    int mipStatus = GLP_UNDEF;
    double value = 0;
};

double valueOf(const QString &text)
{
    bool isNumber = false;
    return fieldValue(text, &isNumber);
}

// The problem for GLPK, every variable integer.
glp_prob *glpkProblem(const ProblemTexts &p)
{
    glp_term_out(GLP_OFF);
    glp_prob *lp = glp_create_prob();
    glp_set_obj_dir(lp, p.maximise ? GLP_MAX : GLP_MIN);
    glp_add_rows(lp, p.m);
    glp_add_cols(lp, p.n);
    for (int j = 0; j < p.n; ++j) {
        glp_set_col_bnds(lp, j + 1, GLP_LO, 0, 0);
        glp_set_obj_coef(lp, j + 1, valueOf(p.objective[j]));
        glp_set_col_kind(lp, j + 1, GLP_IV);
    }
    std::vector<int> ia{0}, ja{0};
    std::vector<double> ar{0};
    for (int i = 0; i < p.m; ++i) {
        glp_set_row_bnds(lp, i + 1, GLP_UP, 0, valueOf(p.rightHands[i]));
        for (int j = 0; j < p.n; ++j) {
            ia.push_back(i + 1);
            ja.push_back(j + 1);
            ar.push_back(valueOf(p.constraints[i * p.n + j]));
        }
    }
    glp_load_matrix(lp, p.n * p.m, ia.data(), ja.data(), ar.data());
    return lp;
}

// GLPK's relaxation and integer optimum of the problem.
IntegerReference solveWithGlpk(const ProblemTexts &p)
{
    glp_prob *lp = glpkProblem(p);
    IntegerReference ref;
    glp_smcp simplex;
    glp_init_smcp(&simplex);
    simplex.msg_lev = GLP_MSG_OFF;
    glp_exact(lp, &simplex);
    ref.lpOptimal = glp_get_status(lp) == GLP_OPT;
    if (ref.lpOptimal) {
        glp_iocp mip;
        glp_init_iocp(&mip);
        mip.msg_lev = GLP_MSG_OFF;
        if (glp_intopt(lp, &mip) == 0) {
            ref.mipStatus = glp_mip_status(lp);
            ref.value = glp_mip_obj_val(lp);
        }
    }
    glp_delete_prob(lp);
    glp_term_out(GLP_ON);
    return ref;
}

ProblemTexts randomIntegerProblem(Uniform &uniform)
{
    ProblemTexts p;
    p.integer = true;
    p.maximise = uniform(0, 1);
    p.n = uniform(2, 3);
    p.m = uniform(1, 3);
    for (int j = 0; j < p.n; ++j) // the objective may be anything
        p.objective << (uniform(0, 4) == 0 ? QStringLiteral("%1/2").arg(uniform(-9, 9)) : QString::number(uniform(-6, 6)));
    for (int k = 0; k < p.n * p.m; ++k)
        p.constraints << QString::number(uniform(-3, 7));
    for (int i = 0; i < p.m; ++i)
        p.rightHands << QString::number(uniform(-4, 25));
    if (uniform(0, 7) == 0) { // a·x = b with even a and odd b: a region without whole points, or with
        p.m = std::max(p.m, 2);
        p.constraints = p.constraints.mid(0, p.n * p.m);
        while (p.constraints.size() < p.n * p.m)
            p.constraints << QStringLiteral("1");
        p.rightHands = p.rightHands.mid(0, p.m);
        while (p.rightHands.size() < p.m)
            p.rightHands << QStringLiteral("9");
        const int b = 2 * uniform(1, 6) + uniform(0, 1);
        for (int j = 0; j < p.n; ++j) {
            const int a = 2 * uniform(0, 2);
            p.constraints[j] = QString::number(a);
            p.constraints[p.n + j] = QString::number(-a);
        }
        p.rightHands[0] = QString::number(b);
        p.rightHands[1] = QString::number(-b);
    }
    return p;
}

bool nearlyEqual(double a, double b)
{
    return std::abs(a - b) <= 1e-6 * std::max(1.0, std::abs(b));
}

// The relaxation of node k of branch and bound (the problem with the bounds
// on its path) solved by GLPK: whether it has an optimum, and its value.
std::pair<bool, double> nodeOptimum(const ProblemTexts &p, const Course &course, int k)
{
    glp_prob *lp = glpkProblem(p);
    std::vector<double> lower(p.n, 0), upper(p.n, HUGE_VAL);
    for (; k > 0; k = course.nodes[k].parent) {
        const Course::Change &bound = course.changes[course.nodes[k].change];
        if (bound.upper)
            upper[bound.variable] = std::min(upper[bound.variable], bound.rightHand);
        else
            lower[bound.variable] = std::max(lower[bound.variable], -bound.rightHand);
    }
    for (int j = 0; j < p.n; ++j)
        glp_set_col_bnds(lp, j + 1, upper[j] == HUGE_VAL ? GLP_LO : lower[j] == upper[j] ? GLP_FX : GLP_DB, lower[j],
                         upper[j]);
    glp_smcp simplex;
    glp_init_smcp(&simplex);
    simplex.msg_lev = GLP_MSG_OFF;
    glp_exact(lp, &simplex);
    const std::pair<bool, double> optimum{glp_get_status(lp) == GLP_OPT, glp_get_obj_val(lp)};
    glp_delete_prob(lp);
    glp_term_out(GLP_ON);
    return optimum;
}

// Where the exact replay of a course disagrees with its decimals; empty
// where it agrees table by table.
QString replayDisagreement(const Course &course)
{
    ReplayFailure failure;
    const std::optional<ExactCourse> exact = replayExactly(course, &failure);
    if (!exact || exact->tables.size() != course.tables.size())
        return QStringLiteral("no whole replay");
    for (int t = 0; t < int(course.tables.size()); ++t)
        for (int c = 0; c < int(course.tables[t].cells.size()); ++c)
            if (!nearlyEqual(course.tables[t].cells[c], nearestDouble(exact->tables[t][c])))
                return QStringLiteral("table %1").arg(t);
    return QString();
}

// Whether node k of a course came where depth-first order puts it with the
// ending its numbers call for: the `<=` child right after its parent, the
// `>=` child after the whole subtree of its sibling; a record only when
// whole and better, a closed branch only when no better, both decided in
// exact arithmetic, and the variable branched on the one exact fractional
// parts call for (ties too).
QString nodeDisagreement(const Course &course, const ExactCourse &exact, int k, int record)
{
    const Course::Node &node = course.nodes[k];
    const Tableau &last = course.tables[node.lastTable];
    if (k > 0) {
        const Course::Change &bound = course.changes[node.change];
        const Course::Node &parent = course.nodes[node.parent];
        if (parent.end != Course::Node::Branched || bound.variable != parent.variable)
            return QStringLiteral("node %1 is no child of a branched node").arg(k);
        const bool first = bound.upper;
        int after = node.parent + 1; // the `>=` child follows the `<=` child's subtree
        if (!first)
            while (after + 1 < k && course.nodes[after + 1].depth > node.depth)
                ++after;
        if (k != (first ? node.parent + 1 : after + 1))
            return QStringLiteral("node %1 out of depth-first order").arg(k);
    }
    auto value = [&](int t) { return exact.at(course, t, course.tables[t].m, course.n); };
    const bool better = record < 0
                        || (course.maximise ? value(node.lastTable) > value(course.nodes[record].lastTable)
                                            : value(node.lastTable) < value(course.nodes[record].lastTable));
    if (node.end == Course::Node::Branched
        && cutSourceRow(last, exact.tables[node.lastTable]) != cutSourceRow(last, last.cells))
        return QStringLiteral("node %1: branched on another variable than fractions would").arg(k);
    switch (node.end) {
    case Course::Node::Record:
        return isWholePoint(last) && better ? QString() : QStringLiteral("node %1: no record").arg(k);
    case Course::Node::NotBetter:
        return !better ? QString() : QStringLiteral("node %1: closed though better").arg(k);
    case Course::Node::Branched:
        return better && !isWholePoint(last) ? QString() : QStringLiteral("node %1: branched needlessly").arg(k);
    default:
        return QString();
    }
}

// The problem's constraints read exactly, row by row, and its right-hand sides.
void exactProblem(const Course &course, std::vector<mpq_class> *a, std::vector<mpq_class> *b)
{
    for (const QString &text : course.constraintTexts)
        a->push_back(*exactFieldValue(text));
    for (const QString &text : course.rightHandTexts)
        b->push_back(*exactFieldValue(text));
}

// Every cut, exactly: whole coefficients; every whole point of the region
// in a box keeps it; the point of the table it was written from breaks it.
QString cutDisagreement(const Course &course, const ExactCourse &exact, int box)
{
    const int n = course.n, m = course.m;
    std::vector<mpq_class> a, b;
    exactProblem(course, &a, &b);
    std::vector<std::vector<mpq_class>> points;
    std::vector<int> x(n, 0);
    while (true) {
        bool feasible = true;
        for (int i = 0; i < m && feasible; ++i) {
            mpq_class sum = 0;
            for (int j = 0; j < n; ++j)
                sum += a[i * n + j] * x[j];
            feasible = sum <= b[i];
        }
        if (feasible)
            points.emplace_back(x.begin(), x.end());
        int j = 0;
        while (j < n && ++x[j] > box)
            x[j++] = 0;
        if (j == n)
            break;
    }
    for (int t = 0; t + 1 < int(course.tables.size()); ++t) {
        const PivotChoice &change = course.pivots[t];
        if (change.stage != kChangeStage || !course.changes[change.row].cut)
            continue;
        const std::vector<mpq_class> &form = exact.cutForms[change.row];
        for (int j = 0; j <= n; ++j)
            if (form[j].get_den() != 1)
                return QStringLiteral("cut %1 has a coefficient %2").arg(change.row).arg(fractionText(form[j]));
        auto lhs = [&](auto point) {
            mpq_class sum = 0;
            for (int j = 0; j < n; ++j)
                sum += form[j] * point[j];
            return sum;
        };
        for (const std::vector<mpq_class> &p : points)
            if (lhs(p) > form[n])
                return QStringLiteral("cut %1 cuts off a whole point").arg(change.row);
        const std::vector<mpq_class> before = basicPoint(course.tables[t].rows, course.tables[t].m, n,
                                                         [&](int i) { return exact.at(course, t, i, n); });
        if (!(lhs(before) > form[n]))
            return QStringLiteral("cut %1 keeps the point it was written from").arg(change.row);
    }
    return QString();
}

} // namespace

class IntegerTest : public QObject
{
    Q_OBJECT

private slots:
    void agreesWithGlpk();
    void branchesAgreeWithGlpk();
    void textbookExampleThroughTheWindow();
    void branchesThroughTheWindow();
    void integerFiles();
};

// Generated problems with whole constraint data, bounded and not, feasible
// and not: the verdict and value equal GLPK's integer optimum; every cut is
// valid and cuts; the exact replay agrees with the decimal course.
void IntegerTest::agreesWithGlpk()
{
    Uniform uniform(31);
    int optima = 0, none = 0, cuts = 0, stopped = 0;
    for (int k = 0; k < repetitions(400); ++k) {
        const ProblemTexts p = randomIntegerProblem(uniform);
        const Course course = solveCourse(p);
        const IntegerReference ref = solveWithGlpk(p);
        const QString name = QStringLiteral("problem %1: %2 | %3 | %4").arg(k).arg(p.objective.join(' '),
                                 p.constraints.join(' '), p.rightHands.join(' '));
        const Tableau &last = course.tables.back();
        switch (course.ending) {
        case Course::Ending::Optimum:
        case Course::Ending::IntegerOptimum:
            QVERIFY2(ref.lpOptimal && ref.mipStatus == GLP_OPT, qPrintable(name));
            QVERIFY2(isWholePoint(last), qPrintable(name));
            QVERIFY2(nearlyEqual(last.at(last.m, last.n), ref.value),
                     qPrintable(name + QStringLiteral(": %1, GLPK %2").arg(last.at(last.m, last.n)).arg(ref.value)));
            ++optima;
            break;
        case Course::Ending::NoInteger:
            QVERIFY2(ref.lpOptimal && ref.mipStatus == GLP_NOFEAS, qPrintable(name));
            ++none;
            break;
        case Course::Ending::NoPivotRow:
        case Course::Ending::NoCandidate:
            QVERIFY2(!ref.lpOptimal, qPrintable(name));
            break;
        default: // the limit of cuts or of pivots
            ++stopped;
        }
        cuts += course.cutCount();
        ReplayFailure failure;
        const std::optional<ExactCourse> exact = replayExactly(course, &failure);
        QVERIFY2(exact, qPrintable(name));
        QCOMPARE(exact->tables.size(), course.tables.size());
        for (int t = 0; t < int(course.tables.size()); ++t)
            for (int c = 0; c < int(course.tables[t].cells.size()); ++c)
                QVERIFY2(nearlyEqual(course.tables[t].cells[c], nearestDouble(exact->tables[t][c])),
                         qPrintable(name + QStringLiteral(": table %1").arg(t)));
        const QString invalid = cutDisagreement(course, *exact, p.n == 2 ? 30 : 12);
        QVERIFY2(invalid.isEmpty(), qPrintable(name + QStringLiteral(": ") + invalid));
    }
    qInfo("%d integer optima, %d without whole points, %d cuts, %d stopped by a limit", optima, none, cuts, stopped);
    QVERIFY(optima >= repetitions(400) / 4 && cuts >= repetitions(400) / 4 && none >= repetitions(400) / 100);
    QVERIFY(stopped <= repetitions(400) / 50);
}

// The same problems by branch and bound: the verdict and value equal GLPK's
// integer optimum and the cuts' where both end; every node's F is the
// optimum of the problem with its bounds; the nodes come depth first with
// the endings their numbers call for; the exact replay agrees.
void IntegerTest::branchesAgreeWithGlpk()
{
    Uniform uniform(37);
    int optima = 0, none = 0, nodes = 0, stopped = 0;
    // First a tie only rounding tells apart: x0 = 2/3 in the upper row,
    // x1 = 5/3 below it, equal fractional parts; the upper is taken.
    const ProblemTexts tie{true, 2, 2, {"1", "1"}, {"1", "2", "2", "1"}, {"4", "3"}, true};
    for (int k = 0; k < repetitions(300); ++k) {
        ProblemTexts p = k == 0 ? tie : randomIntegerProblem(uniform);
        const Course cut = solveCourse(p);
        p.integer = false;
        Course course = solveCourse(p);
        if (!branchesUnavailable(course).isEmpty())
            continue;
        continueWithBranches(course);
        const IntegerReference ref = solveWithGlpk(p);
        const QString name = QStringLiteral("problem %1: %2 | %3 | %4").arg(k).arg(p.objective.join(' '),
                                 p.constraints.join(' '), p.rightHands.join(' '));
        const Tableau &last = course.tables[course.nodes[std::max(course.record, 0)].lastTable];
        const double value = last.at(last.m, last.n);
        if (course.ending == Course::Ending::IntegerOptimum) {
            QVERIFY2(ref.mipStatus == GLP_OPT && isWholePoint(last) && nearlyEqual(value, ref.value),
                     qPrintable(name + QStringLiteral(": %1, GLPK %2").arg(value).arg(ref.value)));
            QVERIFY2(cut.ending != Course::Ending::IntegerOptimum || nearlyEqual(cut.tables.back().at(cut.tables.back().m, last.n), value),
                     qPrintable(name));
            ++optima;
        } else if (course.ending == Course::Ending::NoInteger) {
            QVERIFY2(ref.mipStatus == GLP_NOFEAS && cut.ending != Course::Ending::IntegerOptimum, qPrintable(name));
            ++none;
        } else {
            ++stopped;
        }
        const QString replay = replayDisagreement(course);
        QVERIFY2(replay.isEmpty(), qPrintable(name + QStringLiteral(": ") + replay));
        ReplayFailure failure;
        const std::optional<ExactCourse> exact = replayExactly(course, &failure);
        int record = -1;
        for (int n = 0; n < int(course.nodes.size()); ++n) {
            const Course::Node &node = course.nodes[n];
            if (node.end == Course::Node::Stopped)
                break;
            const std::pair<bool, double> relaxation = nodeOptimum(p, course, n);
            const Tableau &t = course.tables[node.lastTable];
            QVERIFY2(relaxation.first == (node.end != Course::Node::NoSolution)
                         && (!relaxation.first || nearlyEqual(t.at(t.m, t.n), relaxation.second)),
                     qPrintable(name + QStringLiteral(": node %1").arg(n)));
            const QString order = nodeDisagreement(course, *exact, n, record);
            QVERIFY2(order.isEmpty(), qPrintable(name + QStringLiteral(": ") + order));
            record = node.end == Course::Node::Record ? n : record;
        }
        nodes += int(course.nodes.size()) - 1;
    }
    qInfo("%d integer optima, %d without whole points, %d nodes, %d stopped by a limit", optima, none, nodes, stopped);
    QVERIFY(optima >= repetitions(300) / 5 && none >= 1 && nodes >= repetitions(300));
    QVERIFY(stopped <= repetitions(300) / 50);
}

// Maximise 28·x0 + 11·x1 subject to 14·x0 + 6·x1 <= 25, in whole numbers:
// the optimum 50 at x0 = 25/14, then the cuts to 44 at (0, 4), in fractions,
// on the plane, in practice; ranging and "Что если…" are for the problem
// without cuts.
void IntegerTest::textbookExampleThroughTheWindow()
{
    Widget w;
    w.show();
    auto *menu = new MainMenu(w);
    const Problem textbook{true, {28, 11}, {{14, 6}}, {25}};
    // Without "Целочисленная задача" the report stops at the optimum, and
    // "Целые значения" goes on from there.
    solve(w, textbook);
    QCOMPARE(reportItems(w).mid(reportItems(w).size() - 4, 3),
             QStringList({reportline::optimum, "достигается в точке - (1.78571 0 )", "значение функции 50"}));
    QAction *integer = reportAction(w, "actionInteger");
    QVERIFY(integer->isEnabled() && integer->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_I));
    integer->trigger();
    QVERIFY(!integer->isEnabled() && integer->toolTip().contains(QStringLiteral("Отсечения уже сделаны")));
    const QStringList decimals = reportItems(w);
    closeReport(w);
    menu->setInteger(true);
    solve(w, textbook);
    QCOMPARE(reportItems(w), decimals); // goes on by itself
    reportAction(w, "actionFractions")->trigger();
    const QStringList items = reportItems(w);
    const int search = items.indexOf(QStringLiteral("Ищем целочисленное решение"));
    QVERIFY(search > 0);
    QCOMPARE(items.mid(search - 3, 5),
             QStringList({reportline::optimum, "достигается в точке - (25/14 0 )", "значение функции 50",
                          "Ищем целочисленное решение", "Отсечение S1 по строке X0: 3/7·X1 + 1/14·Y0 >= 11/14"}));
    QCOMPARE(items[search + 2], QStringLiteral("table -X1 -Y0 L / X0 3/7 1/14 25/14 / S1 -3/7 -1/14 -11/14 / Z 1 2 50"));
    QCOMPARE(items.mid(items.size() - 4),
             QStringList({"Целочисленное оптимальное решение", "достигается в точке - (0 4 )", "значение функции 44",
                          reportline::ok}));
    for (const char *name : {"actionRanging", "actionWhatIf"}) {
        QVERIFY(!reportAction(w, name)->isEnabled());
        QVERIFY(reportAction(w, name)->toolTip().contains(QStringLiteral("без отсечений")));
    }
    // The explanations give the cut in x.
    reportAction(w, "actionExplain")->trigger();
    QVERIFY(explanationTexts(w).join('\n').contains(QStringLiteral("в переменных x (переменные Y и прежних отсечений "
                                                                   "заменены их ограничениями): x0 <= 1")));
    reportAction(w, "actionExplain")->trigger();
    // On the plane: the cuts x0 <= 1 and 3·x0 + x1 <= 4 dashed, the whole
    // points of the region, the integer optimum ringed.
    const Course &course = w.formArea->findChild<ReportViews *>()->course();
    const std::vector<HalfPlane> cuts = cutsOf(course);
    QCOMPARE(int(cuts.size()), 2);
    QVERIFY(std::abs(cuts[0].a0 - 1) < 1e-9 && std::abs(cuts[0].a1) < 1e-9 && std::abs(cuts[0].b - 1) < 1e-9);
    QVERIFY(std::abs(cuts[1].a0 - 3) < 1e-9 && std::abs(cuts[1].a1 - 1) < 1e-9 && std::abs(cuts[1].b - 4) < 1e-9);
    const std::vector<QPoint> whole = wholePoints(QRectF(-1, -1, 10, 10), halfPlanesOf(course));
    QCOMPARE(int(whole.size()), 7); // (0, 0) … (0, 4), (1, 0) and (1, 1)
    QVERIFY(std::count(whole.begin(), whole.end(), QPoint(0, 4)) == 1 && !std::count(whole.begin(), whole.end(), QPoint(2, 0)));
    reportAction(w, "actionPlane")->trigger();
    QWidget *plane = w.formArea->findChild<ReportViews *>()->planeWindow();
    QVERIFY(plane->findChild<QLabel *>(QStringLiteral("planeCaption"))->text().startsWith(
        QStringLiteral("Целочисленное оптимальное решение достигается в точке - (0 4 ), значение функции 44\n")));
    QCoreApplication::processEvents();
    const QImage picture = plane->grab().toImage();
    const QPointF optimum = planePointInWindow(plane, {0, 4});
    QCOMPARE(QColor(picture.pixel((optimum * picture.devicePixelRatio()).toPoint())), QColor(215, 60, 40));
    // Practice: the row to cut by is a decision; any cell of it is right.
    const std::vector<PracticeStep> steps = practiceSteps(course);
    const auto cutStep = std::find_if(steps.begin(), steps.end(), [](const PracticeStep &s) { return s.answer == PracticeStep::CutRow; });
    QVERIFY(cutStep != steps.end() && cutStep->source == 0);
    const CourseView view(course);
    QVERIFY(judgePractice(view, *cutStep, {PracticeChoice::Cell, 0, 2}).right);
    QCOMPARE(judgePractice(view, *cutStep, {PracticeChoice::Cell, 1, 0}).words,
             QStringLiteral("Неверно. Отсечение пишется по строке переменной x, а не по строке Z."));
    QVERIFY(judgePractice(view, *cutStep, {PracticeChoice::Optimum}).words.startsWith(
        QStringLiteral("Неверно. Точка ещё не целая (X0 = 1.78571)")));
    reportAction(w, "actionPractice")->trigger();
    QVERIFY(reportAction(w, "actionPractice")->isChecked());
    closeReport(w);
    // Fractional constraint data: the action names the field.
    menu->setInteger(false);
    solve(w, Problem{true, {0, 1}, {{0.5, 2}}, {2.5}});
    QVERIFY(!reportAction(w, "actionInteger")->isEnabled());
    QVERIFY2(reportAction(w, "actionInteger")->toolTip().contains(QStringLiteral("«Ограничение 0: коэффициент при x0» — 0.5")),
             qPrintable(reportAction(w, "actionInteger")->toolTip()));
    closeReport(w);
}

// The textbook example by branch and bound through the window: in
// fractions, as a tree, on the plane and in practice; the cuts, ranging and
// "Что если…" are for the problem without branches.
void IntegerTest::branchesThroughTheWindow()
{
    Widget w;
    w.show();
    const Problem textbook{true, {28, 11}, {{14, 6}}, {25}};
    solve(w, textbook);
    QAction *branch = reportAction(w, "actionBranch");
    QVERIFY(branch->isEnabled() && branch->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_B));
    auto *problemMenu = w.formArea->findChild<QToolButton *>(QStringLiteral("reportProblemMenu"));
    QVERIFY(problemMenu && problemMenu->menu()->actions().contains(branch));
    branch->trigger();
    QVERIFY(!branch->isEnabled() && branch->toolTip().contains(QStringLiteral("уже построены")));
    QVERIFY(reportAction(w, "actionInteger")->toolTip().contains(QStringLiteral("методом ветвей и границ")));
    for (const char *name : {"actionRanging", "actionWhatIf"})
        QVERIFY(!reportAction(w, name)->isEnabled() && reportAction(w, name)->toolTip().contains(QStringLiteral("без ветвей")));
    reportAction(w, "actionFractions")->setChecked(true); // whatever an earlier report chose
    const QStringList items = reportItems(w);
    const int first = items.indexOf(QStringLiteral("Узел 1 (из узла 0): x0 <= 1"));
    QVERIFY(first > 0);
    QCOMPARE(items.mid(first - 2, 4),
             QStringList({"Ищем целочисленное решение методом ветвей и границ",
                          "Узел 0: F = 50, x = (25/14 0) — ветвим по x0", "Узел 1 (из узла 0): x0 <= 1",
                          "table -X1 -Y0 L / X0 3/7 1/14 25/14 / B1 -3/7 -1/14 -11/14 / Z 1 2 50"}));
    for (const QString &line : {QStringLiteral("Узел 3 (из узла 1): x1 >= 2"), QStringLiteral("Узел 5: F = 44, x = (0 4) — целое, новый рекорд"),
                                QStringLiteral("Узел 8: нет решений — ветвь закрыта")})
        QVERIFY2(items.contains(line), qPrintable(line));
    QCOMPARE(items.mid(items.indexOf(QStringLiteral("Целочисленное оптимальное решение")), 3),
             QStringList({"Целочисленное оптимальное решение", "достигается в точке - (0 4 )", "значение функции 44"}));
    QCOMPARE(items.last(), reportline::ok);
    // The tree: its outline in the copy, its drawing on the page.
    auto *views = w.formArea->findChild<ReportViews *>();
    const QString copy = views->shownCopy().text;
    QVERIFY(copy.contains(QStringLiteral("Дерево ветвей и границ\nУзел 0: F = 50, x = (25/14 0) — ветвим по x0\n"
                                         "    Узел 1 (x0 <= 1): F = 289/6, x = (1 11/6) — ветвим по x1\n")));
    QVERIFY(copy.contains(QStringLiteral("\n                Узел 5 (x1 <= 4): F = 44, x = (0 4) — целое, новый рекорд ← оптимум\n")));
    auto *tree = w.formArea->findChild<TreeView *>(QStringLiteral("branchTree"));
    QVERIFY(tree && tree->isVisible() && tree->tree().size() == 9 && tree->tree()[5].record);
    // On the plane: eight bounds, the nodes' points, the integer optimum (0, 4) ringed.
    const Course course = views->course(); // kept after the report closes
    QCOMPARE(int(branchBoundsOf(course).size()), 8);
    const std::vector<NodePoint> nodes = nodePointsOf(course);
    QVERIFY(std::count_if(nodes.begin(), nodes.end(), [](const NodePoint &p) { return p.optimum && p.point == QPointF(0, 4); }) == 1);
    reportAction(w, "actionPlane")->trigger();
    QWidget *plane = views->planeWindow();
    QVERIFY(plane->findChild<QLabel *>(QStringLiteral("planeCaption"))->text().startsWith(
        QStringLiteral("Целочисленное оптимальное решение достигается в точке - (0 4 ), значение функции 44\n")));
    // Practice: the variable to branch on is a decision; any cell of its row is right.
    const std::vector<PracticeStep> steps = practiceSteps(course);
    const auto branchStep = std::find_if(steps.begin(), steps.end(), [](const PracticeStep &s) { return s.answer == PracticeStep::BranchRow; });
    QVERIFY(branchStep != steps.end() && branchStep->source == 0);
    const CourseView view(course);
    QVERIFY(judgePractice(view, *branchStep, {PracticeChoice::Cell, 0, 1}).right);
    QCOMPARE(judgePractice(view, *branchStep, {PracticeChoice::Cell, 1, 0}).words,
             QStringLiteral("Неверно. Ветвят по переменной строки x, а не по строке Z."));
    QCOMPARE(int(std::count_if(steps.begin(), steps.end(), [](const PracticeStep &s) { return s.answer == PracticeStep::BranchRow; })), 4);
    reportAction(w, "actionPractice")->trigger();
    QVERIFY(reportAction(w, "actionPractice")->isChecked());
    closeReport(w);
    // Played through right at every step, the plane drawn at each: the
    // nodes shown so far, to the end.
    ReportState practice;
    practice.course = course;
    practice.practice = true;
    ReportModel model(practice);
    for (const PracticeStep &step : steps) {
        const PracticeChoice::Kind ending = step.answer == PracticeStep::Bound        ? PracticeChoice::Bound
                                            : step.answer == PracticeStep::Optimum    ? PracticeChoice::Optimum
                                            : step.answer == PracticeStep::NoSolution ? PracticeChoice::NoSolution
                                                                                      : PracticeChoice::Cell;
        const PracticeChoice right = step.answer == PracticeStep::Pivot
                                         ? PracticeChoice{PracticeChoice::Cell, course.pivots[step.pivot].row, course.pivots[step.pivot].column}
                                         : PracticeChoice{ending, step.source, 0};
        model.practise(practiceEvent(PracticeEvent::Choose, right));
        QImage picture(300, 240, QImage::Format_RGB32);
        QPainter painter(&picture);
        paintPlane(painter, picture.rect(), model.shownCourse());
    }
    QVERIFY(model.progress().done() && model.progress().rightAtFirstTry == int(steps.size()));
    // An integer problem goes on by cuts by itself; the report can switch
    // to branches, the same report as above. Asked to go on by branches
    // (--branch), it does so by itself.
    ReportViews::integerProblem = true;
    solve(w, textbook);
    QVERIFY(w.formArea->findChild<ReportViews *>()->course().cutCount() > 0);
    reportAction(w, "actionBranch")->trigger();
    QCOMPARE(reportItems(w), items);
    QVERIFY(!reportAction(w, "actionInteger")->isEnabled() && !reportAction(w, "actionBranch")->isEnabled());
    closeReport(w);
    ReportViews::branchChosen = true;
    solve(w, textbook);
    QCOMPARE(reportItems(w), items);
    closeReport(w);
    ReportViews::integerProblem = ReportViews::branchChosen = false;
}

// An integer problem as a file: "general" naming every variable is read as
// one, the main window saves it with its "general" section, and GLPK reads
// that file as the same integer problem.
void IntegerTest::integerFiles()
{
    QTemporaryDir folder;
    Widget w;
    auto *menu = new MainMenu(w);
    const QString path = folder.filePath(QStringLiteral("textbook.lp"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("maximize\n 28 x0 + 11 x1\nsubject to\n 14 x0 + 6 x1 <= 25\ngeneral\n x0 x1\nend\n");
    file.close();
    QVERIFY(menu->open(path));
    QVERIFY(menu->problem().integer && ReportViews::integerProblem);
    const QString saved = folder.filePath(QStringLiteral("saved.lp"));
    QString error;
    QVERIFY2(saveProblemFile(w, saved, &error, menu->problem().integer), qPrintable(error));
    QFile written(saved);
    QVERIFY(written.open(QIODevice::ReadOnly));
    const QByteArray text = written.readAll();
    QVERIFY(text.contains("\ngeneral\n x0 x1\nend\n"));
    LpError refusal;
    QVERIFY(readLpProblem(text, &refusal)->integer);
    glp_term_out(GLP_OFF);
    glp_prob *lp = glp_create_prob();
    QCOMPARE(glp_read_lp(lp, nullptr, QFile::encodeName(saved).constData()), 0);
    QCOMPARE(glp_get_num_int(lp), 2);
    glp_iocp mip;
    glp_init_iocp(&mip);
    mip.presolve = GLP_ON;
    mip.msg_lev = GLP_MSG_OFF;
    QCOMPARE(glp_intopt(lp, &mip), 0);
    QCOMPARE(glp_mip_obj_val(lp), 44.0);
    glp_delete_prob(lp);
    glp_term_out(GLP_ON);
    // A form without "Целочисленная задача" is saved without the section.
    menu->setInteger(false);
    QVERIFY(saveProblemFile(w, saved, &error, menu->problem().integer));
    QFile plain(saved);
    QVERIFY(plain.open(QIODevice::ReadOnly));
    QVERIFY(!plain.readAll().contains("general"));
    ReportViews::integerProblem = false;
}

QTEST_MAIN(IntegerTest)
#include "tst_integer.moc"
