// SPDX-License-Identifier: GPL-3.0-or-later
// Implements fieldtext.h: how the text of a field of the input form reads as
// a number.
#include "method/fieldtext.h"

#include <QRegularExpression>

#include <cmath>

namespace {

// A number text of the C locale, with one decimal comma taken for the point
// (Russian writing has "1,5"): the text the C locale then reads, or a null
// string when a comma makes it no number.
QString asCLocaleNumber(const QString &text)
{
    if (!text.contains(QLatin1Char(',')))
        return text;
    if (text.count(QLatin1Char(',')) != 1 || text.contains(QLatin1Char('.')))
        return QString();
    return QString(text).replace(QLatin1Char(','), QLatin1Char('.'));
}

double plainOrCommaValue(const QString &text, bool *converts)
{
    const QString number = asCLocaleNumber(text);
    if (number.isNull()) {
        *converts = false;
        return 0;
    }
    return number.toDouble(converts);
}

// A decimal number as the C locale writes it, read exactly: digits with an
// optional point, an optional exponent, blanks around. Nothing for any other
// text (the C locale also reads "inf" and "nan", which are no exact values).
std::optional<mpq_class> exactDecimal(const QString &text)
{
    static const QRegularExpression decimal(
        QStringLiteral("^\\s*([+-]?)(\\d*)(?:\\.(\\d*))?(?:[eE]([+-]?\\d+))?\\s*$"));
    const QRegularExpressionMatch match = decimal.match(text);
    if (!match.hasMatch() || (match.captured(2).isEmpty() && match.captured(3).isEmpty()))
        return std::nullopt;
    const QString digits = match.captured(2) + match.captured(3);
    mpz_class mantissa(digits.toStdString(), 10);
    if (mantissa == 0)
        return mpq_class(0);
    bool ok = false;
    const long exponent = match.captured(4).isEmpty() ? 0 : match.captured(4).toLong(&ok);
    if (!match.captured(4).isEmpty() && !ok)
        return std::nullopt;
    const long shift = exponent - long(match.captured(3).size());
    mpz_class scale;
    mpz_ui_pow_ui(scale.get_mpz_t(), 10, static_cast<unsigned long>(std::labs(shift)));
    mpq_class value = shift >= 0 ? mpq_class(mantissa * scale) : mpq_class(mantissa, scale);
    value.canonicalize();
    if (match.captured(1) == QLatin1String("-"))
        value = -value;
    return value;
}

// One side of a field's text, read exactly, where its double reads as the
// finite number `rounded`: the decimal itself; 0 where the double is 0 (a
// value so small that it rounds to 0 is counted as 0 in both views); and
// that double exactly for a text the C locale reads that is no decimal.
mpq_class exactSide(const QString &text, double rounded)
{
    if (rounded == 0)
        return 0;
    const std::optional<mpq_class> exact = exactDecimal(asCLocaleNumber(text));
    return exact ? *exact : mpq_class(rounded);
}

} // namespace

double fieldValue(const QString &text, bool *isNumber)
{
    const int slashes = text.count(QLatin1Char('/'));
    if (slashes == 0) {
        const double v = plainOrCommaValue(text, isNumber);
        return text.contains(QLatin1Char(',')) && !*isNumber ? 0 : v;
    }
    bool numerator = false, denominator = false;
    const int at = text.indexOf(QLatin1Char('/'));
    const double top = plainOrCommaValue(text.left(at), &numerator);
    const double bottom = plainOrCommaValue(text.mid(at + 1), &denominator);
    *isNumber = slashes == 1 && numerator && denominator && bottom != 0;
    return *isNumber ? top / bottom : 0;
}

std::optional<mpq_class> exactFieldValue(const QString &text)
{
    bool isNumber = false;
    const double value = fieldValue(text, &isNumber);
    if (!std::isfinite(value))
        return std::nullopt;
    if (!isNumber) // counts as what the C locale gives: 0
        return mpq_class(value);
    const int at = text.indexOf(QLatin1Char('/'));
    if (at < 0)
        return exactSide(text, value);
    bool converts = false;
    const double top = plainOrCommaValue(text.left(at), &converts);
    const double bottom = plainOrCommaValue(text.mid(at + 1), &converts);
    if (!std::isfinite(top) || !std::isfinite(bottom))
        return mpq_class(value); // such as "1/inf": 0, as the double gives
    return mpq_class(exactSide(text.left(at), top) / exactSide(text.mid(at + 1), bottom));
}
