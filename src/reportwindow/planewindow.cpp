// SPDX-License-Identifier: GPL-3.0-or-later
// Implements planewindow.h: the window "На плоскости".
#include "reportwindow/planewindow.h"

#include "plane/planedrawing.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QPainter>
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
    PlanePicture(const Course &course, QWidget *parent) : QWidget(parent), drawing(course)
    {
        setObjectName(QStringLiteral("planePicture"));
        setBackgroundRole(QPalette::Base);
        setAutoFillBackground(true);
    }

    QSize sizeHint() const override { return {kPictureWidth, kPictureHeight}; }
    QSize minimumSizeHint() const override { return {kPictureWidth / 3, kPictureHeight / 3}; }

    QPointF toScreen(const QPointF &p) { return drawing.toScreen(p, rect()); }
    void show(const Course &course)
    {
        drawing = PlaneDrawing(course);
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

} // namespace

QWidget *openPlaneView(const CourseView &view, QWidget *report)
{
    const Course &course = view.course();
    auto *window = new QWidget(report, Qt::Dialog | Qt::WindowMaximizeButtonHint);
    window->setObjectName(QStringLiteral("planeView"));
    window->setWindowTitle(tr("На плоскости"));
    window->setWindowIcon(report->windowIcon());
    auto *layout = new QVBoxLayout(window);
    auto *picture = new PlanePicture(course, window);
    auto *caption = new QLabel(window);
    caption->setObjectName(QStringLiteral("planeCaption"));
    caption->setWordWrap(true);
    layout->addWidget(picture, 1);
    layout->addWidget(caption);

    auto addAction = [window](const QString &text, const QList<QKeySequence> &keys, auto run) {
        auto *action = new QAction(text, window);
        action->setShortcuts(keys);
        QObject::connect(action, &QAction::triggered, window, run);
        window->addAction(action);
    };
    addAction(tr("Копировать картинку"), {QKeySequence::Copy}, [window] {
        QGuiApplication::clipboard()->setImage(window->grab().toImage());
    });
    addAction(tr("Закрыть"), {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}, [window] { window->close(); });
    window->setContextMenuPolicy(Qt::ActionsContextMenu);
    updatePlaneView(window, view);
    return window;
}

void updatePlaneView(QWidget *planeView, const CourseView &view)
{
    const Course &course = view.course();
    static_cast<PlanePicture *>(planeView->findChild<QWidget *>(QStringLiteral("planePicture")))->show(course);
    planeView->findChild<QLabel *>(QStringLiteral("planeCaption"))->setText(planeCaption(view));
}

QPoint planePointInWindow(const QWidget *planeView, const QPointF &p)
{
    auto *picture = static_cast<PlanePicture *>(planeView->findChild<QWidget *>(QStringLiteral("planePicture")));
    return picture->mapTo(planeView, picture->toScreen(p).toPoint());
}
