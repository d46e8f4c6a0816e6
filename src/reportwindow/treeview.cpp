// SPDX-License-Identifier: GPL-3.0-or-later
// Implements treeview.h: the tree of branch and bound on the report's page.
#include "reportwindow/treeview.h"

#include "documents/treedrawing.h"

#include <QEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {

// The widest the tree's frame makes the page, in lines of the font, and
// the smallest the tree is drawn at to fit it: a wider tree scrolls.
constexpr int kWidestInLines = 60;
constexpr double kSmallestScale = 0.75;

double scaleOf(const TreeDrawing &drawing, const QFontMetrics &metrics)
{
    return std::min(1.0, std::max(kSmallestScale, drawing.scaleFor(QSizeF(kWidestInLines * metrics.height(), 1e9))));
}

} // namespace

// The drawing itself, at its scale, inside the frame.
class TreeView::Canvas : public QWidget
{
public:
    explicit Canvas(TreeView *view) : QWidget(view), view(view) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        const TreeDrawing drawing(view->lines, font());
        QPainter painter(this);
        painter.setFont(font());
        drawing.paint(painter, QPointF(1, 1), scaleOf(drawing, fontMetrics()), palette().color(QPalette::WindowText),
                      palette().color(QPalette::Base), palette().color(QPalette::Highlight));
    }

private:
    TreeView *view;
};

TreeView::TreeView(QWidget *parent) : QScrollArea(parent), canvas(new Canvas(this))
{
    setObjectName(QStringLiteral("branchTree"));
    setAccessibleName(reporttext::tr("Дерево ветвей и границ"));
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidget(canvas);
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
    canvas->update();
}

// The canvas as large as the drawing; the frame as wide as it, up to the
// widest, and as tall as it with the scroll bar below where it scrolls.
void TreeView::fit()
{
    const TreeDrawing drawing(lines, font());
    const QSize size = (drawing.size() * scaleOf(drawing, fontMetrics())).toSize() + QSize(2, 2);
    canvas->setFixedSize(size);
    const int widest = kWidestInLines * fontMetrics().height();
    const bool scrolls = size.width() > widest;
    setFixedSize(std::min(size.width(), widest), size.height() + (scrolls ? horizontalScrollBar()->sizeHint().height() : 0));
}

void TreeView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        fit();
    QScrollArea::changeEvent(event);
}
