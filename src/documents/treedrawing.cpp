// SPDX-License-Identifier: GPL-3.0-or-later
// Implements treedrawing.h: the tree of branch and bound drawn.
#include "documents/treedrawing.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace {

// In lines of the font: the padding inside a box, the gaps between boxes
// side by side and between the levels.
constexpr double kPadding = 0.4;
constexpr double kSideGap = 1.0;
constexpr double kLevelGap = 1.6;

} // namespace

TreeDrawing::TreeDrawing(const std::vector<TreeLine> &tree, const QFont &font, QPaintDevice *device)
    : tree(tree), font(font), device(device)
{
    const QFontMetricsF metrics = device ? QFontMetricsF(font, device) : QFontMetricsF(font);
    const double line = metrics.lineSpacing(), padding = kPadding * line;
    std::vector<QSizeF> sizes;
    double tallest = 0;
    int deepest = 0;
    for (const TreeLine &node : tree) {
        double width = 0;
        for (const QString &text : node.box)
            width = std::max(width, metrics.horizontalAdvance(text));
        sizes.emplace_back(width + 2 * padding, node.box.size() * line + 2 * padding);
        widest = std::max(widest, sizes.back().width());
        tallest = std::max(tallest, sizes.back().height());
        deepest = std::max(deepest, node.depth);
    }
    // Every node a slot as wide as the widest box: a leaf takes the next
    // slot, a parent stands over the middle of its children.
    const double slot = widest + kSideGap * line, level = tallest + kLevelGap * line;
    std::vector<std::vector<int>> children(tree.size());
    for (size_t k = 1; k < tree.size(); ++k)
        children[size_t(tree[k].parent)].push_back(int(k));
    std::vector<double> centre(tree.size());
    double cursor = 0;
    auto place = [&](auto &&self, int k) -> void {
        for (int child : children[size_t(k)])
            self(self, child);
        if (children[size_t(k)].empty()) {
            centre[size_t(k)] = cursor + slot / 2;
            cursor += slot;
        } else {
            centre[size_t(k)] = (centre[size_t(children[size_t(k)].front())] + centre[size_t(children[size_t(k)].back())]) / 2;
        }
    };
    if (!tree.empty())
        place(place, 0);
    for (size_t k = 0; k < tree.size(); ++k)
        rects.emplace_back(centre[k] - sizes[k].width() / 2, tree[k].depth * level, sizes[k].width(), sizes[k].height());
    natural = tree.empty() ? QSizeF() : QSizeF(cursor, deepest * level + tallest);
}

std::vector<double> TreeDrawing::strips(double scale, double width, double *step) const
{
    *step = natural.width() * scale <= width ? width : std::max(width - widest * scale, width / 2);
    std::vector<double> lefts{0};
    while (lefts.back() + *step < natural.width() * scale)
        lefts.push_back(lefts.back() + *step);
    return lefts;
}

double TreeDrawing::scaleFor(const QSizeF &room) const
{
    if (natural.isEmpty())
        return 1;
    return std::min({1.0, room.width() / natural.width(), room.height() / natural.height()});
}

void TreeDrawing::paint(QPainter &painter, const QPointF &topLeft, double scale, const QColor &text,
                        const QColor &fill, const QColor &mark, double from, double to) const
{
    const QFontMetricsF metrics = device ? QFontMetricsF(font, device) : QFontMetricsF(font);
    const double line = metrics.lineSpacing(), padding = kPadding * line;
    painter.save();
    painter.translate(topLeft);
    painter.scale(scale, scale);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font);
    painter.setPen(QPen(text, 1));
    for (size_t k = 1; k < tree.size(); ++k) {
        const QRectF &parent = rects[size_t(tree[k].parent)], &child = rects[k];
        painter.drawLine(QPointF(parent.center().x(), parent.bottom()), QPointF(child.center().x(), child.top()));
    }
    for (size_t k = 0; k < tree.size(); ++k) {
        const QRectF &box = rects[k];
        if (box.center().x() * scale < from || box.center().x() * scale >= to)
            continue;
        painter.setPen(tree[k].record ? QPen(mark, 3) : QPen(text, 1));
        painter.setBrush(fill);
        painter.drawRoundedRect(box, padding, padding);
        painter.setPen(text);
        for (int i = 0; i < tree[k].box.size(); ++i)
            painter.drawText(QRectF(box.left(), box.top() + padding + i * line, box.width(), line), Qt::AlignCenter,
                             tree[k].box[i]);
    }
    painter.restore();
}
