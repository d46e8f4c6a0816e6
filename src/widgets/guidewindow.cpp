// SPDX-License-Identifier: GPL-3.0-or-later
// Implements guidewindow.h: the guide in a window of its own.
#include "widgets/guidewindow.h"

#include "method/basictext.h"
#include "widgets/windowplace.h"

#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QWindow>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>

namespace {

const char *const kGuide = ":/guide/guide-ru.md";
constexpr int kGuideWidth = 760;
constexpr int kGuideHeight = 640;

QPointer<QTextBrowser> guide;

// The guide's browser closes with Esc, which the text itself would take
// (to clear a selection) before any shortcut of the window saw it.
// Closed, it gives the keyboard back to the window it was opened from.
class GuideBrowser : public QTextBrowser
{
public:
    using QTextBrowser::QTextBrowser;
    QPointer<QWidget> openedFrom;

protected:
    void closeEvent(QCloseEvent *event) override
    {
        QTextBrowser::closeEvent(event);
        if (openedFrom)
            openedFrom->activateWindow();
    }

    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
            close();
        else
            QTextBrowser::keyPressEvent(event);
    }
};

// Scrolls to the heading whose anchor the link names; false where none does.
bool showSection(QTextBrowser *browser, const QString &anchor)
{
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() > 0 && headingAnchor(block.text()) == anchor) {
            QTextCursor cursor(block);
            browser->setTextCursor(cursor);
            // The heading at the top of the window, not merely somewhere in it.
            browser->verticalScrollBar()->setValue(browser->verticalScrollBar()->maximum());
            browser->ensureCursorVisible();
            return true;
        }
    }
    return false;
}

void followLink(QTextBrowser *browser, const QUrl &url)
{
    if (url.scheme().isEmpty() && url.path().isEmpty() && url.hasFragment())
        showSection(browser, url.fragment());
    else if (!url.scheme().isEmpty())
        QDesktopServices::openUrl(url);
}

QTextBrowser *makeGuide(QWidget *owner)
{
    auto *browser = new GuideBrowser(owner);
    browser->setWindowFlags(Qt::Window);
    browser->setAttribute(Qt::WA_DeleteOnClose);
    browser->setObjectName(QStringLiteral("guideWindow"));
    browser->setWindowTitle(basictext::tr("Справка — Двойственный симплекс-метод"));
    browser->setOpenLinks(false);
    browser->setSearchPaths({QStringLiteral(":/guide")});
    QFile file(QString::fromLatin1(kGuide));
    if (file.open(QIODevice::ReadOnly))
        browser->setMarkdown(QString::fromUtf8(file.readAll()));
    QObject::connect(browser, &QTextBrowser::anchorClicked, browser,
                     [browser](const QUrl &url) { followLink(browser, url); });
    auto *close = new QAction(browser);
    close->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    QObject::connect(close, &QAction::triggered, browser, &QWidget::close);
    browser->addAction(close);
    browser->resize(kGuideWidth, kGuideHeight);
    return browser;
}

} // namespace

QTextBrowser *showGuide(QWidget *from)
{
    Q_INIT_RESOURCE(guide); // the resources live in a static library
    if (!guide) {
        guide = makeGuide(from ? from->window() : nullptr);
        // Centred over the window it is opened from, whole on its screen
        // with the window manager's frame (taken to be that window's).
        if (from && from->window()->windowHandle()) {
            QWidget *window = from->window();
            const QRect screen = window->windowHandle()->screen()->availableGeometry();
            guide->setGeometry(placeWindow(guide->size(), window->windowHandle()->frameMargins(),
                                           window->frameGeometry().center(), screen));
        }
    }
    if (from) {
        guide->setWindowIcon(from->window()->windowIcon());
        static_cast<GuideBrowser *>(guide.data())->openedFrom = from->window();
    }
    guide->show();
    guide->raise();
    guide->activateWindow();
    return guide;
}

QAction *addGuideAction(QWidget *window)
{
    auto *action = new QAction(basictext::tr("Справка"), window);
    action->setObjectName(QStringLiteral("actionGuide"));
    action->setShortcut(QKeySequence::HelpContents);
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, window, [window] { showGuide(window); });
    window->addAction(action);
    return action;
}

QString headingAnchor(const QString &heading)
{
    QString anchor;
    for (const QChar c : heading.toLower()) {
        if (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_'))
            anchor += c;
        else if (c == QLatin1Char(' '))
            anchor += QLatin1Char('-');
    }
    return anchor;
}
