// SPDX-License-Identifier: GPL-3.0-or-later
// The form written as an LP file.
#include "files/lpformat.h"

#include "files/lpscan.h"

#include <QLocale>

#include <cmath>

namespace {

using namespace lp;

QString lpNumber(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

// " + 1 x0 - 2.5 x1 …": every variable, 0 included, so that the file names
// the variables in their order.
QString lpTerms(const QStringList &texts)
{
    QString terms;
    for (int j = 0; j < texts.size(); ++j) {
        const double v = lpValue(texts[j]);
        terms += QStringLiteral(" %1 %2 x%3").arg(v < 0 ? QLatin1Char('-') : QLatin1Char('+')).arg(lpNumber(std::abs(v))).arg(j);
    }
    return terms;
}

} // namespace

QByteArray writeLpProblem(const ProblemTexts &p)
{
    QString out = QStringLiteral("\\ Двойственный симплекс-метод: задача из формы ввода программы dual-simplex\n"
                                 "\\ Поля формы, как они введены; программа читает их отсюда, пока они дают\n"
                                 "\\ те же числа, что и строки задачи ниже\n");
    const QString field = QStringLiteral("\\ ") + kFieldsMarker + QStringLiteral("%1:");
    out += field.arg(kObjectiveName);
    for (const QString &text : p.objective)
        out += QLatin1Char(' ') + quoted(text);
    out += QLatin1Char('\n');
    for (int i = 0; i < p.m; ++i) {
        out += field.arg(QStringLiteral("Y%1").arg(i));
        const QStringList texts = p.constraints.mid(i * p.n, p.n) << p.rightHands[i];
        for (const QString &text : texts)
            out += QLatin1Char(' ') + quoted(text);
        out += QLatin1Char('\n');
    }
    out += p.maximise ? QStringLiteral("maximize\n") : QStringLiteral("minimize\n");
    out += QStringLiteral(" %1:%2\nsubject to\n").arg(kObjectiveName, lpTerms(p.objective));
    for (int i = 0; i < p.m; ++i)
        out += QStringLiteral(" Y%1:%2 <= %3\n")
                   .arg(i)
                   .arg(lpTerms(p.constraints.mid(i * p.n, p.n)), lpNumber(lpValue(p.rightHands[i])));
    if (p.integer) {
        out += QStringLiteral("general\n");
        for (int j = 0; j < p.n; ++j)
            out += QStringLiteral(" x%1").arg(j);
        out += QLatin1Char('\n');
    }
    out += QStringLiteral("end\n");
    return out.toUtf8();
}
