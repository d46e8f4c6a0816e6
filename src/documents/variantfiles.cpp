// SPDX-License-Identifier: GPL-3.0-or-later
// Implements variantfiles.h: a group's variants as files for a teacher.
#include "documents/variantfiles.h"

#include "method/exact.h"
#include "files/lpformat.h"
#include "documents/reportfiles.h"
#include "texts/reporttext.h"

#include <QBuffer>
#include <QDir>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPen>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextLayout>

namespace {

using reporttext::tr;

// Sizes of the sheets, in points.
constexpr double kSheetText = 11;
constexpr double kSheetTitle = 14;
constexpr double kBlockGap = 14;


// The report's own lines of the course's items of these kinds, in fractions.
QStringList reportLines(const CourseView &view, std::initializer_list<Course::Item::Kind> kinds, int from = 0)
{
    QStringList lines;
    const std::vector<Course::Item> &items = view.course().items;
    for (int k = from; k < int(items.size()); ++k)
        if (std::find(kinds.begin(), kinds.end(), items[k].kind) != kinds.end())
            lines << view.line(items[k]);
    return lines;
}

// The dual estimates of table t: "двойственные оценки: Y0 = 1/2, Y1 = 0".
QString dualEstimates(const CourseView &view, int t)
{
    QStringList estimates;
    const Tableau &table = view.course().tables[t];
    for (int i = 0; i < table.m; ++i)
        estimates << QStringLiteral("%1 = %2").arg(table.problemRowName(i), view.dualEstimate(t, i));
    return tr("двойственные оценки: ") + estimates.join(QStringLiteral(", "));
}

// The pivot elements in order, a cut named by its row: "0,1; 1,0; S1; 2,0".
QString pivotList(const Course &course)
{
    QStringList pivots;
    int cuts = 0;
    for (const PivotChoice &pivot : course.pivots)
        pivots << (pivot.stage == kChangeStage ? QStringLiteral("S%1").arg(++cuts)
                                              : QStringLiteral("%1,%2").arg(pivot.row).arg(pivot.column));
    return tr("ведущие элементы: ") + pivots.join(QStringLiteral("; "));
}

// A variant's key: its verdict in the report's lines, the dual estimates of
// its optimum (for an integer variant, of the optimum without whole
// values), the pivot elements.
QStringList keyOf(const Variant &variant)
{
    ReplayFailure failure;
    const std::optional<ExactCourse> exact = replayExactly(variant.course, &failure);
    const CourseView view(variant.course, exact ? &*exact : nullptr, exact ? &*exact : nullptr);
    const Course &course = variant.course;
    QStringList lines;
    switch (variant.verdict) {
    case Verdict::Optimum: {
        const int optimum = int(std::find_if(course.items.begin(), course.items.end(), [](const Course::Item &item) {
                                    return item.kind == Course::Item::OptimumHeading;
                                }) - course.items.begin());
        lines << reportLines(view, {Course::Item::OptimumHeading, Course::Item::FinalPoint, Course::Item::Value}, optimum)
              << dualEstimates(view, int(course.tables.size()) - 1);
        break;
    }
    case Verdict::IntegerOptimum: {
        const int integer = int(std::find_if(course.items.begin(), course.items.end(), [](const Course::Item &item) {
                                    return item.kind == Course::Item::IntegerOptimum;
                                }) - course.items.begin());
        const int search = int(std::find_if(course.items.begin(), course.items.end(), [](const Course::Item &item) {
                                   return item.kind == Course::Item::IntegerSearch;
                               }) - course.items.begin());
        lines << reportLines(view, {Course::Item::IntegerOptimum, Course::Item::FinalPoint, Course::Item::Value}, integer)
              << tr("без целочисленности: ") + view.line(course.items[search - 2]) + QStringLiteral(", ")
                     + view.line(course.items[search - 1])
              << dualEstimates(view, course.items[search - 1].table) + tr(" (без целочисленности)");
        break;
    }
    case Verdict::Infeasible:
        lines << reporttext::noSolutionLine() << tr("ограничения несовместны");
        break;
    case Verdict::Unbounded:
        lines << reporttext::noSolutionLine()
              << (course.maximise ? tr("целевая функция не ограничена сверху") : tr("целевая функция не ограничена снизу"));
        break;
    case Verdict::Other:
        break;
    }
    return lines << pivotList(course);
}

// Blocks of lines, each under its heading in bold, a block never split
// across pages, a line too long for the page wrapped at its blanks with a
// hanging indent (so that a wrapped entry still reads as one item), page
// numbers in the footer. The key runs as many blocks to a page as fit; the
// students' sheet is cut into slips, two a page with a dashed line between
// them, so that each student gets one variant whole.
class Sheet
{
public:
    using Block = std::pair<QString, QStringList>;
    enum class Layout { Run, TwoSlips };

    explicit Sheet(QPdfWriter *writer) : writer_(writer), point_(writer->logicalDpiY() / 72.0)
    {
        body_ = QGuiApplication::font();
        body_.setPointSizeF(kSheetText);
        heading_ = body_;
        heading_.setBold(true);
        title_ = heading_;
        title_.setPointSizeF(kSheetTitle);
        footer_ = writer_->height() - QFontMetricsF(body_, writer_).height() * 2.4;
    }

    void write(const QString &title, const std::vector<Block> &blocks, Layout layout)
    {
        const std::vector<std::pair<int, double>> places =
            layout == Layout::Run ? arrange(title, blocks) : slips(blocks.size());
        const int pages = places.empty() ? 1 : places.back().first + 1;
        QPainter painter(writer_);
        if (layout == Layout::Run)
            draw(&painter, title_, 0, 0, title);
        int page = 0;
        for (size_t b = 0; b < blocks.size(); ++b) {
            for (; page < places[b].first; ++page) {
                drawFooter(&painter, page, pages);
                writer_->newPage();
            }
            if (layout == Layout::TwoSlips && places[b].second > 0)
                drawCutLine(&painter);
            double y = draw(&painter, heading_, 0, places[b].second, blocks[b].first);
            for (const QString &text : blocks[b].second)
                y = draw(&painter, body_, indent(), y, text);
        }
        drawFooter(&painter, page, pages);
    }

private:
    double indent() const { return kSheetText * point_; }
    double hangingIndent() const { return 2 * kSheetText * point_; }
    double cutLine() const { return footer_ / 2; }

    // The text laid out from (left, y): its first line at `left`, every
    // further line at `left` plus the hanging indent, wrapped at blanks to
    // the page's width. Its height, with the gap after it.
    double layOut(QTextLayout &layout, double left, double y) const
    {
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        double top = y;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            const double x = line.lineNumber() == 0 ? left : left + hangingIndent();
            line.setLineWidth(writer_->width() - x);
            line.setPosition(QPointF(x, top));
            top += line.height();
        }
        layout.endLayout();
        const double height = std::max(top - y, QFontMetricsF(layout.font(), writer_).height());
        return height * 1.2;
    }

    static QString unbrokenEquations(QString text)
    {
        return text.replace(QStringLiteral(" = "), QStringLiteral("\u00a0=\u00a0"));
    }

    double textHeight(const QFont &font, double left, const QString &text) const
    {
        QTextLayout layout(unbrokenEquations(text), font, writer_);
        return layOut(layout, left, 0);
    }

    double blockHeight(const Block &block) const
    {
        double height = textHeight(heading_, 0, block.first);
        for (const QString &text : block.second)
            height += textHeight(body_, indent(), text);
        return height;
    }

    // The page and the top of every block, one after another.
    std::vector<std::pair<int, double>> arrange(const QString &title, const std::vector<Block> &blocks) const
    {
        std::vector<std::pair<int, double>> places;
        int page = 0;
        double y = textHeight(title_, 0, title) + kBlockGap * point_;
        for (const Block &block : blocks) {
            const double height = blockHeight(block);
            if (y > 0 && y + height > footer_) {
                ++page;
                y = 0;
            }
            places.emplace_back(page, y);
            y += height + kBlockGap * point_;
        }
        return places;
    }

    // Two slips a page: the upper half and, below the cut line, the lower.
    std::vector<std::pair<int, double>> slips(size_t count) const
    {
        std::vector<std::pair<int, double>> places;
        for (size_t b = 0; b < count; ++b)
            places.emplace_back(int(b / 2), b % 2 == 0 ? 0.0 : cutLine() + kBlockGap * point_);
        return places;
    }

    // Draws the text from y on and says where the next line starts; an
    // equation such as "Y7 = 0" is never broken over two lines.
    double draw(QPainter *painter, const QFont &font, double left, double y, const QString &text) const
    {
        QTextLayout layout(unbrokenEquations(text), font, writer_);
        const double height = layOut(layout, left, y);
        layout.draw(painter, QPointF(0, 0));
        return y + height;
    }

    void drawCutLine(QPainter *painter) const
    {
        painter->save();
        QPen pen(Qt::black, point_ * 0.5, Qt::DashLine);
        painter->setPen(pen);
        painter->drawLine(QPointF(0, cutLine()), QPointF(writer_->width(), cutLine()));
        painter->restore();
    }

    void drawFooter(QPainter *painter, int page, int pages) const
    {
        painter->setFont(body_);
        painter->drawText(QRectF(0, footer_, writer_->width(), writer_->height() - footer_),
                          Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("%1 / %2").arg(page + 1).arg(pages));
    }

    QPdfWriter *writer_;
    double point_;
    double footer_;
    QFont body_, heading_, title_;
};

QByteArray sheetPdf(const QString &title, const std::vector<Sheet::Block> &blocks, Sheet::Layout layout)
{
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(reportPageLayout());
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("dual-simplex"));
        Sheet(&writer).write(title, blocks, layout);
    }
    return pdf;
}

bool writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0 || !file.commit()) {
        *error = tr("%1: файл не записан: %2").arg(path, basictext::fileProblem(path, true, file.errorString()));
        return false;
    }
    return true;
}

QString variantTitle(int k)
{
    return tr("Вариант %1").arg(k);
}

} // namespace

QStringList variantTask(bool integer)
{
    return {integer ? tr("Решите задачу в целых числах: найдите оптимум двойственным симплекс-методом, затем "
                         "добавляйте отсечения Гомори, пока решение не станет целым. Запишите все таблицы, "
                         "ведущие элементы и ответ.")
                    : tr("Решите задачу двойственным симплекс-методом. Запишите все таблицы, ведущие элементы "
                         "и ответ."),
            tr("Фамилия, имя: ______________________________   Группа: __________")};
}

QString variantKindText(VariantKind kind)
{
    switch (kind) {
    case VariantKind::Optimum:
        return tr("оптимум");
    case VariantKind::Infeasible:
        return tr("несовместные ограничения");
    case VariantKind::Unbounded:
        return tr("неограниченная функция");
    case VariantKind::Integer:
        return tr("целочисленный оптимум");
    case VariantKind::Mixed:
        return tr("вперемешку");
    }
    return QString();
}

QString variantRequestText(const VariantRequest &request)
{
    return tr("вариантов: %1; размер %2 x %3; вид: %4; зерно %5")
        .arg(request.count)
        .arg(request.n)
        .arg(request.m)
        .arg(variantKindText(request.kind))
        .arg(request.seed);
}

QString variantFileName(int k, int count)
{
    return QStringLiteral("variant-%1.lp").arg(k, std::max(2, int(QString::number(count).size())), 10, QLatin1Char('0'));
}

QByteArray variantFile(const Variant &variant, int k, quint64 seed)
{
    return (QStringLiteral("\\ %1 (зерно %2)\n").arg(variantTitle(k)).arg(seed)).toUtf8() + writeLpProblem(variant.problem);
}

QString answerKey(const VariantRequest &request, const std::vector<Variant> &variants)
{
    QStringList text{tr("Ключ к вариантам (") + variantRequestText(request) + QLatin1Char(')')};
    for (size_t k = 0; k < variants.size(); ++k)
        text << QString() << variantTitle(int(k) + 1) << keyOf(variants[k]);
    return text.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

bool writeVariantFiles(const QString &folder, const VariantRequest &request, const std::vector<Variant> &variants,
                       QString *error)
{
    if (!QDir().mkpath(folder)) {
        *error = tr("%1: папка не создаётся: %2").arg(folder, basictext::fileProblem(folder, true, tr("нет прав")));
        return false;
    }
    const QDir dir(folder);
    std::vector<Sheet::Block> sheet, key;
    for (size_t k = 0; k < variants.size(); ++k) {
        const int number = int(k) + 1;
        if (!writeFile(dir.filePath(variantFileName(number, request.count)), variantFile(variants[k], number, request.seed),
                       error))
            return false;
        sheet.emplace_back(variantTitle(number),
                           variantTask(variants[k].problem.integer)
                               + problemLines(CourseView(variants[k].course)));
        key.emplace_back(variantTitle(number), keyOf(variants[k]));
    }
    return writeFile(dir.filePath(QStringLiteral("answers.txt")), answerKey(request, variants).toUtf8(), error)
           && writeFile(dir.filePath(QStringLiteral("variants.pdf")), sheetPdf(tr("Варианты"), sheet, Sheet::Layout::TwoSlips), error)
           && writeFile(dir.filePath(QStringLiteral("answers.pdf")),
                        sheetPdf(tr("Ключ к вариантам (") + variantRequestText(request) + QLatin1Char(')'), key,
                                 Sheet::Layout::Run),
                        error);
}
