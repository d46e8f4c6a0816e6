// SPDX-License-Identifier: GPL-3.0-or-later
// Implements actionbar.h: the report window's tool bar.
#include "widgets/actionbar.h"

#include <QMenu>
#include <QToolButton>

#include <algorithm>

ActionBar::ActionBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("reportToolBar"));
    more = button();
    more->setText(QStringLiteral("»"));
    more->setMenu(new QMenu(more));
    more->hide();
}

QMenu *ActionBar::addGroup(const char *name, const QString &text)
{
    QToolButton *group = button();
    group->setObjectName(QLatin1String(name));
    group->setText(text);
    group->setAccessibleName(text);
    auto *menu = new QMenu(text, group);
    menu->setToolTipsVisible(true); // a disabled action's tooltip says why
    group->setMenu(menu);
    groups.push_back(group);
    return menu;
}

QSize ActionBar::sizeHint() const
{
    int width = 0, height = 0;
    for (const QToolButton *group : groups) {
        width += group->sizeHint().width();
        height = std::max(height, group->sizeHint().height());
    }
    return {width, height};
}

void ActionBar::resizeEvent(QResizeEvent *)
{
    arrange();
}

QToolButton *ActionBar::button()
{
    auto *b = new QToolButton(this);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setPopupMode(QToolButton::InstantPopup);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus); // "Ok" keeps the focus
    return b;
}

// Left to right while they fit, the rest in the menu of "»".
void ActionBar::arrange()
{
    const int reserve = more->sizeHint().width();
    int x = 0;
    QList<QMenu *> hidden;
    for (size_t k = 0; k < groups.size(); ++k) {
        QToolButton *group = groups[k];
        const int w = group->sizeHint().width();
        const bool last = k + 1 == groups.size();
        const bool fits = hidden.isEmpty() && x + w <= width() - (last ? 0 : reserve);
        group->setVisible(fits);
        if (fits) {
            group->setGeometry(x, 0, w, height());
            x += w;
        } else {
            hidden << group->menu();
        }
    }
    more->setVisible(!hidden.isEmpty());
    more->menu()->clear();
    for (QMenu *menu : hidden)
        more->menu()->addMenu(menu);
    if (!hidden.isEmpty())
        more->setGeometry(x, 0, reserve, height());
}
