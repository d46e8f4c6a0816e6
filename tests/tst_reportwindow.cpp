// SPDX-License-Identifier: GPL-3.0-or-later
// The report window as a user meets it: it stays until "Ok", it works from the
// keyboard alone, its copy, solving again, and the fields' texts as read.
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

class ReportWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void reportWindowRefusesToClose();
    void keyboardOnly();
    void copyTheReport();
    void okGivesButtonsBackAndSolvingAgainRepeats();
    void solveReadsTheFormShown();
    void fieldTexts();
};

// As the program runs: with the toolkit's own texts in Russian, which must
// leave the program's own texts as they are written.
void ReportWindowTest::initTestCase()
{
    QVERIFY(installToolkitTranslation(qApp));
}

void ReportWindowTest::reportWindowRefusesToClose()
{
    Widget w;
    solve(w, workedExample());
    QVERIFY(!w.formArea->close());
    QCloseEvent e;
    QApplication::sendEvent(w.Form, &e);
    QVERIFY(!e.isAccepted());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(w.formArea->isVisible());
    QVERIFY(!control<QPushButton>(w, "pushButton")->isEnabled());
    QCOMPARE(reportItems(w).last(), kOk);
    closeReport(w);
}

// A keyboard alone builds the form, types the worked example in reading
// order, solves with Enter on the button and in a field, scrolls the
// report, and closes it with Enter and Space on "Ok", which has the focus;
// Tab never stops in a table.
void ReportWindowTest::keyboardOnly()
{
    Widget w;
    w.show();
    QCoreApplication::processEvents(); // the window system activates the window
    QCOMPARE(QApplication::activeWindow(), &w);
    auto key = [](int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), modifiers);
    };
    // Enter in a spin box presses "ok" with the value typed or stepped to.
    control<QSpinBox>(w, "spinBox")->setFocus();
    key(Qt::Key_End);
    key(Qt::Key_Backspace);
    QTest::keyClicks(QApplication::focusWidget(), "3");
    key(Qt::Key_Return);
    QCOMPARE(w.list_Z.size(), 3);
    control<QSpinBox>(w, "spinBox")->setFocus();
    key(Qt::Key_Down);
    key(Qt::Key_Tab);
    key(Qt::Key_Up);
    key(Qt::Key_Return);
    QCOMPARE(w.list_A.size(), 4);
    QCoreApplication::processEvents(); // the new fields are shown, the first one takes the focus
    const QList<QWidget *> readingOrder = {w.list_Z[0], w.list_Z[1], w.maxmin,    w.list_A[0], w.list_A[1],
                                           w.list_L[0], w.list_A[2], w.list_A[3], w.list_L[1],
                                           control<QPushButton>(w, "pushButton_2")};
    const QStringList typed = {"1", "1", "", "1", "2", "4", "3", "1", "6"};
    for (int k = 0; k < readingOrder.size(); ++k) {
        QCOMPARE(QApplication::focusWidget(), readingOrder[k]);
        if (k < typed.size()) {
            QTest::keyClicks(QApplication::focusWidget(), typed[k]); // the text is selected: typing replaces it
            key(Qt::Key_Tab);
        }
    }
    key(Qt::Key_Return); // on "Вывести решение"
    QVERIFY(w.formArea && w.formArea->isVisible());
    QCOMPARE(reportItems(w).last(), kOk);
    QCOMPARE(w.formArea->windowHandle()->transientParent(), w.windowHandle());
    QCoreApplication::processEvents(); // the window system activates the new window
    QAbstractButton *ok = reportOk(w);
    QCOMPARE(QApplication::focusWidget(), ok);
    for (int k = 0; k < 3; ++k) {
        key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), ok);
    }

    w.formArea->resize(w.formArea->width(), 200);
    QScrollBar *bar = w.formArea->verticalScrollBar();
    const QList<QPair<int, int>> scrolls = {{Qt::Key_End, bar->maximum()}, {Qt::Key_Home, 0},
                                            {Qt::Key_PageDown, bar->pageStep()}, {Qt::Key_Down, bar->pageStep() + bar->singleStep()},
                                            {Qt::Key_Up, bar->pageStep()}, {Qt::Key_PageUp, 0}};
    for (const auto &scroll : scrolls) {
        key(scroll.first);
        QCOMPARE(bar->value(), scroll.second);
    }
    QCOMPARE(QApplication::focusWidget(), ok);
    key(Qt::Key_Return);
    QVERIFY(!w.formArea);
    QVERIFY(control<QPushButton>(w, "pushButton_2")->isEnabled());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), control<QPushButton>(w, "pushButton_2"));
    key(Qt::Key_Tab, Qt::ShiftModifier);
    key(Qt::Key_Return); // Enter in a field solves
    QVERIFY(w.formArea);
    QCoreApplication::processEvents();
    key(Qt::Key_Space);
    QVERIFY(!w.formArea);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    key(Qt::Key_Return);
    QVERIFY(w.formArea);
    QCoreApplication::processEvents();
    key(Qt::Key_Escape); // Esc closes as "Ok" does; the close request stays refused
    QVERIFY(!w.formArea);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Ctrl+C with "Ok" focused, and the context menu opened with the Menu key,
// copy the whole report: the problem restated, then every item in order, as
// aligned plain text and as HTML with the pivot elements in bold. The
// clipboard is left alone until then.
void ReportWindowTest::copyTheReport()
{
    const QString text = QStringLiteral(R"(F = 1·x0 + 1·x1 -> max
1·x0 + 2·x1 <= 4
3·x0 + 1·x1 <= 6
x0, x1 >= 0

Задача на максимум. Ищем верхнюю оценку целевой функции
    -X0  -X1  L
Y0    1    2  4
Y1    3    1  6
Z    -1   -1  0
точка - (0 2 )
координаты ведущего элемента 0,1
     -X0   -Y0  L
X1   0.5   0.5  2
Y1   2.5  -0.5  4
Z   -0.5   0.5  2
точка - (4 0 )
координаты ведущего элемента 0,0
    -X1  -Y0   L
X0    2    1   4
Y1   -5   -3  -6
Z     1    1   4
Верхняя оценка функции - 4
достигается в точке - (4 0 )
Ищем оптимальное решение
координаты ведущего элемента 1,0
     -Y1   -Y0    L
X0   0.4  -0.2  1.6
X1  -0.2   0.6  1.2
Z    0.2   0.4  2.8
Оптимальное решение 
достигается в точке - (1.6 1.2 )
значение функции 2.8
)");
    const QString table = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"4\">\n");
    auto row = [](const char *label, const QStringList &cells) {
        QString html = QStringLiteral("<tr><th>%1</th>").arg(QLatin1String(label));
        for (const QString &cell : cells)
            html += QStringLiteral("<td align=\"right\">%1</td>").arg(cell);
        return html + QStringLiteral("</tr>\n");
    };
    auto head = [](const QStringList &labels) {
        return QStringLiteral("<tr><th></th><th>") + labels.join(QStringLiteral("</th><th>")) + QStringLiteral("</th></tr>\n");
    };
    const QString html =
        QStringLiteral("<html><head><meta charset=\"utf-8\"></head><body>\n"
                       "<p>F = 1·x0 + 1·x1 -&gt; max<br>\n1·x0 + 2·x1 &lt;= 4<br>\n3·x0 + 1·x1 &lt;= 6<br>\n"
                       "x0, x1 &gt;= 0</p>\n<p>Задача на максимум. Ищем верхнюю оценку целевой функции</p>\n")
        + table + head({"-X0", "-X1", "L"}) + row("Y0", {"1", "<b>2</b>", "4"}) + row("Y1", {"3", "1", "6"})
        + row("Z", {"-1", "-1", "0"}) + QStringLiteral("</table>\n<p>точка - (0 2 )</p>\n<p>координаты ведущего элемента 0,1</p>\n")
        + table + head({"-X0", "-Y0", "L"}) + row("X1", {"<b>0.5</b>", "0.5", "2"}) + row("Y1", {"2.5", "-0.5", "4"})
        + row("Z", {"-0.5", "0.5", "2"}) + QStringLiteral("</table>\n<p>точка - (4 0 )</p>\n<p>координаты ведущего элемента 0,0</p>\n")
        + table + head({"-X1", "-Y0", "L"}) + row("X0", {"2", "1", "4"}) + row("Y1", {"<b>-5</b>", "-3", "-6"})
        + row("Z", {"1", "1", "4"})
        + QStringLiteral("</table>\n<p>Верхняя оценка функции - 4</p>\n<p>достигается в точке - (4 0 )</p>\n"
                         "<p>Ищем оптимальное решение</p>\n<p>координаты ведущего элемента 1,0</p>\n")
        + table + head({"-Y1", "-Y0", "L"}) + row("X0", {"0.4", "-0.2", "1.6"}) + row("X1", {"-0.2", "0.6", "1.2"})
        + row("Z", {"0.2", "0.4", "2.8"})
        + QStringLiteral("</table>\n<p>Оптимальное решение </p>\n<p>достигается в точке - (1.6 1.2 )</p>\n"
                         "<p>значение функции 2.8</p>\n</body></html>\n");

    QClipboard *clipboard = QGuiApplication::clipboard();
    Widget w;
    w.show();
    clipboard->setText(QStringLiteral("before"));
    solve(w, workedExample());
    QCoreApplication::processEvents(); // the report window is active, "Ok" has the focus
    QCOMPARE(clipboard->text(), QStringLiteral("before"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->mimeData()->text(), text);
    QCOMPARE(clipboard->mimeData()->html(), html);

    clipboard->clear();
    QTimer::singleShot(0, [] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QCOMPARE(menu->actions().first()->text(), QStringLiteral("Копировать отчёт"));
        menu->actions().first()->trigger();
        menu->close();
    });
    // What the window system makes of the Menu key: a keyboard request for a
    // context menu, sent to the widget with the focus ("Ok").
    QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(), QPoint());
    QApplication::sendEvent(QApplication::focusWidget(), &menuKey);
    QCOMPARE(clipboard->mimeData()->text(), text);
    QCOMPARE(clipboard->mimeData()->html(), html);
    // With the explanations shown, they are copied in their places.
    reportAction(w, "actionExplain")->trigger();
    reportAction(w, "actionCopy")->trigger();
    QVERIFY(clipboard->mimeData()->text().contains(QStringLiteral(
        "точка - (0 2 )\nПочему ведущий элемент 0,1:\nВ строке Z первый элемент не больше -0.000001")));
    QVERIFY(clipboard->mimeData()->text().endsWith(QStringLiteral(
        "значение функции 2.8\nдвойственные оценки: Y0 = 0.4, Y1 = 0.2\n"
        "проверка: 4·0.4 + 6·0.2 = 2.8 — это значение функции\n")));
    QVERIFY(clipboard->mimeData()->html().contains(QStringLiteral(
        "<p>точка - (0 2 )</p>\n<p><i>Почему ведущий элемент 0,1:<br>\n")));
    reportAction(w, "actionExplain")->trigger();
    reportAction(w, "actionCopy")->trigger();
    QCOMPARE(clipboard->mimeData()->text(), text);
    closeReport(w);

    solve(w, cyclingProblem());
    QCoreApplication::processEvents();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->mimeData()->html().count(QStringLiteral("<table ")), 101);
    QCOMPARE(clipboard->mimeData()->html().count(QStringLiteral("<b>")), 100);
    QCOMPARE(clipboard->mimeData()->text().count(QStringLiteral("\nZ ")), 101);
    QVERIFY(clipboard->mimeData()->text().startsWith(QStringLiteral("F = 0·x0 - 1·x1 + 0·x2 + 0·x3 -> min\n"
                                                                      "-1·x0 + 2·x1 + 3·x2 - 1·x3 <= 0\n")));
    closeReport(w);
}

void ReportWindowTest::okGivesButtonsBackAndSolvingAgainRepeats()
{
    Widget w;
    const int windowsBefore = topLevelWindows();
    solve(w, workedExample());
    const QStringList first = reportItems(w);
    QCOMPARE(topLevelWindows(), windowsBefore + 1);
    closeReport(w);
    QVERIFY(!w.formArea && !w.Form);
    QCOMPARE(topLevelWindows(), windowsBefore);
    QVERIFY(control<QPushButton>(w, "pushButton")->isEnabled());
    QVERIFY(control<QPushButton>(w, "pushButton_2")->isEnabled());
    QCOMPARE(w.list_A[2]->text(), QStringLiteral("3"));
    click(w, "pushButton_2");
    QCOMPARE(reportItems(w), first);
    closeReport(w);
}

// The solve reads the form that is shown, whatever the spin boxes show now;
// the next "ok" builds the form for the spin boxes.
void ReportWindowTest::solveReadsTheFormShown()
{
    const Problem p = maxProblem({1, 1, 0}, {{1, 2, 1}, {3, 1, 1}}, {4, 6});
    Widget reference;
    solve(reference, p);
    const QStringList expected = reportItems(reference);
    for (const QPair<int, int> &spins : {qMakePair(4, 8), qMakePair(2, 1)}) {
        Widget w;
        solve(w, p);
        closeReport(w);
        control<QSpinBox>(w, "spinBox")->setValue(spins.first);
        control<QSpinBox>(w, "spinBox_2")->setValue(spins.second);
        click(w, "pushButton_2");
        QCOMPARE(reportItems(w), expected);
        checkFinishedReport(w, 3, 2);
        closeReport(w);
        click(w, "pushButton");
        QCOMPARE(w.list_A.size(), spins.first * spins.second);
    }
}

// Fields are read as C-locale numbers, with a decimal comma, or as fractions;
// anything else counts as 0, and the field shows that it is not a number
// (in red, with a tooltip that says what it counts as) until it is one again.
void ReportWindowTest::fieldTexts()
{
    enum Mark { None, NotANumber, OutOfRange };
    const struct {
        const char *text;
        const char *shown;
        Mark mark;
        const char *exact; // the exact view's value; none when the text has no finite value
    } cases[] = {
        {"1.5", "1.5", None, "3/2"},           {"1,5", "1.5", None, "3/2"},
        {"", "0", None, "0"},                  {"   ", "0", None, "0"},
        {"abc", "0", NotANumber, "0"},         {"+.5", "0.5", None, "1/2"},
        {".5e1", "5", None, "5"},              {"1e3", "1000", None, "1000"},
        {" -2,25e1 ", "-22.5", None, "-45/2"}, {"1/3", "0.333333", None, "1/3"},
        {"-3/4", "-0.75", None, "-3/4"},       {"2/-5", "-0.4", None, "-2/5"},
        {"1,5/3", "0.5", None, "1/2"},         {"-1,5/2", "-0.75", None, "-3/4"},
        {"0.1", "0.1", None, "1/10"},          {"2.5e-3", "0.0025", None, "1/400"},
        {"1/0", "0", NotANumber, "0"},         {"1/3/4", "0", NotANumber, "0"},
        {"1,000,5", "0", NotANumber, "0"},     {"1.5,2", "0", NotANumber, "0"},
        {"1..2", "0", NotANumber, "0"},        {"1,5e400", "0", NotANumber, "0"},
        {"1e-400", "0", NotANumber, "0"},      {"1e400", "inf", NotANumber, nullptr},
        {"-10000", "-10000", None, "-10000"},  {"20000", "20000", OutOfRange, "20000"},
        {"1e5", "100000", OutOfRange, "100000"}, {"0.0000001", "1e-07", OutOfRange, "1/10000000"},
        {"-0.000001", "-1e-06", OutOfRange, "-1/1000000"}, {"0.0000011", "1.1e-06", None, "11/10000000"},
        {"inf", "inf", OutOfRange, nullptr},   {" 0.1 ", "0.1", None, "1/10"},
        // A fraction of 12 characters shows whole in its cell, one of 13 shortened.
        {"1234.567", "1234.57", None, "1234567/1000"}, {"-1234.567", "-1234.57", None, "-1234567/1000"},
    };
    Widget w;
    buildForm(w, 2, 1);
    const QColor plainText = w.list_A[0]->palette().color(QPalette::Text);
    QColor colours[3] = {plainText};
    for (const auto &c : cases) {
        w.list_A[0]->setText(QString::fromUtf8(c.text));
        w.list_Z[0]->setText("3");
        w.list_Z[1]->setText("5");
        click(w, "pushButton_2");
        QTableWidget *first = reportTables(w).first();
        QCOMPARE(tableText(first), QStringLiteral("table -X0 -X1 L / Y0 %1 0 0 / Z -3 -5 0").arg(QLatin1String(c.shown)));
        // Read exactly, by the same rule.
        QAction *fractions = reportAction(w, "actionFractions");
        QCOMPARE(fractions->isEnabled(), c.exact != nullptr);
        if (c.exact) {
            fractions->trigger();
            const QLabel *cell = cellLabel(first, 0, 0);
            QCOMPARE(cell->toolTip().isEmpty() ? cell->text() : cell->toolTip(), QLatin1String(c.exact));
            QCOMPARE(cell->text().endsWith(QChar(0x2026)), int(qstrlen(c.exact)) > kLongestCellFraction);
            fractions->trigger();
        } else {
            QVERIFY(fractions->toolTip().contains(QStringLiteral("«Ограничение 0: коэффициент при x0»")));
        }
        closeReport(w);
        const QLineEdit *field = w.list_A[0];
        const QColor colour = field->palette().color(QPalette::Text);
        if (!colours[c.mark].isValid())
            colours[c.mark] = colour;
        QCOMPARE(colour, colours[c.mark]);
        QCOMPARE(field->toolTip().isEmpty(), c.mark == None);
        if (c.mark == NotANumber)
            QVERIFY(field->toolTip().endsWith(QLatin1String(c.shown)));
        if (c.mark == OutOfRange)
            QVERIFY(field->toolTip().contains(QStringLiteral("вне диапазона"))
                    && field->toolTip().contains(QLatin1String(c.shown)));
    }
    // Three marks that tell each other apart.
    QVERIFY(colours[NotANumber] != plainText && colours[OutOfRange] != plainText
            && colours[OutOfRange] != colours[NotANumber]);
    // The reason names the field off the diagonal too.
    w.list_A[0]->setText(QStringLiteral("1"));
    w.list_A[1]->setText(QStringLiteral("1e400"));
    click(w, "pushButton_2");
    QVERIFY(reportAction(w, "actionFractions")->toolTip().contains(QStringLiteral("«Ограничение 0: коэффициент при x1»")));
    closeReport(w);
}

QTEST_MAIN(ReportWindowTest)
#include "tst_reportwindow.moc"
