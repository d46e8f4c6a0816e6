// SPDX-License-Identifier: GPL-3.0-or-later
// Problems as LP files: what the reader accepts and refuses, the round trip
// of any form through a file, GLPK reading every saved file as the same
// problem, a fuzz loop over damaged files, the main window's file actions,
// and the report on the command line.
#include "reportdriver.h"

#include "commandline.h"
#include "files/lpformat.h"
#include "mainwindow/mainmenu.h"
#include "mainwindow/problemfile.h"
#include "reportwindow/reportview.h"

#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <glpk.h>
#include <unistd.h>

namespace {

// How long the program may take on the command line before the test calls
// it hung: far more than it needs, so that a busy machine never fails it.
constexpr int kPatience = 120000;

// "max | 1 1 | 1 2 <= 4 | 3 1 <= 6": the problem as the form gets it.
QString describe(const ProblemTexts &p)
{
    QStringList parts{p.maximise ? QStringLiteral("max") : QStringLiteral("min"), p.objective.join(' ')};
    for (int i = 0; i < p.m; ++i)
        parts << p.constraints.mid(i * p.n, p.n).join(' ') + QStringLiteral(" <= ") + p.rightHands[i];
    if (p.integer)
        parts << QStringLiteral("integer");
    return parts.join(QStringLiteral(" | "));
}

// A text as a student may type it into a field, number or not.
QString randomFieldText(Uniform &uniform)
{
    static const QStringList odd = {"",     " ",     "abc", "1e400", "nan",  "-inf",   "1/0", "\"q\"\\",
                                    "a\tb", "число", "😀",   " 0.1 ", "1,5",  "-3/4",   "2/-5", "\\ x"};
    switch (uniform(0, 3)) {
    case 0:
        return odd[uniform(0, odd.size() - 1)];
    case 1:
        return QStringLiteral("%1/%2").arg(uniform(-9, 9)).arg(uniform(1, 9));
    case 2:
        return QStringLiteral("%1,%2").arg(uniform(-99, 99)).arg(uniform(0, 99));
    default:
        return numberText(uniform(-1000, 1000) / 8.0);
    }
}

ProblemTexts randomForm(Uniform &uniform)
{
    ProblemTexts p;
    p.maximise = uniform(0, 1) == 1;
    p.n = uniform(2, 4);
    p.m = uniform(1, 8);
    for (int j = 0; j < p.n; ++j)
        p.objective << randomFieldText(uniform);
    for (int k = 0; k < p.n * p.m; ++k)
        p.constraints << randomFieldText(uniform);
    for (int i = 0; i < p.m; ++i)
        p.rightHands << randomFieldText(uniform);
    return p;
}

QByteArray resource(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// GLPK's reading of an LP file, in the order of its rows and columns.
struct GlpkProblem {
    bool read = false, maximise = false;
    std::vector<double> c, b;
    std::vector<std::vector<double>> a;
    int status = 0;
    double value = 0;
};

GlpkProblem readWithGlpk(const QString &path)
{
    GlpkProblem result;
    glp_prob *lp = glp_create_prob();
    glp_term_out(GLP_OFF);
    result.read = glp_read_lp(lp, nullptr, QFile::encodeName(path).constData()) == 0;
    if (result.read) {
        const int m = glp_get_num_rows(lp), n = glp_get_num_cols(lp);
        result.maximise = glp_get_obj_dir(lp) == GLP_MAX;
        for (int j = 1; j <= n; ++j)
            result.c.push_back(glp_get_obj_coef(lp, j));
        std::vector<int> index(n + 1);
        std::vector<double> value(n + 1);
        for (int i = 1; i <= m; ++i) {
            std::vector<double> row(n, 0.0);
            const int count = glp_get_mat_row(lp, i, index.data(), value.data());
            for (int k = 1; k <= count; ++k)
                row[index[k] - 1] = value[k];
            result.a.push_back(row);
            result.b.push_back(glp_get_row_type(lp, i) == GLP_UP ? glp_get_row_ub(lp, i) : NAN);
        }
        glp_smcp parm;
        glp_init_smcp(&parm);
        parm.msg_lev = GLP_MSG_OFF;
        parm.presolve = GLP_ON;
        glp_simplex(lp, &parm);
        result.status = glp_get_status(lp);
        result.value = glp_get_obj_val(lp);
        // A file with a general section: the integer optimum.
        if (glp_get_num_int(lp) > 0 && result.status == GLP_OPT) {
            glp_iocp iocp;
            glp_init_iocp(&iocp);
            iocp.msg_lev = GLP_MSG_OFF;
            glp_intopt(lp, &iocp);
            result.status = glp_mip_status(lp);
            result.value = glp_mip_obj_val(lp);
        }
    }
    glp_delete_prob(lp);
    glp_term_out(GLP_ON);
    return result;
}

// The report's last lines: the verdict and, at an optimum, the value.
QString verdict(const Widget &w)
{
    const QStringList items = reportItems(w);
    return items.value(items.size() - 2);
}

QStringList noDisplayEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return env.toStringList();
}

struct Run {
    int status;
    QByteArray out, err;
};

Run runProgram(const QStringList &arguments)
{
    QProcess program;
    program.setEnvironment(noDisplayEnvironment());
    program.start(QStringLiteral(PROGRAM), arguments);
    if (!program.waitForFinished(kPatience))
        qFatal("the program did not finish");
    return {program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1, program.readAllStandardOutput(),
            program.readAllStandardError()};
}

// Answers the next question box, once it is shown, with `button`.
void answerQuestion(QMessageBox::StandardButton button, int triesLeft = 1000)
{
    QTimer::singleShot(10, [button, triesLeft] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->button(button)->click();
        else if (triesLeft > 0)
            answerQuestion(button, triesLeft - 1);
    });
}

} // namespace

class ProblemFileTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void roundTripAndGlpk();
    void fuzzedFilesEndInAProblemOrAMessage();
    void examplesSolveAsGlpkDoes();
    void windowKeepsTheFormOnARefusal();
    void titleDropAndQuestion();
    void commandLine();

private:
    QTemporaryDir folder;
};

void ProblemFileTest::initTestCase()
{
    QVERIFY(folder.isValid());
    // The recent problems go to the test's own settings.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.filePath(QStringLiteral("config"))));
}

void ProblemFileTest::accepted_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("form");

    for (const char *word : {"maximize", "MAXIMISE", "Maximum", "max"})
        QTest::newRow(word) << QByteArray(word) + "\n obj: x + y\nsubject to\n c: x + 2 y <= 4\nend\n"
                            << "max | 1 1 | 1 2 <= 4";
    for (const char *word : {"minimize", "minimise", "MINIMUM", "Min"})
        QTest::newRow(word) << QByteArray(word) + " x + y\nst\n x + 2 y <= 4\nend" << "min | 1 1 | 1 2 <= 4";
    for (const char *word : {"Subject To", "such that", "ST", "s.t.", "st."})
        QTest::newRow(word) << "max x + y\n" + QByteArray(word) + "\n x <= 1\nEnd" << "max | 1 1 | 1 0 <= 1";
    QTest::newRow("names, terms over lines")
        << QByteArray("max\n profit: 3 x\n + 2.5 y\n - z\nst\n first: -x\n + y <= -2\n second:\n 2 z >= -1.5\nend")
        << "max | 3 2.5 -1 | -1 1 0 <= -2 | 0 0 -2 <= 1.5";
    QTest::newRow("= as two rows, zero keeps its text")
        << QByteArray("min\n a + b\nst\n e: a + 0 b = 3\nend") << "min | 1 1 | 1 0 <= 3 | -1 0 <= -3";
    QTest::newRow("every relation")
        << QByteArray("max x + y\nst\n x + y =< 1\n x < 2\n y => 0.5\n x - y > -1\nend")
        << "max | 1 1 | 1 1 <= 1 | 1 0 <= 2 | 0 -1 <= -0.5 | -1 1 <= 1";
    QTest::newRow("bounds")
        << QByteArray("max x + y\nst\n x + y <= 10\nbounds\n x >= 0\n 0 <= y\n x <= 4\n 1.5 <= y <= 6\n"
                      " y <= +inf\n y <= 7\nend")
        << "max | 1 1 | 1 1 <= 10 | 1 0 <= 4 | 0 1 <= 7 | 0 -1 <= -1.5";
    QTest::newRow("a variable first met in bounds")
        << QByteArray("max x + y\nst\n x + y <= 1\nbounds\n z = 2\nend") << "max | 1 1 0 | 1 1 0 <= 1 | 0 0 1 <= 2 | 0 0 -1 <= -2";
    QTest::newRow("BOM, CRLF, comments")
        << QByteArray("\xEF\xBB\xBF\\ title\r\nmax x + y \\ objective\r\nst\r\n x + y <= 4 \\ after\r\nend\r\n")
        << "max | 1 1 | 1 1 <= 4";
    for (const char *word : {"general", "Generals", "gen", "integer", "INTEGERS"})
        QTest::newRow(word) << QByteArray("max x + y\nst\n x + y <= 4\n") + word + "\n y\n x\nend"
                            << "max | 1 1 | 1 1 <= 4 | integer";
    QTest::newRow("general after bounds")
        << QByteArray("max x + y\nst\n x + y <= 4\nbounds\n x <= 3\ngeneral x y\nend") << "max | 1 1 | 1 1 <= 4 | 1 0 <= 3 | integer";
    QTest::newRow("numbers as written, no end")
        << QByteArray("max .5 x + 2. y\nst\n 1e3 x + y <= 1E-2\n 2x - 3y >= +0") << "max | .5 2. | 1e3 1 <= 1E-2 | -2 3 <= 0";
    QTest::newRow("stale form texts are not taken")
        << QByteArray("\\ поле F: \"1/2\" \"1\"\n\\ поле Y0: \"1\" \"1\" \"4\"\nmax 0.7 x0 + x1\nst\n Y0: x0 + x1 <= 4\nend")
        << "max | 0.7 1 | 1 1 <= 4";
}

void ProblemFileTest::accepted()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, form);
    LpError error;
    const std::optional<ProblemTexts> problem = readLpProblem(file, &error);
    QVERIFY2(problem, qPrintable(QStringLiteral("%1: %2").arg(error.line).arg(error.message)));
    QCOMPARE(describe(*problem), form);
}

void ProblemFileTest::refused_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("message");

    const QByteArray head = "max x + y\nst\n x + y <= 1\n";
    QTest::newRow("empty") << QByteArray() << 1 << "в файле нет задачи";
    QTest::newRow("comments only") << QByteArray("\\ nothing\n\n") << 1 << "в файле нет задачи";
    for (const char *section : {"general", "integer"})
        QTest::newRow(section) << head + section + "\n x\nend" << 4
                               << QStringLiteral("в разделе general названы не все переменные (нет y): программа "
                                                 "делает целыми все переменные или ни одной");
    QTest::newRow("binary") << head + "binary\n x\nend" << 4 << QStringLiteral("раздел «binary» не поддерживается");
    QTest::newRow("general before bounds") << head + "general\n x y\nbounds\n x <= 1\nend" << 6 << "ожидается end, а стоит «bounds»";
    QTest::newRow("semi-continuous") << head + "semi-continuous\n x\nend" << 4 << "раздел «semi-continuous»";
    QTest::newRow("free") << head + "bounds\n x free\nend" << 5 << "переменная x свободна, а программа решает задачи с x >= 0";
    QTest::newRow("negative lower bound") << head + "bounds\n -1 <= y\nend" << 5 << "программа решает задачи с x >= 0";
    QTest::newRow("-inf lower bound") << head + "bounds\n y >= -inf\nend" << 5 << "программа решает задачи с x >= 0";
    QTest::newRow("twice in a row") << QByteArray("max x + y\nst\n x + 2 y - x <= 1\nend") << 3 << "переменная x встречается в одной строке дважды";
    QTest::newRow("twice in the objective") << QByteArray("max x +\n x\nst\n x + y <= 1\nend") << 2 << "дважды";
    QTest::newRow("constant in the objective") << QByteArray("max x + y - 3\nst\n x + y <= 1\nend") << 1 << "постоянное слагаемое -3";
    QTest::newRow("constant on a line of its own") << QByteArray("max\n x + y + 5\nst\n x + y <= 1\nend") << 2 << "постоянное слагаемое 5";
    QTest::newRow("text after a right-hand side") << QByteArray("max x + y\nst\n x + y <= 1\n c1: x + y <= 4 5\nend") << 4 << "после правой части в строке лишнее: «5»";
    QTest::newRow("two constraints on a line") << QByteArray("max x + y\nst\n x <= 1 y <= 2\nend") << 3 << "после правой части в строке лишнее: «y»";
    QTest::newRow("no finite double") << QByteArray("max x + y\nst\n x + 1e400 y <= 1\nend") << 3 << "число 1e400";
    QTest::newRow("five variables") << QByteArray("max a + b + c\nst\n a + d <= 1\n\n e <= 2\nend") << 5
                                    << "переменных в задаче 5, а программа решает задачи с 2–4 переменными";
    QTest::newRow("one variable") << QByteArray("max x\nst\n x <= 1\nend") << 4 << "переменных в задаче 1";
    QTest::newRow("nine rows") << head + " x <= 1\n x <= 2\n x <= 3\n x <= 4\n y <= 1\n y <= 2\n y = 1\nend" << 10
                               << "строк-ограничений в задаче 9";
    QTest::newRow("nine rows with bounds") << head + " x = 1\n y = 1\n x >= 0\n x >= 1\n x >= 2\nbounds\n y <= 3\n x >= 1\nend" << 11
                                           << "строк-ограничений в задаче 10";
    QTest::newRow("no rows") << QByteArray("max x + y\nst\nend") << 3 << "в задаче нет ограничений";
    QTest::newRow("NUL byte") << QByteArray("max x + y\nst\n x") + QByteArray(1, '\0') + " <= 1\nend" << 3 << "нулевой байт";
    QTest::newRow("no UTF-8") << QByteArray("max x + y\nst\n x + \xff y <= 1\nend") << 3 << "UTF-8";
    QTest::newRow("over 1 MB") << QByteArray(kLargestProblemFile + 1, ' ') << 0 << "файл больше 1 МБ";
    QTest::newRow("no sign between terms") << QByteArray("max x y\nst\n x <= 1\nend") << 1 << "ожидается знак + или - перед следующим членом, а стоит «y»";
    QTest::newRow("no relation") << QByteArray("max x + y\nst\n x + y 4\nend") << 3 << "перед следующим членом или знак <=, >= или =, а стоит «4»";
    QTest::newRow("no right-hand side") << QByteArray("max x + y\nst\n x + y <=\nend") << 4 << "ожидается число в правой части, а стоит «end»";
    QTest::newRow("no subject to") << QByteArray("max x + y\nend") << 2 << "ожидается в начале строки subject to, а стоит «end»";
    QTest::newRow("after end") << head + "end\nx <= 2\n" << 5 << "после end";
    QTest::newRow("a sign that is no part of the format") << QByteArray("max x ^ y") << 1 << "недопустимый символ «^»";
    QTest::newRow("no objective sense") << QByteArray("\\ c\nst\n x <= 1\nend") << 2 << "ожидается в начале строки maximize или minimize";
    QTest::newRow("open end of file") << QByteArray("max x + y\nst\n x + y <= 1\n x -") << 4 << "а стоит конец файла";
}

void ProblemFileTest::refused()
{
    QFETCH(QByteArray, file);
    QFETCH(int, line);
    QFETCH(QString, message);
    LpError error;
    QVERIFY(!readLpProblem(file, &error));
    QVERIFY2(error.message.contains(message), qPrintable(error.message));
    QCOMPARE(error.line, line);
}

// Any form, typed as anything, comes back from its file text for text; GLPK
// reads the same file as the problem the form counts (junk and non-finite
// values as 0) and, for a form of numbers, ends where the program ends.
void ProblemFileTest::roundTripAndGlpk()
{
    Uniform uniform(21);
    const QString path = folder.filePath(QStringLiteral("form.lp"));
    for (int k = 0; k < repetitions(400); ++k) {
        const ProblemTexts form = randomForm(uniform);
        const QByteArray file = writeLpProblem(form);
        QCOMPARE(writeLpProblem(form), file); // nothing that varies from run to run
        LpError error;
        const std::optional<ProblemTexts> back = readLpProblem(file, &error);
        QVERIFY2(back, qPrintable(error.message));
        QCOMPARE(describe(*back), describe(form));
        QVERIFY(*back == form);

        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(file);
        out.close();
        const GlpkProblem glpk = readWithGlpk(path);
        QVERIFY2(glpk.read, file.constData());
        QCOMPARE(glpk.maximise, form.maximise);
        QCOMPARE(int(glpk.c.size()), form.n);
        QCOMPARE(int(glpk.a.size()), form.m);
        for (int j = 0; j < form.n; ++j)
            QCOMPARE(glpk.c[j], lpValue(form.objective[j]));
        for (int i = 0; i < form.m; ++i) {
            QCOMPARE(glpk.b[i], lpValue(form.rightHands[i]));
            for (int j = 0; j < form.n; ++j)
                QCOMPARE(glpk.a[i][j], lpValue(form.constraints[i * form.n + j]));
        }
    }

    // Through the real window: saved, the form rebuilt, opened again.
    Widget w;
    for (int k = 0; k < repetitions(20); ++k) {
        const ProblemTexts form = randomForm(uniform);
        showProblem(w, form);
        QString error;
        QVERIFY2(saveProblemFile(w, path, &error), qPrintable(error));
        buildForm(w, 2, 1);
        QVERIFY2(openProblemFile(w, path, &error), qPrintable(error));
        QCOMPARE(describe(formTexts(w)), describe(form));
    }
}

// Seeded damage to valid files: bytes changed, lines cut or repeated,
// numbers replaced. Every file ends in a problem of a size the program
// solves or in a message that names a line of the file.
void ProblemFileTest::fuzzedFilesEndInAProblemOrAMessage()
{
    Uniform uniform(2112);
    QList<QByteArray> seeds;
    for (const QString &example : MainMenu::examples())
        seeds << resource(example);
    for (int k = 0; k < 8; ++k)
        seeds << writeLpProblem(randomForm(uniform));
    const QByteArray pieces[] = {"<=", ">=", "=", "-", "+", ":", "\\", "\n", "bounds\n", "end", "1e400",
                                 "x9", " free", "st\n", "\r", "\xff", "\xd0", QByteArray(1, '\0'), "\"", "inf"};
    int problems = 0;
    for (int k = 0; k < repetitions(20000); ++k) {
        QByteArray file = seeds[uniform(0, seeds.size() - 1)];
        for (int changes = uniform(1, 4); changes > 0 && !file.isEmpty(); --changes) {
            const int at = uniform(0, file.size() - 1);
            switch (uniform(0, 3)) {
            case 0:
                file[at] = char(uniform(0, 255));
                break;
            case 1:
                file.remove(at, uniform(1, 40));
                break;
            case 2:
                file.insert(at, pieces[uniform(0, int(std::size(pieces)) - 1)]);
                break;
            default:
                file.insert(at, file.mid(uniform(0, file.size() - 1), uniform(1, 60)));
            }
        }
        LpError error;
        const std::optional<ProblemTexts> problem = readLpProblem(file, &error);
        if (problem) {
            ++problems;
            QVERIFY(problem->n >= 2 && problem->n <= 4 && problem->m >= 1 && problem->m <= 8);
            QCOMPARE(problem->objective.size(), problem->n);
            QCOMPARE(problem->constraints.size(), problem->n * problem->m);
            QCOMPARE(problem->rightHands.size(), problem->m);
        } else {
            QVERIFY(!error.message.isEmpty());
            QVERIFY2(error.line >= 1 && error.line <= file.count('\n') + 1, file.constData());
        }
    }
    QVERIFY2(problems > repetitions(20000) / 10, qPrintable(QString::number(problems)));
}

// Every example of the gallery opens from the menu with its title, solves
// in the window, and ends where GLPK ends on the file (the cycling example:
// the method cycles where GLPK finds the optimum 0).
void ProblemFileTest::examplesSolveAsGlpkDoes()
{
    const QStringList examples = MainMenu::examples();
    QCOMPARE(examples.size(), 9);
    Widget w;
    auto *menu = new MainMenu(w);
    for (const QString &example : examples) {
        QVERIFY(!MainMenu::exampleTitle(example).isEmpty());
        QVERIFY(menu->openExample(example));
        QVERIFY(!menu->isModified());
        click(w, "pushButton_2");
        const QString path = folder.filePath(QStringLiteral("example.lp"));
        QFile::remove(path);
        QVERIFY(QFile::copy(example, path));
        const GlpkProblem glpk = readWithGlpk(path);
        QVERIFY(glpk.read);
        const QString last = verdict(w);
        if (example.contains(QLatin1String("cycling")))
            QCOMPARE(last, reportline::cycled);
        else if (glpk.status == GLP_OPT)
            QCOMPARE(last, QStringLiteral("значение функции ") + QString::number(glpk.value, 'g', 6));
        else
            QCOMPARE(last, reportline::noSolution);
    }
    closeReport(w);
}

// A refused file leaves the form and an open report as they were.
void ProblemFileTest::windowKeepsTheFormOnARefusal()
{
    Widget w;
    solve(w, workedExample());
    const ProblemTexts before = formTexts(w);
    const QString bad = folder.filePath(QStringLiteral("bad.lp"));
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("max x + y\nst\n x + y <= 1\nbounds\n x free\nend\n");
    file.close();
    QString error;
    QVERIFY(!openProblemFile(w, bad, &error));
    QCOMPARE(error, bad + QStringLiteral(":5: переменная x свободна, а программа решает задачи с x >= 0"));
    // The common file errors in words, and a path that holds "%1" kept whole.
    const QString odd = folder.filePath(QStringLiteral("%1 %2.lp"));
    QVERIFY(QFile::copy(bad, odd));
    QVERIFY(!openProblemFile(w, odd, &error));
    QCOMPARE(error, odd + QStringLiteral(":5: переменная x свободна, а программа решает задачи с x >= 0"));
    const struct {
        QString path;
        QString said;
    } unreadable[] = {
        {folder.filePath(QStringLiteral("missing %1.lp")), QStringLiteral("такого файла нет")},
        {folder.path(), QStringLiteral("это папка, а не файл")},
    };
    for (const auto &file : unreadable) {
        QVERIFY(!openProblemFile(w, file.path, &error));
        QCOMPARE(error, file.path + QStringLiteral(": ") + file.said);
    }
    QVERIFY(!saveProblemFile(w, folder.filePath(QStringLiteral("no folder/x.lp")), &error));
    QCOMPARE(error, folder.filePath(QStringLiteral("no folder/x.lp")) + QStringLiteral(": задача не сохранена: папки ")
                        + folder.filePath(QStringLiteral("no folder")) + QStringLiteral(" нет"));
    QVERIFY(!saveProblemFile(w, folder.path(), &error));
    QVERIFY(error.endsWith(QStringLiteral("это папка, а не файл")));
    if (geteuid() != 0) { // root may write anywhere
        QFile locked(folder.filePath(QStringLiteral("locked.lp")));
        QVERIFY(locked.open(QIODevice::WriteOnly));
        locked.close();
        locked.setPermissions(QFileDevice::ReadOwner);
        QVERIFY(!saveProblemFile(w, locked.fileName(), &error));
        QVERIFY(error.endsWith(QStringLiteral("нет прав на запись в файл")));
        locked.setPermissions(QFileDevice::WriteOwner);
        QVERIFY(!openProblemFile(w, locked.fileName(), &error));
        QVERIFY(error.endsWith(QStringLiteral("нет прав на чтение файла")));
    }
    QVERIFY(formTexts(w) == before);
    QVERIFY(w.formArea && w.formArea->isVisible());
    closeReport(w);
}

// The title names the file and marks unsaved typing; a dropped file opens;
// closing with unsaved typing asks, and "Отмена" keeps the window.
void ProblemFileTest::titleDropAndQuestion()
{
    Widget w;
    w.setWindowTitle(QStringLiteral("Двойственный симплекс-метод"));
    auto *menu = new MainMenu(w);
    w.show();
    QVERIFY(!menu->isModified());
    buildForm(w, 2, 1);
    QVERIFY(!menu->isModified()); // a fresh form holds no typing
    w.list_Z[0]->setText(QStringLiteral("5"));
    QVERIFY(menu->isModified());
    QCOMPARE(w.windowTitle(), QStringLiteral("Двойственный симплекс-метод"));

    const QString path = folder.filePath(QStringLiteral("задача.lp"));
    QFile::remove(path);
    QVERIFY(QFile::copy(QStringLiteral(":/examples/01-worked-max.lp"), path));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    answerQuestion(QMessageBox::Discard);
    QCoreApplication::sendEvent(&w, &drop);
    QVERIFY(drop.isAccepted());
    QTRY_COMPARE(menu->fileName(), path);
    QCOMPARE(describe(formTexts(w)), QStringLiteral("max | 1 1 | 1 2 <= 4 | 3 1 <= 6"));
    QCOMPARE(w.windowTitle(), QStringLiteral("задача.lp[*] — Двойственный симплекс-метод"));
    QVERIFY(!w.isWindowModified());
    QCOMPARE(MainMenu::recentFiles().value(0), path);

    w.list_L[1]->setText(QStringLiteral("7"));
    QVERIFY(w.isWindowModified());
    answerQuestion(QMessageBox::Cancel);
    QVERIFY(!w.close());
    QVERIFY(w.isVisible());
    QVERIFY(menu->save());
    QVERIFY(!w.isWindowModified());
    QVERIFY(w.close());
    QString error;
    QVERIFY(openProblemFile(w, path, &error));
    QCOMPARE(w.list_L[1]->text(), QStringLiteral("7"));
}

// The report on the command line is the copy of the same problem opened in
// the window, in every view; bad files and bad usage have their statuses,
// and none of it needs a display.
void ProblemFileTest::commandLine()
{
    const QString path = folder.filePath(QStringLiteral("worked.lp"));
    QFile::remove(path);
    QVERIFY(QFile::copy(QStringLiteral(":/examples/07-ge-and-eq.lp"), path));
    const struct {
        QStringList options;
        bool fractions, explain, html;
    } views[] = {{{}, false, false, false},
                 {{"--fractions"}, true, false, false},
                 {{"--explain", "--fractions"}, true, true, false},
                 {{"--html", "--explain"}, false, true, true}};
    for (const auto &view : views) {
        Widget w;
        QString error;
        QVERIFY(openProblemFile(w, path, &error));
        ReportViews::fractionsChosen = view.fractions;
        ReportViews::explanationsChosen = view.explain;
        click(w, "pushButton_2");
        const ReportCopy copy = w.formArea->findChild<ReportViews *>()->shownCopy();
        const Run run = runProgram(QStringList{"--report"} + view.options + QStringList{path});
        QCOMPARE(run.status, 0);
        QCOMPARE(QString::fromUtf8(run.out), view.html ? copy.html : copy.text);
        closeReport(w);
    }
    ReportViews::fractionsChosen = ReportViews::explanationsChosen = false;

    const QString bad = folder.filePath(QStringLiteral("bad.lp"));
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("max x + y\nst\n x + y <= 1\nbinary\n x\nend\n");
    file.close();
    const Run refused = runProgram({"--report", bad});
    QCOMPARE(refused.status, 2);
    QVERIFY(refused.out.isEmpty());
    // The message alone: a script reads no notes of the toolkit there.
    QCOMPARE(QString::fromUtf8(refused.err),
             bad + QStringLiteral(":4: раздел «binary» не поддерживается: программа решает задачи с x >= 0, целыми "
                                  "или нет, а не с переменными 0 или 1\n"));
    QCOMPARE(runProgram({"--report", "--bogus", path}).status, 1);
    QCOMPARE(runProgram({"--report"}).status, 1);
    QCOMPARE(runProgram({"--fractions", path}).status, 1);
    QCOMPARE(runProgram({"--report", path, path}).status, 1);
    // "--" ends the options: what follows is a file, and the window opens
    // for it (on a display); after "--report" it is the report's file.
    QVERIFY(!needsNoDisplay({"dual-simplex", "--", "--report"}));
    QVERIFY(!needsNoDisplay({"dual-simplex", "-style", "fusion", "x.lp"}));
    QVERIFY(!needsNoDisplay({"dual-simplex", "--integer", "x.lp"}) && !needsNoDisplay({"dual-simplex", "--branch"}));
    QVERIFY(needsNoDisplay({"dual-simplex", "--report", "--branch", "x.lp"}));
    QVERIFY(needsNoDisplay({"dual-simplex", "--report", "x.lp"}));
    QVERIFY(needsNoDisplay({"dual-simplex", "x.lp", "--help"}));
    const Run dashed = runProgram({"--report", "--", path});
    QCOMPARE(dashed.status, 0);
    QCOMPARE(dashed.out, runProgram({"--report", path}).out);
    const Run help = runProgram({"--help"});
    QCOMPARE(help.status, 0);
    QVERIFY(help.out.contains("--report"));
    const Run version = runProgram({"--version"});
    QCOMPARE(version.status, 0);
    QVERIFY(version.out.startsWith("dual-simplex "));
}

QTEST_MAIN(ProblemFileTest)
#include "tst_problemfile.moc"
