// SPDX-License-Identifier: GPL-3.0-or-later
// The report window's actions and views of its course: a tool bar above the
// page and the window's context menu with "Копировать отчёт", "На плоскости",
// "Дроби" and "Пояснения"; the exact fractions and the explanations switched
// on and off; the copy of what is shown; the plane view of a two-variable
// problem. It lives on the report window, with the course the page shows.
#ifndef REPORTVIEW_H
#define REPORTVIEW_H

#include "course.h"
#include "exact.h"
#include "practice.h"
#include "ranging.h"
#include "reporttext.h"

#include <QObject>
#include <QPointer>

#include <optional>
#include <vector>

class QAction;
class QLabel;
class QScrollArea;
class ActionBar;
class PracticePanel;
class QVBoxLayout;
class QWidget;

class ReportViews : public QObject
{
    Q_OBJECT

public:
    // `page` is the report page's layout: the course's items in order, then
    // "Ok". The views chosen last in this run are switched on at once.
    ReportViews(QScrollArea *window, QVBoxLayout *page, Course course);

    const Course &course() const { return record; }
    // The whole report as shown, as "Копировать отчёт" copies it.
    ReportCopy shownCopy() const;
    // The report as shown, written to a file in the format its extension
    // names; false and the reason in *error on failure.
    bool writeShown(const QString &path, QString *error) const;
    // The plane view while it is open.
    QWidget *planeWindow() const { return plane; }

    // What the user chose last, for every report of the rest of the run.
    static bool fractionsChosen;
    static bool explanationsChosen;
    static bool rangingChosen;
    // The next report opens in practice ("Решать самому" in the main window).
    static bool practiceRequested;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *addViewAction(const char *name, const QString &text, const QKeySequence &shortcut, bool checkable);
    void placeToolBar();
    void setUnavailable(QAction *action, const QString &why);
    bool replayExactly();
    CourseView view() const;
    void showFractions(bool on);
    void showExplanations(bool on);
    void keepPageWidthInView();
    void rewriteTexts();
    std::vector<Explanation> shownExplanations(const CourseView &numbers) const;
    void showPractice(bool on);
    void showPracticeItems();
    void choose(const PracticeChoice &choice);
    void giveHint();
    Course shownCourse() const;
    CourseView shownView(const Course &shown) const;
    std::vector<Explanation> shownLines(const CourseView &numbers) const;
    std::vector<TitledGrid> shownGrids(const CourseView &numbers) const;
    void showRanging();
    void concealPivot(int table, bool conceal);
    void updatePlane();
    void whatIf();
    QWidget *pageItem(const Course::Item &item);
    void updateAvailability();
    void copy();
    void copyLatex();
    void save();
    void print();
    void openPlane();

    QScrollArea *window;
    QVBoxLayout *page;
    Course record;
    std::vector<QWidget *> items;           // the page's item for each of the course's items
    std::vector<QLabel *> explanationLabels; // while the explanations are shown
    std::vector<int> explanationPlaces;      // the item each one stands before
    std::optional<ExactCourse> exact;       // once the exact view has been asked for
    bool fractionsShown = false;
    ActionBar *bar;
    QAction *actionCopy, *actionPlane, *actionFractions, *actionExplain, *actionSave, *actionPrint, *actionCopyLatex,
        *actionPractice, *actionRanging, *actionWhatIf;
    std::vector<QWidget *> rangingWidgets; // the ranging's titles, tables and lines while shown
    // Practice: its steps, the one being taken, the items shown, the tries
    // that were wrong (for the copy), and the steps right at the first try.
    PracticePanel *panel = nullptr;
    std::vector<PracticeStep> steps;
    size_t step = 0;
    int shownItems = 0;
    int wrongTries = 0;
    int rightAtFirstTry = 0;
    std::vector<Explanation> tries;
    QPointer<QWidget> plane;
};

#endif // REPORTVIEW_H
