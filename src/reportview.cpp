// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportview.h"

#include "explain.h"
#include "planeview.h"
#include "practicepanel.h"
#include "reportfiles.h"
#include "reportlatex.h"
#include "reportpages.h"
#include "tablecell.h"
#include "whatif.h"
#include "whatifdialog.h"
#include "windowplace.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QScrollArea>
#include <QTableWidget>
#include <QMenu>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

bool ReportViews::fractionsChosen = false;
bool ReportViews::explanationsChosen = false;
bool ReportViews::practiceRequested = false;
bool ReportViews::rangingChosen = false;

namespace {

// How far explanation lines are indented.
constexpr int kExplanationIndent = 24;
// A cell of the ranging's tables, as large as a cell of the report's.
constexpr int kRangingCellWidth = 90;
constexpr int kRangingCellHeight = 30;

// An explanation as its label shows it: a variable's label such as "-X1"
// kept whole where the line wraps (a word joiner after its minus sign).
QString unbroken(QString text)
{
    static const QRegularExpression minusBeforeLabel(QStringLiteral("-(?=[XY])"));
    return text.replace(minusBeforeLabel, QStringLiteral("-\u2060"));
}

// An action's tooltip: its text, and its shortcut where it has one.
QString toolTipOf(const QAction *action)
{
    const QKeySequence shortcut = action->shortcut();
    return shortcut.isEmpty() ? action->text()
                              : QStringLiteral("%1 (%2)").arg(action->text(), shortcut.toString(QKeySequence::NativeText));
}

// A line of explanation on the page: italic, indented, wrapped at `width`.
QLabel *explanationLabel(const QString &text, int width)
{
    auto *label = new QLabel(text);
    label->setObjectName(QStringLiteral("explanation"));
    QFont italic = label->font();
    italic.setItalic(true);
    label->setFont(italic);
    label->setIndent(kExplanationIndent);
    label->setWordWrap(true);
    label->setFixedWidth(width);
    return label;
}

} // namespace

// The report's tool bar: a row of buttons with text, one for each action;
// the actions that do not fit go to the menu of a last button, "»". It is
// cheaper to build than a QToolBar, whose extension button loads its icon
// anew for every bar, and each report makes one.
class ActionBar : public QWidget
{
public:
    explicit ActionBar(QWidget *parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("reportToolBar"));
        more = button();
        more->setText(QStringLiteral("»"));
        more->setPopupMode(QToolButton::InstantPopup);
        more->hide();
    }

    void addButton(QAction *action)
    {
        QToolButton *b = button();
        b->setDefaultAction(action);
        buttons.push_back(b);
    }

    QSize sizeHint() const override
    {
        int width = 0, height = 0;
        for (const QToolButton *b : buttons) {
            width += b->sizeHint().width();
            height = std::max(height, b->sizeHint().height());
        }
        return {width, height};
    }

protected:
    void resizeEvent(QResizeEvent *) override { arrange(); }

private:
    QToolButton *button()
    {
        auto *b = new QToolButton(this);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus); // "Ok" keeps the focus
        return b;
    }

    // Left to right while they fit, the rest in the menu of "»".
    void arrange()
    {
        const int reserve = more->sizeHint().width();
        int x = 0;
        QList<QAction *> hidden;
        for (size_t k = 0; k < buttons.size(); ++k) {
            QToolButton *b = buttons[k];
            const int w = b->sizeHint().width();
            const bool last = k + 1 == buttons.size();
            const bool fits = hidden.isEmpty() && x + w <= width() - (last ? 0 : reserve);
            b->setVisible(fits);
            if (fits) {
                b->setGeometry(x, 0, w, height());
                x += w;
            } else {
                hidden << b->defaultAction();
            }
        }
        more->setVisible(!hidden.isEmpty());
        if (hidden.isEmpty())
            return;
        if (!more->menu())
            more->setMenu(new QMenu(more));
        more->menu()->clear();
        more->menu()->addActions(hidden);
        more->setGeometry(x, 0, reserve, height());
    }

    std::vector<QToolButton *> buttons;
    QToolButton *more;
};

namespace {

// Gives access to a scroll area's viewport margins, which it keeps
// protected: through a pointer to the member, on any scroll area.
class MarginAccess : public QAbstractScrollArea
{
public:
    using QAbstractScrollArea::setViewportMargins;
};

} // namespace

ReportViews::ReportViews(QScrollArea *window, QVBoxLayout *page, Course course)
    : QObject(window), window(window), page(page), record(std::move(course))
{
    setObjectName(QStringLiteral("reportViews"));
    for (int k = 0; k < int(record.items.size()); ++k)
        items.push_back(page->itemAt(k)->widget());

    bar = new ActionBar(window);
    actionCopy = addViewAction("actionCopy", reporttext::tr("Копировать отчёт"), QKeySequence::Copy, false);
    actionPlane = addViewAction("actionPlane", reporttext::tr("На плоскости"), QKeySequence(Qt::CTRL | Qt::Key_G), false);
    actionFractions = addViewAction("actionFractions", reporttext::tr("Дроби"), QKeySequence(Qt::CTRL | Qt::Key_D), true);
    actionExplain = addViewAction("actionExplain", reporttext::tr("Пояснения"), QKeySequence(Qt::CTRL | Qt::Key_E), true);
    actionSave = addViewAction("actionSave", reporttext::tr("Сохранить отчёт…"), QKeySequence(Qt::CTRL | Qt::Key_S), false);
    actionPrint = addViewAction("actionPrint", reporttext::tr("Печать…"), QKeySequence(Qt::CTRL | Qt::Key_P), false);
    actionCopyLatex = addViewAction("actionCopyLatex", reporttext::tr("Копировать как LaTeX"), QKeySequence(), false);
    actionPractice = addViewAction("actionPractice", reporttext::tr("Решать самому"), QKeySequence(Qt::CTRL | Qt::Key_T), true);
    actionRanging = addViewAction("actionRanging", reporttext::tr("Устойчивость"), QKeySequence(Qt::CTRL | Qt::Key_R), true);
    actionWhatIf = addViewAction("actionWhatIf", reporttext::tr("Что если…"), QKeySequence(Qt::CTRL | Qt::Key_K), false);
    connect(actionWhatIf, &QAction::triggered, this, &ReportViews::whatIf);
    if (!whatIfUnavailable(record).isEmpty())
        setUnavailable(actionWhatIf, whatIfUnavailable(record));
    window->setContextMenuPolicy(Qt::ActionsContextMenu);

    connect(actionCopy, &QAction::triggered, this, &ReportViews::copy);
    connect(actionPlane, &QAction::triggered, this, &ReportViews::openPlane);
    connect(actionSave, &QAction::triggered, this, &ReportViews::save);
    connect(actionPrint, &QAction::triggered, this, &ReportViews::print);
    connect(actionCopyLatex, &QAction::triggered, this, &ReportViews::copyLatex);
    connect(actionPractice, &QAction::toggled, this, &ReportViews::showPractice);
    connect(actionRanging, &QAction::toggled, this, [this](bool on) {
        rangingChosen = on;
        showRanging();
    });
    if (!rangingUnavailable(record).isEmpty())
        setUnavailable(actionRanging, rangingUnavailable(record));
    if (rangingChosen && actionRanging->isEnabled()) {
        const QSignalBlocker quiet(actionRanging);
        actionRanging->setChecked(true);
        showRanging();
    }
    if (practiceSteps(record).empty())
        setUnavailable(actionPractice, reporttext::tr("Решать самому нельзя: отчёт обрывается, потому что не все "
                                                      "значения полей — конечные числа"));
    connect(actionFractions, &QAction::toggled, this, [this](bool on) {
        fractionsChosen = on;
        showFractions(on);
    });
    connect(actionExplain, &QAction::toggled, this, [this](bool on) {
        explanationsChosen = on;
        showExplanations(on);
    });

    if (record.n != 2)
        setUnavailable(actionPlane, reporttext::tr("Картинка на плоскости есть только для задачи с двумя переменными"));
    else if (!record.allFinite())
        setUnavailable(actionPlane, reporttext::tr("Картинки нет: не все значения полей — конечные числа"));
    if (!record.allFinite()) {
        ReplayFailure why;
        ::replayExactly(record, &why);
        setUnavailable(actionFractions, reporttext::replayFailure(record, why));
    }
    if (fractionsChosen && actionFractions->isEnabled()) {
        const QSignalBlocker quiet(actionFractions);
        actionFractions->setChecked(true);
        showFractions(true);
    }
    if (explanationsChosen) {
        const QSignalBlocker quiet(actionExplain);
        actionExplain->setChecked(true);
        showExplanations(true);
    }

    // Practice asked for from the main window starts once the window has
    // its size and place, those of the whole report.
    if (practiceRequested && actionPractice->isEnabled())
        QMetaObject::invokeMethod(actionPractice, [this] { actionPractice->setChecked(true); }, Qt::QueuedConnection);
    practiceRequested = false;

    void (QAbstractScrollArea::*setMargins)(int, int, int, int) = &MarginAccess::setViewportMargins;
    (window->*setMargins)(0, bar->sizeHint().height(), 0, 0);
    placeToolBar();
    window->installEventFilter(this);
}

// An action of the report window: a button of the tool bar and an entry of
// the context menu, its shortcut shown in its tooltip.
QAction *ReportViews::addViewAction(const char *name, const QString &text, const QKeySequence &shortcut, bool checkable)
{
    auto *action = new QAction(text, window);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    action->setCheckable(checkable);
    action->setToolTip(toolTipOf(action));
    window->addAction(action);
    bar->addButton(action);
    return action;
}

void ReportViews::setUnavailable(QAction *action, const QString &why)
{
    action->setEnabled(false);
    action->setToolTip(toolTipOf(action) + QStringLiteral(": ") + why);
}

// The bar spans the top margin of the window's frame, above the page.
void ReportViews::placeToolBar()
{
    const int frame = window->frameWidth();
    bar->setGeometry(frame, frame, window->width() - 2 * frame, bar->sizeHint().height());
}

bool ReportViews::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window && event->type() == QEvent::Resize)
        placeToolBar();
    // The plane view never outlives its report: it goes when the report does.
    if (watched == window && event->type() == QEvent::Hide && plane)
        plane->close();
    return QObject::eventFilter(watched, event);
}

// The course replayed exactly, once; when that cannot be, the fractions are
// unavailable for this report, and their action says why.
bool ReportViews::replayExactly()
{
    if (exact)
        return true;
    ReplayFailure why;
    exact = ::replayExactly(record, &why);
    if (!exact) {
        const QSignalBlocker quiet(actionFractions);
        actionFractions->setChecked(false);
        setUnavailable(actionFractions, reporttext::replayFailure(record, why));
    }
    return bool(exact);
}

CourseView ReportViews::view() const
{
    return CourseView(record, fractionsShown ? &*exact : nullptr, exact ? &*exact : nullptr);
}

void ReportViews::showFractions(bool on)
{
    fractionsShown = on && replayExactly();
    rewriteTexts();
    showRanging();
    updatePlane();
}

// Every number of the page as the view shows it; only texts change.
void ReportViews::rewriteTexts()
{
    const CourseView numbers = view();
    for (int k = 0; k < int(items.size()); ++k) {
        const Course::Item &item = record.items[k];
        if (item.kind != Course::Item::Table) {
            static_cast<QLabel *>(items[k])->setText(numbers.line(item));
            continue;
        }
        auto *table = static_cast<QTableWidget *>(items[k]);
        QString whole;
        for (int i = 0; i <= record.tables[item.table].m; ++i) {
            for (int j = 0; j <= record.n; ++j) {
                auto *cell = static_cast<QLabel *>(table->cellWidget(i, j));
                cell->setText(numbers.cell(item.table, i, j, &whole));
                cell->setToolTip(whole);
            }
        }
    }
    if (!explanationLabels.empty()) {
        const std::vector<Explanation> explanations = explainCourse(numbers);
        for (size_t k = 0; k < explanations.size(); ++k)
            explanationLabels[k]->setText(unbroken(explanations[k].text));
    }
}

// Explanation lines on the page, each before the item it explains.
void ReportViews::showExplanations(bool on)
{
    for (QLabel *label : explanationLabels)
        delete label; // leaves its layout with it
    explanationLabels.clear();
    explanationPlaces.clear();
    if (!on)
        return;
    // The explanations say where rounding decided a choice, which only the
    // exact replay shows; without one they say what the decimals show.
    if (record.allFinite())
        replayExactly();
    QWidget *ok = page->itemAt(page->count() - 1)->widget();
    // They wrap at the width of the page's widest item, so that the page
    // does not grow wider for them.
    int width = 0;
    for (QWidget *item : items)
        width = std::max(width, item->sizeHint().width());
    for (const Explanation &explanation : explainCourse(view())) {
        QLabel *label = explanationLabel(unbroken(explanation.text), width);
        QWidget *next = explanation.before < int(items.size()) ? items[explanation.before] : ok;
        page->insertWidget(page->indexOf(next), label);
        label->show(); // at once, so that the page takes its size now
        explanationLabels.push_back(label);
        explanationPlaces.push_back(explanation.before);
    }
    showRanging();
    if (panel)
        showPracticeItems();
    keepPageWidthInView();
}

// A page grown taller than the window gets a vertical scroll bar; the window
// widens by its width where the screen has room, so that the page's width
// stays in view.
void ReportViews::keepPageWidthInView()
{
    page->activate();
    const QWidget *content = window->widget();
    const int scrollBar = window->verticalScrollBar()->sizeHint().width();
    const int wanted = content->width() + 2 * window->frameWidth() + scrollBar;
    if (content->height() <= window->viewport()->height() || window->width() >= wanted)
        return;
    const QRect screen = window->screen()->availableGeometry();
    const int decoration = window->frameGeometry().width() - window->width();
    window->resize(std::max(window->width(), std::min(wanted, screen.width() - decoration)), window->height());
    if (window->frameGeometry().right() > screen.right())
        window->move(window->pos() - QPoint(window->frameGeometry().right() - screen.right(), 0));
}

// The whole report as shown: in the view's numbers, with the explanations
// when they are on.
std::vector<Explanation> ReportViews::shownExplanations(const CourseView &numbers) const
{
    return explanationLabels.empty() ? std::vector<Explanation>() : explainCourse(numbers);
}

// What the page shows: the whole course, or in practice the part taken so
// far, the table still to be decided without its pivot, no verdict before
// the end.
Course ReportViews::shownCourse() const
{
    if (!panel)
        return record;
    Course shown = record;
    shown.items.resize(shownItems);
    int last = 0;
    for (const Course::Item &item : shown.items)
        if (item.kind == Course::Item::Table)
            last = item.table;
    shown.tables.resize(last + 1);
    if (shownItems < int(record.items.size())) {
        shown.pivots.resize(std::min(shown.pivots.size(), size_t(last)));
        shown.ending = Course::Ending::None;
    }
    return shown;
}

CourseView ReportViews::shownView(const Course &shown) const
{
    return CourseView(shown, fractionsShown ? &*exact : nullptr, exact ? &*exact : nullptr);
}

// The explanations shown and, in practice, the wrong tries before them:
// a record for the teacher.
std::vector<Explanation> ReportViews::shownLines(const CourseView &numbers) const
{
    if (!panel)
        return shownExplanations(numbers);
    std::vector<Explanation> lines = tries;
    const std::vector<Explanation> all = shownExplanations(view());
    for (const Explanation &e : all)
        if (e.before < shownItems || (shownItems == int(record.items.size()) && e.before == shownItems))
            lines.push_back(e);
    return lines;
}

// The ranging's tables when they are shown (in practice, at the end), their
// lines with the explanations.
std::vector<TitledGrid> ReportViews::shownGrids(const CourseView &numbers) const
{
    if (!actionRanging->isChecked() || (panel && shownItems < int(record.items.size())))
        return {};
    std::vector<TitledGrid> grids = rangingGrids(numbers);
    if (explanationLabels.empty())
        for (TitledGrid &grid : grids)
            grid.note.clear();
    return grids;
}

// The ranging's tables after the report's last item, before "Ok":
// read-only tables as the report's, each under its title.
void ReportViews::showRanging()
{
    for (QWidget *widget : rangingWidgets)
        delete widget;
    rangingWidgets.clear();
    const Course shown = shownCourse();
    const CourseView numbers = shownView(shown);
    const std::vector<TitledGrid> grids = actionRanging->isChecked() ? shownGrids(numbers) : std::vector<TitledGrid>();
    QWidget *ok = page->itemAt(page->count() - 1)->widget();
    for (const TitledGrid &grid : grids) {
        auto *title = new QLabel(grid.title);
        auto *table = new QTableWidget(int(grid.cells.size()), grid.columns.size());
        table->setObjectName(QStringLiteral("rangingTable"));
        table->setFocusPolicy(Qt::NoFocus);
        table->setSelectionMode(QAbstractItemView::NoSelection);
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table->setHorizontalHeaderLabels(grid.columns);
        table->setVerticalHeaderLabels(grid.rows);
        for (size_t i = 0; i < grid.cells.size(); ++i)
            for (int j = 0; j < grid.cells[i].size(); ++j) {
                auto *cell = new QTableWidgetItem(grid.cells[i][j]);
                cell->setFlags(Qt::ItemIsEnabled);
                table->setItem(int(i), j, cell);
            }
        table->setFixedSize((grid.columns.size() + 1) * kRangingCellWidth, (int(grid.cells.size()) + 1) * kRangingCellHeight);
        table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        table->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        rangingWidgets.push_back(title);
        rangingWidgets.push_back(table);
        if (!grid.note.isEmpty())
            rangingWidgets.push_back(explanationLabel(grid.note, table->width() + kRangingCellWidth));
    }
    for (QWidget *widget : rangingWidgets) {
        page->insertWidget(page->indexOf(ok), widget);
        widget->show();
    }
    keepPageWidthInView();
}

ReportCopy ReportViews::shownCopy() const
{
    const Course shown = shownCourse();
    const CourseView numbers = shownView(shown);
    return copyOfReport(numbers, shownLines(numbers), shownGrids(numbers));
}

bool ReportViews::writeShown(const QString &path, QString *error) const
{
    const Course shown = shownCourse();
    const CourseView numbers = shownView(shown);
    return writeReportFile(path, numbers, shownLines(numbers), shownGrids(numbers), error);
}

// The tables and lines as LaTeX, for a document of the student's own.
void ReportViews::copyLatex()
{
    const Course shown = shownCourse();
    const CourseView numbers = shownView(shown);
    QGuiApplication::clipboard()->setText(latexOfReport(numbers, shownLines(numbers), false, shownGrids(numbers)));
}

// Practice on: back to the first table, the panel below it; off: the whole
// report as before.
void ReportViews::showPractice(bool on)
{
    for (size_t k = 0; k < record.pivots.size(); ++k)
        concealPivot(int(k), false);
    delete panel;
    panel = nullptr;
    tries.clear();
    if (on) {
        if (record.allFinite())
            replayExactly(); // the ties that rounding decided are right too
        steps = practiceSteps(record);
        step = 0;
        wrongTries = rightAtFirstTry = 0;
        shownItems = steps.empty() ? int(record.items.size()) : steps.front().firstItem;
        panel = new PracticePanel(record.maximise, window->widget());
        // As wide as the widest item of the whole report, or its buttons, so
        // that its lines wrap there and the page keeps its width step by step.
        int width = panel->minimumSizeHint().width();
        for (QWidget *item : items)
            width = std::max(width, item->sizeHint().width());
        panel->setFixedWidth(width);
        connect(panel, &PracticePanel::chosen, this, &ReportViews::choose);
        connect(panel, &PracticePanel::hintAsked, this, &ReportViews::giveHint);
        showPracticeItems();
        // The keyboard goes to the panel once the window is up ("Ok" takes
        // it while the report opens).
        QMetaObject::invokeMethod(panel, qOverload<>(&QWidget::setFocus), Qt::QueuedConnection);
        return;
    }
    for (QWidget *item : items)
        item->show();
    for (QLabel *label : explanationLabels)
        label->show();
    updatePlane();
    keepPageWidthInView();
}

// The items taken so far, the explanations of the steps taken, and the
// panel after the last item shown.
void ReportViews::showPracticeItems()
{
    const bool done = shownItems >= int(record.items.size());
    for (int k = 0; k < int(items.size()); ++k)
        items[k]->setVisible(k < shownItems);
    for (size_t k = 0; k < explanationLabels.size(); ++k)
        explanationLabels[k]->setVisible(explanationPlaces[k] < shownItems || (done && explanationPlaces[k] == shownItems));
    page->removeWidget(panel);
    QWidget *ok = page->itemAt(page->count() - 1)->widget();
    page->insertWidget(done ? page->indexOf(ok) : page->indexOf(items[shownItems - 1]) + 1, panel);
    panel->show();
    if (!done) {
        const PracticeStep &current = steps[step];
        concealPivot(current.table, true);
        QWidget *table = nullptr;
        for (int k = shownItems - 1; k >= 0 && !table; --k)
            if (record.items[k].kind == Course::Item::Table)
                table = items[k];
        panel->setTable(static_cast<QTableWidget *>(table));
    }
    showRanging();
    window->ensureWidgetVisible(panel);
    updatePlane();
}

// The mark of the pivot chosen in a table, hidden while the student decides
// on that table and shown again once the step is taken.
void ReportViews::concealPivot(int table, bool conceal)
{
    if (table >= int(record.pivots.size()) || record.pivots[table].stage == kChangeStage)
        return;
    for (int k = 0; k < int(record.items.size()); ++k) {
        if (record.items[k].kind != Course::Item::Table || record.items[k].table != table)
            continue;
        setCellMarked(static_cast<QLabel *>(static_cast<QTableWidget *>(items[k])->cellWidget(
                          record.pivots[table].row, record.pivots[table].column)),
                      !conceal);
    }
}

void ReportViews::choose(const PracticeChoice &choice)
{
    if (step >= steps.size())
        return;
    const PracticeJudgement judgement = judgePractice(view(), steps[step], choice);
    panel->showFeedback(judgement.words);
    if (!judgement.right) {
        ++wrongTries;
        tries.push_back({shownItems, practiceChoiceName(record, choice) + QStringLiteral(": ") + judgement.words});
        panel->offerHint(wrongTries >= 2);
        return;
    }
    concealPivot(steps[step].table, false);
    rightAtFirstTry += wrongTries == 0;
    wrongTries = 0;
    panel->offerHint(false);
    shownItems = choice.kind == PracticeChoice::Cycled ? int(record.items.size()) : steps[step].lastItem;
    ++step;
    if (shownItems >= int(record.items.size())) {
        panel->finish(reporttext::tr("С первой попытки верно: %1 из %2 шагов").arg(rightAtFirstTry).arg(step));
        step = steps.size();
    }
    showPracticeItems();
}

void ReportViews::giveHint()
{
    if (step < steps.size())
        panel->showFeedback(practiceHint(view(), steps[step]));
}

// After the optimum: the change asked for, and the course continued from
// its last table; the page gets the new lines and tables before "Ok", and
// every view covers them.
void ReportViews::whatIf()
{
    if (!whatIfUnavailable(record).isEmpty())
        return;
    if (actionPractice->isChecked())
        actionPractice->setChecked(false);
    std::optional<WhatIf> asked;
    {
        const Course shown = shownCourse();
        asked = askWhatIf(window, shownView(shown));
    }
    QString error;
    if (!asked || !continueCourse(record, *asked, &error))
        return;
    const bool explained = !explanationLabels.empty();
    showExplanations(false);
    QWidget *ok = page->itemAt(page->count() - 1)->widget();
    for (size_t k = items.size(); k < record.items.size(); ++k) {
        QWidget *item = pageItem(record.items[k]);
        page->insertWidget(page->indexOf(ok), item);
        item->show();
        items.push_back(item);
    }
    exact.reset(); // replayed anew when asked for
    fractionsShown = fractionsShown && replayExactly();
    rewriteTexts();
    showExplanations(explained);
    showRanging();
    updateAvailability();
    updatePlane();
    window->ensureWidgetVisible(ok);
}

// A page item for a line or table the continuation added: a label, or a
// snapshot table of labels as the stages make them (texts set by the view).
QWidget *ReportViews::pageItem(const Course::Item &item)
{
    if (item.kind != Course::Item::Table)
        return new QLabel(view().line(item));
    const Tableau &tableau = record.tables[item.table];
    auto *table = new QTableWidget(tableau.m + 1, tableau.n + 1);
    table->setFocusPolicy(Qt::NoFocus);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setHorizontalHeaderLabels(tableau.columns);
    table->setVerticalHeaderLabels(tableau.rows);
    for (int i = 0; i <= tableau.m; ++i)
        for (int j = 0; j <= tableau.n; ++j) {
            auto *cell = new QLabel(table->viewport());
            cell->resize(kCellWidth, kCellHeight);
            table->setCellWidget(i, j, cell);
        }
    table->setFixedSize((tableau.n + 1) * kCellWidth, (tableau.m + 1) * kCellHeight);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // The continuation has chosen all its pivots by now: the one chosen in
    // this table is marked as the stages mark theirs.
    const int t = item.table;
    if (t < int(record.pivots.size()) && record.pivots[t].stage != kChangeStage)
        setCellMarked(static_cast<QLabel *>(table->cellWidget(record.pivots[t].row, record.pivots[t].column)), true);
    return table;
}

// Which actions the course allows now: ranging and "Что если" at an
// optimum; practice only on the course as first solved.
void ReportViews::updateAvailability()
{
    for (QAction *action : {actionRanging, actionWhatIf, actionPractice}) {
        action->setEnabled(true);
        action->setToolTip(toolTipOf(action));
    }
    if (!rangingUnavailable(record).isEmpty())
        setUnavailable(actionRanging, rangingUnavailable(record));
    if (!whatIfUnavailable(record).isEmpty())
        setUnavailable(actionWhatIf, whatIfUnavailable(record));
    if (!record.changes.empty())
        setUnavailable(actionPractice, reporttext::tr("Решать самому можно только до «Что если»"));
}

void ReportViews::updatePlane()
{
    if (!plane)
        return;
    const Course shown = shownCourse();
    updatePlaneView(plane, shownView(shown));
}

// The file dialog offers the four formats; the format follows the file's
// extension, and the chosen filter where the name has none.
void ReportViews::save()
{
    const ReportFormat formats[] = {ReportFormat::Pdf, ReportFormat::Html, ReportFormat::Text, ReportFormat::Latex};
    const QStringList filters = {reporttext::tr("PDF (*.pdf)"), reporttext::tr("HTML (*.html)"),
                                 reporttext::tr("Текст (*.txt)"), reporttext::tr("LaTeX (*.tex)")};
    QFileDialog dialog(window, reporttext::tr("Сохранить отчёт"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString &filter) {
        dialog.setDefaultSuffix(reportFormatExtension(formats[std::max(0, int(filters.indexOf(filter)))]));
    });
    dialog.selectFile(QDir::home().filePath(reporttext::tr("решение.pdf")));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    QString path = dialog.selectedFiles().first();
    if (!reportFormatOf(path))
        path += QLatin1Char('.') + reportFormatExtension(formats[std::max(0, int(filters.indexOf(dialog.selectedNameFilter())))]);
    QString error;
    if (!writeShown(path, &error))
        QMessageBox::warning(window, reporttext::tr("Отчёт не сохранён"), error);
}

// The same pages as the PDF, on the printer the user chooses.
void ReportViews::print()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(reporttext::tr("Двойственный симплекс-метод"));
    QPrintDialog dialog(&printer, window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const Course shown = shownCourse();
    const CourseView numbers = shownView(shown);
    paintReportPages(&printer, numbers, shownLines(numbers), shownGrids(numbers));
}

void ReportViews::copy()
{
    const ReportCopy report = shownCopy();
    auto *data = new QMimeData;
    data->setText(report.text);
    data->setHtml(report.html);
    QGuiApplication::clipboard()->setMimeData(data);
}

// The plane view, made once per report, opens over the report, whole on
// the screen with the window manager's frame counted, as the report does.
void ReportViews::openPlane()
{
    if (!plane) {
        const Course shown = shownCourse();
        plane = openPlaneView(shownView(shown), window);
        plane->winId();
        QMargins frame = plane->windowHandle()->frameMargins();
        if (frame.isNull())
            frame = window->windowHandle()->frameMargins();
        const QRect screen = window->screen()->availableGeometry();
        plane->setGeometry(placeWindow(plane->sizeHint(), frame, window->frameGeometry().center(), screen));
    }
    plane->show();
    plane->raise();
    plane->activateWindow();
}
