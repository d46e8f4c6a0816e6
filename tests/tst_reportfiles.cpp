// SPDX-License-Identifier: GPL-3.0-or-later
// The report as files: the text file is the copy, the HTML file the copy's
// HTML with the picture, the PDF holds every table whole on a page in order
// (read back with pdftotext), the LaTeX compiles with pdflatex; the same
// files from the command line, and the escaping of LaTeX's special signs.
#include "reportdriver.h"

#include "method/branches.h"

#include "mainwindow/problemfile.h"
#include "documents/reportfiles.h"
#include "files/reportlatex.h"
#include "documents/reportpages.h"
#include "state/reportstate.h"
#include "reportwindow/reportview.h"

#include <QBuffer>
#include <QClipboard>
#include <QPdfWriter>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// Far more than the tools need, so that a busy machine never fails the test.
constexpr int kPatience = 300000;

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs a tool of the test's set-up; its standard output.
QByteArray run(const QString &tool, const QStringList &arguments, const QString &folder = QString(), int *status = nullptr)
{
    const QString path = QStandardPaths::findExecutable(tool);
    if (path.isEmpty())
        qFatal("%s is not installed (the test command installs it)", qPrintable(tool));
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(path, arguments);
    if (!process.waitForFinished(kPatience))
        qFatal("%s did not finish", qPrintable(tool));
    if (status)
        *status = process.exitCode();
    return process.readAllStandardOutput();
}

QString collapsed(const QString &line)
{
    return line.simplified();
}

// The copy's tables, each as its lines with blanks collapsed.
QList<QStringList> tablesOfCopy(const QString &copy)
{
    QList<QStringList> tables;
    QStringList lines = copy.split('\n');
    for (int k = 0; k < lines.size(); ++k) {
        if (!lines[k].startsWith(QLatin1Char(' ')) || !lines[k].contains(QLatin1Char('L')))
            continue;
        QStringList table{collapsed(lines[k])};
        while (++k < lines.size() && QRegularExpression(QStringLiteral("^[XYZ]\\d*\\s")).match(lines[k]).hasMatch())
            table << collapsed(lines[k]);
        tables << table;
        --k;
    }
    return tables;
}

// The PDF's pages as pdftotext reads them in layout, blanks collapsed.
QList<QStringList> pdfPages(const QString &pdf)
{
    const QString text = QString::fromUtf8(run(QStringLiteral("pdftotext"), {"-layout", pdf, "-"}));
    QList<QStringList> pages;
    for (const QString &page : text.split(QLatin1Char('\f'), Qt::SkipEmptyParts)) {
        QStringList lines;
        for (const QString &line : page.split('\n'))
            if (!line.trimmed().isEmpty())
                lines << collapsed(line);
        if (!lines.isEmpty())
            pages << lines;
    }
    return pages;
}

} // namespace

class ReportFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void filesHoldWhatTheWindowShows_data();
    void filesHoldWhatTheWindowShows();
    void latexEscapes();
    void commandLine();

private:
    QTemporaryDir folder;
};

void ReportFilesTest::filesHoldWhatTheWindowShows_data()
{
    QTest::addColumn<Problem>("problem");
    QTest::addColumn<QString>("state");
    const struct {
        const char *name;
        Problem problem;
    } problems[] = {
        {"worked example", workedExample()},
        {"4 x 8, long fractions",
         {true, {3.71, 2.37, 4.13, 1.97},
          {{1.31, 1.73, 2.97, 1.13}, {2.37, 0.71, 1.33, 3.79}, {1.13, 3.17, 0.31, 2.33}, {-1.73, 1.31, 1.97, 0.13},
           {2.11, 1.97, -1.73, 1.31}, {0.31, 2.71, 1.13, 1.97}, {1.97, -1.31, 2.33, 2.11}, {3.13, 1.11, 1.73, -1.31}},
          {10.31, 12.97, 15.71, -1.31, 8.93, 9.13, 11.37, 14.71}}},
        {"4 x 7 min, tables shrunk in fractions",
         {false, {3.71, 2.37, 4.13, 1.97},
          {{-1.31, -1.73, -2.97, -1.13}, {-2.37, -0.71, -1.33, -3.79}, {-1.13, -3.17, -0.31, -2.33},
           {1.73, -1.31, -1.97, -0.13}, {-2.11, -1.97, 1.73, -1.31}, {-0.31, -2.71, -1.13, -1.97},
           {-1.97, 1.31, -2.33, -2.11}},
          {-10.31, -12.97, -15.71, 1.31, -8.93, -9.13, -11.37}}},
        {"cycling, 101 tables",
         {false, {0, -1, 0, 0},
          {{-1, 2, 3, -1}, {1, -2, -1, -2}, {2, -2, 3, 1}, {-2, -2, -3, -3}, {3, -1, 2, 1}, {-3, 1, 2, 2},
           {1, -3, 1, 2}, {1, -2, 1, 1}},
          {0, 0, 0, 5, 0, 2, 1, 0}}},
    };
    for (const auto &problem : problems)
        for (const char *state : {"default", "fractions, explanations, ranging, dual", "practice record", "what-if"})
            QTest::newRow(qPrintable(QStringLiteral("%1; %2").arg(QLatin1String(problem.name), QLatin1String(state))))
                << problem.problem << QString::fromLatin1(state);
    QTest::newRow("textbook integer; branches, fractions, explanations, dual")
        << Problem{true, {28, 11}, {{14, 6}}, {25}} << QStringLiteral("branches");
}

namespace {

// The report's state for a row of the table: the views on; practice played
// through with a wrong try at every step; or, after an optimum, a
// right-hand side changed and a constraint added, in fractions.
ReportState stateOf(ReportState state, const QString &which)
{
    if (which.startsWith(QLatin1String("fractions")))
        state.fractions = state.explanations = state.ranging = state.dual = true;
    if (which == QLatin1String("branches")) {
        continueWithBranches(state.course);
        state.fractions = state.explanations = state.dual = true;
    }
    if (which == QLatin1String("practice record")) {
        state.practice = true;
        for (const PracticeStep &step : practiceSteps(state.course)) {
            const auto ending = [&step] {
                switch (step.answer) {
                case PracticeStep::Bound:
                    return PracticeChoice::Bound;
                case PracticeStep::Optimum:
                    return PracticeChoice::Optimum;
                case PracticeStep::NoSolution:
                    return PracticeChoice::NoSolution;
                default:
                    return PracticeChoice::Cycled;
                }
            }();
            const PracticeChoice wrong{ending == PracticeChoice::NoSolution ? PracticeChoice::Bound : PracticeChoice::NoSolution, -1, -1};
            const PracticeChoice right = step.answer == PracticeStep::Pivot
                                             ? PracticeChoice{PracticeChoice::Cell, state.course.pivots[step.pivot].row,
                                                              state.course.pivots[step.pivot].column}
                                             : PracticeChoice{ending, -1, -1};
            state.practiceEvents.push_back(practiceEvent(PracticeEvent::Choose, wrong));
            state.practiceEvents.push_back(practiceEvent(PracticeEvent::Choose, right));
        }
    }
    if (which == QLatin1String("what-if") && whatIfUnavailable(state.course).isEmpty()) {
        QString error;
        QStringList coefficients;
        for (int j = 0; j < state.course.n; ++j)
            coefficients << QString::number(j % 2 + 1);
        continueCourse(state.course, WhatIf{0, QStringLiteral("3/2"), {}}, &error);
        if (whatIfUnavailable(state.course).isEmpty())
            continueCourse(state.course, WhatIf{-1, QStringLiteral("2"), coefficients}, &error);
        state.fractions = true;
    }
    return state;
}

// A label as pdftotext gives it from the compiled LaTeX: no blanks, the
// minus sign a hyphen.
QString plain(QString text)
{
    return text.replace(QChar(0x2212), QLatin1Char('-')).remove(QRegularExpression(QStringLiteral("\\s")));
}

} // namespace

// Every format holds what the window shows, in every view and state: the
// text file is the copy and the HTML file its HTML; the PDF holds every
// table whole on a page, in order, and no drawn text is wider than its
// cell; the LaTeX compiles with a clean log and keeps every label.
void ReportFilesTest::filesHoldWhatTheWindowShows()
{
    QFETCH(Problem, problem);
    QFETCH(QString, state);
    Widget w;
    solve(w, problem);
    auto *views = w.formArea->findChild<ReportViews *>();
    const bool optimum = views->course().ending == Course::Ending::Optimum;
    views->setState(stateOf(views->state(), state));
    const ReportCopy copy = views->shownCopy();
    const ReportModel model(views->state());
    const ReportContent content = model.content();
    const bool picture = problem.c.size() == 2;
    QString error;
    for (const char *extension : {"txt", "html", "pdf", "tex"})
        QVERIFY2(views->writeShown(folder.filePath(QStringLiteral("report.") + extension), &error), qPrintable(error));
    if (state == QLatin1String("branches"))
        QVERIFY(copy.text.contains(QStringLiteral("Дерево ветвей и границ\n")) && !content.tree.empty());
    if (state == QLatin1String("practice record"))
        QVERIFY(copy.text.contains(QStringLiteral(": Неверно. ")));
    if (state == QLatin1String("what-if")) // where there is an optimum to change
        QCOMPARE(copy.text.contains(QStringLiteral("Правая часть Y0: ")) && copy.text.contains(QStringLiteral("Новое ограничение")),
                 optimum);

    QCOMPARE(QString::fromUtf8(readAll(folder.filePath("report.txt"))), copy.text);

    // The copy's HTML with a title and, for two variables, the picture.
    QString html = QString::fromUtf8(readAll(folder.filePath("report.html")));
    QVERIFY(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    static const QRegularExpression image(QStringLiteral("<p><img alt=\"[^\"]*\" width=\"600\" height=\"480\" "
                                                         "src=\"data:image/png;base64,([A-Za-z0-9+/=]+)\"></p>\n"));
    const QRegularExpressionMatch embedded = image.match(html);
    QCOMPARE(embedded.hasMatch(), picture);
    if (picture)
        QCOMPARE(QImage::fromData(QByteArray::fromBase64(embedded.captured(1).toLatin1()), "PNG").size(), QSize(600, 480));
    html.remove(image).remove(QRegularExpression(QStringLiteral("<title>[^<]*</title>")));
    QCOMPARE(html, copy.html);

    // The PDF: every page says it is page k of all of them; every table of
    // the copy stands whole on one page, in the copy's order.
    const QList<QStringList> pages = pdfPages(folder.filePath("report.pdf"));
    const QString info = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {folder.filePath("report.pdf")}));
    const int count = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
    QCOMPARE(pages.size(), count);
    for (int k = 0; k < count; ++k)
        QCOMPARE(QString(pages[k].last()).remove(' '), QStringLiteral("%1/%2").arg(k + 1).arg(count));
    const QList<QStringList> tables = tablesOfCopy(copy.text);
    QVERIFY(tables.size() >= 2);
    int page = 0, line = 0;
    for (const QStringList &table : tables) {
        bool found = false;
        for (; page < count && !found; ++page, line = 0) {
            const int at = pages[page].indexOf(table.first(), line);
            if (at >= 0 && pages[page].mid(at, table.size()) == table) {
                found = true;
                line = at + table.size();
                break;
            }
        }
        QVERIFY2(found, qPrintable(table.join(" / ")));
    }
    // No table's text is wider than the room its cell leaves, measured in
    // the font it is drawn in, and no cell reaches past the page.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(reportPageLayout());
    std::vector<DrawnText> drawn;
    paintReportPages(&writer, content, true, &drawn);
    QVERIFY(drawn.size() > 10);
    static const QRegularExpression label(QStringLiteral("^-?[XYZSB]\\d*$|^L$"));
    for (const DrawnText &text : drawn) {
        if (text.text.isEmpty())
            continue;
        const QFontMetricsF metrics(text.font, &writer);
        // A label is drawn whole, on one line, at any scale.
        if (label.match(text.text).hasMatch())
            QVERIFY2(text.rect.height() < 1.5 * metrics.height(), qPrintable(text.text));
        const double width = std::max(metrics.horizontalAdvance(text.text), metrics.boundingRect(text.text).width());
        QVERIFY2(width <= text.room.width() + 0.01 || text.rect.height() > 1.5 * metrics.height(),
                 qPrintable(QStringLiteral("%1: %2 > %3").arg(text.text).arg(width).arg(text.room.width())));
        QVERIFY2(text.room.contains(text.rect.adjusted(0.01, 0.01, -0.01, -0.01)),
                 qPrintable(QStringLiteral("%1: %2,%3 %4x%5 in %6,%7 %8x%9").arg(text.text).arg(text.rect.x()).arg(text.rect.y())
                                .arg(text.rect.width()).arg(text.rect.height()).arg(text.room.x()).arg(text.room.y())
                                .arg(text.room.width()).arg(text.room.height())));
        QVERIFY(text.room.left() >= 0 && text.room.right() <= writer.width());
    }

    // The LaTeX compiles; its log has no text in mathematics, no missing
    // character and no line past the margin; its PDF's text holds every
    // label and every word of the grids, searchable.
    const QString latex = QString::fromUtf8(readAll(folder.filePath("report.tex")));
    // The problem's lines aligned at their relations, F's "=" among them.
    const Course &course = views->course();
    QCOMPARE(latex.count(QStringLiteral(" & = & ")), 1);
    QVERIFY(latex.count(QStringLiteral(" & \\le & ")) >= course.m && latex.count(QStringLiteral(" & \\ge & ")) >= 1);
    int status = -1;
    run(QStringLiteral("pdflatex"), {"-halt-on-error", "-interaction=nonstopmode", "report.tex"}, folder.path(), &status);
    const QString log = QString::fromUtf8(readAll(folder.filePath("report.log")));
    QVERIFY2(status == 0, qPrintable(log.right(2000)));
    for (const char *warning : {"invalid in math mode", "Missing character", "Overfull"})
        QVERIFY2(!log.contains(QLatin1String(warning)), warning);
    const QString compiled = plain(QString::fromUtf8(run(QStringLiteral("pdftotext"), {folder.filePath("report.pdf"), "-"})));
    QStringList labels;
    for (const Tableau &table : views->course().tables)
        labels << table.columns << table.rows;
    for (const TitledGrid &grid : content.grids)
        labels << grid.title << grid.columns << grid.rows;
    labels.removeDuplicates();
    for (const QString &label : labels)
        QVERIFY2(compiled.contains(plain(label)), qPrintable(label));
    // With Debian's cm-super the Cyrillic fonts are vector fonts.
    if (!run(QStringLiteral("kpsewhich"), {"sfrm1095.pfb"}).trimmed().isEmpty()) {
        const QString fonts = QString::fromUtf8(run(QStringLiteral("pdffonts"), {folder.filePath("report.pdf")}));
        QVERIFY2(!fonts.contains(QLatin1String("Type 3")), qPrintable(fonts));
    }
    // and the clipboard gets the body alone.
    reportAction(w, "actionCopyLatex")->trigger();
    const QString body = QGuiApplication::clipboard()->text();
    QVERIFY(!body.contains(QStringLiteral("\\documentclass")) && latex.contains(body));
    closeReport(w);
}

// LaTeX's special signs are escaped in text; labels and numbers become
// mathematics; a document of nothing but them compiles.
void ReportFilesTest::latexEscapes()
{
    const QString awkward = QStringLiteral("a_b {c} 50% $x & #1 ~ ^ \\ < > | · − → ≤ ≥ … «ё» -- x");
    QCOMPARE(latexText(awkward),
             QStringLiteral("a\\_b \\{c\\} 50\\% \\$x \\& \\#1 \\textasciitilde{} \\textasciicircum{} "
                            "\\textbackslash{} $<$ $>$ $|$ $\\cdot$\\allowbreak{} $-$ $\\to$ $\\le$ $\\ge$ \\ldots{} «ё» -{}-{} x"));
    QCOMPARE(latexNumber(QStringLiteral("-3/4")), QStringLiteral("-\\frac{3}{4}"));
    QCOMPARE(latexNumber(QStringLiteral("1e-07")), QStringLiteral("1\\cdot 10^{-7}"));
    QCOMPARE(latexNumber(QStringLiteral("-2.5e+20")), QStringLiteral("-2.5\\cdot 10^{20}"));
    QFile file(folder.filePath(QStringLiteral("escapes.tex")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("\\documentclass{article}\n\\usepackage[T2A]{fontenc}\n\\usepackage[utf8]{inputenc}\n"
                              "\\usepackage[russian]{babel}\n\\usepackage{amsmath}\n\\begin{document}\n%1\n"
                              "\\[%2\\]\n\\end{document}\n")
                   .arg(latexText(awkward), latexNumber(QStringLiteral("-8/5")))
                   .toUtf8());
    file.close();
    int status = -1;
    run(QStringLiteral("pdflatex"), {"-halt-on-error", "-interaction=nonstopmode", "escapes.tex"}, folder.path(), &status);
    QVERIFY2(status == 0, readAll(folder.filePath("escapes.log")).right(2000).constData());
}

// --output writes what the window writes, in the format of the extension,
// without a display; another extension is a usage error.
void ReportFilesTest::commandLine()
{
    const QString problem = folder.filePath(QStringLiteral("worked.lp"));
    QVERIFY(QFile::copy(QStringLiteral(":/examples/01-worked-max.lp"), problem) || QFile::exists(problem));
    ReportViews::fractionsChosen = ReportViews::explanationsChosen = false;
    Widget w;
    QString error;
    QVERIFY(openProblemFile(w, problem, &error));
    click(w, "pushButton_2");
    reportAction(w, "actionExplain")->trigger();
    const ReportViews *views = w.formArea->findChild<ReportViews *>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    auto program = [&](const QStringList &arguments) {
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(PROGRAM), arguments);
        if (!process.waitForFinished(kPatience))
            qFatal("the program did not finish");
        return process.exitCode();
    };
    for (const char *extension : {"txt", "html", "tex", "pdf"}) {
        const QString mine = folder.filePath(QStringLiteral("window.") + extension);
        const QString theirs = folder.filePath(QStringLiteral("line.") + extension);
        QVERIFY(views->writeShown(mine, &error));
        QCOMPARE(program({"--report", "--explain", "--output", theirs, problem}), 0);
        // The picture's pixels follow the process's fonts; the rest is equal.
        static const QRegularExpression picture(QStringLiteral("base64,[A-Za-z0-9+/=]+"));
        if (QLatin1String(extension) != QLatin1String("pdf"))
            QCOMPARE(QString::fromUtf8(readAll(theirs)).remove(picture), QString::fromUtf8(readAll(mine)).remove(picture));
        else
            QCOMPARE(pdfPages(theirs), pdfPages(mine));
    }
    QCOMPARE(program({"--report", "--output", folder.filePath("report.doc"), problem}), 1);
    QCOMPARE(program({"--output", folder.filePath("report.pdf"), problem}), 1);
    QCOMPARE(program({"--report", "--output", folder.filePath("no-such-folder/report.pdf"), problem}), 2);
    closeReport(w);
    ReportViews::explanationsChosen = false;
}

QTEST_MAIN(ReportFilesTest)
#include "tst_reportfiles.moc"
