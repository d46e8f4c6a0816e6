// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded into the real program by bench_report: as soon as the event loop
// runs with the main window shown, it prints one line and ends the process,
// so that the time from process start to that line is the start-up.
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

namespace {

void reportShown()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (qstrcmp(w->metaObject()->className(), "Widget") == 0 && w->isVisible()) {
            std::puts("shown");
            std::fflush(stdout);
            std::_Exit(0);
        }
    }
    QTimer::singleShot(1, reportShown);
}

void schedule()
{
    QTimer::singleShot(0, reportShown);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(schedule)
