// SPDX-License-Identifier: GPL-3.0-or-later
// The report's page built from the report's state: one function brings the
// page's widgets (the lines and snapshot tables of the course, the lines of
// explanation, the ranging's tables, practice's panel, then "Ok") to the
// blocks the state shows, making, keeping, changing and removing widgets so
// that the page is the same whatever state it came from.
#ifndef REPORTPAGE_H
#define REPORTPAGE_H

#include "state/reportstate.h"

#include <QObject>

#include <vector>

class PracticePanel;
class QLabel;
class QScrollArea;
class QTableWidget;
class QVBoxLayout;
class QWidget;

class ReportPage : public QObject
{
    Q_OBJECT

public:
    // `layout` is the page's layout, holding the "Ok" button alone.
    ReportPage(QScrollArea *window, QVBoxLayout *layout);

    // Brings the page to what the model shows.
    void render(const ReportModel &model);

    // Practice's panel while practice is on.
    PracticePanel *panel() const { return practicePanel; }

signals:
    // What the student does on practice's panel.
    void practised(const PracticeEvent &event);

private:
    // A grid of its own on the page: its title, table and note.
    struct GridWidgets {
        TitledGrid grid;
        QLabel *title = nullptr;
        QTableWidget *table = nullptr;
        QLabel *note = nullptr;
    };
    // What a snapshot table shows now: its numbers' view and its marked cell.
    struct TableLook {
        bool fractions = false;
        bool filled = false;
        int markedRow = -1, markedColumn = -1;
    };

    // A widget of the page in its place, and whether it shows.
    struct Placed {
        QWidget *widget;
        bool shown;
    };

    void forgetCourse();
    void removeUnused(size_t explanationCount, size_t gridCount, bool practice);
    PracticePanel *practiceWidget(const ReportModel &model);
    QWidget *itemWidget(const ReportModel &model, const ReportContent &content, const ReportBlock &block);
    void showNumbers(QTableWidget *table, TableLook &look, const ReportContent &content, const ReportBlock &block);
    QLabel *explanationWidget(size_t k, const QString &text);
    QLabel *dualWidget(size_t k, const QString &text);
    QWidget *treeWidget(size_t k, const ReportBlock &block, const ReportContent &content);
    GridWidgets &gridWidgets(size_t k, const TitledGrid &grid, bool note);
    void showPractice(const ReportModel &model, QTableWidget *decided, int width);
    void arrange(const std::vector<Placed> &order);
    int itemsWidth() const;

    QScrollArea *window;
    QVBoxLayout *layout;
    QWidget *ok;
    quint64 courseId = 0;
    std::vector<QWidget *> items;        // the course's items, made when first shown
    std::vector<TableLook> looks;        // of the items that are tables
    std::vector<QLabel *> explanations;  // in the order they stand
    std::vector<QLabel *> dualLines;     // the dual problem's view, in the order they stand
    std::vector<GridWidgets> grids;
    std::vector<QWidget *> treeParts;    // the tree's title, its outline's lines and its drawing
    PracticePanel *practicePanel = nullptr;
};

#endif // REPORTPAGE_H
