// SPDX-License-Identifier: GPL-3.0-or-later
// Variants for a group: over many seeds, every size and every kind, each
// variant found has its properties, checked by solving its file again
// exactly rather than by trusting the generator; the key of every variant
// equals the report of its file and GLPK's verdict and value; the same
// arguments write the same files; no two variants are the same problem;
// the command line's arguments and the dialog through the real window.
#include "reportdriver.h"

#include "method/exact.h"
#include "method/fieldtext.h"
#include "files/lpformat.h"
#include "mainwindow/mainmenu.h"
#include "method/solve.h"
#include "documents/variantfiles.h"
#include "files/variants.h"

#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QProcess>
#include <QProgressBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>

#include <glpk.h>

namespace {

constexpr int kPatience = 300000;

struct Run {
    int status = -1;
    QString out, err;
};

Run runProgram(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(PROGRAM), arguments);
    if (!process.waitForFinished(kPatience))
        qFatal("the program did not finish");
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The text of a PDF as pdftotext reads it, its blanks and line ends as one
// blank each (a line too long for the page is wrapped at a blank).
QString pdfText(const QString &path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    if (!process.waitForFinished(kPatience))
        qFatal("pdftotext did not finish");
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

// A variant's properties, from its file alone: the file read, solved again
// and replayed exactly.
QString flawOf(const QByteArray &file, VariantKind kind)
{
    LpError error;
    const std::optional<ProblemTexts> problem = readLpProblem(file, &error);
    if (!problem)
        return QStringLiteral("unreadable: ") + error.message;
    if (problem->integer != (kind == VariantKind::Integer))
        return QStringLiteral("general section");
    for (const QString &text : problem->objective + problem->constraints)
        if (std::abs(text.toInt()) > kVariantCoefficient || QString::number(text.toInt()) != text)
            return QStringLiteral("coefficient ") + text;
    for (const QString &text : problem->rightHands)
        if (std::abs(text.toInt()) > kVariantRightHand || QString::number(text.toInt()) != text)
            return QStringLiteral("right-hand side ") + text;
    const Course course = solveCourse(*problem);
    ReplayFailure failure;
    const std::optional<ExactCourse> exact = replayExactly(course, &failure);
    if (!exact)
        return QStringLiteral("no exact replay");
    bool negative = false;
    for (int i = 0; i < course.m; ++i)
        negative = negative || exact->at(course, 0, i, course.n) < 0;
    if (!negative)
        return QStringLiteral("no negative free term at the start");
    int pivots = 0, cuts = 0;
    for (const PivotChoice &pivot : course.pivots) {
        cuts += pivot.stage == kChangeStage;
        pivots += pivot.stage != kChangeStage && cuts == 0;
    }
    if (pivots < 2 || pivots > 5)
        return QStringLiteral("%1 pivots").arg(pivots);
    if (kind == VariantKind::Integer && (cuts < 1 || cuts > 3))
        return QStringLiteral("%1 cuts").arg(cuts);
    QSet<QString> tables;
    for (int t = 0; t < int(exact->tables.size()); ++t) {
        QStringList key = course.tables[t].columns + course.tables[t].rows;
        for (const mpq_class &v : exact->tables[t]) {
            if (v.get_den() > 12 || abs(v.get_num()) > 200)
                return QStringLiteral("table %1 holds %2").arg(t).arg(fractionText(v));
            key << fractionText(v);
        }
        if (tables.contains(key.join(' ')))
            return QStringLiteral("table %1 repeats").arg(t);
        tables.insert(key.join(' '));
    }
    for (int p = 0; p < int(course.pivots.size()); ++p) {
        const PivotChoice &pivot = course.pivots[p];
        if (pivot.stage == kChangeStage)
            continue;
        const std::optional<mpq_class> chosen = exactScore(course, *exact, p, pivot.column);
        for (int j = 0; j < course.n; ++j)
            if (j != pivot.column && chosen && exactScore(course, *exact, p, j) == chosen)
                return QStringLiteral("pivot %1: columns tie").arg(p);
        if (pivot.stage == 2 && rowTie(course, *exact, p))
            return QStringLiteral("pivot %1: rows tie").arg(p);
    }
    const Verdict verdict = verdictOf(course);
    const Verdict asked = kind == VariantKind::Infeasible  ? Verdict::Infeasible
                          : kind == VariantKind::Unbounded ? Verdict::Unbounded
                          : kind == VariantKind::Integer   ? Verdict::IntegerOptimum
                                                           : Verdict::Optimum;
    if (verdict != asked && kind != VariantKind::Mixed)
        return QStringLiteral("another verdict");
    return QString();
}

// GLPK's verdict and value of a file: "optimum 7/2"-like words.
QString glpkVerdict(const QString &path, bool integer, double *value)
{
    glp_term_out(GLP_OFF);
    glp_prob *lp = glp_create_prob();
    QString verdict = QStringLiteral("unreadable");
    if (glp_read_lp(lp, nullptr, QFile::encodeName(path).constData()) == 0) {
        glp_smcp parm;
        glp_init_smcp(&parm);
        parm.msg_lev = GLP_MSG_OFF;
        glp_exact(lp, &parm);
        const int status = glp_get_status(lp);
        verdict = status == GLP_OPT ? QStringLiteral("optimum") : status == GLP_UNBND ? QStringLiteral("unbounded")
                                                                                      : QStringLiteral("infeasible");
        *value = glp_get_obj_val(lp);
        if (integer && status == GLP_OPT) {
            glp_iocp mip;
            glp_init_iocp(&mip);
            mip.msg_lev = GLP_MSG_OFF;
            glp_intopt(lp, &mip);
            *value = glp_mip_obj_val(lp);
        }
    }
    glp_delete_prob(lp);
    glp_term_out(GLP_ON);
    return verdict;
}

// The key's block of each variant, by its title.
QMap<QString, QStringList> keyBlocks(const QString &answers)
{
    QMap<QString, QStringList> blocks;
    QString title;
    for (const QString &line : answers.split('\n')) {
        if (line.startsWith(QStringLiteral("Вариант ")))
            title = line;
        else if (!title.isEmpty() && !line.isEmpty())
            blocks[title] << line;
    }
    return blocks;
}

} // namespace

class VariantsTest : public QObject
{
    Q_OBJECT

private slots:
    void everySizeAndKind();
    void filesAndKeys();
    void arguments();
    void dialogWritesTheSameFiles();

private:
    QTemporaryDir folder;
};

// Every size and kind, over seeds: each variant found has its properties
// (from its own file), no two are the same problem up to the order of
// their rows, and the usual sizes give every kind.
void VariantsTest::everySizeAndKind()
{
    const VariantKind kinds[] = {VariantKind::Optimum, VariantKind::Infeasible, VariantKind::Unbounded,
                                 VariantKind::Integer, VariantKind::Mixed};
    int found = 0, asked = 0;
    for (int n = 2; n <= 4; ++n)
        for (int m = 2; m <= 8; ++m)
            for (VariantKind kind : kinds) {
                if ((n + m + int(kind)) % (4 / repetitions(4)) != 0) // the sanitizer build checks a quarter
                    continue;
                const VariantRequest request{4, n, m, kind, quint64(n * 100 + m * 10 + int(kind))};
                const std::vector<Variant> variants = generateVariants(request);
                QSet<QString> problems;
                for (size_t k = 0; k < variants.size(); ++k) {
                    const QByteArray file = variantFile(variants[k], int(k) + 1, request.seed);
                    const QString flaw = flawOf(file, kind);
                    QVERIFY2(flaw.isEmpty(), qPrintable(QStringLiteral("%1x%2 kind %3 variant %4: %5")
                                                            .arg(n).arg(m).arg(int(kind)).arg(k + 1).arg(flaw)));
                    QStringList rows;
                    const ProblemTexts &p = variants[k].problem;
                    for (int i = 0; i < p.m; ++i)
                        rows << (p.constraints.mid(i * p.n, p.n) << p.rightHands[i]).join(' ');
                    rows.sort();
                    problems.insert(p.objective.join(' ') + QString::number(p.maximise) + rows.join('|'));
                }
                QCOMPARE(problems.size(), int(variants.size()));
                found += int(variants.size());
                asked += request.count;
                if (n * m >= 6 && n * m <= 16 && kind != VariantKind::Integer)
                    QVERIFY2(int(variants.size()) == request.count, qPrintable(QStringLiteral("%1x%2 kind %3").arg(n).arg(m).arg(int(kind))));
            }
    qInfo("%d variants of %d asked for", found, asked);
    QVERIFY(found >= asked / 2);
    // Where the tries find fewer, those found are given, distinct.
    VariantRequest scarce{20, 4, 8, VariantKind::Integer, 5};
    scarce.tries = 3;
    const std::vector<Variant> few = generateVariants(scarce);
    QVERIFY(few.size() < 20);
    for (const Variant &variant : few)
        QVERIFY(flawOf(variantFile(variant, 1, 5), VariantKind::Integer).isEmpty());
}

// The files of the command line: every key equals the report of its file
// (--report --fractions) and GLPK's verdict and value; the same arguments
// write the same problem files and key.
void VariantsTest::filesAndKeys()
{
    for (const char *kind : {"mixed", "integer"}) {
        const QString first = folder.filePath(QStringLiteral("first-%1").arg(kind));
        const QString second = folder.filePath(QStringLiteral("second-%1").arg(kind));
        const QStringList arguments{"--variants", "12", "--seed", "20261208", "--size", "3x4", "--kind", kind};
        const Run run = runProgram(arguments + QStringList{"--output", first});
        QCOMPARE(run.status, 0);
        QVERIFY(run.out.startsWith(QStringLiteral("Зерно: 20261208\n")));
        QCOMPARE(runProgram(arguments + QStringList{"--output", second}).status, 0);
        QStringList names = QDir(first).entryList({"*.lp", "*.txt"}, QDir::Files, QDir::Name);
        QCOMPARE(names.size(), 13);
        QCOMPARE(names.first(), QStringLiteral("answers.txt"));
        QCOMPARE(names.last(), QStringLiteral("variant-12.lp"));
        for (const QString &name : names)
            QCOMPARE(readAll(QDir(second).filePath(name)), readAll(QDir(first).filePath(name)));
        QVERIFY(QFile::exists(QDir(first).filePath("variants.pdf")) && QFile::exists(QDir(first).filePath("answers.pdf")));
        const QMap<QString, QStringList> keys = keyBlocks(QString::fromUtf8(readAll(QDir(first).filePath("answers.txt"))));
        QCOMPARE(keys.size(), 12);
        const QString sheet = pdfText(QDir(first).filePath("variants.pdf"));
        const QString keySheet = pdfText(QDir(first).filePath("answers.pdf"));
        for (int k = 1; k <= 12; ++k) {
            const QString path = QDir(first).filePath(variantFileName(k, 12));
            QVERIFY(readAll(path).startsWith(QStringLiteral("\\ Вариант %1 (зерно 20261208)\n").arg(k).toUtf8()));
            const QStringList key = keys.value(QStringLiteral("Вариант %1").arg(k));
            const QStringList report = runProgram({"--report", "--fractions", path}).out.split('\n');
            // The sheets: the problem as the report writes it, the key as answers.txt has it.
            const QString title = QStringLiteral("Вариант %1 ").arg(k);
            const bool integer = QLatin1String(kind) == QLatin1String("integer");
            // (a word with a hyphen may wrap after it, which pdftotext reads
            // back without the hyphen: hyphens and minus signs count for
            // nothing on either side)
            auto unwrapped = [](const QString &text) { return text.simplified().remove(QStringLiteral("- ")).remove(QLatin1Char('-')); };
            QVERIFY(unwrapped(sheet).contains(
                unwrapped(title + variantTask(integer).join(' ') + ' ' + report.mid(0, 6).join(QLatin1Char(' ')))));
            QVERIFY(keySheet.contains((title + key.join(' ')).simplified()));
            // The verdict's lines are the report's last ones; the pivots are the report's.
            QStringList pivots;
            for (const QString &line : report)
                if (line.startsWith(QStringLiteral("координаты ведущего элемента ")))
                    pivots << line.mid(29);
                else if (line.startsWith(QStringLiteral("Отсечение S")))
                    pivots << line.section(' ', 1, 1);
            QCOMPARE(key.last(), QStringLiteral("ведущие элементы: ") + pivots.join(QStringLiteral("; ")));
            double value = 0;
            const QString glpk = glpkVerdict(path, QLatin1String(kind) == QLatin1String("integer"), &value);
            if (key.first() == QStringLiteral("нет решений")) {
                QCOMPARE(report.at(report.size() - 2), key.first());
                QCOMPARE(glpk, key[1] == QStringLiteral("ограничения несовместны") ? QStringLiteral("infeasible")
                                                                                   : QStringLiteral("unbounded"));
            } else {
                QCOMPARE(key.mid(0, 3), report.mid(report.size() - 4, 3));
                QCOMPARE(glpk, QStringLiteral("optimum"));
                const QString printed = key[2].mid(QStringLiteral("значение функции ").size());
                bool isNumber = false;
                QVERIFY2(std::abs(fieldValue(printed, &isNumber) - value) < 1e-9, qPrintable(printed));
            }
        }
    }
}

// Bad arguments: status 1 and the parser's message; a folder that cannot
// be written: status 2.
void VariantsTest::arguments()
{
    const QString out = folder.filePath(QStringLiteral("args"));
    for (const QStringList &bad : {QStringList{"--variants", "0", "--output", out}, {"--variants", "201", "--output", out},
                                   {"--variants", "x", "--output", out}, {"--variants", "3"},
                                   {"--variants", "3", "--size", "5x2", "--output", out},
                                   {"--variants", "3", "--size", "2x1", "--output", out},
                                   {"--variants", "3", "--kind", "best", "--output", out},
                                   {"--variants", "3", "--seed", "-1", "--output", out}, {"--seed", "3"},
                                   {"--variants", "3", "--report", "--output", out}}) {
        const Run run = runProgram(bad);
        QVERIFY2(run.status == 1, qPrintable(bad.join(' ')));
        QVERIFY(!run.err.isEmpty() && run.out.isEmpty());
    }
    QFile blocker(folder.filePath(QStringLiteral("a file")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const Run blocked = runProgram({"--variants", "2", "--output", blocker.fileName() + QStringLiteral("/inside")});
    QCOMPARE(blocked.status, 2);
    QVERIFY(blocked.err.contains(QStringLiteral("не создаётся")));
    const Run clock = runProgram({"--variants", "1", "--output", out});
    QCOMPARE(clock.status, 0);
    QVERIFY(clock.out.contains(QRegularExpression(QStringLiteral("^Зерно: \\d+\n"))));
}

// "Варианты для группы…" in the main window's context menu: the dialog
// writes the same files as the command line.
void VariantsTest::dialogWritesTheSameFiles()
{
    Widget w;
    w.show();
    new MainMenu(w);
    QAction *action = w.findChild<QAction *>(QStringLiteral("actionVariants"));
    QVERIFY(action);
    const QString mine = folder.filePath(QStringLiteral("dialog")), theirs = folder.filePath(QStringLiteral("line"));
    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog && dialog->objectName() == QLatin1String("variantsDialog"));
        dialog->findChild<QSpinBox *>(QStringLiteral("variantsCount"))->setValue(7);
        auto *size = dialog->findChild<QComboBox *>(QStringLiteral("variantsSize"));
        size->setCurrentIndex(size->findData(QStringLiteral("3x4")));
        auto *kind = dialog->findChild<QComboBox *>(QStringLiteral("variantsKind"));
        kind->setCurrentIndex(kind->findData(QStringLiteral("mixed")));
        dialog->findChild<QLineEdit *>(QStringLiteral("variantsSeed"))->setText(QStringLiteral("4242"));
        dialog->findChild<QLineEdit *>(QStringLiteral("variantsFolder"))->setText(mine);
        dialog->findChild<QPushButton *>(QStringLiteral("variantsCreate"))->click();
        QCOMPARE(dialog->findChild<QProgressBar *>(QStringLiteral("variantsProgress"))->value(), 7);
        QVERIFY(dialog->findChild<QLabel *>(QStringLiteral("variantsResult"))->text().startsWith(QStringLiteral("Записано вариантов: 7")));
        QVERIFY(dialog->findChild<QPushButton *>(QStringLiteral("variantsOpen"))->isVisible());
        answered = true;
        dialog->reject();
    });
    action->trigger();
    QVERIFY(answered);
    QCOMPARE(runProgram({"--variants", "7", "--seed", "4242", "--size", "3x4", "--kind", "mixed", "--output", theirs}).status, 0);
    const QStringList names = QDir(theirs).entryList({"*.lp", "*.txt"}, QDir::Files, QDir::Name);
    QCOMPARE(names.size(), 8);
    QCOMPARE(QDir(mine).entryList({"*.lp", "*.txt"}, QDir::Files, QDir::Name), names);
    for (const QString &name : names)
        QCOMPARE(readAll(QDir(mine).filePath(name)), readAll(QDir(theirs).filePath(name)));
}

QTEST_MAIN(VariantsTest)
#include "tst_variants.moc"
