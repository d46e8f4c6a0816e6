// SPDX-License-Identifier: GPL-3.0-or-later
// Loaded into the real program with LD_PRELOAD by tst_closing. Once the event
// loop runs it plays a user: solve the first worked example, try to close the
// report window both ways, close the main window (answering "Не сохранять"
// to the question about the typed problem), then press the report's "Ok".
// Every step prints one line; the program must then exit by itself.
#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollArea>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

namespace {

void say(const char *line, bool value)
{
    std::printf("%s %s\n", line, value ? "yes" : "no");
    std::fflush(stdout);
}

QWidget *topLevel(const char *className)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qstrcmp(w->metaObject()->className(), className) == 0 && w->isVisible())
            return w;
    return nullptr;
}

QAbstractButton *button(QWidget *in, const QString &text)
{
    for (QAbstractButton *b : in->findChildren<QAbstractButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

// Answers the question about unsaved typing, once it is shown.
void leaveTypingUnsaved()
{
    QTimer::singleShot(10, [] {
        auto *question = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!question) {
            leaveTypingUnsaved();
            return;
        }
        say("asked to save the typed problem", question->text().contains(QStringLiteral("не сохранена")));
        button(question, QStringLiteral("Не сохранять"))->click();
    });
}

void play()
{
    QWidget *main = topLevel("Widget");
    say("main window shown", main);
    if (!main)
        std::exit(2);
    button(main, "ok")->click();
    QWidget *box = main->findChild<QWidget *>("verticalLayoutWidget_3");
    const char *texts[] = {"1", "1", "1", "2", "4", "3", "1", "6"}; // in creation order
    int k = 0;
    for (QLineEdit *field : box->findChildren<QLineEdit *>(QString(), Qt::FindDirectChildrenOnly))
        field->setText(QString::fromLatin1(texts[k++]));
    button(main, QStringLiteral("Вывести решение"))->click();
    QWidget *report = topLevel("QScrollArea");
    say("report shown", report);
    if (!report)
        std::exit(2);
    say("close() refused", !report->close() && report->isVisible());
    QCloseEvent request;
    QCoreApplication::sendEvent(report->windowHandle(), &request);
    say("window-system close refused", !request.isAccepted() && report->isVisible());
    leaveTypingUnsaved();
    main->close();
    say("main window closed", !main->isVisible());
    QTimer::singleShot(300, [report] {
        say("still running with the report shown", report->isVisible());
        button(report, QStringLiteral("Ok"))->click();
        QTimer::singleShot(60000, [] { // only if the program hangs
            say("exited after Ok", false);
            std::exit(3);
        });
    });
}

void schedule()
{
    QTimer::singleShot(0, play);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(schedule)
