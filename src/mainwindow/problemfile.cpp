// SPDX-License-Identifier: GPL-3.0-or-later
// Implements problemfile.h: the main window's problem as a file.
#include "mainwindow/problemfile.h"

#include "method/basictext.h"
#include "mainwindow/widget.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
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

bool saveProblemFile(Widget &w, const QString &path, QString *error, bool integer)
{
    ProblemTexts problem = formTexts(w);
    problem.integer = integer;
    if (problem.n == 0) {
        *error = tr("Сохранять нечего: задайте n и m и нажмите «ok», чтобы появилась форма ввода");
        return false;
    }
    return writeProblemFile(path, problem, error);
}
