// SPDX-License-Identifier: GPL-3.0-or-later
// The report window's actions: a tool bar above the page whose buttons open
// the groups "Вид" (the fractions, the explanations, the ranging, the plane
// view), "Задача" (practice, "Что если…", "Целые значения") and "Отчёт"
// (copy, save, print),
// every action also in the window's context menu with its shortcut. Each
// action changes the report's state, and the page is then brought to the
// state; the copy and the documents are written from the same state. It
// lives on the report window, with the course the page shows.
#ifndef REPORTVIEW_H
#define REPORTVIEW_H

#include "state/reportstate.h"

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class QScrollArea;
class QVBoxLayout;
class QWidget;
class ActionBar;
class ReportPage;

class ReportViews : public QObject
{
    Q_OBJECT

public:
    // `page` is the report page's layout, holding the "Ok" button alone;
    // the course's items are put before it. The views chosen last in this
    // run are switched on at once.
    ReportViews(QScrollArea *window, QVBoxLayout *page, Course course);

    const Course &course() const { return model.course(); }
    const ReportState &state() const { return model.state(); }
    // Brings the report to a state: the page shows what that state shows,
    // whatever this report showed before.
    void setState(const ReportState &state);

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
    static bool dualChosen;
    // Practice computes the tables too ("Считать таблицы самому").
    static bool tablesChosen;
    // The next report opens in practice ("Решать самому" in the main window).
    static bool practiceRequested;
    // The main window's problem is integer: its reports go on by cuts after
    // an optimum whose x are not whole.
    static bool integerProblem;
    // Its reports go on by branch and bound instead (--branch).
    static bool branchChosen;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *makeAction(const char *name, const QString &text, const QKeySequence &shortcut, bool checkable);
    void placeToolBar();
    void update();
    void updateActions();
    void keepPageWidthInView();
    void setPractice(bool on);
    void practise(const PracticeEvent &event);
    void whatIf();
    void cut();
    void branch();
    void copy();
    void copyLatex();
    void save();
    void print();
    void openPlane();
    void updatePlane();

    QScrollArea *window;
    ReportModel model;
    ReportPage *page;
    ActionBar *bar;
    QAction *actionCopy, *actionPlane, *actionFractions, *actionExplain, *actionSave, *actionPrint, *actionCopyLatex,
        *actionPractice, *actionRanging, *actionWhatIf, *actionInteger, *actionGuide, *actionDual,
        *actionBranch;
    QPointer<QWidget> plane;
};

#endif // REPORTVIEW_H
