// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/widget.h"
#include "ui_widget.h"

#include "widgets/fieldmark.h"
#include "method/basictext.h"
#include "reportwindow/reportview.h"
#include "widgets/snapshottable.h"
#include "method/solve.h"
#include "method/tableau.h"
#include "widgets/windowkit.h"
#include "widgets/windowplace.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

using basictext::decimal;

// Gives access to a scroll area's viewport margins (where the report's tool
// bar stands), which it keeps protected.
class MarginMeasure : public QAbstractScrollArea
{
public:
    using QAbstractScrollArea::viewportMargins;
};

// A label without a parent, given its text and then added to its layout.
void addLabel(QLayout *layout, const QString &text)
{
    auto *label = new QLabel;
    label->setText(text);
    layout->addWidget(label);
}

} // namespace

void TForm::closeEvent(QCloseEvent *e)
{
    e->ignore();
}

void sarea::closeEvent(QCloseEvent *e)
{
    e->ignore();
}

Widget::Widget(QWidget *parent)
    : QWidget(parent),
      n(2), m(1), ml(0), nl(0), iter(0), maxmin(nullptr), flg(false), flgmaxmin(true),
      flgdel(false), A(nullptr), Z(nullptr), L(nullptr), lead(0), r(0), s(0),
      step_1_rez(0), step_2_rez(0), x0(nullptr), Form(nullptr), formArea(nullptr),
      ui(new Ui::Widget)
{
    ui->setupUi(this);
    ui->pushButton_2->hide();
    ui->label_4->hide();
    setWindowIcon(programIcon());
    // Enter in a spin box presses "ok", once the box has taken the typed value.
    for (QSpinBox *box : {ui->spinBox, ui->spinBox_2})
        connect(box->findChild<QLineEdit *>(), &QLineEdit::returnPressed, ui->pushButton, &QAbstractButton::click);
    // What a screen reader says of the fixed controls.
    ui->spinBox->setAccessibleName(tr("n: число переменных"));
    ui->spinBox_2->setAccessibleName(tr("m: число ограничений"));
    ui->pushButton->setAccessibleName(tr("ok: построить форму ввода"));
    ui->pushButton_2->setAccessibleName(tr("Вывести решение"));
}

Widget::~Widget()
{
    delete formArea;
    releaseArrays();
    delete ui;
}

// ---------------------------------------------------------------------------
// Problem input form

void Widget::on_spinBox_valueChanged(int arg1)
{
    n = arg1;
}

void Widget::on_spinBox_2_valueChanged(int arg1)
{
    m = arg1;
}

void Widget::on_pushButton_clicked()
{
    ui->label_4->setText(tr("xi >= 0; i = 0..%1").arg(n - 1));
    ui->pushButton_2->show();
    ui->label_4->show();
    allocateArrays(n, m);
    if (flg)
        removeForm();
    buildForm();
    flg = true;
    nl = n;
    ml = m;
    setFieldWidths();
    setTabOrderOfForm();
    list_Z.first()->setFocus();
    list_Z.first()->selectAll();
}

// The tableau is one block of rows behind a table of row pointers, so that it
// can be released without knowing the size it was allocated for. A set that is
// still held is released first.
void Widget::allocateArrays(int vars, int cons)
{
    releaseArrays();
    const int rows = cons + 1;
    const int cols = vars + 1;
    A = new double *[rows];
    A[0] = new double[rows * cols];
    for (int i = 1; i < rows; ++i)
        A[i] = A[0] + i * cols;
    Z = new double[cols];
    L = new double[rows];
    x0 = new double[vars];
    flgdel = true;
}

void Widget::releaseArrays()
{
    if (!flgdel)
        return;
    delete[] A[0];
    delete[] A;
    delete[] Z;
    delete[] L;
    delete[] x0;
    A = nullptr;
    Z = L = x0 = nullptr;
    flgdel = false;
}

// The widgets of a form are the newest children of the fixed container, and
// its row layouts the only children of the two column layouts.
void Widget::removeForm()
{
    QWidget *box = ui->verticalLayoutWidget_3;
    const int widgets = 2 * ml * (nl + 1) + 2 * nl + 3;
    for (int k = 0; k < widgets; ++k)
        delete box->children().last();
    for (QLayout *column : {ui->verticalLayout, ui->verticalLayout_2}) {
        while (!column->children().isEmpty())
            delete column->children().last();
    }
    list_A.clear();
    list_Z.clear();
    list_L.clear();
    maxmin = nullptr;
    repaint();
}

// A field starts at "0"; Enter in it asks for the solution while that can be
// asked for. Its accessible name says what it holds.
void Widget::addField(QLayout *row, QList<QLineEdit *> &list, const QString &name)
{
    auto *field = new QLineEdit;
    field->setText(QStringLiteral("0"));
    field->setAccessibleName(name);
    connect(field, &QLineEdit::textChanged, field, [field](const QString &text) { markFieldText(field, text); });
    connect(field, &QLineEdit::returnPressed, ui->pushButton_2, &QAbstractButton::click);
    row->addWidget(field);
    list.append(field);
}

void Widget::buildForm()
{
    // A field and "xj +" for every variable; the last label has no plus.
    auto addTerms = [this](QLayout *row, QList<QLineEdit *> &list, const QString &owner) {
        for (int j = 0; j < n; ++j) {
            addField(row, list, tr("%1: коэффициент при x%2").arg(owner).arg(j));
            addLabel(row, tr("x") + QString::number(j) + (j < n - 1 ? QStringLiteral(" +") : QString()));
        }
    };

    QHBoxLayout *objective = ui->horizontalLayout_3;
    addLabel(objective, QStringLiteral(" F  =  "));
    addTerms(objective, list_Z, QStringLiteral("F"));
    addLabel(objective, QStringLiteral(" -> "));
    maxmin = new QComboBox;
    maxmin->addItem(tr("max"));
    maxmin->addItem(tr("min"));
    // On X11 a combo box is named by its current item; the description says
    // what it chooses there too.
    maxmin->setAccessibleName(tr("F: максимум или минимум"));
    maxmin->setAccessibleDescription(tr("F: максимум или минимум"));
    objective->addWidget(maxmin);

    for (int i = 0; i < m; ++i) {
        const QString constraint = tr("Ограничение %1").arg(i);
        auto *left = new QHBoxLayout;
        addTerms(left, list_A, constraint);
        ui->verticalLayout->addLayout(left);
        auto *right = new QHBoxLayout;
        addLabel(right, QStringLiteral("<="));
        addField(right, list_L, tr("%1: правая часть").arg(constraint));
        ui->verticalLayout_2->addLayout(right);
    }
}

// The fields of a row share what the fixed container leaves beside the
// row's labels, the combo box and the spacing: the objective's fields their
// row, the fields of a constraint and its right-hand side theirs, so that a
// right-hand side is as wide as a coefficient. In the default font every
// field then shows the widest value of the help text, -10000, whole; with a
// much larger font the fields narrow rather than push the rows out of the
// fixed container.
void Widget::setFieldWidths()
{
    // What a row layout takes besides its fields.
    auto besideFields = [](QLayout *row) {
        int width = row->spacing() * (row->count() - 1);
        for (int k = 0; k < row->count(); ++k) {
            QWidget *item = row->itemAt(k)->widget();
            if (!qobject_cast<QLineEdit *>(item))
                width += item->sizeHint().width();
        }
        return width;
    };
    const int room = ui->verticalLayoutWidget_3->width();
    const int objective = (room - besideFields(ui->horizontalLayout_3)) / nl;
    const int constraint = (room - besideFields(ui->verticalLayout->itemAt(0)->layout())
                            - ui->horizontalLayout_2->spacing()
                            - besideFields(ui->verticalLayout_2->itemAt(0)->layout())) / (nl + 1);
    for (QLineEdit *field : list_Z)
        field->setFixedWidth(std::max(objective, 0));
    for (QLineEdit *field : list_A + list_L)
        field->setFixedWidth(std::max(constraint, 0));
}

// Tab follows reading order: the objective's fields, max/min, each constraint
// row left to right ending with its right-hand side, then the solve button.
void Widget::setTabOrderOfForm()
{
    QList<QWidget *> order;
    for (QLineEdit *field : list_Z)
        order << field;
    order << maxmin;
    for (int i = 0; i < ml; ++i) {
        for (int j = 0; j < nl; ++j)
            order << list_A[i * nl + j];
        order << list_L[i];
    }
    order << ui->pushButton_2;
    for (int k = 1; k < order.size(); ++k)
        setTabOrder(order[k - 1], order[k]);
}

// ---------------------------------------------------------------------------
// Solve driver

void Widget::on_pushButton_2_clicked()
{
    if (!flgdel)
        allocateArrays(nl, ml); // the set of the last "ok" went with the last solve
    readForm();
    flgmaxmin = maxmin->currentIndex() == 0;
    openReportWindow();
    initialhead();
    QVBoxLayout *vert = step_1();
    if (step_1_rez == 1)
        step_2(vert);
    finishReport(vert);
    focusBeforeReport = focusWidget(); // a locked button gives its focus away
    ui->pushButton_2->setEnabled(false);
    ui->pushButton->setEnabled(false);
    horhead.clear();
    verthead.clear();
    releaseArrays();
}

// Constraint rows as typed, the objective row with its signs changed. A field
// that does not hold a number counts as 0. The course records the problem as
// read: the texts and the values they count as.
void Widget::readForm()
{
    ProblemTexts texts;
    texts.n = nl;
    texts.m = ml;
    texts.maximise = maxmin->currentIndex() == 0;
    for (const QLineEdit *field : list_Z)
        texts.objective << field->text();
    for (const QLineEdit *field : list_A)
        texts.constraints << field->text();
    for (const QLineEdit *field : list_L)
        texts.rightHands << field->text();
    course = readProblem(texts);
    for (int i = 0; i <= ml; ++i) {
        for (int j = 0; j <= nl; ++j) {
            if (i < ml && j < nl) {
                A[i][j] = course.a[nl * i + j];
            } else if (i == ml && j < nl) {
                Z[j] = course.c[j];
                Z[j] = -Z[j];
                A[ml][j] = Z[j];
            } else if (j == nl && i < ml) {
                L[i] = course.b[i];
                A[i][nl] = L[i];
            }
        }
    }
    Z[nl] = 0;
    L[ml] = 0;
    A[ml][nl] = 0;
}

// ---------------------------------------------------------------------------
// Tableau, labels and pivot

void Widget::initialhead()
{
    horhead.append(initialColumnLabels(nl));
    verthead.append(initialRowLabels(ml));
}

// The variable of column xi moves to row yi without its minus sign, the
// variable of row yi to column xi with one.
void Widget::swaphead(int yi, int xi)
{
    if (xi < 0 || xi >= horhead.size() || yi < 0 || yi >= verthead.size())
        return;
    swapLabels(horhead, verthead, yi, xi);
}

// The tableau's rows are one block (see allocateArrays).
void Widget::pivot(int row, int col)
{
    lead = pivotCells(A[0], ml + 1, nl + 1, row, col);
}

// ---------------------------------------------------------------------------
// Report window and snapshot table

void Widget::openReportWindow()
{
    formArea = new sarea;
    // A secondary window of the main window: the window manager keeps it
    // above the main window (X11 marks only such windows transient for it).
    formArea->setWindowFlags(Qt::Dialog | Qt::WindowMaximizeButtonHint);
    Form = new TForm;
    formArea->setWindowTitle(tr("Решение"));
    Form->setWindowTitle(tr("Решение"));
    Form->setGeometry(10, 10, 700, 457);
    formArea->setWidget(Form);
    formArea->setWindowIcon(windowIcon());
    // "Ok" keeps the focus; the report scrolls from the keyboard all the same.
    formArea->setFocusPolicy(Qt::NoFocus);
    addScrollKeys(formArea);
}

void Widget::finishReport(QVBoxLayout *vert)
{
    auto *ok = new QPushButton(tr("Ok"), Form);
    ok->setAutoDefault(true); // Enter presses it, as Space does
    vert->addWidget(ok);
    vert->setSizeConstraint(QLayout::SetFixedSize);
    Form->setAttribute(Qt::WA_DeleteOnClose);
    Form->setAttribute(Qt::WA_QuitOnClose);
    new QShortcut(QKeySequence(Qt::Key_Escape), formArea, [ok] { ok->click(); }); // Esc closes as "Ok" does
    // The tool bar and the context menu with the report's views, which keep
    // the course the page shows.
    new ReportViews(formArea, vert, std::move(course));
    course = Course();
    placeReportWindow();
    ok->setFocus();
    formArea->show();
    connect(ok, SIGNAL(clicked()), this, SLOT(close_Form()));
}

// The report window opens as wide as its page and as tall as the page, or as
// the screen allows with the window manager's frame counted; centred over
// the main window where there is room, and whole on the screen, title bar
// included. Before the window is mapped its frame is not known: it is taken
// to be the main window's, and the window is placed again once the window
// manager has framed it, should the frame differ.
void Widget::placeReportWindow()
{
    Form->layout()->activate(); // the page takes its size now
    formArea->winId();          // and the window its place in the window system
    QMargins frame = formArea->windowHandle()->frameMargins();
    if (frame.isNull() && isVisible())
        frame = windowHandle()->frameMargins();
    const QRect screen = this->screen()->availableGeometry();
    const int border = 2 * formArea->frameWidth();
    const int toolBar = (formArea->*&MarginMeasure::viewportMargins)().top();
    QSize inner = Form->size() + QSize(border, border + toolBar);
    if (inner.height() > screen.height() - frame.top() - frame.bottom()) // a scroll bar beside the page
        inner.rwidth() += formArea->verticalScrollBar()->sizeHint().width();
    formArea->setGeometry(placeWindow(inner, frame, isVisible() ? frameGeometry().center() : screen.center(), screen));
    if (isVisible())
        formArea->windowHandle()->setTransientParent(windowHandle());
    if (!formArea->isVisible())
        onFirstExpose(formArea->windowHandle(), [this, frame] {
            if (formArea && formArea->windowHandle()->frameMargins() != frame)
                placeReportWindow();
        });
}

// The "Ok" button that runs this slot is on the page, so the window is
// destroyed once control is back in the event loop; it disappears at once.
void Widget::close_Form()
{
    if (formArea) {
        formArea->hide();
        formArea->deleteLater(); // the page and everything on it go with it
    }
    formArea = nullptr;
    Form = nullptr;
    ui->pushButton_2->setEnabled(true);
    ui->pushButton->setEnabled(true);
    if (isVisible())
        activateWindow(); // the keyboard comes back to the main window,
    if (focusBeforeReport)
        focusBeforeReport->setFocus(); // where it was
    // Hiding, unlike closing, does not end the program by itself: when the
    // main window was closed while the report was open, the report was the
    // last window, and "Ok" ends the program as closing it would.
    if (!isVisible() && QThread::currentThread()->loopLevel() > 0 && QGuiApplication::quitOnLastWindowClosed())
        QCoreApplication::quit();
}

QTableWidget *Widget::add_table()
{
    return makeSnapshotTable(Form, horhead, verthead, [this](int i, int j) { return decimal(A[i][j]); });
}

// ---------------------------------------------------------------------------
// The two stages: the method's own functions run on the record, and the
// tableau, its labels and the last choice are kept here as they leave them.
// The report's page is built from the record when the report window opens.

// The tableau as it is now, under its labels, as the record's starting table.
void Widget::recordTableau()
{
    Tableau table;
    table.n = nl;
    table.m = ml;
    table.columns = horhead;
    table.rows = verthead;
    table.cells.assign(A[0], A[0] + (ml + 1) * (nl + 1));
    course.tables.push_back(std::move(table));
}

// The last table of the record back in the tableau and its labels; the last
// choice, its pivot element and the point read from the table.
void Widget::keepStage(const StageRun &run)
{
    const Tableau &last = course.tables.back();
    std::copy(last.cells.begin(), last.cells.end(), A[0]);
    horhead = last.columns;
    verthead = last.rows;
    if (run.row >= 0)
        r = run.row;
    if (run.column >= 0) {
        s = run.column;
        lead = run.lead;
    }
    iter = run.pivots;
    const std::vector<double> x = last.point();
    std::copy(x.begin(), x.end(), x0);
}

// First stage: pivot until the objective row gives a bound of the objective.
QVBoxLayout *Widget::step_1()
{
    auto *vert = new QVBoxLayout(Form);
    recordTableau();
    const StageRun run = firstStage(course);
    keepStage(run);
    step_1_rez = run.goesOn ? 1 : 0;
    return vert;
}

// Second stage: remove the negative free terms, one pivot at a time.
void Widget::step_2(QVBoxLayout *)
{
    keepStage(secondStage(course));
    if (course.ending == Course::Ending::Optimum)
        step_2_rez = 1;
    else if (course.ending == Course::Ending::NoCandidate)
        step_2_rez = 0;
}
