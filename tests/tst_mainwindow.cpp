// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's fixed controls and the input form built by "ok".
#include "reportdriver.h"
#include "mainwindow/mainmenu.h"
#include "mainwindow/translation.h"
#include "widgets/guidewindow.h"

#include <QAccessible>
#include <QMenu>
#include <QTextBlock>
#include <QTextBrowser>

#include <QHBoxLayout>
#include <QVBoxLayout>

class MainWindowTest : public QObject
{
    Q_OBJECT

private:
    static QStringList classesAndTexts(QLayout *layout);
    static void checkForm(Widget &w, int n, int m);
    static int firstArgumentType(Widget &w, int method);
    static void checkFieldsReadable(Widget &w);
    static void checkRowsFit(Widget &w);

private slots:
    void initTestCase();
    void metaObjects();
    void fixedControls();
    void fixedLayouts();
    void formForSmallestSize();
    void formForLargestSize();
    void rebuildLeavesOneFreshForm();
    void spinBoxesAfterOkChangeNothingElse();
    void guide();
};

// "QLabel:text", "QLineEdit:text", "QComboBox:current" for the items of a layout.
QStringList MainWindowTest::classesAndTexts(QLayout *layout)
{
    QStringList out;
    for (int k = 0; k < layout->count(); ++k) {
        QWidget *item = layout->itemAt(k)->widget();
        if (auto *l = qobject_cast<QLabel *>(item))
            out << QStringLiteral("L:") + l->text();
        else if (auto *e = qobject_cast<QLineEdit *>(item))
            out << QStringLiteral("E:") + e->text();
        else if (auto *c = qobject_cast<QComboBox *>(item))
            out << QStringLiteral("C:") + c->itemText(0) + QLatin1Char('/') + c->itemText(1)
                       + QLatin1Char('/') + c->currentText();
        else
            out << QStringLiteral("?");
    }
    return out;
}

// The meta-type id that the meta-object registers for the first argument of
// a method, -1 for "unknown". Qt 5 answers with an int, Qt 6 with a QMetaType;
// the answer is read in the type the generated code writes.
int MainWindowTest::firstArgumentType(Widget &w, int method)
{
    int argument = 0;
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    QMetaType type = QMetaType::fromType<int>(); // the call must overwrite it
    void *args[] = {&type, &argument};
    w.qt_metacall(QMetaObject::RegisterMethodArgumentMetaType, method, args);
    return type.isValid() ? type.id() : -1;
#else
    int type = -2;
    void *args[] = {&type, &argument};
    w.qt_metacall(QMetaObject::RegisterMethodArgumentMetaType, method, args);
    return type;
#endif
}

// The fonts of a desktop without a theme of its own (Qt's generic Unix
// theme: Sans Serif, 9 points), which the offscreen platform does not use.
void MainWindowTest::initTestCase()
{
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    QVERIFY(installToolkitTranslation(qApp));
}

// What a screen reader says a widget is.
static QString accessibleName(QWidget *widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

void MainWindowTest::metaObjects()
{
    const QMetaObject &meta = Widget::staticMetaObject;
    QStringList slotList;
    for (int k = meta.methodOffset(); k < meta.methodCount(); ++k) {
        QCOMPARE(meta.method(k).access(), QMetaMethod::Private);
        QCOMPARE(meta.method(k).methodType(), QMetaMethod::Slot);
        slotList << QString::fromLatin1(meta.method(k).methodSignature());
    }
    QCOMPARE(slotList, QStringList({"on_spinBox_valueChanged(int)", "on_spinBox_2_valueChanged(int)",
                                    "on_pushButton_clicked()", "on_pushButton_2_clicked()", "close_Form()",
                                    "initialhead()", "swaphead(int,int)", "add_table()", "step_1()",
                                    "step_2(QVBoxLayout*)"}));
    // Asked for the argument types, the meta-object names only step_2's.
    Widget w;
    for (int k = 0; k < 10; ++k)
        QCOMPARE(firstArgumentType(w, meta.methodOffset() + k), k == 9 ? qMetaTypeId<QVBoxLayout *>() : -1);
    QCOMPARE(TForm::staticMetaObject.className(), "TForm");
    QCOMPARE(TForm::staticMetaObject.methodCount(), QWidget::staticMetaObject.methodCount());
}

void MainWindowTest::fixedControls()
{
    Widget w;
    QCOMPARE(w.objectName(), QStringLiteral("Widget"));
    QCOMPARE(w.size(), QSize(534, 422));
    QCOMPARE(w.n, 2);
    QCOMPARE(w.m, 1);
    QVERIFY(!w.flg && !w.flgdel && !w.maxmin);

    auto *box = control<QWidget>(w, "verticalLayoutWidget_3");
    QCOMPARE(box->parentWidget(), &w);
    QCOMPARE(box->geometry(), QRect(10, 10, 511, 371));
    auto *credit = control<QLabel>(w, "label_5");
    QCOMPARE(credit->parentWidget(), &w);
    QCOMPARE(credit->geometry(), QRect(10, 400, 481, 21));
    QVERIFY(credit->text().contains(QStringLiteral("align=\"center\"")));

    QCOMPARE(control<QLabel>(w, "label")->text(), QStringLiteral("   n"));
    QCOMPARE(control<QLabel>(w, "label_2")->text(), QStringLiteral("   m"));
    QCOMPARE(control<QPushButton>(w, "pushButton")->text(), QStringLiteral("ok"));
    QCOMPARE(control<QLabel>(w, "label_3")->text(),
             QStringLiteral("<html><head/><body><p>2 &lt;= n &lt;= 4</p><p>1 &lt;= m &lt;= 8<br/></p>"
                            "<p>значения от -10000 до 10000</p><p>по модулю больше 0.000001</p>"
                            "<p>или равны нулю</p></body></html>"));
    QCOMPARE(control<QLabel>(w, "label_4")->text(), QStringLiteral("         xi >= 0 i = 0..n"));
    QCOMPARE(control<QPushButton>(w, "pushButton_2")->text(), QStringLiteral("Вывести решение"));
    QVERIFY(control<QLabel>(w, "label_4")->isHidden());
    QVERIFY(control<QPushButton>(w, "pushButton_2")->isHidden());
    QVERIFY(control<QPushButton>(w, "pushButton_2")->isEnabled());
    QCOMPARE(accessibleName(control<QSpinBox>(w, "spinBox")), QStringLiteral("n: число переменных"));
    QCOMPARE(accessibleName(control<QSpinBox>(w, "spinBox_2")), QStringLiteral("m: число ограничений"));
    QCOMPARE(accessibleName(control<QPushButton>(w, "pushButton")), QStringLiteral("ok: построить форму ввода"));
    QCOMPARE(accessibleName(control<QPushButton>(w, "pushButton_2")), QStringLiteral("Вывести решение"));

    auto *spinN = control<QSpinBox>(w, "spinBox");
    auto *spinM = control<QSpinBox>(w, "spinBox_2");
    QCOMPARE(QList<int>({spinN->minimum(), spinN->maximum(), spinN->value()}), QList<int>({2, 4, 2}));
    QCOMPARE(QList<int>({spinM->minimum(), spinM->maximum(), spinM->value()}), QList<int>({1, 8, 1}));
    spinN->setValue(9);
    spinM->setValue(0);
    QCOMPARE(w.n, 4);
    QCOMPARE(w.m, 1);
    spinN->setValue(3);
    QCOMPARE(w.n, 3);

    // Resizing moves nothing: the container has a fixed geometry.
    w.resize(900, 700);
    QCOMPARE(box->geometry(), QRect(10, 10, 511, 371));
}

void MainWindowTest::fixedLayouts()
{
    Widget w;
    auto *top = control<QVBoxLayout>(w, "verticalLayout_3");
    QCOMPARE(top->spacing(), 6);
    QCOMPARE(top->contentsMargins(), QMargins(0, 0, 0, 0));
    QStringList order;
    for (int k = 0; k < top->count(); ++k)
        order << top->itemAt(k)->layout()->objectName();
    QCOMPARE(order, QStringList({"horizontalLayout", "horizontalLayout_3", "horizontalLayout_2",
                                 "horizontalLayout_4"}));
    auto *row = control<QHBoxLayout>(w, "horizontalLayout");
    QStringList topRow;
    for (int k = 0; k < row->count(); ++k)
        topRow << row->itemAt(k)->widget()->objectName();
    QCOMPARE(topRow, QStringList({"label", "spinBox", "label_2", "spinBox_2", "pushButton", "label_3"}));
    auto *columns = control<QHBoxLayout>(w, "horizontalLayout_2");
    QCOMPARE(columns->itemAt(0)->layout()->objectName(), QStringLiteral("verticalLayout"));
    QCOMPARE(columns->itemAt(1)->layout()->objectName(), QStringLiteral("verticalLayout_2"));
    auto *bottom = control<QHBoxLayout>(w, "horizontalLayout_4");
    QCOMPARE(bottom->itemAt(0)->widget()->objectName(), QStringLiteral("label_4"));
    QCOMPARE(bottom->itemAt(1)->widget()->objectName(), QStringLiteral("pushButton_2"));
    for (const char *name : {"horizontalLayout", "horizontalLayout_3", "horizontalLayout_2",
                             "verticalLayout", "verticalLayout_2", "horizontalLayout_4"})
        QCOMPARE(control<QLayout>(w, name)->spacing(), 6);
    // Nine fixed children: the layout and the eight widgets of the two rows.
    QCOMPARE(control<QWidget>(w, "verticalLayoutWidget_3")->children().size(), 9);
}

void MainWindowTest::checkForm(Widget &w, int n, int m)
{
    QCOMPARE(w.list_Z.size(), n);
    QCOMPARE(w.list_A.size(), n * m);
    QCOMPARE(w.list_L.size(), m);
    QCOMPARE(w.nl, n);
    QCOMPARE(w.ml, m);
    QVERIFY(w.flg && w.flgdel);

    QStringList terms;
    for (int j = 0; j < n; ++j)
        terms << QStringLiteral("E:0") << QStringLiteral("L:x%1%2").arg(j).arg(j < n - 1 ? " +" : "");
    QCOMPARE(classesAndTexts(control<QLayout>(w, "horizontalLayout_3")),
             QStringList() << "L: F  =  " << terms << "L: -> " << "C:max/min/max");
    auto *left = control<QLayout>(w, "verticalLayout");
    auto *right = control<QLayout>(w, "verticalLayout_2");
    QCOMPARE(left->count(), m);
    QCOMPARE(right->count(), m);
    QCOMPARE(left->children().size(), m);
    QCOMPARE(right->children().size(), m);
    for (int i = 0; i < m; ++i) {
        QCOMPARE(classesAndTexts(left->itemAt(i)->layout()), terms);
        QCOMPARE(classesAndTexts(right->itemAt(i)->layout()), QStringList({"L:<=", "E:0"}));
        QCOMPARE(right->itemAt(i)->layout()->itemAt(1)->widget(), w.list_L[i]);
        for (int j = 0; j < n; ++j)
            QCOMPARE(left->itemAt(i)->layout()->itemAt(2 * j)->widget(), w.list_A[i * n + j]);
    }
    auto *box = control<QWidget>(w, "verticalLayoutWidget_3");
    QCOMPARE(box->children().size(), 9 + 2 * m * (n + 1) + 2 * n + 3);
    QCOMPARE(control<QLabel>(w, "label_4")->text(), QStringLiteral("xi >= 0; i = 0..%1").arg(n - 1));
    // A screen reader names every field by what it holds.
    for (int j = 0; j < n; ++j) {
        QCOMPARE(accessibleName(w.list_Z[j]), QStringLiteral("F: коэффициент при x%1").arg(j));
        for (int i = 0; i < m; ++i)
            QCOMPARE(accessibleName(w.list_A[i * n + j]), QStringLiteral("Ограничение %1: коэффициент при x%2").arg(i).arg(j));
    }
    for (int i = 0; i < m; ++i)
        QCOMPARE(accessibleName(w.list_L[i]), QStringLiteral("Ограничение %1: правая часть").arg(i));
    QCOMPARE(QAccessible::queryAccessibleInterface(w.maxmin)->text(QAccessible::Description),
             QStringLiteral("F: максимум или минимум"));
    QVERIFY(!control<QLabel>(w, "label_4")->isHidden());
    QVERIFY(!control<QPushButton>(w, "pushButton_2")->isHidden());
    checkFieldsReadable(w);
}

// Every field shows "-10000" whole: with the cursor at the start and at the
// end of the text, the text sits inside the field with the margin it keeps
// on the left on the right too. A right-hand side is as wide as a
// coefficient.
void MainWindowTest::checkFieldsReadable(Widget &w)
{
    checkRowsFit(w);
    for (QLineEdit *field : w.list_A + w.list_Z + w.list_L) {
        const QString before = field->text();
        field->setText(QStringLiteral("-10000"));
        field->setCursorPosition(0);
        const int start = field->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        field->setCursorPosition(6);
        const int end = field->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
        QCOMPARE(end - start, field->fontMetrics().horizontalAdvance(QStringLiteral("-10000")));
        QVERIFY2(start > 0 && end + start <= field->width(), qPrintable(QStringLiteral("%1 %2 %3").arg(start).arg(end).arg(field->width())));
        field->setText(before);
    }
    for (QLineEdit *field : w.list_L + w.list_A)
        QCOMPARE(field->width(), w.list_A.first()->width());
}

// Every row of the form fits the fixed container, no item overlapping the next.
void MainWindowTest::checkRowsFit(Widget &w)
{
    w.show();
    QCoreApplication::processEvents(); // the new widgets are shown, the layouts set
    const int room = control<QWidget>(w, "verticalLayoutWidget_3")->width();
    QList<QLayout *> rows{control<QLayout>(w, "horizontalLayout_3")};
    for (int i = 0; i < w.ml; ++i)
        rows << control<QLayout>(w, "verticalLayout")->itemAt(i)->layout()
             << control<QLayout>(w, "verticalLayout_2")->itemAt(i)->layout();
    for (QLayout *row : rows) {
        int right = 0;
        for (int k = 0; k < row->count(); ++k) {
            const QRect item = row->itemAt(k)->widget()->geometry();
            QVERIFY2(item.left() >= right, qPrintable(QStringLiteral("row %1 item %2: %3 < %4").arg(rows.indexOf(row)).arg(k).arg(item.left()).arg(right)));
            right = item.right() + 1;
        }
        QVERIFY(right <= room);
    }
}

void MainWindowTest::formForSmallestSize()
{
    Widget w;
    click(w, "pushButton");
    checkForm(w, 2, 1);
    // The toolkit's own texts are Russian: a field's context menu.
    std::unique_ptr<QMenu> menu(w.list_Z[0]->createStandardContextMenu());
    QStringList items;
    for (QAction *action : menu->actions())
        if (!action->isSeparator())
            items << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    QCOMPARE(items, QStringList({"Отменить действие", "Повторить действие", "Вырезать", "Копировать", "Вставить",
                                 "Удалить", "Выделить всё"}));
}

void MainWindowTest::formForLargestSize()
{
    Widget w;
    buildForm(w, 4, 8);
    checkForm(w, 4, 8);
    // The coefficient of x2 in constraint 5 sits in the sixth left row, fifth item.
    auto *row5 = control<QLayout>(w, "verticalLayout")->itemAt(5)->layout();
    QCOMPARE(row5->itemAt(4)->widget(), w.list_A[22]);
    // With a much larger font the fields narrow; the rows still fit.
    const FontGuard font;
    QApplication::setFont(QFont(font.saved.family(), 2 * font.saved.pointSize()));
    Widget large;
    buildForm(large, 4, 8);
    checkRowsFit(large);
}

void MainWindowTest::rebuildLeavesOneFreshForm()
{
    Widget w;
    buildForm(w, 4, 8);
    w.list_A[22]->setText("7");
    w.maxmin->setCurrentIndex(1);
    buildForm(w, 3, 2);
    checkForm(w, 3, 2);
    buildForm(w, 3, 2);
    checkForm(w, 3, 2);
    buildForm(w, 2, 1);
    checkForm(w, 2, 1);
    buildForm(w, 4, 8);
    checkForm(w, 4, 8);
}

void MainWindowTest::spinBoxesAfterOkChangeNothingElse()
{
    Widget w;
    buildForm(w, 3, 4);
    control<QSpinBox>(w, "spinBox")->setValue(2);
    control<QSpinBox>(w, "spinBox_2")->setValue(7);
    QCOMPARE(w.n, 2);
    QCOMPARE(w.m, 7);
    checkForm(w, 3, 4);
}

// F1 opens the Russian guide from the main window and from the report; every
// link of its contents leads to its section; Esc closes it.
void MainWindowTest::guide()
{
    QCOMPARE(headingAnchor(QStringLiteral("Устойчивость и «Что если…»")), QStringLiteral("устойчивость-и-что-если"));
    Widget w;
    new MainMenu(w);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::keyClick(&w, Qt::Key_F1);
    auto *guide = qApp->findChild<QTextBrowser *>(QStringLiteral("guideWindow"));
    if (!guide)
        for (QWidget *top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String("guideWindow"))
                guide = qobject_cast<QTextBrowser *>(top);
    QVERIFY(guide && guide->isVisible());
    const QString text = guide->toPlainText();
    QVERIFY(text.contains(QStringLiteral("Как читать отчёт")));
    // Every link of the contents names a heading, and following it goes there.
    const QRegularExpression link(QStringLiteral("\\]\\(#([^)]+)\\)"));
    QFile source(QStringLiteral(":/guide/guide-ru.md"));
    QVERIFY(source.open(QIODevice::ReadOnly));
    int links = 0;
    QRegularExpressionMatchIterator found = link.globalMatch(QString::fromUtf8(source.readAll()));
    while (found.hasNext()) {
        const QRegularExpressionMatch m = found.next();
        emit guide->anchorClicked(QUrl(QLatin1Char('#') + m.captured(1)));
        const QTextBlock block = guide->textCursor().block();
        QVERIFY2(block.blockFormat().headingLevel() > 0 && headingAnchor(block.text()) == m.captured(1),
                 qPrintable(m.captured(1)));
        ++links;
    }
    QVERIFY(links >= 15);
    // The report's "Справка" raises the same window.
    fillForm(w, workedExample());
    click(w, "pushButton_2");
    QVERIFY(reportAction(w, "actionGuide"));
    guide->close();
    reportAction(w, "actionGuide")->trigger();
    QVERIFY(guide->isVisible());
    QTest::keyClick(guide, Qt::Key_Escape);
    QVERIFY(!guide->isVisible());
    closeReport(w);
}

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
