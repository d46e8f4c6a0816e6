// SPDX-License-Identifier: GPL-3.0-or-later
#include "reportlatex.h"

#include <QHash>
#include <QRegularExpression>

namespace {

// A table label in mathematics: "-X1" as -X_{1}, "Y0" as Y_{0}.
QString latexLabel(const QString &label)
{
    static const QRegularExpression indexed(QStringLiteral("^(-?)([XY])(\\d+)$"));
    const QRegularExpressionMatch match = indexed.match(label);
    if (!match.hasMatch())
        return latexText(label);
    return match.captured(1) + match.captured(2) + QStringLiteral("_{") + match.captured(3) + QLatin1Char('}');
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
    QStringList lines{QStringLiteral("F &= ") + latexLinearForm(objective)
                      + (course.maximise ? QStringLiteral(" \\to \\max") : QStringLiteral(" \\to \\min"))};
    for (int i = 0; i < course.m; ++i) {
        QStringList row;
        for (int j = 0; j < course.n; ++j)
            row << view.constraint(i, j);
        lines << latexLinearForm(row) + QStringLiteral(" &\\le ") + latexNumber(view.rightHand(i));
    }
    lines << variables.join(QStringLiteral(", ")) + QStringLiteral(" &\\ge 0");
    return QStringLiteral("\\[\n\\begin{aligned}\n") + lines.join(QStringLiteral(" \\\\\n"))
           + QStringLiteral("\n\\end{aligned}\n\\]\n");
}

QString tableLatex(const ReportContent &content, const ReportBlock &block)
{
    const CourseView &view = content.view;
    const int t = block.index;
    const Tableau &table = view.course().tables[t];
    QStringList header{QString()};
    for (const QString &label : table.columns)
        header << latexLabel(label);
    QString latex = QStringLiteral("\\[\n\\begin{array}{r|%1}\n").arg(QString(table.n + 1, QLatin1Char('r')));
    latex += header.join(QStringLiteral(" & ")) + QStringLiteral(" \\\\ \\hline\n");
    for (int i = 0; i <= table.m; ++i) {
        if (i == table.m)
            latex += QStringLiteral("\\hline\n");
        QStringList row{latexLabel(table.rows[i])};
        for (int j = 0; j <= table.n; ++j) {
            const QString number = latexNumber(view.number(t, i, j));
            row << (content.marksPivot(block, i, j) ? QStringLiteral("\\boxed{") + number + QLatin1Char('}') : number);
        }
        latex += row.join(QStringLiteral(" & ")) + (i < table.m ? QStringLiteral(" \\\\\n") : QStringLiteral("\n"));
    }
    return latex + QStringLiteral("\\end{array}\n\\]\n");
}

// A grid of its own (the ranging) as an array; its title and note are
// blocks of their own.
QString gridLatex(const TitledGrid &grid)
{
    QStringList header{QString()};
    for (const QString &label : grid.columns)
        header << latexText(label);
    QString latex = QStringLiteral("\\[\n\\begin{array}{r|%1}\n").arg(QString(grid.columns.size(), QLatin1Char('r')));
    latex += header.join(QStringLiteral(" & ")) + QStringLiteral(" \\\\ \\hline\n");
    for (size_t i = 0; i < grid.cells.size(); ++i) {
        QStringList row{latexText(grid.rows[int(i)])};
        for (const QString &cell : grid.cells[i])
            row << (cell == QStringLiteral("-∞") ? QStringLiteral("-\\infty")
                    : cell == QStringLiteral("+∞") ? QStringLiteral("+\\infty")
                                                     : latexNumber(cell));
        latex += row.join(QStringLiteral(" & ")) + (i + 1 < grid.cells.size() ? QStringLiteral(" \\\\\n") : QStringLiteral("\n"));
    }
    return latex + QStringLiteral("\\end{array}\n\\]\n");
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
        {u'|', QStringLiteral("$|$")},                {QChar(0x00B7), QStringLiteral("$\\cdot$")},
        {QChar(0x2212), QStringLiteral("$-$")},       {QChar(0x221E), QStringLiteral("$\\infty$")},
        {QChar(0x2192), QStringLiteral("$\\to$")},    {QChar(0x2264), QStringLiteral("$\\le$")},
        {QChar(0x2265), QStringLiteral("$\\ge$")},    {QChar(0x2026), QStringLiteral("\\ldots{}")},
        {QChar(0x2060), QString()},                   {u'-', QStringLiteral("-{}")},
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
    QString body = problemMath(content.view);
    for (const ReportBlock &block : content.blocks) {
        if (!block.shown)
            continue;
        switch (block.kind) {
        case ReportBlock::Table:
            body += tableLatex(content, block);
            break;
        case ReportBlock::Grid:
            body += gridLatex(content.grids[block.index]);
            break;
        case ReportBlock::Line:
        case ReportBlock::GridTitle:
            body += lineLatex(block.text);
            break;
        case ReportBlock::Explanation:
        case ReportBlock::Try:
        case ReportBlock::GridNote:
            body += explanationLatex(block.text);
            break;
        }
    }
    if (!wholeDocument)
        return body;
    return QStringLiteral("\\documentclass[a4paper,11pt]{article}\n"
                          "\\usepackage[T2A]{fontenc}\n"
                          "\\usepackage[utf8]{inputenc}\n"
                          "\\usepackage[russian]{babel}\n"
                          "\\usepackage{amsmath}\n"
                          "\\begin{document}\n"
                          "\\section*{")
           + latexText(reporttext::tr("Двойственный симплекс-метод")) + QStringLiteral("}\n") + body
           + QStringLiteral("\\end{document}\n");
}
