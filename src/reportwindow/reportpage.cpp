// SPDX-License-Identifier: GPL-3.0-or-later
// Implements reportpage.h: the report's page built from the report's state.
#include "reportwindow/reportpage.h"

#include "reportwindow/practicepanel.h"
#include "reportwindow/treeview.h"
#include "widgets/snapshottable.h"

#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <unordered_set>

namespace {

// How far explanation lines are indented.
constexpr int kExplanationIndent = 24;
// A cell of the ranging's tables, as large as a cell of the report's.
constexpr int kGridCellWidth = 90;
constexpr int kGridCellHeight = 30;

// An explanation as its label shows it: a variable's label such as "-X1"
// kept whole where the line wraps (a word joiner after its minus sign).
QString unbroken(QString text)
{
    static const QRegularExpression minusBeforeLabel(QStringLiteral("-(?=[XY])"));
    return text.replace(minusBeforeLabel, QStringLiteral("-\u2060"));
}

// A line of explanation on the page: italic, indented, wrapped.
QLabel *explanationLabel(QWidget *page)
{
    auto *label = new QLabel(page);
    label->setObjectName(QStringLiteral("explanation"));
    QFont italic = label->font();
    italic.setItalic(true);
    label->setFont(italic);
    label->setIndent(kExplanationIndent);
    label->setWordWrap(true);
    return label;
}

void setText(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

void setWidth(QWidget *widget, int width)
{
    if (widget->minimumWidth() != width || widget->maximumWidth() != width)
        widget->setFixedWidth(width);
}

// Shown or hidden as the state says. A widget never hidden on purpose shows
// with its page; one added to a page already shown is shown at once.
void setShown(QWidget *widget, bool shown)
{
    const bool hiddenOnPurpose = widget->isHidden() && widget->testAttribute(Qt::WA_WState_ExplicitShowHide);
    if (!shown) {
        if (!hiddenOnPurpose)
            widget->hide();
    } else if (hiddenOnPurpose || (widget->isHidden() && widget->parentWidget()->isVisible())) {
        widget->show();
    }
}

// A read-only table of a grid: the labels and the cells' texts.
QTableWidget *gridTable(QWidget *page, const TitledGrid &grid)
{
    auto *table = new QTableWidget(int(grid.cells.size()), grid.columns.size(), page);
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
    table->setFixedSize((grid.columns.size() + 1) * kGridCellWidth, (int(grid.cells.size()) + 1) * kGridCellHeight);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return table;
}

} // namespace

ReportPage::ReportPage(QScrollArea *window, QVBoxLayout *layout)
    : QObject(window), window(window), layout(layout), ok(layout->itemAt(layout->count() - 1)->widget())
{
}

// A new course (not the same one grown by a change): every item anew.
void ReportPage::forgetCourse()
{
    for (QWidget *item : items)
        delete item;
    items.clear();
    looks.clear();
}

void ReportPage::render(const ReportModel &model)
{
    if (model.courseId() != courseId) {
        forgetCourse();
        courseId = model.courseId();
    }
    const ReportContent content = model.content();
    const bool practice = model.state().practice;
    const PracticeProgress *progress = practice ? &model.progress() : nullptr;
    std::vector<Placed> order;
    size_t lastShownItem = 0;
    QTableWidget *decided = nullptr; // the last table shown, the one practice decides on
    size_t explanation = 0, grid = 0, dual = 0, tree = 0;
    for (const ReportBlock &block : content.blocks) {
        switch (block.kind) {
        case ReportBlock::Line:
        case ReportBlock::Table: {
            QWidget *item = itemWidget(model, content, block);
            order.push_back({item, block.shown});
            if (block.shown)
                lastShownItem = order.size();
            if (block.shown && block.kind == ReportBlock::Table)
                decided = static_cast<QTableWidget *>(item);
            break;
        }
        case ReportBlock::Explanation:
            order.push_back({explanationWidget(explanation++, unbroken(block.text)), true});
            break;
        case ReportBlock::Try:
            break; // the panel shows the last feedback; the documents keep them all
        case ReportBlock::Dual:
            order.push_back({dualWidget(dual++, block.text), true});
            break;
        case ReportBlock::TreeTitle:
        case ReportBlock::TreeLine:
        case ReportBlock::Tree:
            order.push_back({treeWidget(tree++, block, content), true});
            break;
        case ReportBlock::GridTitle:
        case ReportBlock::Grid:
        case ReportBlock::GridNote: {
            GridWidgets &g = gridWidgets(size_t(block.index), content.grids[block.index],
                                         block.kind == ReportBlock::GridNote);
            grid = std::max(grid, size_t(block.index) + 1);
            order.push_back({block.kind == ReportBlock::GridTitle ? static_cast<QWidget *>(g.title)
                             : block.kind == ReportBlock::Grid    ? static_cast<QWidget *>(g.table)
                                                                  : g.note,
                             true});
            break;
        }
        }
    }
    removeUnused(explanation, grid, practice);
    while (dualLines.size() > dual) {
        delete dualLines.back();
        dualLines.pop_back();
    }
    while (treeParts.size() > tree) {
        delete treeParts.back();
        treeParts.pop_back();
    }
    if (practice) {
        // Below the last item shown while practice goes on; at the end
        // after everything, before "Ok".
        order.insert(progress->done() ? order.end() : order.begin() + lastShownItem, {practiceWidget(model), true});
    }
    order.push_back({ok, true});
    // The explanations and the panel wrap at the width of the page's widest
    // item, so that the page does not grow wider for them.
    const int width = explanations.empty() && !practicePanel ? 0 : itemsWidth();
    for (QLabel *label : explanations)
        setWidth(label, width);
    if (practicePanel)
        showPractice(model, progress->done() || progress->computing >= 0 ? nullptr : decided, width);
    // Every widget shown on a shown page would lay the whole page out anew;
    // the layout waits until all are in place, and lays it out once.
    layout->setEnabled(false);
    arrange(order);
    for (const Placed &placed : order)
        setShown(placed.widget, placed.shown);
    // The page's children in reading order for a screen reader: "Ok", made
    // before the items, stays the newest child after every action.
    ok->raise();
    layout->setEnabled(true);
}

// What the state no longer shows goes: explanations and grids beyond those
// shown, a note no longer shown, practice's panel when practice is off.
void ReportPage::removeUnused(size_t explanationCount, size_t gridCount, bool practice)
{
    while (explanations.size() > explanationCount) {
        delete explanations.back();
        explanations.pop_back();
    }
    while (grids.size() > gridCount) {
        delete grids.back().title;
        delete grids.back().table;
        delete grids.back().note;
        grids.pop_back();
    }
    for (GridWidgets &g : grids)
        if (g.note && g.grid.note.isEmpty()) {
            delete g.note;
            g.note = nullptr;
        }
    if (!practice && practicePanel) {
        // Practice may end from a key pressed in the panel: it goes once
        // that key is done with.
        practicePanel->setTable(nullptr, 0, 0); // no frame left on a cell
        practicePanel->hide();
        layout->removeWidget(practicePanel);
        practicePanel->deleteLater();
        practicePanel = nullptr;
    }
}

PracticePanel *ReportPage::practiceWidget(const ReportModel &model)
{
    if (practicePanel)
        return practicePanel;
    practicePanel = new PracticePanel(model.course().maximise, window->widget());
    PracticePanel *panel = practicePanel;
    connect(panel, &PracticePanel::chosen, this,
            [this](const PracticeChoice &choice) { emit practised(practiceEvent(PracticeEvent::Choose, choice)); });
    connect(panel, &PracticePanel::framed, this, [this](int row, int column) {
        emit practised(practiceEvent(PracticeEvent::Frame, {PracticeChoice::Cell, row, column}));
    });
    connect(panel, &PracticePanel::hintAsked, this, [this] { emit practised(practiceEvent(PracticeEvent::Hint)); });
    connect(panel, &PracticePanel::tablesToggled, this,
            [this](bool on) { emit practised(practiceEvent(PracticeEvent::Tables, {}, QString(), on)); });
    connect(panel, &PracticePanel::cellTyped, this, [this](int row, int column, const QString &text) {
        emit practised(practiceEvent(PracticeEvent::Type, {PracticeChoice::Cell, row, column}, text));
    });
    connect(panel, &PracticePanel::checkAsked, this, [this] { emit practised(practiceEvent(PracticeEvent::Check)); });
    connect(panel, &PracticePanel::revealAsked, this, [this] { emit practised(practiceEvent(PracticeEvent::Reveal)); });
    return panel;
}

// The widget of a course item, made when first needed, its texts and marks
// as the view shows them.
QWidget *ReportPage::itemWidget(const ReportModel &model, const ReportContent &content, const ReportBlock &block)
{
    const Course &course = model.course();
    if (items.size() < course.items.size()) {
        items.resize(course.items.size(), nullptr);
        looks.resize(course.items.size());
    }
    QWidget *&item = items[block.item];
    if (block.kind == ReportBlock::Line) {
        if (!item)
            item = new QLabel(block.text, window->widget());
        else
            setText(static_cast<QLabel *>(item), block.text);
        return item;
    }
    const Tableau &tableau = course.tables[block.index];
    TableLook &look = looks[block.item];
    if (!item) {
        QString whole;
        item = makeSnapshotTable(window->widget(), tableau.columns, tableau.rows, [&](int i, int j) {
            return content.view.cell(block.index, i, j, &whole);
        });
        look.filled = !content.view.isExact(); // the tooltips of long fractions still to come
        look.fractions = false;
    }
    showNumbers(static_cast<QTableWidget *>(item), look, content, block);
    return item;
}

// A snapshot table's cells in the view's numbers (a long fraction shortened,
// whole in its tooltip), and the pivot element marked where it is shown.
void ReportPage::showNumbers(QTableWidget *table, TableLook &look, const ReportContent &content,
                             const ReportBlock &block)
{
    const CourseView &view = content.view;
    const Tableau &tableau = view.course().tables[block.index];
    if (!look.filled || look.fractions != view.isExact()) {
        QString whole;
        for (int i = 0; i <= tableau.m; ++i)
            for (int j = 0; j <= tableau.n; ++j) {
                QLabel *cell = snapshotCell(table, i, j);
                setText(cell, view.cell(block.index, i, j, &whole));
                if (cell->toolTip() != whole)
                    cell->setToolTip(whole);
            }
        look.filled = true;
        look.fractions = view.isExact();
    }
    int row = -1, column = -1;
    const int t = block.index;
    const std::vector<PivotChoice> &pivots = view.course().pivots;
    if (block.pivotMarked && t < int(pivots.size()) && pivots[t].stage != kChangeStage) {
        row = pivots[t].row;
        column = pivots[t].column;
    }
    if (row == look.markedRow && column == look.markedColumn)
        return;
    if (look.markedRow >= 0)
        setCellMarked(snapshotCell(table, look.markedRow, look.markedColumn), false);
    if (row >= 0)
        setCellMarked(snapshotCell(table, row, column), true);
    look.markedRow = row;
    look.markedColumn = column;
}

QLabel *ReportPage::explanationWidget(size_t k, const QString &text)
{
    if (k == explanations.size())
        explanations.push_back(explanationLabel(window->widget()));
    setText(explanations[k], text);
    return explanations[k];
}

QLabel *ReportPage::dualWidget(size_t k, const QString &text)
{
    if (k == dualLines.size())
        dualLines.push_back(new QLabel(window->widget()));
    setText(dualLines[k], text);
    return dualLines[k];
}

// Part k of the tree: its title, a line of its outline indented by its
// depth, or its drawing; made anew where a part of another kind stood.
QWidget *ReportPage::treeWidget(size_t k, const ReportBlock &block, const ReportContent &content)
{
    const bool drawing = block.kind == ReportBlock::Tree;
    if (k < treeParts.size() && bool(qobject_cast<TreeView *>(treeParts[k])) != drawing) {
        delete treeParts[k];
        treeParts[k] = nullptr;
    }
    if (k == treeParts.size())
        treeParts.push_back(nullptr);
    QWidget *&part = treeParts[k];
    if (drawing) {
        if (!part)
            part = new TreeView(window->widget());
        static_cast<TreeView *>(part)->setTree(content.tree);
        return part;
    }
    if (!part)
        part = new QLabel(window->widget());
    auto *label = static_cast<QLabel *>(part);
    setText(label, block.text);
    label->setIndent(block.kind == ReportBlock::TreeLine ? block.index * 2 * label->fontMetrics().height() : -1);
    return part;
}

// The widgets of grid k, made anew when the grid changed.
ReportPage::GridWidgets &ReportPage::gridWidgets(size_t k, const TitledGrid &grid, bool note)
{
    if (k == grids.size())
        grids.emplace_back();
    GridWidgets &g = grids[k];
    QWidget *page = window->widget();
    if (!g.table || g.grid.columns != grid.columns || g.grid.rows != grid.rows || g.grid.cells != grid.cells) {
        delete g.table;
        g.table = gridTable(page, grid);
    }
    if (!g.title)
        g.title = new QLabel(page);
    setText(g.title, grid.title);
    if (note) {
        if (!g.note)
            g.note = explanationLabel(page);
        setText(g.note, grid.note);
        setWidth(g.note, g.table->width() + kGridCellWidth);
    }
    g.grid = grid;
    return g;
}

// The panel as wide as the widest item of the whole report, or its
// buttons, so that its lines wrap there and the page keeps its width step
// by step; its table, frame, feedback, hint and score as the state says.
void ReportPage::showPractice(const ReportModel &model, QTableWidget *decided, int width)
{
    const PracticeProgress &progress = model.progress();
    practicePanel->setTable(decided, progress.frameRow, progress.frameColumn);
    practicePanel->setDeciding(progress.done() ? PracticeStep::Pivot : progress.steps[progress.step].answer);
    practicePanel->setTablesOn(progress.tablesOn);
    practicePanel->setComputing(progress.computing,
                                progress.computing >= 0 ? model.course().tables[progress.computing] : Tableau(),
                                progress.cells);
    practicePanel->setFeedback(progress.feedback);
    practicePanel->setHintOffered(progress.hintOffered && progress.computing < 0);
    practicePanel->setScore(progress.score);
    // Measured once it holds what it shows now.
    practicePanel->layout()->activate();
    setWidth(practicePanel, std::max(width, practicePanel->minimumSizeHint().width()));
}

// The layout's items in the given order, each moved only where it stands
// elsewhere.
void ReportPage::arrange(const std::vector<Placed> &order)
{
    std::unordered_set<QWidget *> inLayout;
    for (int k = 0; k < layout->count(); ++k)
        inLayout.insert(layout->itemAt(k)->widget());
    for (int k = 0; k < int(order.size()); ++k) {
        QWidget *widget = order[k].widget;
        if (k < layout->count() && layout->itemAt(k)->widget() == widget)
            continue;
        if (inLayout.count(widget))
            layout->removeWidget(widget);
        layout->insertWidget(k, widget);
    }
}

int ReportPage::itemsWidth() const
{
    int width = 0;
    for (const QWidget *item : items)
        if (item)
            width = std::max(width, item->sizeHint().width());
    return width;
}
