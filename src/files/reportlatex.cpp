// SPDX-License-Identifier: GPL-3.0-or-later
// Implements reportlatex.h: the report as LaTeX, as teachers typeset simplex
// tableaux.
#include "files/reportlatex.h"

#include <QHash>
#include <QRegularExpression>

namespace {

// The one rule for every label of every table: a letter with a number is
// mathematics with the number as its index ("-X1" as -X_{1}, "Y0" as Y_{0},
// "x0" as x_{0}), a letter alone a symbol ("L", "b"); any other label is a
// word, upright text in the mathematics ("оценка").
QString latexLabel(const QString &label)
{
    static const QRegularExpression symbol(QStringLiteral("^(-?)([A-Za-z])(\\d*)$"));
    const QRegularExpressionMatch match = symbol.match(label);
    if (!match.hasMatch())
        return label.isEmpty() ? QString() : QStringLiteral("\\text{") + latexText(label) + QLatin1Char('}');
    const QString index = match.captured(3);
    return match.captured(1) + match.captured(2) + (index.isEmpty() ? QString() : QStringLiteral("_{") + index + QLatin1Char('}'));
}

// A table, or the problem, as wide as its content or, where that is wider
// than the line, made as wide as the line; the macro is defined once, by
// the first use (a document of the student's own needs amsmath and graphicx).
const QString kFitDefinition = QStringLiteral(
    "\\ifdefined\\dsTableBox\\else\\newsavebox{\\dsTableBox}\\fi\n"
    "\\providecommand{\\dsFit}[1]{\\sbox{\\dsTableBox}{#1}\\ifdim\\wd\\dsTableBox>\\linewidth"
    "\\resizebox{\\linewidth}{!}{\\usebox{\\dsTableBox}}\\else\\usebox{\\dsTableBox}\\fi}\n");

QString fitted(const QString &math)
{
    // Centred on a line of its own, its rows far enough apart for
    // fractions; no page break before it where a line introduces it.
    return QStringLiteral("\\par\\medskip\\noindent\\makebox[\\linewidth]{\\dsFit{$\\displaystyle"
                          "\\renewcommand{\\arraystretch}{1.6}\n")
           + math + QStringLiteral("$}}\\par\\medskip\n");
}

// "a_0·x0 + a_1·x1 ...": the coefficients with their variables.
QString latexLinearForm(const QStringList &coefficients)
{
    QString form;
    for (int j = 0; j < coefficients.size(); ++j) {
        const QString &c = coefficients[j];
        const bool negative = c.startsWith(QLatin1Char('-'));
        if (j > 0)
            form += negative ? QStringLiteral(" - ") : QStringLiteral(" + ");
        form += latexNumber(j > 0 && negative ? c.mid(1) : c) + QStringLiteral("\\cdot x_{%1}").arg(j);
    }
    return form;
}

QString problemMath(const CourseView &view)
{
    const Course &course = view.course();
    QStringList objective, variables;
    for (int j = 0; j < course.n; ++j) {
        objective << view.objective(j);
        variables << QStringLiteral("x_{%1}").arg(j);
    }
    // One row a line, in three columns, every line aligned at its relation,
    // F's "=" included: the left side, the relation, the right side.
    QStringList lines{QStringLiteral("F & = & ") + latexLinearForm(objective)
                      + (course.maximise ? QStringLiteral(" \\to \\max") : QStringLiteral(" \\to \\min"))};
    for (int i = 0; i < course.m; ++i) {
        QStringList row;
        for (int j = 0; j < course.n; ++j)
            row << view.constraint(i, j);
        lines << latexLinearForm(row) + QStringLiteral(" & \\le & ") + latexNumber(view.rightHand(i));
    }
    lines << variables.join(QStringLiteral(", ")) + QStringLiteral(" & \\ge & 0")
                 + (course.integerSearched() ? QStringLiteral(",\\ \\text{") + latexText(reporttext::tr("целые")) + QLatin1Char('}')
                                          : QString());
    return fitted(QStringLiteral("\\begin{array}{r@{\\;}c@{\\;}l}\n") + lines.join(QStringLiteral(" \\\\\n"))
                  + QStringLiteral("\n\\end{array}"));
}

QString tableLatex(const ReportContent &content, const ReportBlock &block)
{
    const CourseView &view = content.view;
    const int t = block.index;
    const Tableau &table = view.course().tables[t];
    QStringList header{QString()};
    for (const QString &label : table.columns)
        header << latexLabel(label);
    QString latex = QStringLiteral("\\begin{array}{r|%1}\n").arg(QString(table.n + 1, QLatin1Char('r')));
    latex += header.join(QStringLiteral(" & ")) + QStringLiteral(" \\\\ \\hline\n");
    for (int i = 0; i <= table.m; ++i) {
        if (i == table.m)
            latex += QStringLiteral("\\hline\n");
        QStringList row{latexLabel(table.rows[i])};
        for (int j = 0; j <= table.n; ++j) {
            const QString number = latexNumber(view.number(t, i, j));
            row << (content.marksPivot(block, i, j) ? QStringLiteral("\\boxed{\\textstyle ") + number + QLatin1Char('}') : number);
        }
        latex += row.join(QStringLiteral(" & ")) + (i < table.m ? QStringLiteral(" \\\\\n") : QStringLiteral("\n"));
    }
    return fitted(latex + QStringLiteral("\\end{array}"));
}

// A grid of its own (the ranging) as an array; its title and note are
// blocks of their own.
QString gridLatex(const TitledGrid &grid)
{
    QStringList header{QString()};
    for (const QString &label : grid.columns)
        header << latexLabel(label);
    QString latex = QStringLiteral("\\begin{array}{r|%1}\n").arg(QString(grid.columns.size(), QLatin1Char('r')));
    latex += header.join(QStringLiteral(" & ")) + QStringLiteral(" \\\\ \\hline\n");
    for (size_t i = 0; i < grid.cells.size(); ++i) {
        QStringList row{latexLabel(grid.rows[int(i)])};
        for (const QString &cell : grid.cells[i])
            row << (cell == QStringLiteral("-∞") ? QStringLiteral("-\\infty")
                    : cell == QStringLiteral("+∞") ? QStringLiteral("+\\infty")
                                                     : latexNumber(cell));
        latex += row.join(QStringLiteral(" & ")) + (i + 1 < grid.cells.size() ? QStringLiteral(" \\\\\n") : QStringLiteral("\n"));
    }
    return fitted(latex + QStringLiteral("\\end{array}"));
}

// A report line as a paragraph of its own.
QString lineLatex(const QString &line)
{
    return QStringLiteral("\\noindent ") + latexText(line) + QStringLiteral("\\par\n");
}

// An explanation: italic, indented, its lines kept, a score line indented
// further.
QString explanationLatex(const QString &text)
{
    QStringList lines;
    for (const QString &line : text.split(QLatin1Char('\n'))) {
        const bool inner = line.startsWith(QStringLiteral("    "));
        lines << (inner ? QStringLiteral("\\hspace*{2em}") : QString()) + QStringLiteral("\\textit{")
                     + latexText(line.trimmed()) + QLatin1Char('}');
    }
    return QStringLiteral("\\begin{quote}\n") + lines.join(QStringLiteral("\\\\\n")) + QStringLiteral("\n\\end{quote}\n");
}

// Whether the shown block k is a line of a run of lines that a table follows.
bool introducesTable(const std::vector<const ReportBlock *> &shown, size_t k)
{
    auto isLine = [](const ReportBlock *b) { return b->kind == ReportBlock::Line || b->kind == ReportBlock::GridTitle; };
    while (k + 1 < shown.size() && isLine(shown[k]) && isLine(shown[k + 1]))
        ++k;
    return k + 1 < shown.size() && (shown[k + 1]->kind == ReportBlock::Table || shown[k + 1]->kind == ReportBlock::Grid);
}

} // namespace

QString latexNumber(const QString &number)
{
    static const QRegularExpression fraction(QStringLiteral("^(-?)(\\d+)/(\\d+)$"));
    static const QRegularExpression scientific(QStringLiteral("^(-?[\\d.]+)e([+-]?)0*(\\d+)$"));
    if (const QRegularExpressionMatch f = fraction.match(number); f.hasMatch())
        return f.captured(1) + QStringLiteral("\\frac{%1}{%2}").arg(f.captured(2), f.captured(3));
    if (const QRegularExpressionMatch e = scientific.match(number); e.hasMatch())
        return e.captured(1) + QStringLiteral("\\cdot 10^{%1%2}")
                                   .arg(e.captured(2) == QLatin1String("-") ? QStringLiteral("-") : QString(), e.captured(3));
    if (number == QLatin1String("inf") || number == QLatin1String("-inf"))
        return number.startsWith(QLatin1Char('-')) ? QStringLiteral("-\\infty") : QStringLiteral("\\infty");
    if (number.contains(QLatin1String("nan")))
        return QStringLiteral("\\mathrm{nan}");
    return number;
}

QString latexText(const QString &text)
{
    static const QHash<QChar, QString> special = {
        {u'\\', QStringLiteral("\\textbackslash{}")}, {u'{', QStringLiteral("\\{")},
        {u'}', QStringLiteral("\\}")},                {u'$', QStringLiteral("\\$")},
        {u'&', QStringLiteral("\\&")},                {u'#', QStringLiteral("\\#")},
        {u'_', QStringLiteral("\\_")},                {u'%', QStringLiteral("\\%")},
        {u'^', QStringLiteral("\\textasciicircum{}")}, {u'~', QStringLiteral("\\textasciitilde{}")},
        {u'<', QStringLiteral("$<$")},                {u'>', QStringLiteral("$>$")},
        {u'|', QStringLiteral("$|$")},                {QChar(0x00B7), QStringLiteral("$\\cdot$\\allowbreak{}")},
        {QChar(0x2212), QStringLiteral("$-$")},       {QChar(0x221E), QStringLiteral("$\\infty$")},
        {QChar(0x2192), QStringLiteral("$\\to$")},    {QChar(0x2264), QStringLiteral("$\\le$")},
        {QChar(0x2265), QStringLiteral("$\\ge$")},    {QChar(0x2026), QStringLiteral("\\ldots{}")},
        {QChar(0x230A), QStringLiteral("$\\lfloor$")},  {QChar(0x230B), QStringLiteral("$\\rfloor$")},
        {QChar(0x2308), QStringLiteral("$\\lceil$")},   {QChar(0x2309), QStringLiteral("$\\rceil$")},
        {QChar(0x2190), QStringLiteral("$\\leftarrow$")},
        {QChar(0x2060), QString()},                   {u'-', QStringLiteral("-{}")},               {u'/', QStringLiteral("\\slash{}")},
    };
    QString out;
    for (const QChar c : text) {
        const auto replaced = special.constFind(c);
        out += replaced != special.constEnd() ? *replaced : QString(c);
    }
    return out;
}

QString latexOfReport(const ReportContent &content, bool wholeDocument)
{
    QString body = kFitDefinition + problemMath(content.view);
    std::vector<const ReportBlock *> shown;
    for (const ReportBlock &block : content.blocks)
        if (block.shown)
            shown.push_back(&block);
    for (size_t k = 0; k < shown.size(); ++k) {
        const ReportBlock &block = *shown[k];
        switch (block.kind) {
        case ReportBlock::Table:
            body += tableLatex(content, block);
            break;
        case ReportBlock::Grid:
            body += gridLatex(content.grids[block.index]);
            break;
        case ReportBlock::Line:
        case ReportBlock::GridTitle:
        case ReportBlock::Dual:
            body += lineLatex(block.text);
            // The lines that introduce a table stay on its page.
            if (introducesTable(shown, k))
                body += QStringLiteral("\\nopagebreak\n");
            break;
        case ReportBlock::Explanation:
        case ReportBlock::Try:
        case ReportBlock::GridNote:
            body += explanationLatex(block.text);
            break;
        case ReportBlock::TreeTitle:
            body += lineLatex(block.text);
            break;
        case ReportBlock::TreeLine:
            body += QStringLiteral("\\noindent\\hspace*{%1em}").arg(2 * block.index) + latexText(block.text)
                    + QStringLiteral("\\par\n");
            break;
        case ReportBlock::Tree:
            break;
        }
    }
    if (!wholeDocument)
        return body;
    return QStringLiteral("\\documentclass[a4paper,11pt]{article}\n"
                          "\\usepackage{cmap}\n" // the Russian text searches and copies
                          "\\usepackage[T2A]{fontenc}\n"
                          "\\usepackage[utf8]{inputenc}\n"
                          "\\usepackage[russian]{babel}\n"
                          "\\usepackage{amsmath}\n"
                          "\\usepackage{graphicx}\n"
                          "\\sloppy\n" // long products and fractions break the lines, not the margin
                          "\\begin{document}\n"
                          "\\section*{")
           + latexText(reporttext::tr("Двойственный симплекс-метод")) + QStringLiteral("}\n") + body
           + QStringLiteral("\\end{document}\n");
}
