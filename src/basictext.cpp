// SPDX-License-Identifier: GPL-3.0-or-later
#include "basictext.h"

#include <QCoreApplication>

namespace basictext {

QString tr(const char *text)
{
    return QCoreApplication::translate("Widget", text);
}

QString decimal(double v)
{
    return QString::number(v, 'g', 6);
}

} // namespace basictext
