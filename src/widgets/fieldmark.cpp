// SPDX-License-Identifier: GPL-3.0-or-later
// Implements fieldmark.h: how a field of the input form looks for its text.
#include "widgets/fieldmark.h"

#include "method/basictext.h"
#include "method/fieldtext.h"

#include <QLineEdit>

#include <cmath>

namespace {

using basictext::decimal;

// Text colours of a field whose text does not read as a number, and of one
// whose number lies outside the range the program is meant for.
constexpr QRgb kNotANumberColour = 0xff0000;
constexpr QRgb kOutOfRangeColour = 0xb35900; // dark orange
// That range, as the help text gives it: 0, or a magnitude above
// kSmallestMagnitude and at most kLargestMagnitude.
constexpr double kSmallestMagnitude = 1e-6;
constexpr double kLargestMagnitude = 10000;

bool withinRange(double v)
{
    return v == 0 || (std::abs(v) > kSmallestMagnitude && std::abs(v) <= kLargestMagnitude);
}

// A field whose text is not blank and does not read as a number shows it in
// red, with a tooltip that says what the text counts as; one whose number
// lies outside the range the program is meant for, in dark orange, with a
// tooltip that says so. The solve takes either as it counts.
} // namespace

void markFieldText(QLineEdit *field, const QString &text)
{
    bool isNumber = false;
    const double value = fieldValue(text, &isNumber);
    QString tip;
    QRgb colour = 0;
    if (!isNumber && !text.trimmed().isEmpty()) {
        colour = kNotANumberColour;
        tip = basictext::tr("Текст не читается как число: при решении он считается равным %1").arg(decimal(value));
    } else if (isNumber && !withinRange(value)) {
        colour = kOutOfRangeColour;
        tip = basictext::tr("Число %1 вне диапазона, на который рассчитана программа:\n"
                         "от -10000 до 10000, по модулю больше 0.000001 или 0.\n"
                         "Оно используется так, как введено.")
                  .arg(decimal(value));
    }
    QPalette palette;
    if (!tip.isEmpty())
        palette.setColor(QPalette::Text, QColor(colour));
    field->setPalette(palette);
    field->setToolTip(tip);
}

