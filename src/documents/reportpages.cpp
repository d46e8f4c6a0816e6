// SPDX-License-Identifier: GPL-3.0-or-later
// Implements reportpages.h: the report on pages, for a PDF file and for the
// printer alike.
#include "documents/reportpages.h"

#include "documents/treedrawing.h"
#include "plane/planedrawing.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

namespace {

// Sizes in points.
constexpr double kTextSize = 10;
constexpr double kTitleSize = 14;
constexpr double kSmallestTableSize = 5; // a table narrower than the page at this size wraps its cells
constexpr double kGap = 4;               // between blocks
constexpr double kCellPadding = 6;       // left and right of a table cell's text, at kTextSize
constexpr double kRowHeight = 1.7;       // a table row, in lines of text
constexpr double kIndent = 18;           // an explanation's indent
// How much smaller a table's font gets at each try to make it fit.
constexpr double kShrinkStep = 0.97;
// The plane picture: drawn in the window's proportions, its fonts at this
// size in the picture's own units.
constexpr double kPictureWidth = 600;
constexpr double kPictureHeight = 480;
constexpr int kPictureFontPixels = 13;
// The tree of branch and bound is drawn no smaller than this; a wider one
// goes on in strips, page after page.
constexpr double kSmallestTreeScale = 0.6;

// A table laid out for its page: its texts row by row (the labels first),
// the fonts it draws with, its columns' widths, its rows' heights, and the
// padding, all at one scale so that the whole table fits the page's width.
struct TableLayout {
    QVector<QStringList> texts;
    QFont font, strong; // the cells; the labels and the pivot element
    double padding = 0;
    bool wraps = false; // too wide at the smallest size: the cells wrap their texts
    QVector<double> widths;
    QVector<double> heights;
};

// One block of a page: a run of text, a table, or the picture.
struct Block {
    enum Kind { Title, Line, Explanation, Table, Picture, Tree };
    Block(Kind kind, const QString &text, int table = -1, bool pivotMarked = false)
        : kind(kind), text(text), table(table), pivotMarked(pivotMarked)
    {
    }
    Kind kind;
    QString text;   // the text of a title, line or explanation
    int table;      // a table of the course, or -1 - k for grid k
    bool pivotMarked;
    int depth = 0;  // a line of the tree's outline: its indent
    double height = 0;
    int page = 0;
    double top = 0;
    std::shared_ptr<TableLayout> layout; // a table's
};

class Pages
{
public:
    Pages(QPagedPaintDevice *device, const ReportContent &content, std::vector<DrawnText> *drawn)
        : device(device), content(content), view(content.view), grids(content.grids), drawn(drawn),
          point(device->logicalDpiY() / 72.0), width(device->width()), height(device->height())
    {
        body = QGuiApplication::font();
        body.setPointSizeF(kTextSize);
        italic = body;
        italic.setItalic(true);
        QFont bold = body;
        bold.setBold(true);
        title = bold;
        title.setPointSizeF(kTitleSize);
        footer = height - QFontMetricsF(body, device).height() * 2;
        collect();
        layOut();
    }

    int pageCount() const { return blocks.empty() ? 1 : blocks.back().page + 1; }

    void paint() const
    {
        QPainter painter(device);
        int page = 0;
        paintFooter(painter, page);
        for (const Block &block : blocks) {
            while (page < block.page) {
                device->newPage();
                paintFooter(painter, ++page);
            }
            paintBlock(painter, block);
        }
    }

private:
    void collect()
    {
        blocks.push_back({Block::Title, reporttext::tr("Двойственный симплекс-метод")});
        for (const QString &line : problemLines(view))
            blocks.push_back({Block::Line, line});
        for (const ReportBlock &block : content.blocks) {
            if (!block.shown)
                continue;
            switch (block.kind) {
            case ReportBlock::Table:
                blocks.push_back({Block::Table, QString(), block.index, block.pivotMarked});
                break;
            case ReportBlock::Grid:
                blocks.push_back({Block::Table, QString(), -1 - block.index});
                break;
            case ReportBlock::Line:
            case ReportBlock::GridTitle:
            case ReportBlock::Dual:
                blocks.push_back({Block::Line, block.text});
                break;
            case ReportBlock::Explanation:
            case ReportBlock::Try:
            case ReportBlock::GridNote:
                blocks.push_back({Block::Explanation, block.text});
                break;
            case ReportBlock::TreeTitle:
                blocks.push_back({Block::Line, block.text});
                break;
            case ReportBlock::TreeLine:
                blocks.push_back({Block::Line, block.text});
                blocks.back().depth = block.index;
                break;
            case ReportBlock::Tree: {
                const TreeDrawing tree = treeDrawing();
                double step = 0;
                const std::vector<double> strips = tree.strips(treeScale(tree), width, &step);
                for (int k = 0; k < int(strips.size()); ++k)
                    blocks.push_back({Block::Tree, QString(), k});
                break;
            }
            }
        }
        if (hasPlanePicture(*content.picture))
            blocks.push_back({Block::Picture, reporttext::tr("На плоскости")});
    }

    // Every block on the first page with room for it whole; the lines just
    // before a table (its title, the pivot that led to it) go with it to
    // its page where the page can hold them all.
    void layOut()
    {
        for (Block &block : blocks) {
            if (block.kind == Block::Table)
                block.layout = std::make_shared<TableLayout>(layOutTable(block));
            block.height = measure(block);
        }
        int page = 0;
        double y = 0;
        for (size_t k = 0; k < blocks.size(); ++k) {
            const double together = withItsTable(k);
            const double needed = together <= footer ? together : blocks[k].height;
            if (y > 0 && y + needed > footer) {
                ++page;
                y = 0;
            }
            blocks[k].page = page;
            blocks[k].top = y;
            y += blocks[k].height + kGap * point;
        }
    }

    // The height of block k with the table that the run of lines starting
    // at it leads to; its own height where it is no line or leads to none.
    double withItsTable(size_t k) const
    {
        double together = blocks[k].height;
        for (size_t next = k; blocks[next].kind == Block::Line && next + 1 < blocks.size(); ++next) {
            together += kGap * point + blocks[next + 1].height;
            if (blocks[next + 1].kind == Block::Table)
                return together;
        }
        return blocks[k].height;
    }

    const QFont &fontOf(const Block &block) const
    {
        return block.kind == Block::Title ? title : block.kind == Block::Explanation ? italic : body;
    }

    double indentOf(const Block &block) const
    {
        // An outline's deep lines keep most of the page's width.
        return std::min((block.kind == Block::Explanation ? 1 : block.depth) * kIndent * point, width / 3);
    }

    // The tree drawn in the body's font on the page: whole where that keeps
    // it readable, in strips otherwise.
    TreeDrawing treeDrawing() const { return TreeDrawing(content.tree, body, device); }
    double treeScale(const TreeDrawing &tree) const
    {
        const double fitsHeight = footer / tree.size().height();
        return std::min(fitsHeight, std::max(tree.scaleFor(QSizeF(width, footer)), kSmallestTreeScale));
    }

    // A text laid out in lines no wider than `lineWidth`: at word boundaries
    // where it can, anywhere in a word too long for a line; a label never
    // (`whole`), whatever its room.
    std::unique_ptr<QTextLayout> textLayout(const QString &text, const QFont &font, double lineWidth,
                                            bool whole = false) const
    {
        QString lines = text;
        lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
        auto layout = std::make_unique<QTextLayout>(lines, font, device);
        QTextOption option;
        option.setWrapMode(whole ? QTextOption::NoWrap : QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout->setTextOption(option);
        layout->beginLayout();
        double y = 0;
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(lineWidth);
            line.setPosition(QPointF(0, y));
            y += line.height();
        }
        layout->endLayout();
        return layout;
    }

    double measure(const Block &block) const
    {
        switch (block.kind) {
        case Block::Table:
            return std::accumulate(block.layout->heights.begin(), block.layout->heights.end(), 0.0);
        case Block::Picture: // under its heading
            return headingHeight() + std::min(width * kPictureHeight / kPictureWidth, footer - headingHeight());
        case Block::Tree: {
            const TreeDrawing tree = treeDrawing();
            return tree.size().height() * treeScale(tree);
        }
        default:
            return textLayout(block.text, fontOf(block), width - indentOf(block))->boundingRect().height();
        }
    }

    double headingHeight() const { return QFontMetricsF(title, device).height() * 1.5; }

    // The texts of a table, as the copy gives them: fractions whole.
    QVector<QStringList> tableTexts(int t) const
    {
        if (t < 0) {
            const TitledGrid &grid = grids[-1 - t];
            QVector<QStringList> rows{QStringList{QString()} + grid.columns};
            for (size_t i = 0; i < grid.cells.size(); ++i)
                rows << (QStringList{grid.rows[int(i)]} + grid.cells[i]);
            return rows;
        }
        const Tableau &table = view.course().tables[t];
        QVector<QStringList> rows(table.m + 2);
        rows[0] << QString() << table.columns;
        for (int i = 0; i <= table.m; ++i) {
            rows[i + 1] << table.rows[i];
            for (int j = 0; j <= table.n; ++j)
                rows[i + 1] << view.number(t, i, j);
        }
        return rows;
    }

    // Labels and the pivot element are drawn in bold.
    bool isStrong(const Block &block, int row, int column) const
    {
        return row == 0 || column == 0
               || (block.pivotMarked && isPivotCell(view.course(), block.table, row - 1, column - 1));
    }

    // Every column as wide as its widest text in the font it is drawn in,
    // plus the padding; a table wider than the page made smaller as a
    // whole, font and padding, until it fits; at the smallest size its cells
    // share the page's width and wrap their texts.
    TableLayout layOutTable(const Block &block) const
    {
        TableLayout layout;
        layout.texts = tableTexts(block.table);
        for (double size = kTextSize;; size = std::max(kSmallestTableSize, size * kShrinkStep)) {
            layout.font = body;
            layout.font.setPointSizeF(size);
            layout.strong = layout.font;
            layout.strong.setBold(true);
            layout.padding = kCellPadding * point * size / kTextSize;
            layout.widths = naturalWidths(block, layout);
            if (std::accumulate(layout.widths.begin(), layout.widths.end(), 0.0) <= width)
                break;
            if (size == kSmallestTableSize) {
                layout.wraps = true;
                layout.widths = wrappedWidths(block, layout);
                break;
            }
        }
        const double line = QFontMetricsF(layout.strong, device).height();
        for (int r = 0; r < layout.texts.size(); ++r) {
            double rowHeight = line * kRowHeight;
            for (int k = 0; layout.wraps && k < layout.texts[r].size(); ++k)
                rowHeight = std::max(rowHeight, cellLayout(block, layout, r, k)->boundingRect().height()
                                                    + line * (kRowHeight - 1));
            layout.heights << rowHeight;
        }
        return layout;
    }

    // At the smallest size the labels stay whole: every column as wide as
    // its label (the first as its widest row label), the rest of the page
    // shared out evenly, in which the numbers wrap.
    QVector<double> wrappedWidths(const Block &block, const TableLayout &layout) const
    {
        TableLayout labels = layout;
        for (int r = 1; r < labels.texts.size(); ++r)
            for (int k = 1; k < labels.texts[r].size(); ++k)
                labels.texts[r][k].clear();
        QVector<double> widths = naturalWidths(block, labels);
        const double spare = width - std::accumulate(widths.begin(), widths.end(), 0.0);
        const int numbers = widths.size() - 1;
        for (int k = 1; k <= numbers && spare > 0; ++k)
            widths[k] += spare / numbers;
        return widths;
    }

    QVector<double> naturalWidths(const Block &block, const TableLayout &layout) const
    {
        const QFontMetricsF plain(layout.font, device), strong(layout.strong, device);
        QVector<double> widths(layout.texts[0].size(), 0);
        for (int r = 0; r < layout.texts.size(); ++r)
            for (int k = 0; k < layout.texts[r].size(); ++k) {
                const bool bold = isStrong(block, r, k);
                const QFontMetricsF &metrics = bold ? strong : plain;
                // The ink may reach past the advance (a bold italic's edge),
                // and the layout that draws the text may measure it wider
                // than the metrics do: the largest of the three.
                const QString &cell = layout.texts[r][k];
                const double text = std::max({metrics.horizontalAdvance(cell), metrics.boundingRect(cell).width(),
                                              textLayout(cell, bold ? layout.strong : layout.font, width, true)
                                                  ->lineAt(0).naturalTextWidth()});
                widths[k] = std::max(widths[k], std::ceil(text) + 2 * layout.padding);
            }
        return widths;
    }

    std::unique_ptr<QTextLayout> cellLayout(const Block &block, const TableLayout &layout, int row, int column) const
    {
        return textLayout(layout.texts[row][column], isStrong(block, row, column) ? layout.strong : layout.font,
                          layout.widths[column] - 2 * layout.padding, row == 0 || column == 0);
    }

    void paintFooter(QPainter &painter, int page) const
    {
        painter.setFont(body);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, footer, width, height - footer), Qt::AlignHCenter | Qt::AlignBottom | Qt::TextDontClip,
                         QStringLiteral("%1 / %2").arg(page + 1).arg(pageCount()));
    }

    void paintBlock(QPainter &painter, const Block &block) const
    {
        painter.setPen(Qt::black);
        switch (block.kind) {
        case Block::Table:
            paintTable(painter, block);
            return;
        case Block::Picture: {
            painter.setFont(title);
            painter.drawText(QRectF(0, block.top, width, headingHeight()), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                             block.text);
            painter.save();
            painter.translate(0, block.top + headingHeight());
            const double scale = (block.height - headingHeight()) / kPictureHeight;
            painter.scale(scale, scale);
            QFont font = body;
            font.setPixelSize(kPictureFontPixels);
            painter.setFont(font);
            paintPlane(painter, QRectF(0, 0, kPictureWidth, kPictureHeight), *content.picture);
            painter.restore();
            return;
        }
        case Block::Tree: { // strip `block.table` of the tree; a tree of one strip centred
            const TreeDrawing tree = treeDrawing();
            const double scale = treeScale(tree);
            double step = 0;
            const std::vector<double> strips = tree.strips(scale, width, &step);
            const double from = strips[block.table];
            const double left = strips.size() == 1 ? (width - tree.size().width() * scale) / 2 : (width - step) / 2 - from;
            painter.save();
            painter.setClipRect(QRectF(0, block.top, width, block.height + 1));
            tree.paint(painter, QPointF(left, block.top), scale, Qt::black, QColor(245, 245, 245), Qt::black, from,
                       from + step);
            painter.restore();
            return;
        }
        default:
            textLayout(block.text, fontOf(block), width - indentOf(block))->draw(&painter, QPointF(indentOf(block), block.top));
        }
    }

    // The grid of cells, the labels in bold, the pivot element in bold on a
    // light background.
    void paintTable(QPainter &painter, const Block &block) const
    {
        const TableLayout &layout = *block.layout;
        painter.setPen(QPen(Qt::black, 0.5 * point));
        double y = block.top;
        for (int r = 0; r < layout.texts.size(); ++r) {
            double x = 0;
            for (int k = 0; k < layout.texts[r].size(); ++k) {
                const QRectF cell(x, y, layout.widths[k], layout.heights[r]);
                const bool pivot = r > 0 && k > 0 && isStrong(block, r, k);
                if (pivot)
                    painter.fillRect(cell, QColor(220, 230, 245));
                painter.drawRect(cell);
                paintCell(painter, block, r, k, cell.adjusted(layout.padding, 0, -layout.padding, 0));
                x += layout.widths[k];
            }
            y += layout.heights[r];
        }
    }

    // A cell's text in its place: the row labels to the left, the numbers to
    // the right, centred in the row's height.
    void paintCell(QPainter &painter, const Block &block, int row, int column, const QRectF &inside) const
    {
        const std::unique_ptr<QTextLayout> text = cellLayout(block, *block.layout, row, column);
        const QRectF bounds = text->boundingRect();
        const double lineWidth = text->lineCount() == 1 ? text->lineAt(0).naturalTextWidth() : bounds.width();
        const QPointF at(column == 0 ? inside.left() : inside.right() - lineWidth,
                         inside.top() + (inside.height() - bounds.height()) / 2);
        text->draw(&painter, at);
        if (drawn)
            drawn->push_back({block.layout->texts[row][column], text->font(), QRectF(at, QSizeF(lineWidth, bounds.height())),
                              inside, block.page});
    }

    QPagedPaintDevice *device;
    const ReportContent &content;
    const CourseView &view;
    const std::vector<TitledGrid> &grids;
    std::vector<DrawnText> *drawn;
    double point; // device units per point
    double width, height, footer;
    QFont body, italic, title;
    std::vector<Block> blocks;
};

} // namespace

int paintReportPages(QPagedPaintDevice *device, const ReportContent &content, bool paint, std::vector<DrawnText> *drawn)
{
    const Pages pages(device, content, drawn);
    if (paint)
        pages.paint();
    return pages.pageCount();
}
