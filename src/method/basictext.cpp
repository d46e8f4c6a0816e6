// SPDX-License-Identifier: GPL-3.0-or-later
// Implements basictext.h: what every unit that words something shares.
#include "method/basictext.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace basictext {

QString tr(const char *text)
{
    return QCoreApplication::translate("Widget", text);
}

QString decimal(double v)
{
    return QString::number(v, 'g', 6);
}

QString fileProblem(const QString &path, bool writing, const QString &systemWords)
{
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (file.isDir())
        return tr("это папка, а не файл");
    if (!writing && !file.exists())
        return tr("такого файла нет");
    if (writing && !folder.isDir())
        return tr("папки %1 нет").arg(folder.filePath());
    if (!writing && !file.isReadable())
        return tr("нет прав на чтение файла");
    if (writing && (!folder.isWritable() || (file.exists() && !file.isWritable())))
        return tr("нет прав на запись в %1").arg(file.exists() ? tr("файл") : tr("папку %1").arg(folder.filePath()));
    return systemWords;
}

} // namespace basictext
