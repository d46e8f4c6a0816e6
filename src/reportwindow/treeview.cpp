// SPDX-License-Identifier: GPL-3.0-or-later
// Implements treeview.h: the tree of branch and bound on the report's page.
#include "reportwindow/treeview.h"

#include "documents/treedrawing.h"

#include <QEvent>
#include <QPainter>

namespace {

// The widest the drawing makes the page, in lines of the font.
constexpr int kWidestInLines = 60;

} // namespace

TreeView::TreeView(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("branchTree"));
    setAccessibleName(reporttext::tr("Дерево ветвей и границ"));
}

void TreeView::setTree(const std::vector<TreeLine> &tree)
{
    bool same = tree.size() == lines.size();
    for (size_t k = 0; same && k < tree.size(); ++k)
        same = tree[k].text == lines[k].text && tree[k].box == lines[k].box && tree[k].record == lines[k].record;
    if (same)
        return;
    lines = tree;
    fit();
    update();
}

void TreeView::fit()
{
    const TreeDrawing drawing(lines, font());
    const double scale = drawing.scaleFor(QSizeF(kWidestInLines * fontMetrics().height(), 1e9));
    setFixedSize((drawing.size() * scale).toSize() + QSize(2, 2));
}

void TreeView::paintEvent(QPaintEvent *)
{
    const TreeDrawing drawing(lines, font());
    const double scale = drawing.scaleFor(QSizeF(kWidestInLines * fontMetrics().height(), 1e9));
    QPainter painter(this);
    painter.setFont(font());
    drawing.paint(painter, QPointF(1, 1), scale, palette().color(QPalette::WindowText),
                  palette().color(QPalette::Base), palette().color(QPalette::Highlight));
}

void TreeView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        fit();
    QWidget::changeEvent(event);
}
