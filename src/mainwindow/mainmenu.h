// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's actions and context menu: "Решать самому" (Ctrl+T),
// which solves and opens the report in practice; "Целочисленная задача",
// whose reports go on by cuts to whole values; "Варианты для группы…";
// open and save the problem
// as an LP file (Ctrl+O, Ctrl+S, Ctrl+Shift+S), the recent problems, the
// gallery of examples, a file dropped on the window, the file's name and a
// "*" for unsaved changes in the title, and the question before unsaved
// typing is lost. An object of its own beside the window, watching it.
#ifndef MAINMENU_H
#define MAINMENU_H

#include "files/lpformat.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

class QAction;
class QMenu;
class Widget;

class MainMenu : public QObject
{
    Q_OBJECT

public:
    explicit MainMenu(Widget &window);

    // The file the form was last opened from or saved to; empty for none.
    QString fileName() const { return path; }
    // Whether the form holds typing that no file keeps.
    bool isModified() const;
    // The problem in the form, whole values asked for or not.
    ProblemTexts problem() const;
    // "Целочисленная задача" on or off.
    void setInteger(bool on);
    // Opens a problem file or a bundled example, asking first about unsaved
    // typing; false when the user kept it or the file was refused (the
    // window then says why).
    bool open(const QString &file);
    bool openExample(const QString &resource);
    // Saves to the file, or asks for one; false when nothing was saved.
    bool save();
    bool saveAs();

    // The bundled examples: resource paths, and the title of each (its
    // first comment line).
    static QStringList examples();
    static QString exampleTitle(const QString &resource);
    // The recent problems, newest first.
    static QStringList recentFiles();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QAction *addAction(const QString &text, const QKeySequence &shortcut, void (MainMenu::*run)());
    void practise();
    void openFromDialog();
    void saveFromMenu();
    void saveAsFromMenu();
    bool mayDiscard();
    bool show(const ProblemTexts &problem, const QString &file);
    bool saveTo(const QString &file);
    void rememberRecent(const QString &file);
    void watchForm();
    void updateTitle();
    void showContextMenu(const QPoint &at);

    Widget &w;
    QString path;
    std::optional<ProblemTexts> kept; // what the file (or example) holds
    QAction *actionOpen, *actionSave, *actionSaveAs, *actionPractice, *actionInteger, *actionVariants, *actionGuide;
};

#endif // MAINMENU_H
