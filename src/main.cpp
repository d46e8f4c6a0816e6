#include "widget.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

// On X11 and Wayland desktops a missing display would make the toolkit abort
// with a long message; say plainly what is needed instead.
static bool displayMissing()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    auto unset = [](const char *name) {
        const char *value = std::getenv(name);
        return value == nullptr || *value == '\0';
    };
    return unset("QT_QPA_PLATFORM") && unset("DISPLAY") && unset("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

int main(int argc, char *argv[])
{
    if (displayMissing()) {
        std::fprintf(stderr,
                     "%s needs a graphical display: start it from a desktop session, or "
                     "without one under Xvfb with: xvfb-run -a %s\n",
                     argv[0], argv[0]);
        return 1;
    }
    QApplication a(argc, argv);
    Widget w;
    w.setWindowTitle(QStringLiteral("Двойственный симплекс-метод"));
    w.show();
    return a.exec();
}
