// SPDX-License-Identifier: GPL-3.0-or-later
// Where a secondary window goes on the screen: its whole frame, title bar
// included, inside the screen's available area, centred over the window it
// belongs to where there is room, and no larger than the area allows with
// the frame counted.
#ifndef WINDOWPLACE_H
#define WINDOWPLACE_H

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <algorithm>

// The window's own rectangle (inside its frame) for the size it wants, the
// window manager's frame around it, the centre it is to have, and the
// screen's available area.
inline QRect placeWindow(QSize inner, const QMargins &frame, const QPoint &centre, const QRect &screen)
{
    const QSize decoration(frame.left() + frame.right(), frame.top() + frame.bottom());
    inner = inner.boundedTo(screen.size() - decoration);
    const QSize outer = inner + decoration;
    const QPoint corner(std::clamp(centre.x() - outer.width() / 2, screen.left(), screen.right() + 1 - outer.width()),
                        std::clamp(centre.y() - outer.height() / 2, screen.top(), screen.bottom() + 1 - outer.height()));
    return QRect(corner, outer).marginsRemoved(frame);
}

#endif // WINDOWPLACE_H
