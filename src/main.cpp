// SPDX-License-Identifier: GPL-3.0-or-later
#include "translation.h"
#include "widget.h"

#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace {

// When the toolkit cannot open a display it ends the process with a long
// message and an abort. While the application object starts, its messages are
// held back: on that failure one plain sentence says what is needed instead;
// otherwise the held messages are printed as usual.
const char *programPath = "";
QStringList heldMessages;

void holdStartupMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        heldMessages << qFormatLogMessage(type, context, message);
        return;
    }
    if (message.contains(QLatin1String("platform plugin"))) {
        std::fprintf(stderr,
                     "%s needs a graphical display and could not open one: start it from a desktop "
                     "session, or without one under Xvfb with: xvfb-run -a %s\n",
                     programPath, programPath);
    } else {
        for (const QString &held : heldMessages)
            std::fprintf(stderr, "%s\n", qPrintable(held));
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

int main(int argc, char *argv[])
{
    programPath = argv[0];
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // On a high-density screen the fixed-pixel windows scale as a whole, as
    // Qt 6 does by itself; on a 96-dpi screen nothing changes.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    qInstallMessageHandler(holdStartupMessage);
    QApplication a(argc, argv);
    qInstallMessageHandler(nullptr);
    for (const QString &held : heldMessages)
        std::fprintf(stderr, "%s\n", qPrintable(held));
    heldMessages.clear();
    installToolkitTranslation(&a);

    Widget w;
    w.setWindowTitle(QStringLiteral("Двойственный симплекс-метод"));
    w.show();
    return a.exec();
}
