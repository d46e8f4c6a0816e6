// SPDX-License-Identifier: GPL-3.0-or-later
// The core library alone, with no widget and no painter: a problem file's
// report as text, exactly as the program's --report prints it. Linked with
// the core only, so that the core needing a window would fail to link.
#include "files/lpfile.h"
#include "method/branches.h"
#include "method/solve.h"
#include "state/reportstate.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() < 2)
        return 1;
    LpError refusal;
    const std::optional<ProblemTexts> problem = readProblemFile(arguments[1], &refusal);
    if (!problem)
        return 2;
    ReportState state;
    ProblemTexts texts = *problem;
    const bool branch = arguments.contains(QStringLiteral("--branch"));
    texts.integer = texts.integer && !branch;
    state.course = solveCourse(texts);
    if (branch && branchesUnavailable(state.course).isEmpty())
        continueWithBranches(state.course);
    state.fractions = arguments.contains(QStringLiteral("--fractions"));
    state.explanations = arguments.contains(QStringLiteral("--explain"));
    state.ranging = arguments.contains(QStringLiteral("--ranging"));
    const QByteArray text = copyOfReport(ReportModel(std::move(state)).content()).text.toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    return 0;
}
