// SPDX-License-Identifier: GPL-3.0-or-later
// The report as files: the text file is the copy, the HTML file the copy's
// HTML with the picture, the PDF holds every table whole on a page in order
// (read back with pdftotext), the LaTeX compiles with pdflatex; the same
// files from the command line, and the escaping of LaTeX's special signs.
#include "reportdriver.h"

#include "problemfile.h"
#include "reportfiles.h"
#include "reportlatex.h"
#include "reportview.h"

#include <QClipboard>
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

Q_DECLARE_METATYPE(Problem)

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
    QTest::addColumn<bool>("fractions");
    QTest::newRow("worked example, fractions and explanations") << workedExample() << true;
    QTest::newRow("cycling, 101 tables")
        << Problem{false, {0, -1, 0, 0},
                   {{-1, 2, 3, -1}, {1, -2, -1, -2}, {2, -2, 3, 1}, {-2, -2, -3, -3}, {3, -1, 2, 1}, {-3, 1, 2, 2},
                    {1, -3, 1, 2}, {1, -2, 1, 1}},
                   {0, 0, 0, 5, 0, 2, 1, 0}}
        << false;
}

void ReportFilesTest::filesHoldWhatTheWindowShows()
{
    QFETCH(Problem, problem);
    QFETCH(bool, fractions);
    Widget w;
    solve(w, problem);
    if (fractions) {
        reportAction(w, "actionFractions")->trigger();
        reportAction(w, "actionExplain")->trigger();
    }
    const ReportViews *views = w.formArea->findChild<ReportViews *>();
    const ReportCopy copy = views->shownCopy();
    const bool picture = problem.c.size() == 2;
    QString error;
    for (const char *extension : {"txt", "html", "pdf", "tex"})
        QVERIFY2(views->writeShown(folder.filePath(QStringLiteral("report.") + extension), &error), qPrintable(error));

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
    QCOMPARE(tables.size(), int(views->course().tables.size()));
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
    QStringList all;
    for (const QStringList &lines : pages)
        all += lines;
    QCOMPARE(all.contains(QStringLiteral("значение функции 14/5")), fractions);

    // The LaTeX compiles, the pivot boxed, fractions as \frac.
    const QString latex = QString::fromUtf8(readAll(folder.filePath("report.tex")));
    if (fractions) {
        QVERIFY(latex.contains(QStringLiteral("\\boxed{2}")));
        QVERIFY(latex.contains(QStringLiteral("\\frac{8}{5}")));
    }
    int status = -1;
    run(QStringLiteral("pdflatex"), {"-halt-on-error", "-interaction=nonstopmode", "report.tex"}, folder.path(), &status);
    QVERIFY2(status == 0, readAll(folder.filePath("report.log")).right(2000).constData());
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
                            "\\textbackslash{} $<$ $>$ $|$ $\\cdot$ $-$ $\\to$ $\\le$ $\\ge$ \\ldots{} «ё» -{}-{} x"));
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
