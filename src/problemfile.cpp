// SPDX-License-Identifier: GPL-3.0-or-later
#include "problemfile.h"

#include "basictext.h"
#include "widget.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>

namespace {

using basictext::tr;

template <typename T>
T *control(Widget &w, const char *name)
{
    return w.findChild<T *>(QLatin1String(name));
}

} // namespace

ProblemTexts formTexts(const Widget &w)
{
    ProblemTexts problem;
    if (!w.flg)
        return problem;
    problem.maximise = w.maxmin->currentIndex() == 0;
    problem.n = w.nl;
    problem.m = w.ml;
    for (const QLineEdit *field : w.list_Z)
        problem.objective << field->text();
    for (const QLineEdit *field : w.list_A)
        problem.constraints << field->text();
    for (const QLineEdit *field : w.list_L)
        problem.rightHands << field->text();
    return problem;
}

void showProblem(Widget &w, const ProblemTexts &problem)
{
    if (w.formArea)
        QMetaObject::invokeMethod(&w, "close_Form");
    control<QSpinBox>(w, "spinBox")->setValue(problem.n);
    control<QSpinBox>(w, "spinBox_2")->setValue(problem.m);
    control<QPushButton>(w, "pushButton")->click();
    for (int j = 0; j < problem.n; ++j)
        w.list_Z[j]->setText(problem.objective[j]);
    for (int k = 0; k < problem.n * problem.m; ++k)
        w.list_A[k]->setText(problem.constraints[k]);
    for (int i = 0; i < problem.m; ++i)
        w.list_L[i]->setText(problem.rightHands[i]);
    w.maxmin->setCurrentIndex(problem.maximise ? 0 : 1);
}

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

bool openProblemFile(Widget &w, const QString &path, QString *error)
{
    LpError refusal;
    const std::optional<ProblemTexts> problem = readProblemFile(path, &refusal);
    if (!problem) {
        *error = fileErrorMessage(path, refusal);
        return false;
    }
    showProblem(w, *problem);
    return true;
}

// Written to a temporary file that takes the file's place only when whole,
// so that a failed save leaves the file as it was.
bool saveProblemFile(Widget &w, const QString &path, QString *error, bool integer)
{
    ProblemTexts problem = formTexts(w);
    problem.integer = integer;
    if (problem.n == 0) {
        *error = tr("Сохранять нечего: задайте n и m и нажмите «ok», чтобы появилась форма ввода");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(writeLpProblem(problem)) < 0 || !file.commit()) {
        *error = tr("%1: задача не сохранена: %2").arg(path, basictext::fileProblem(path, true, file.errorString()));
        return false;
    }
    return true;
}
