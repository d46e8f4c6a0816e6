// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportpages.h"

#include "planeview.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

// Sizes in points.
constexpr double kTextSize = 10;
constexpr double kTitleSize = 14;
constexpr double kGap = 4;          // between blocks
constexpr double kCellPadding = 6;  // left and right of a table cell's text
constexpr double kRowHeight = 1.7;  // a table row, in lines of text
constexpr double kIndent = 18;      // an explanation's indent
// The plane picture: drawn in the window's proportions, its fonts at this
// size in the picture's own units.
constexpr double kPictureWidth = 600;
constexpr double kPictureHeight = 480;
constexpr int kPictureFontPixels = 13;

// One block of a page: a run of text, a table, or the picture.
struct Block {
    enum Kind { Title, Line, Explanation, Table, Picture } kind;
    QString text;  // the text of a title, line or explanation
    int table = -1; // a table of the course, or -1 - k for grid k
    bool pivotMarked = false;
    double height = 0;
    int page = 0;
    double top = 0;
};

class Pages
{
public:
    Pages(QPagedPaintDevice *device, const ReportContent &content)
        : device(device), content(content), view(content.view), grids(content.grids), point(device->logicalDpiY() / 72.0),
          width(device->width()), height(device->height())
    {
        body = QGuiApplication::font();
        body.setPointSizeF(kTextSize);
        italic = body;
        italic.setItalic(true);
        bold = body;
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
                blocks.push_back({Block::Line, block.text});
                break;
            case ReportBlock::Explanation:
            case ReportBlock::Try:
            case ReportBlock::GridNote:
                blocks.push_back({Block::Explanation, block.text});
                break;
            }
        }
        if (hasPlanePicture(*content.picture))
            blocks.push_back({Block::Picture, reporttext::tr("На плоскости")});
    }

    // Every block on the first page with room for it whole.
    void layOut()
    {
        int page = 0;
        double y = 0;
        for (Block &block : blocks) {
            block.height = measure(block);
            if (y > 0 && y + block.height > footer) {
                ++page;
                y = 0;
            }
            block.page = page;
            block.top = y;
            y += block.height + kGap * point;
        }
    }

    const QFont &fontOf(const Block &block) const
    {
        return block.kind == Block::Title ? title : block.kind == Block::Explanation ? italic : body;
    }

    QRectF textRect(const Block &block) const
    {
        const double indent = block.kind == Block::Explanation ? kIndent * point : 0;
        return QRectF(indent, block.top, width - indent, footer);
    }

    double measure(const Block &block) const
    {
        switch (block.kind) {
        case Block::Table:
            return tableTexts(block.table).size() * rowHeight(tableFont(block.table));
        case Block::Picture: // under its heading
            return headingHeight() + std::min(width * kPictureHeight / kPictureWidth, footer - headingHeight());
        default:
            return QFontMetricsF(fontOf(block), device)
                .boundingRect(textRect(block), Qt::TextWordWrap, block.text)
                .height();
        }
    }

    double headingHeight() const { return QFontMetricsF(title, device).height() * 1.5; }

    double rowHeight(const QFont &font) const { return QFontMetricsF(font, device).height() * kRowHeight; }

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

    QVector<double> columnWidths(int t, const QFont &font) const
    {
        const QFontMetricsF metrics(font, device);
        const QVector<QStringList> rows = tableTexts(t);
        QVector<double> widths(rows[0].size(), 0);
        for (const QStringList &row : rows)
            for (int k = 0; k < row.size(); ++k)
                widths[k] = std::max(widths[k], metrics.horizontalAdvance(row[k]) + 2 * kCellPadding * point);
        return widths;
    }

    // The body font, smaller where a table of long fractions would be wider
    // than the page.
    QFont tableFont(int t) const
    {
        QFont font = body;
        const QVector<double> widths = columnWidths(t, font);
        const double total = std::accumulate(widths.begin(), widths.end(), 0.0);
        if (total > width)
            font.setPointSizeF(kTextSize * width / total);
        return font;
    }

    void paintFooter(QPainter &painter, int page) const
    {
        painter.setFont(body);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, footer, width, height - footer), Qt::AlignHCenter | Qt::AlignBottom,
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
            painter.drawText(QRectF(0, block.top, width, headingHeight()), Qt::AlignLeft | Qt::AlignTop, block.text);
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
        default:
            painter.setFont(fontOf(block));
            painter.drawText(textRect(block), Qt::TextWordWrap, block.text);
        }
    }

    // The grid of cells, the labels in bold, the pivot element in bold on a
    // light background with a frame.
    void paintTable(QPainter &painter, const Block &block) const
    {
        const int t = block.table;
        const QFont font = tableFont(t);
        QFont strong = font;
        strong.setBold(true);
        const QVector<double> widths = columnWidths(t, font);
        const QVector<QStringList> rows = tableTexts(t);
        const double rowH = rowHeight(font);
        painter.setPen(QPen(Qt::black, 0.5 * point));
        double y = block.top;
        for (int r = 0; r < rows.size(); ++r) {
            double x = 0;
            for (int k = 0; k < rows[r].size(); ++k) {
                const QRectF cell(x, y, widths[k], rowH);
                const bool label = r == 0 || k == 0;
                const bool pivot = block.pivotMarked && r > 0 && k > 0 && isPivotCell(view.course(), t, r - 1, k - 1);
                if (pivot)
                    painter.fillRect(cell, QColor(220, 230, 245));
                painter.drawRect(cell);
                painter.setFont(label || pivot ? strong : font);
                painter.drawText(cell.adjusted(kCellPadding * point, 0, -kCellPadding * point, 0),
                                 Qt::AlignVCenter | (k == 0 ? Qt::AlignLeft : Qt::AlignRight), rows[r][k]);
                x += widths[k];
            }
            y += rowH;
        }
    }

    QPagedPaintDevice *device;
    const ReportContent &content;
    const CourseView &view;
    const std::vector<TitledGrid> &grids;
    double point;  // device units per point
    double width, height, footer;
    QFont body, italic, bold, title;
    std::vector<Block> blocks;
};

} // namespace

int paintReportPages(QPagedPaintDevice *device, const ReportContent &content, bool paint)
{
    const Pages pages(device, content);
    if (paint)
        pages.paint();
    return pages.pageCount();
}
