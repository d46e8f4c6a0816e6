// SPDX-License-Identifier: GPL-3.0-or-later
#include "widget.h"
#include "ui_widget.h"

#include "fieldtext.h"
#include "reporttext.h"
#include "reportview.h"
#include "tablecell.h"
#include "tableau.h"
#include "windowplace.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QThread>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// Text colours of a field whose text does not read as a number, and of one
// whose number lies outside the range the program is meant for.
constexpr QRgb kNotANumberColour = 0xff0000;
constexpr QRgb kOutOfRangeColour = 0xb35900; // dark orange
// That range, as the help text gives it: 0, or a magnitude above
// kSmallestMagnitude and at most kLargestMagnitude.
constexpr double kSmallestMagnitude = 1e-6;
constexpr double kLargestMagnitude = 10000;

using reporttext::decimal;

bool withinRange(double v)
{
    return v == 0 || (std::abs(v) > kSmallestMagnitude && std::abs(v) <= kLargestMagnitude);
}

// A field whose text is not blank and does not read as a number shows it in
// red, with a tooltip that says what the text counts as; one whose number
// lies outside the range the program is meant for, in dark orange, with a
// tooltip that says so. The solve takes either as it counts.
void markFieldText(QLineEdit *field, const QString &text)
{
    bool isNumber = false;
    const double value = fieldValue(text, &isNumber);
    QString tip;
    QRgb colour = 0;
    if (!isNumber && !text.trimmed().isEmpty()) {
        colour = kNotANumberColour;
        tip = Widget::tr("Текст не читается как число: при решении он считается равным %1").arg(decimal(value));
    } else if (isNumber && !withinRange(value)) {
        colour = kOutOfRangeColour;
        tip = Widget::tr("Число %1 вне диапазона, на который рассчитана программа:\n"
                         "от -10000 до 10000, по модулю больше 0.000001 или 0.\n"
                         "Оно используется так, как введено.")
                  .arg(decimal(value));
    }
    QPalette palette;
    if (!tip.isEmpty())
        palette.setColor(QPalette::Text, QColor(colour));
    field->setPalette(palette);
    field->setToolTip(tip);
}

// Puts each cell label on its whole cell, where the table's default delegate
// puts it too, without asking the style for the rectangle on every layout.
class CellPlacer : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &) const override
    {
        editor->setGeometry(option.rect);
    }
};

// Gives access to the header's own measure of a section, which the header
// keeps protected: through a pointer to the member, on any header.
class HeaderMeasure : public QHeaderView
{
public:
    using QHeaderView::sectionSizeFromContents;
};

// Gives access to a scroll area's viewport margins (where the report's tool
// bar stands), which it keeps protected.
class MarginMeasure : public QAbstractScrollArea
{
public:
    using QAbstractScrollArea::viewportMargins;
};

// The report scrolls from the keyboard whatever has the focus: the page
// keys, Home and End, and the arrows.
void addScrollKeys(QScrollArea *area)
{
    const struct {
        int key;
        Qt::Orientation direction;
        QAbstractSlider::SliderAction action;
    } keys[] = {
        {Qt::Key_PageUp, Qt::Vertical, QAbstractSlider::SliderPageStepSub},
        {Qt::Key_PageDown, Qt::Vertical, QAbstractSlider::SliderPageStepAdd},
        {Qt::Key_Home, Qt::Vertical, QAbstractSlider::SliderToMinimum},
        {Qt::Key_End, Qt::Vertical, QAbstractSlider::SliderToMaximum},
        {Qt::Key_Up, Qt::Vertical, QAbstractSlider::SliderSingleStepSub},
        {Qt::Key_Down, Qt::Vertical, QAbstractSlider::SliderSingleStepAdd},
        {Qt::Key_Left, Qt::Horizontal, QAbstractSlider::SliderSingleStepSub},
        {Qt::Key_Right, Qt::Horizontal, QAbstractSlider::SliderSingleStepAdd},
    };
    for (const auto &k : keys) {
        QScrollBar *bar = k.direction == Qt::Vertical ? area->verticalScrollBar() : area->horizontalScrollBar();
        auto *shortcut = new QShortcut(QKeySequence(k.key), area);
        QObject::connect(shortcut, &QShortcut::activated, bar, [bar, action = k.action] { bar->triggerAction(action); });
    }
}

// The label that shows cell (i, j) of a snapshot table.
QLabel *cellLabel(const QTableWidget *table, int i, int j)
{
    return qobject_cast<QLabel *>(table->cellWidget(i, j));
}

// Runs `run` once, when `window` is first exposed: by then the window
// manager has framed it.
void onFirstExpose(QWindow *window, std::function<void()> run)
{
    class Watch : public QObject
    {
    public:
        Watch(QWindow *window, std::function<void()> run) : QObject(window), run(std::move(run)) {}
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
                watched->removeEventFilter(this);
                deleteLater();
                run();
            }
            return false;
        }

    private:
        std::function<void()> run;
    };
    window->installEventFilter(new Watch(window, std::move(run)));
}

// A label without a parent, given its text and then added to its layout.
void addLabel(QLayout *layout, const QString &text)
{
    auto *label = new QLabel;
    label->setText(text);
    layout->addWidget(label);
}

} // namespace

// The program's icon, the one its menu entry shows, in the sizes a window
// manager asks for. The pictures are built into the program.
static QIcon programIcon()
{
    Q_INIT_RESOURCE(icons); // the resources live in a static library
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/dual-simplex-%1.png").arg(size), QSize(size, size));
    return icon;
}

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
    course.maximise = flgmaxmin;
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
    course = Course();
    course.n = nl;
    course.m = ml;
    auto number = [](const QLineEdit *field, QStringList &texts, std::vector<double> &values) {
        bool isNumber = false;
        texts << field->text();
        values.push_back(fieldValue(field->text(), &isNumber));
        return values.back();
    };
    for (int i = 0; i <= ml; ++i) {
        for (int j = 0; j <= nl; ++j) {
            if (i < ml && j < nl) {
                A[i][j] = number(list_A[nl * i + j], course.constraintTexts, course.a);
            } else if (i == ml && j < nl) {
                Z[j] = number(list_Z[j], course.objectiveTexts, course.c);
                Z[j] = -Z[j];
                A[ml][j] = Z[j];
            } else if (j == nl && i < ml) {
                L[i] = number(list_L[i], course.rightHandTexts, course.b);
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
    for (int i = 0; i <= nl; ++i)
        horhead.append(i == nl ? QStringLiteral("L") : QStringLiteral("-X") + QString::number(i));
    for (int i = 0; i <= ml; ++i)
        verthead.append(i == ml ? QStringLiteral("Z") : QStringLiteral("Y") + QString::number(i));
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
    auto *table = new QTableWidget(Form);
    // A picture of the tableau, not an editor: no focus, and nothing to select,
    // so that only the pivot marks are highlighted.
    table->setFocusPolicy(Qt::NoFocus);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setItemDelegate(new CellPlacer(table));
    // While the sections have no items yet, the headers are hidden, so that
    // they do not measure the section numbers they would show meanwhile.
    const QList<QHeaderView *> headers = {table->horizontalHeader(), table->verticalHeader()};
    for (QHeaderView *header : headers)
        header->hide();
    table->setRowCount(ml + 1);
    table->setColumnCount(nl + 1);
    for (int j = 0; j <= nl; ++j)
        setHeaderItem(table, Qt::Horizontal, j, horhead[j]);
    for (int i = 0; i <= ml; ++i)
        setHeaderItem(table, Qt::Vertical, i, verthead[i]);
    for (QHeaderView *header : headers)
        header->show();
    for (int i = 0; i != table->rowCount(); ++i) {
        for (int j = 0; j != table->columnCount(); ++j) {
            // Made where the table keeps its cell widgets, which spares moving
            // it there.
            auto *cell = new QLabel(table->viewport());
            cell->setText(decimal(A[i][j]));
            // The table gives the label its cell's geometry; a size set now
            // spares the text layout of an adjustSize() when it is shown.
            cell->resize(kCellWidth, kCellHeight);
            table->setCellWidget(i, j, cell);
        }
    }
    table->setFixedHeight((ml + 1) * kCellHeight);
    table->setFixedWidth((nl + 1) * kCellWidth);
    // The rows and columns share the table's fixed size, so that the whole
    // tableau shows without scroll bars whatever the style's default sizes.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return table;
}

// A header item carries the size the header would measure for it. Without
// one, a header measures its texts (font metrics, text shaping) dozens of
// times while its table is first shown, a large part of a long report's
// cost. The size is measured once per text and orientation with the
// header's own rule, and measured anew after a change of font, style or
// screen resolution, which are part of the key.
void Widget::setHeaderItem(QTableWidget *table, Qt::Orientation orientation, int section, const QString &text)
{
    const bool horizontal = orientation == Qt::Horizontal;
    QHeaderView *header = horizontal ? table->horizontalHeader() : table->verticalHeader();
    const QStyle *style = header->style();
    const QString key = QString::number(orientation) + QLatin1Char('|') + text + QLatin1Char('|')
                        + header->font().key() + QLatin1Char('|') + QLatin1String(style->metaObject()->className())
                        + style->objectName() + QLatin1Char('|') + QString::number(header->logicalDpiY());
    auto *item = new QTableWidgetItem(text);
    const auto known = headerSizes.constFind(key);
    if (known != headerSizes.constEnd())
        item->setData(Qt::SizeHintRole, *known);
    if (horizontal)
        table->setHorizontalHeaderItem(section, item);
    else
        table->setVerticalHeaderItem(section, item);
    if (known == headerSizes.constEnd()) {
        const QSize size = (header->*&HeaderMeasure::sectionSizeFromContents)(section);
        headerSizes.insert(key, size);
        item->setData(Qt::SizeHintRole, size);
    }
}

// ---------------------------------------------------------------------------
// The method: choices shared by both stages

// Entering column of the first stage: the first objective entry of the wrong
// sign for a bound; -1 when the objective row gives a bound.
int Widget::enteringColumn() const
{
    for (int j = 0; j < nl; ++j) {
        if (entersBound(A[ml][j], flgmaxmin))
            return j;
    }
    return -1;
}

// Pivot row of the first stage: the first constraint row with a positive entry
// in column col, with no ratio test; -1 when there is none.
int Widget::firstPositiveRow(int col) const
{
    for (int i = 0; i < ml; ++i) {
        if (isPositiveEntry(A[i][col]))
            return i;
    }
    return -1;
}

// Pivot row of the second stage: the constraint row with the most negative
// free term, the lowest index on a tie; -1 when no free term is negative.
int Widget::mostNegativeFreeTermRow() const
{
    int row = -1;
    double min = 0;
    for (int i = 0; i < ml; ++i) {
        const double b = A[i][nl];
        if (isNegativeFreeTerm(b) && (row < 0 || b < min)) {
            min = b;
            row = i;
        }
    }
    return row;
}

bool Widget::hasNegativeEntry(int row) const
{
    for (int j = 0; j < nl; ++j) {
        if (isNegativeEntry(A[row][j]))
            return true;
    }
    return false;
}

// Score of column col against pivot row r.
ColumnScore Widget::columnScore(int col) const
{
    return ::columnScore(A[ml][col], A[r][col], flgmaxmin);
}

// Pivot column for pivot row r: the column whose score the rule accepts
// last. The second stage considers only the columns with a negative entry in
// the pivot row. -1 when no column is accepted. Every column's score goes
// to *scores, for the record.
int Widget::pivotColumn(bool negativeEntriesOnly, std::vector<ColumnScore> *scores) const
{
    int best = -1;
    double bestScore = 0;
    scores->assign(nl, ColumnScore());
    for (int j = 0; j < nl; ++j) {
        if (negativeEntriesOnly && !isNegativeEntry(A[r][j]))
            continue;
        const ColumnScore tmp = columnScore(j);
        (*scores)[j] = tmp;
        if (acceptsScore(tmp.value, best >= 0, bestScore, flgmaxmin)) {
            bestScore = tmp.value;
            best = j;
        }
    }
    return best;
}

// The point of the tableau: a variable that labels row i has the row's free
// term, every other variable is 0.
void Widget::readPoint()
{
    const std::vector<double> x = basicPoint(verthead, ml, nl, [this](int i) { return A[i][nl]; });
    std::copy(x.begin(), x.end(), x0);
}

// The pivot element (r, s) is marked in the table that shows the tableau it
// was chosen in: the last table of the report so far.
void Widget::markPivot(QVBoxLayout *vert) const
{
    for (int k = vert->count() - 1; k >= 0; --k) {
        if (auto *table = qobject_cast<QTableWidget *>(vert->itemAt(k)->widget())) {
            setCellMarked(cellLabel(table, r, s), true);
            return;
        }
    }
}

// ---------------------------------------------------------------------------
// The record of the course, written beside the report's items

// The tableau as it is now, under its labels.
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

void Widget::recordPivot(int stage, int entering, std::vector<ColumnScore> scores)
{
    course.pivots.push_back({stage, r, s, entering, std::move(scores)});
}

void Widget::recordEnding(Course::Ending ending)
{
    course.ending = ending;
}

// A report line of the given kind, about the last table and pivot recorded,
// appended to the page and to the record; its text is the record's.
void Widget::addLine(QVBoxLayout *vert, Course::Item::Kind kind)
{
    course.items.push_back({kind, int(course.tables.size()) - 1, int(course.pivots.size()) - 1});
    addLabel(vert, CourseView(course).line(course.items.back()));
}

// The snapshot of the last tableau recorded.
void Widget::addTable(QVBoxLayout *vert)
{
    vert->addWidget(add_table());
    course.items.push_back({Course::Item::Table, int(course.tables.size()) - 1, int(course.pivots.size()) - 1});
}

// ---------------------------------------------------------------------------
// First stage: pivot until the objective row gives a bound of the objective.

QVBoxLayout *Widget::step_1()
{
    auto *vert = new QVBoxLayout(Form);
    addLine(vert, Course::Item::Task);
    recordTableau();
    addTable(vert);

    for (iter = 0; iter < kIterationLimit; ++iter) {
        const int k = enteringColumn();
        if (k < 0) {
            step_1_rez = 1;
            readPoint();
            addLine(vert, Course::Item::Bound);
            addLine(vert, Course::Item::FinalPoint);
            return vert;
        }
        const int row = firstPositiveRow(k);
        if (row < 0) {
            step_1_rez = 0;
            course.endingColumn = k;
            recordEnding(Course::Ending::NoPivotRow);
            addLine(vert, Course::Item::NoSolution);
            return vert;
        }
        r = row;
        std::vector<ColumnScore> scores;
        const int col = pivotColumn(false, &scores);
        if (col < 0) {
            // Only values that are not finite numbers leave no column to score.
            step_1_rez = 0;
            recordEnding(Course::Ending::NoColumn);
            return vert;
        }
        s = col;
        markPivot(vert);
        recordPivot(1, k, std::move(scores));
        pivot(r, s);
        swaphead(r, s);
        recordTableau();
        readPoint();
        addLine(vert, Course::Item::Point);
        addLine(vert, Course::Item::Pivot);
        addTable(vert);
    }
    step_1_rez = 0;
    recordEnding(Course::Ending::Cycled);
    addLine(vert, Course::Item::Cycled);
    return vert;
}

// ---------------------------------------------------------------------------
// Second stage: remove the negative free terms, one pivot at a time.

void Widget::step_2(QVBoxLayout *vert)
{
    addLine(vert, Course::Item::Stage2);

    for (iter = 0; iter < kIterationLimit; ++iter) {
        const int row = mostNegativeFreeTermRow();
        if (row < 0) {
            reportOptimum(vert);
            return;
        }
        r = row;
        if (!hasNegativeEntry(r)) {
            step_2_rez = 0;
            course.endingRow = r;
            recordEnding(Course::Ending::NoCandidate);
            addLine(vert, Course::Item::NoSolution);
            return;
        }
        std::vector<ColumnScore> scores;
        const int col = pivotColumn(true, &scores);
        if (col < 0) {
            recordEnding(Course::Ending::NoColumn);
            return;
        }
        s = col;
        markPivot(vert);
        recordPivot(2, -1, std::move(scores));
        pivot(r, s);
        swaphead(r, s);
        recordTableau();
        addLine(vert, Course::Item::Pivot);
        addTable(vert);
    }
    recordEnding(Course::Ending::Cycled);
    addLine(vert, Course::Item::Cycled);
}

void Widget::reportOptimum(QVBoxLayout *vert)
{
    step_2_rez = 1;
    readPoint();
    recordEnding(Course::Ending::Optimum);
    addLine(vert, Course::Item::OptimumHeading);
    addLine(vert, Course::Item::FinalPoint);
    addLine(vert, Course::Item::Value);
}
