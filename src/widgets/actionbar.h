// SPDX-License-Identifier: GPL-3.0-or-later
// The report window's tool bar: a few buttons with text, each opening the
// menu of a group of related actions, so that every action is in reach
// from the bar at the width of the narrowest report. Should a window be
// narrower still, the groups that do not fit go to the menu of a last
// button, "»". It is cheaper to build than a QToolBar, whose extension
// button loads its icon anew for every bar, and each report makes one.
#ifndef ACTIONBAR_H
#define ACTIONBAR_H

#include <QWidget>

#include <vector>

class QMenu;
class QToolButton;

class ActionBar : public QWidget
{
public:
    explicit ActionBar(QWidget *parent);

    // A button that opens a menu of its own; the menu, to add actions to.
    QMenu *addGroup(const char *name, const QString &text);

    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *) override;

private:
    QToolButton *button();
    void arrange();

    std::vector<QToolButton *> groups;
    QToolButton *more;
};

#endif // ACTIONBAR_H
