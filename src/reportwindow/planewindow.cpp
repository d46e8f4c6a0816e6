// SPDX-License-Identifier: GPL-3.0-or-later
// Implements planewindow.h: the window "На плоскости".
#include "reportwindow/planewindow.h"

#include "plane/dualplane.h"
#include "plane/planecaption.h"
#include "plane/planedrawing.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// The picture's size on the screen, in device-independent pixels.
constexpr int kPictureWidth = 600;
constexpr int kPictureHeight = 480;

using reporttext::tr;

// The window's drawing, as large as the window lets it be.
class PlanePicture : public QWidget
{
public:
    PlanePicture(const PlaneProblem &problem, const char *name, QWidget *parent) : QWidget(parent), drawing(problem)
    {
        setObjectName(QLatin1String(name));
        setBackgroundRole(QPalette::Base);
        setAutoFillBackground(true);
    }

    QSize sizeHint() const override { return {kPictureWidth, kPictureHeight}; }
    QSize minimumSizeHint() const override { return {kPictureWidth / 3, kPictureHeight / 3}; }

    QPointF toScreen(const QPointF &p) { return drawing.toScreen(p, rect()); }
    void show(const PlaneProblem &problem)
    {
        drawing = PlaneDrawing(problem);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        drawing.paint(painter, rect(), palette());
    }

private:
    PlaneDrawing drawing;
};

// A page of the window: the picture over its caption.
QWidget *planePage(const PlaneProblem &problem, const char *picture, const char *caption, QWidget *parent)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(page);
    label->setObjectName(QLatin1String(caption));
    label->setWordWrap(true);
    layout->addWidget(new PlanePicture(problem, picture, page), 1);
    layout->addWidget(label);
    return page;
}

PlanePicture *pictureOf(const QWidget *window, const char *name)
{
    return static_cast<PlanePicture *>(window->findChild<QWidget *>(QLatin1String(name)));
}

} // namespace

QWidget *openPlaneView(const CourseView &view, QWidget *report)
{
    const Course &course = view.course();
    auto *window = new QWidget(report, Qt::Dialog | Qt::WindowMaximizeButtonHint);
    window->setObjectName(QStringLiteral("planeView"));
    window->setWindowTitle(tr("На плоскости"));
    window->setWindowIcon(report->windowIcon());
    auto *layout = new QVBoxLayout(window);
    // A page for x0 and x1, one for the dual's y0 and y1; the tabs show
    // only where there are both.
    auto *pages = new QTabWidget(window);
    pages->setObjectName(QStringLiteral("planePages"));
    pages->setTabBarAutoHide(true);
    pages->setDocumentMode(true);
    if (hasPlanePicture(course))
        pages->addTab(planePage(primalPlane(course), "planePicture", "planeCaption", pages), tr("Задача"));
    if (hasDualPlanePicture(course))
        pages->addTab(planePage(dualPlane(course), "dualPlanePicture", "dualPlaneCaption", pages), tr("Двойственная задача"));
    layout->addWidget(pages);

    auto addAction = [window](const QString &text, const QList<QKeySequence> &keys, auto run) {
        auto *action = new QAction(text, window);
        action->setShortcuts(keys);
        QObject::connect(action, &QAction::triggered, window, run);
        window->addAction(action);
    };
    addAction(tr("Копировать картинку"), {QKeySequence::Copy}, [pages] {
        QGuiApplication::clipboard()->setImage(pages->currentWidget()->grab().toImage());
    });
    addAction(tr("Закрыть"), {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}, [window] { window->close(); });
    window->setContextMenuPolicy(Qt::ActionsContextMenu);
    updatePlaneView(window, view);
    return window;
}

void updatePlaneView(QWidget *planeView, const CourseView &view)
{
    const Course &course = view.course();
    if (PlanePicture *picture = pictureOf(planeView, "planePicture")) {
        picture->show(primalPlane(course));
        planeView->findChild<QLabel *>(QStringLiteral("planeCaption"))->setText(planeCaption(view));
    }
    if (PlanePicture *picture = pictureOf(planeView, "dualPlanePicture")) {
        picture->show(dualPlane(course));
        planeView->findChild<QLabel *>(QStringLiteral("dualPlaneCaption"))->setText(dualPlaneCaption(view));
    }
}

QPoint planePointInWindow(const QWidget *planeView, const QPointF &p)
{
    PlanePicture *picture = pictureOf(planeView, "planePicture");
    return picture->mapTo(planeView, picture->toScreen(p).toPoint());
}
