// SPDX-License-Identifier: GPL-3.0-or-later
// The closing rules and the start-up message, on the built executable.
#include <QProcess>
#include <QtTest>

// How long a step of the program may take before the test calls it hung: far
// more than it needs, so that a busy machine never fails the test.
constexpr int kPatience = 120000;

class ClosingTest : public QObject
{
    Q_OBJECT

private:
    static QProcessEnvironment environment();

private slots:
    void reportOutlivesTheMainWindowUntilOk();
    void runsUntilClosedFromOutside();
    void saysWhenThereIsNoDisplay_data();
    void saysWhenThereIsNoDisplay();
};

QProcessEnvironment ClosingTest::environment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    // A preloaded sanitized library comes before the sanitizer's runtime.
    env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
    return env;
}

void ClosingTest::reportOutlivesTheMainWindowUntilOk()
{
    QProcess program;
    QProcessEnvironment env = environment();
    env.insert("LD_PRELOAD", CLOSING_DRIVER);
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(PROGRAM), QStringList());
    QVERIFY(program.waitForFinished(kPatience));
    const QStringList lines = QString::fromUtf8(program.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines, QStringList({"main window shown yes", "report shown yes", "close() refused yes",
                                 "window-system close refused yes", "asked to save the typed problem yes",
                                 "main window closed yes",
                                 "still running with the report shown yes"}));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

void ClosingTest::runsUntilClosedFromOutside()
{
    QProcess program;
    program.setProcessEnvironment(environment());
    program.start(QStringLiteral(PROGRAM), QStringList());
    QVERIFY(program.waitForStarted());
    QVERIFY(!program.waitForFinished(1500));
    program.terminate();
    QVERIFY(program.waitForFinished(kPatience));
}

void ClosingTest::saysWhenThereIsNoDisplay_data()
{
    QTest::addColumn<QString>("display");
    QTest::newRow("no display set") << QString();
    QTest::newRow("a display that is not there") << QStringLiteral(":987");
}

void ClosingTest::saysWhenThereIsNoDisplay()
{
    QFETCH(QString, display);
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    if (!display.isEmpty())
        env.insert("DISPLAY", display);
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(PROGRAM), QStringList());
    QVERIFY(program.waitForFinished(kPatience));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    const QString err = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(err.contains("needs a graphical display") && err.contains("xvfb-run -a"), qPrintable(err));
    QCOMPARE(err.count('\n'), 1);
}

QTEST_GUILESS_MAIN(ClosingTest)
#include "tst_closing.moc"
