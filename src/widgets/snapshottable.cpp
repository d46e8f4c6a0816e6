// SPDX-License-Identifier: GPL-3.0-or-later
// Implements snapshottable.h: the snapshot table that shows one tableau on
// the report page.
#include "widgets/snapshottable.h"

#include "method/basictext.h"

#include <QHash>
#include <QHeaderView>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>

namespace {

// Puts each cell label on its whole cell, where the table's default delegate
// puts it too, without asking the style for the rectangle on every layout.
class CellPlacer : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &) const override
    {
        editor->setGeometry(option.rect);
    }
};

// Gives access to the header's own measure of a section, which the header
// keeps protected: through a pointer to the member, on any header.
class HeaderMeasure : public QHeaderView
{
public:
    using QHeaderView::sectionSizeFromContents;
};

// A header item carries the size the header would measure for it. Without
// one, a header measures its texts (font metrics, text shaping) dozens of
// times while its table is first shown, a large part of a long report's
// cost. The size is measured once per text and orientation with the
// header's own rule, and measured anew after a change of font, style or
// screen resolution, which are part of the key.
void setHeaderItem(QTableWidget *table, Qt::Orientation orientation, int section, const QString &text)
{
    static QHash<QString, QSize> measured;
    const bool horizontal = orientation == Qt::Horizontal;
    QHeaderView *header = horizontal ? table->horizontalHeader() : table->verticalHeader();
    const QStyle *style = header->style();
    const QString key = QString::number(orientation) + QLatin1Char('|') + text + QLatin1Char('|')
                        + header->font().key() + QLatin1Char('|') + QLatin1String(style->metaObject()->className())
                        + style->objectName() + QLatin1Char('|') + QString::number(header->logicalDpiY());
    auto *item = new QTableWidgetItem(text);
    const auto known = measured.constFind(key);
    if (known != measured.constEnd())
        item->setData(Qt::SizeHintRole, *known);
    if (horizontal)
        table->setHorizontalHeaderItem(section, item);
    else
        table->setVerticalHeaderItem(section, item);
    if (known == measured.constEnd()) {
        const QSize size = (header->*&HeaderMeasure::sectionSizeFromContents)(section);
        measured.insert(key, size);
        item->setData(Qt::SizeHintRole, size);
    }
}

} // namespace

QTableWidget *makeSnapshotTable(QWidget *parent, const QStringList &columns, const QStringList &rows,
                                const std::function<QString(int, int)> &text)
{
    auto *table = new QTableWidget(parent);
    // A picture of the tableau, not an editor: no focus, and nothing to select,
    // so that only the pivot marks are highlighted.
    table->setFocusPolicy(Qt::NoFocus);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setItemDelegate(new CellPlacer(table));
    // While the sections have no items yet, the headers are hidden, so that
    // they do not measure the section numbers they would show meanwhile.
    const QList<QHeaderView *> headers = {table->horizontalHeader(), table->verticalHeader()};
    for (QHeaderView *header : headers)
        header->hide();
    table->setRowCount(rows.size());
    table->setColumnCount(columns.size());
    for (int j = 0; j < columns.size(); ++j)
        setHeaderItem(table, Qt::Horizontal, j, columns[j]);
    for (int i = 0; i < rows.size(); ++i)
        setHeaderItem(table, Qt::Vertical, i, rows[i]);
    for (QHeaderView *header : headers)
        header->show();
    for (int i = 0; i != table->rowCount(); ++i) {
        for (int j = 0; j != table->columnCount(); ++j) {
            // Made where the table keeps its cell widgets, which spares moving
            // it there.
            auto *cell = new QLabel(text(i, j), table->viewport());
            // The table gives the label its cell's geometry; a size set now
            // spares the text layout of an adjustSize() when it is shown.
            cell->resize(kCellWidth, kCellHeight);
            table->setCellWidget(i, j, cell);
        }
    }
    table->setFixedHeight(rows.size() * kCellHeight);
    table->setFixedWidth(columns.size() * kCellWidth);
    // The rows and columns share the table's fixed size, so that the whole
    // tableau shows without scroll bars whatever the style's default sizes.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    return table;
}

QLabel *snapshotCell(const QTableWidget *table, int i, int j)
{
    return static_cast<QLabel *>(table->cellWidget(i, j));
}

void setCellMarked(QLabel *cell, bool marked)
{
    QFont font = cell->font();
    font.setBold(marked);
    cell->setFont(font);
    if (marked) {
        // From the table's colours, never from an earlier mark's.
        QPalette palette = cell->parentWidget()->palette();
        const QColor highlight = palette.color(QPalette::Highlight), base = palette.color(QPalette::Base);
        const QColor background((highlight.red() + 2 * base.red()) / 3, (highlight.green() + 2 * base.green()) / 3,
                                (highlight.blue() + 2 * base.blue()) / 3);
        palette.setColor(cell->backgroundRole(), background);
        cell->setPalette(palette);
    } else {
        cell->setPalette(QPalette()); // the table's own again
    }
    cell->setAutoFillBackground(marked);
    cell->setAccessibleDescription(marked ? basictext::tr("ведущий элемент") : QString());
}
