// SPDX-License-Identifier: GPL-3.0-or-later
// Implements windowkit.h: small things the program's windows share.
#include "widgets/windowkit.h"

#include <QEvent>
#include <QIcon>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QWindow>

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

// The program's icon, the one its menu entry shows, in the sizes a window
// manager asks for. The pictures are built into the program.
QIcon programIcon()
{
    Q_INIT_RESOURCE(icons); // the resources live in a static library
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/dual-simplex-%1.png").arg(size), QSize(size, size));
    return icon;
}

