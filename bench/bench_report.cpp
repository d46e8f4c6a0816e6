// SPDX-License-Identifier: GPL-3.0-or-later
// Times what a user waits for, headless on the offscreen platform: from the
// click on "Вывести решение" until the report window is shown and painted
// once, the start-up of the main window, and the peak resident memory of a
// run that makes the longest report. Every figure is the median of several
// repetitions; child processes give the first solve and the start-up.
#include "reportdriver.h"
#include "documents/variantfiles.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <cstdio>
#include <vector>

namespace {

struct NamedProblem {
    const char *name;
    Problem problem;
};

const NamedProblem kProblems[] = {
    {"2x2 worked example", workedExample()},
    {"4x8 with an optimum", {true, {3, 2, 4, 1},
     {{1, 1, 2, 1}, {2, 0, 1, 3}, {1, 3, 0, 2}, {-1, 1, 1, 0}, {2, 1, -1, 1}, {0, 2, 1, 1}, {1, -1, 2, 2}, {3, 1, 1, -1}},
     {10, 12, 15, -1, 8, 9, 11, 14}}},
    {"4x8 cycling (101 tables)", {false, {0, -1, 0, 0},
     {{-1, 2, 3, -1}, {1, -2, -1, -2}, {2, -2, 3, 1}, {-2, -2, -3, -3}, {3, -1, 2, 1}, {-3, 1, 2, 2}, {1, -3, 1, 2}, {1, -2, 1, 1}},
     {0, 0, 0, 5, 0, 2, 1, 0}}},
};

// A 4 x 8 integer problem whose branch and bound stops at its limit of 50 nodes.
const NamedProblem kFiftyNodes{"4x8 branch and bound, 50 nodes", {true, {9, 12, 18, 13},
    {{7, 2, 10, 2}, {15, 11, 5, 15}, {8, 8, 4, 12}, {11, 3, 14, 5}, {11, 8, 7, 14}, {3, 13, 12, 5}, {6, 8, 5, 4}, {4, 7, 6, 5}},
    {45, 48, 71, 45, 89, 35, 87, 75}}};

// Counts paint events of the report page.
class PaintWatch : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// Milliseconds from the click until the report has been painted once.
double timeSolve(Widget &w)
{
    PaintWatch watch;
    QElapsedTimer clock;
    clock.start();
    click(w, "pushButton_2");
    w.Form->installEventFilter(&watch);
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    const double ms = clock.nsecsElapsed() / 1e6;
    w.Form->removeEventFilter(&watch);
    return ms;
}

// Milliseconds from triggering one of the report's actions until `painted`
// (the page, or the window the action opens) has been painted once.
double timeAction(QAction *action, const std::function<QWidget *()> &painted)
{
    PaintWatch watch;
    QElapsedTimer clock;
    clock.start();
    action->trigger();
    QWidget *target = painted();
    target->installEventFilter(&watch);
    target->update();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    const double ms = clock.nsecsElapsed() / 1e6;
    target->removeEventFilter(&watch);
    return ms;
}

// One solve, from the click until the report is painted, under a name of its
// own: bench/count-instructions.sh has callgrind count inside it only.
Q_NEVER_INLINE void countedSolve(Widget &w)
{
    timeSolve(w);
}

// One of the report's actions triggered twice (a view switched on and off
// again), until the page is painted after each, under a name of its own for
// callgrind.
Q_NEVER_INLINE void countedToggle(QAction *action, QWidget *page)
{
    for (int k = 0; k < 2; ++k)
        timeAction(action, [page] { return page; });
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

long peakRssKb()
{
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// The main window exactly as the entry function starts it.
void showMainWindow(Widget &w)
{
    w.setWindowTitle(QStringLiteral("Двойственный симплекс-метод"));
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        qFatal("main window not exposed");
}

// Child modes: "startup" prints when the main window is shown; "first K"
// prints the first solve of problem K and the peak RSS after it; "loop K N"
// solves problem K N times, for a profiler; "count K N" does the same with
// each solve in countedSolve, after one solve that warms up; "toggle K N
// ACTION" switches one of the report's actions on and off N times in
// countedToggle.
int child(int argc, char **argv)
{
    QApplication a(argc, argv);
    Widget w;
    if (qstrcmp(argv[1], "startup") == 0) {
        // As the entry function does; "shown" once the event loop runs, as
        // the probe preloaded into the program says it.
        w.setWindowTitle(QStringLiteral("Двойственный симплекс-метод"));
        w.show();
        QTimer::singleShot(0, [] {
            std::puts("shown");
            std::fflush(stdout);
            std::_Exit(0);
        });
        return a.exec();
    }
    showMainWindow(w);
    const NamedProblem &p = kProblems[atoi(argv[2])];
    fillForm(w, p.problem);
    if (qstrcmp(argv[1], "loop") == 0) { // for a profiler: argv[3] solves
        for (int r = atoi(argv[3]); r > 0; --r) {
            timeSolve(w);
            closeReport(w);
        }
        return 0;
    }
    if (qstrcmp(argv[1], "toggle") == 0) { // argv[4]: the action, argv[3] times on and off
        timeSolve(w);
        auto *action = w.formArea->findChild<QAction *>(QLatin1String(argv[4]));
        countedToggle(action, w.Form); // warm-up
        for (int r = atoi(argv[3]); r > 0; --r)
            countedToggle(action, w.Form);
        closeReport(w);
        return 0;
    }
    if (qstrcmp(argv[1], "count") == 0) {
        timeSolve(w);
        closeReport(w);
        for (int r = atoi(argv[3]); r > 0; --r) {
            countedSolve(w);
            closeReport(w);
        }
        return 0;
    }
    const double ms = timeSolve(w);
    std::printf("%.3f %ld\n", ms, peakRssKb());
    closeReport(w);
    return 0;
}

QString selfPath;

// Runs a child and returns the words of its first line of output.
QStringList runChild(const QString &program, const QStringList &args, double *msToFirstLine = nullptr,
                     const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    p.start(program, args);
    p.waitForReadyRead(10000);
    const QString line = QString::fromLatin1(p.readLine()).trimmed();
    if (msToFirstLine)
        *msToFirstLine = clock.nsecsElapsed() / 1e6;
    p.waitForFinished(10000);
    return line.split(QLatin1Char(' '));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    selfPath = QString::fromLocal8Bit(argv[0]);
    if (argc > 1)
        return child(argc, argv);

    const int reps = 15, childReps = 7;
    std::printf("%-28s %14s %14s\n", "report", "repeated (ms)", "first (ms)");
    long cyclingPeakKb = 0;
    {
        QApplication a(argc, argv);
        Widget w;
        showMainWindow(w);
        for (int k = 0; k < 3; ++k) {
            const NamedProblem &p = kProblems[k];
            fillForm(w, p.problem);
            timeSolve(w); // warm-up
            closeReport(w);
            std::vector<double> repeated, first;
            for (int r = 0; r < reps; ++r) {
                repeated.push_back(timeSolve(w));
                closeReport(w);
            }
            for (int r = 0; r < childReps; ++r) {
                const QStringList out = runChild(selfPath, {"first", QString::number(k)});
                first.push_back(out.value(0).toDouble());
                if (k == 2)
                    cyclingPeakKb = std::max(cyclingPeakKb, out.value(1).toLong());
            }
            std::printf("%-28s %14.2f %14.2f\n", p.name, median(repeated), median(first));
        }
        // The views of a report: switching them on and off on the longest
        // report, against building it; opening the plane view.
        std::vector<double> build, fractionsOn, fractionsOff, explainOn, explainOff, plane;
        fillForm(w, kProblems[2].problem);
        for (int r = 0; r < reps; ++r) {
            build.push_back(timeSolve(w));
            auto action = [&w](const char *name) { return w.formArea->findChild<QAction *>(QLatin1String(name)); };
            auto page = [&w] { return static_cast<QWidget *>(w.Form); };
            fractionsOn.push_back(timeAction(action("actionFractions"), page));
            fractionsOff.push_back(timeAction(action("actionFractions"), page));
            explainOn.push_back(timeAction(action("actionExplain"), page));
            explainOff.push_back(timeAction(action("actionExplain"), page));
            closeReport(w);
        }
        fillForm(w, kProblems[0].problem);
        for (int r = 0; r < reps; ++r) {
            timeSolve(w);
            auto *views = w.formArea->findChild<QAction *>(QStringLiteral("actionPlane"));
            plane.push_back(timeAction(views, [&w] {
                return w.formArea->findChild<QWidget *>(QStringLiteral("planeView"));
            }));
            closeReport(w);
        }
        std::printf("cycling report built in %.2f ms; fractions on %.2f ms, off %.2f ms; "
                    "explanations on %.2f ms, off %.2f ms\n",
                    median(build), median(fractionsOn), median(fractionsOff), median(explainOn), median(explainOff));
        std::printf("plane view of the worked example, from the click until painted: %.2f ms\n", median(plane));
        // Branch and bound to its limit of nodes: from "Ветви и границы"
        // until the page with every node and the tree is painted.
        std::vector<double> branches;
        fillForm(w, kFiftyNodes.problem);
        for (int r = 0; r < reps; ++r) {
            timeSolve(w);
            branches.push_back(timeAction(w.formArea->findChild<QAction *>(QStringLiteral("actionBranch")),
                                          [&w] { return static_cast<QWidget *>(w.Form); }));
            closeReport(w);
        }
        std::printf("%s, from the click until painted: %.2f ms\n", kFiftyNodes.name, median(branches));
        {
            // A group's variants: thirty 3 x 4 problems with their files and key.
            std::vector<double> group;
            QTemporaryDir folder;
            for (int r = 0; r < 5; ++r) {
                QElapsedTimer clock;
                clock.start();
                const VariantRequest request{30, 3, 4, VariantKind::Optimum, quint64(r + 1)};
                QString error;
                if (!writeVariantFiles(folder.path(), request, generateVariants(request), &error))
                    qFatal("%s", qPrintable(error));
                group.push_back(clock.nsecsElapsed() / 1e6);
            }
            std::printf("thirty 3 x 4 variants with their files and key: %.1f ms\n", median(group));
        }
    }
    std::vector<double> startup, realStartup;
    QProcessEnvironment probe = QProcessEnvironment::systemEnvironment();
    probe.insert("LD_PRELOAD", STARTUP_PROBE);
    for (int r = 0; r < childReps * 2; ++r) {
        double ms = 0;
        runChild(selfPath, {"startup"}, &ms);
        startup.push_back(ms);
        runChild(PROGRAM, {}, &ms, probe);
        realStartup.push_back(ms);
    }
    std::printf("start-up, process start to main window shown: %.2f ms (benchmark entry), "
                "%.2f ms (the program)\n", median(startup), median(realStartup));
    std::printf("peak RSS of a run that makes the cycling report: %.1f MB\n", cyclingPeakKb / 1024.0);
    return 0;
}
