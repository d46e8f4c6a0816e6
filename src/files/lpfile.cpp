// SPDX-License-Identifier: GPL-3.0-or-later
// Implements lpfile.h: a problem's LP file on disk.
#include "files/lpfile.h"

#include "method/basictext.h"

#include <QFile>
#include <QSaveFile>

using basictext::tr;

std::optional<ProblemTexts> readProblemFile(const QString &path, LpError *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = {0, basictext::fileProblem(path, false, tr("файл не открывается: %1").arg(file.errorString()))};
        return std::nullopt;
    }
    // One byte more than the largest file, so that a larger one is refused
    // without being read whole.
    return readLpProblem(file.read(kLargestProblemFile + 1), error);
}

QString fileErrorMessage(const QString &path, const LpError &error)
{
    if (error.line <= 0)
        return QStringLiteral("%1: %2").arg(path, error.message);
    return QStringLiteral("%1:%2: %3").arg(path, QString::number(error.line), error.message);
}

bool writeProblemFile(const QString &path, const ProblemTexts &problem, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(writeLpProblem(problem)) < 0 || !file.commit()) {
        *error = tr("%1: задача не сохранена: %2").arg(path, basictext::fileProblem(path, true, file.errorString()));
        return false;
    }
    return true;
}
