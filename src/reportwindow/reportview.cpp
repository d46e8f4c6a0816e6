// SPDX-License-Identifier: GPL-3.0-or-later
// Implements reportview.h: the report window's actions.
#include "reportwindow/reportview.h"

#include "widgets/actionbar.h"
#include "widgets/guidewindow.h"
#include "reportwindow/planewindow.h"
#include "reportwindow/practicepanel.h"
#include "documents/reportfiles.h"
#include "files/reportlatex.h"
#include "reportwindow/reportpage.h"
#include "documents/reportpages.h"
#include "reportwindow/whatifdialog.h"
#include "widgets/windowplace.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLayout>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWindow>

bool ReportViews::fractionsChosen = false;
bool ReportViews::explanationsChosen = false;
bool ReportViews::practiceRequested = false;
bool ReportViews::rangingChosen = false;
bool ReportViews::dualChosen = false;
bool ReportViews::tablesChosen = false;
bool ReportViews::integerProblem = false;
bool ReportViews::branchChosen = false;

namespace {

// An action's tooltip: its text, and its shortcut where it has one.
QString toolTipOf(const QAction *action)
{
    const QKeySequence shortcut = action->shortcut();
    return shortcut.isEmpty() ? action->text()
                              : QStringLiteral("%1 (%2)").arg(action->text(), shortcut.toString(QKeySequence::NativeText));
}

// An action enabled, or disabled with the reason in its tooltip; checked
// as shown, its signals quiet, so that only the user's toggles reach the state.
void setAvailable(QAction *action, const QString &unavailable, bool checked = false)
{
    const QSignalBlocker quiet(action);
    action->setEnabled(unavailable.isEmpty());
    action->setToolTip(unavailable.isEmpty() ? toolTipOf(action) : toolTipOf(action) + QStringLiteral(": ") + unavailable);
    if (action->isCheckable())
        action->setChecked(checked);
}

// Gives access to a scroll area's viewport margins, which it keeps
// protected: through a pointer to the member, on any scroll area.
class MarginAccess : public QAbstractScrollArea
{
public:
    using QAbstractScrollArea::setViewportMargins;
};

ReportState firstState(Course course)
{
    ReportState state;
    state.course = std::move(course);
    state.fractions = ReportViews::fractionsChosen;
    state.explanations = ReportViews::explanationsChosen;
    state.ranging = ReportViews::rangingChosen;
    state.dual = ReportViews::dualChosen;
    return state;
}

} // namespace

ReportViews::ReportViews(QScrollArea *window, QVBoxLayout *pageLayout, Course course)
    : QObject(window), window(window), model(firstState(std::move(course)))
{
    setObjectName(QStringLiteral("reportViews"));
    bar = new ActionBar(window);
    // The window's actions, in the order of its context menu.
    actionCopy = makeAction("actionCopy", reporttext::tr("Копировать отчёт"), QKeySequence::Copy, false);
    actionPlane = makeAction("actionPlane", reporttext::tr("На плоскости"), QKeySequence(Qt::CTRL | Qt::Key_G), false);
    actionFractions = makeAction("actionFractions", reporttext::tr("Дроби"), QKeySequence(Qt::CTRL | Qt::Key_D), true);
    actionExplain = makeAction("actionExplain", reporttext::tr("Пояснения"), QKeySequence(Qt::CTRL | Qt::Key_E), true);
    actionSave = makeAction("actionSave", reporttext::tr("Сохранить отчёт…"), QKeySequence(Qt::CTRL | Qt::Key_S), false);
    actionPrint = makeAction("actionPrint", reporttext::tr("Печать…"), QKeySequence(Qt::CTRL | Qt::Key_P), false);
    actionCopyLatex = makeAction("actionCopyLatex", reporttext::tr("Копировать как LaTeX"), QKeySequence(), false);
    actionPractice = makeAction("actionPractice", reporttext::tr("Решать самому"), QKeySequence(Qt::CTRL | Qt::Key_T), true);
    actionRanging = makeAction("actionRanging", reporttext::tr("Устойчивость"), QKeySequence(Qt::CTRL | Qt::Key_R), true);
    actionDual = makeAction("actionDual", reporttext::tr("Двойственная задача"), QKeySequence(Qt::CTRL | Qt::Key_U), true);
    actionWhatIf = makeAction("actionWhatIf", reporttext::tr("Что если…"), QKeySequence(Qt::CTRL | Qt::Key_K), false);
    actionInteger = makeAction("actionInteger", reporttext::tr("Целые значения"), QKeySequence(Qt::CTRL | Qt::Key_I), false);
    actionBranch = makeAction("actionBranch", reporttext::tr("Ветви и границы"), QKeySequence(Qt::CTRL | Qt::Key_B), false);
    actionGuide = makeAction("actionGuide", reporttext::tr("Справка"), QKeySequence::HelpContents, false);
    window->setContextMenuPolicy(Qt::ActionsContextMenu);
    // The tool bar: the same actions in three groups.
    QMenu *views = bar->addGroup("reportViewMenu", reporttext::tr("Вид"));
    for (QAction *action : {actionFractions, actionExplain, actionRanging, actionDual, actionPlane})
        views->addAction(action);
    QMenu *problem = bar->addGroup("reportProblemMenu", reporttext::tr("Задача"));
    for (QAction *action : {actionPractice, actionWhatIf, actionInteger, actionBranch})
        problem->addAction(action);
    QMenu *report = bar->addGroup("reportDocumentMenu", reporttext::tr("Отчёт"));
    for (QAction *action : {actionCopy, actionCopyLatex, actionSave, actionPrint, actionGuide})
        report->addAction(action);

    connect(actionCopy, &QAction::triggered, this, &ReportViews::copy);
    connect(actionGuide, &QAction::triggered, this, [this] { showGuide(this->window); });
    connect(actionPlane, &QAction::triggered, this, &ReportViews::openPlane);
    connect(actionSave, &QAction::triggered, this, &ReportViews::save);
    connect(actionPrint, &QAction::triggered, this, &ReportViews::print);
    connect(actionCopyLatex, &QAction::triggered, this, &ReportViews::copyLatex);
    connect(actionWhatIf, &QAction::triggered, this, &ReportViews::whatIf);
    connect(actionInteger, &QAction::triggered, this, &ReportViews::cut);
    connect(actionBranch, &QAction::triggered, this, &ReportViews::branch);
    connect(actionPractice, &QAction::toggled, this, &ReportViews::setPractice);
    connect(actionFractions, &QAction::toggled, this, [this](bool on) {
        model.setFractions(on);
        fractionsChosen = model.fractionsShown();
        update();
    });
    connect(actionExplain, &QAction::toggled, this, [this](bool on) {
        model.setExplanations(on);
        explanationsChosen = on;
        update();
    });
    connect(actionDual, &QAction::toggled, this, [this](bool on) {
        model.setDual(on);
        dualChosen = on;
        update();
    });
    connect(actionRanging, &QAction::toggled, this, [this](bool on) {
        model.setRanging(on);
        rangingChosen = on;
        update();
    });

    // An integer problem goes on by cuts by itself, or by branches when asked.
    if (integerProblem && branchChosen)
        model.branch();
    else if (integerProblem)
        model.cut(true);
    page = new ReportPage(window, pageLayout);
    connect(page, &ReportPage::practised, this, &ReportViews::practise);
    page->render(model);
    updateActions();

    // Practice asked for from the main window starts once the window has
    // its size and place, those of the whole report.
    if (practiceRequested && model.practiceUnavailable().isEmpty())
        QMetaObject::invokeMethod(actionPractice, [this] { actionPractice->setChecked(true); }, Qt::QueuedConnection);
    practiceRequested = false;

    void (QAbstractScrollArea::*setMargins)(int, int, int, int) = &MarginAccess::setViewportMargins;
    (window->*setMargins)(0, bar->sizeHint().height(), 0, 0);
    placeToolBar();
    window->installEventFilter(this);
}

QAction *ReportViews::makeAction(const char *name, const QString &text, const QKeySequence &shortcut, bool checkable)
{
    auto *action = new QAction(text, window);
    action->setObjectName(QLatin1String(name));
    action->setShortcut(shortcut);
    action->setCheckable(checkable);
    action->setToolTip(toolTipOf(action));
    window->addAction(action);
    return action;
}

void ReportViews::setState(const ReportState &state)
{
    model = ReportModel(state);
    update();
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
    // Closed, it gives the keyboard back to its report.
    if (watched == plane && event->type() == QEvent::Hide && window->isVisible())
        window->activateWindow();
    return QObject::eventFilter(watched, event);
}

// After every action: the page brought to the state, the actions showing
// what the state allows and shows, the window wide enough, the plane view
// following.
void ReportViews::update()
{
    page->render(model);
    updateActions();
    keepPageWidthInView();
    updatePlane();
    // Practice's panel gone with the keyboard's focus: "Ok" takes it, as
    // when the report opened.
    if (window->isActiveWindow() && !QApplication::focusWidget())
        window->widget()->layout()->itemAt(window->widget()->layout()->count() - 1)->widget()->setFocus();
}

void ReportViews::updateActions()
{
    const Course &course = model.course();
    setAvailable(actionFractions, model.fractionsUnavailable(), model.fractionsShown());
    setAvailable(actionExplain, QString(), model.state().explanations);
    setAvailable(actionRanging, model.rangingUnavailable(), model.rangingShown());
    setAvailable(actionDual, QString(), model.state().dual);
    setAvailable(actionPractice, model.practiceUnavailable(), model.state().practice);
    setAvailable(actionWhatIf, model.whatIfUnavailable());
    setAvailable(actionInteger, model.cutsUnavailable());
    setAvailable(actionBranch, model.branchesUnavailable());
    setAvailable(actionPlane, course.n != 2 && course.m != 2
                                  ? reporttext::tr("Картинка на плоскости есть только для задачи с двумя переменными "
                                                   "или с двумя ограничениями (двойственная задача)")
                              : !course.allFinite() ? reporttext::tr("Картинки нет: не все значения полей — конечные числа")
                                                    : QString());
}

void ReportViews::setPractice(bool on)
{
    model.setPractice(on, tablesChosen);
    update();
    if (PracticePanel *panel = page->panel()) {
        // The keyboard goes to the panel once the window is up ("Ok" takes
        // it while the report opens).
        QMetaObject::invokeMethod(panel, qOverload<>(&QWidget::setFocus), Qt::QueuedConnection);
        window->ensureWidgetVisible(panel);
    }
}

void ReportViews::practise(const PracticeEvent &event)
{
    if (event.kind == PracticeEvent::Tables)
        tablesChosen = event.on;
    model.practise(event);
    update();
    PracticePanel *panel = page->panel();
    if (!panel || event.kind == PracticeEvent::Type)
        return;
    // The keyboard stays with practice: in the cells being computed, or on
    // the panel for the next decision.
    QWidget *focus = QApplication::focusWidget();
    if (focus != panel && !panel->isAncestorOf(focus))
        panel->setFocus();
    window->ensureWidgetVisible(panel);
}

// After the optimum: the change asked for, and the course continued from
// its last table; the page gets the new lines and tables before "Ok", and
// every view covers them.
void ReportViews::whatIf()
{
    if (!model.whatIfUnavailable().isEmpty())
        return;
    if (model.state().practice) {
        model.setPractice(false);
        update();
    }
    const std::optional<WhatIf> asked = askWhatIf(window, model.view());
    window->activateWindow(); // the keyboard back from the dialog
    QString error;
    if (!asked || !model.change(*asked, &error))
        return;
    update();
    window->ensureWidgetVisible(window->widget()->layout()->itemAt(window->widget()->layout()->count() - 1)->widget());
}

// After an optimum whose x are not whole: the course goes on by Gomory's
// cuts, and the page gets their lines and tables before "Ok".
void ReportViews::cut()
{
    if (!model.cut())
        return;
    update();
    window->ensureWidgetVisible(window->widget()->layout()->itemAt(window->widget()->layout()->count() - 1)->widget());
}

// The same by branch and bound: the nodes and the tree before "Ok".
void ReportViews::branch()
{
    if (!model.branch())
        return;
    update();
    window->ensureWidgetVisible(window->widget()->layout()->itemAt(window->widget()->layout()->count() - 1)->widget());
}

ReportCopy ReportViews::shownCopy() const
{
    return copyOfReport(model.content());
}

bool ReportViews::writeShown(const QString &path, QString *error) const
{
    return writeReportFile(path, model.content(), error);
}

// The tables and lines as LaTeX, for a document of the student's own.
void ReportViews::copyLatex()
{
    QGuiApplication::clipboard()->setText(latexOfReport(model.content(), false));
}

void ReportViews::updatePlane()
{
    if (plane)
        updatePlaneView(plane, model.shownView());
}

// A page grown taller than the window gets a vertical scroll bar; the window
// widens by its width where the screen has room, so that the page's width
// stays in view.
void ReportViews::keepPageWidthInView()
{
    window->widget()->layout()->activate();
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
    paintReportPages(&printer, model.content());
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
        plane = openPlaneView(model.shownView(), window);
        plane->installEventFilter(this);
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
