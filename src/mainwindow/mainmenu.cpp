// SPDX-License-Identifier: GPL-3.0-or-later
// Implements mainmenu.h: the main window's actions and context menu.
#include "mainwindow/mainmenu.h"

#include "method/basictext.h"
#include "mainwindow/problemfile.h"
#include "reportwindow/reportview.h"
#include "mainwindow/variantsdialog.h"
#include "mainwindow/widget.h"
#include "widgets/guidewindow.h"

#include <QAction>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QUrl>

namespace {

using basictext::tr;

// How many recent problems the menu offers, and where they are kept.
constexpr int kRecentFiles = 8;
const char *const kRecentKey = "recentFiles";
const char *const kExamplesFolder = ":/examples";

QString programTitle()
{
    return tr("Двойственный симплекс-метод");
}

QSettings settings()
{
    // In the default format: on Windows an INI file (see prepareForTheSystem).
    return QSettings(QSettings::UserScope, QStringLiteral("dual-simplex"), QStringLiteral("dual-simplex"));
}

// The local ".lp" file of a drop: one, and nothing else.
QString droppedFile(const QMimeData *data)
{
    if (!data->hasUrls() || data->urls().size() != 1 || !data->urls().first().isLocalFile())
        return QString();
    const QString file = data->urls().first().toLocalFile();
    return QFileInfo(file).suffix().compare(QLatin1String("lp"), Qt::CaseInsensitive) == 0 ? file : QString();
}

// A form as "ok" builds it: every field "0", max.
ProblemTexts freshForm(int n, int m)
{
    ProblemTexts fresh;
    fresh.n = n;
    fresh.m = m;
    for (int j = 0; j < n; ++j)
        fresh.objective << QStringLiteral("0");
    for (int k = 0; k < n * m; ++k)
        fresh.constraints << QStringLiteral("0");
    for (int i = 0; i < m; ++i)
        fresh.rightHands << QStringLiteral("0");
    return fresh;
}

} // namespace

MainMenu::MainMenu(Widget &window) : QObject(&window), w(window)
{
    Q_INIT_RESOURCE(examples); // the resources live in a static library
    setObjectName(QStringLiteral("mainMenu"));
    actionOpen = addAction(tr("Открыть задачу…"), QKeySequence(Qt::CTRL | Qt::Key_O), &MainMenu::openFromDialog);
    actionOpen->setObjectName(QStringLiteral("actionOpenProblem"));
    actionSave = addAction(tr("Сохранить задачу"), QKeySequence(Qt::CTRL | Qt::Key_S), &MainMenu::saveFromMenu);
    actionSave->setObjectName(QStringLiteral("actionSaveProblem"));
    actionSaveAs = addAction(tr("Сохранить задачу как…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
                             &MainMenu::saveAsFromMenu);
    actionSaveAs->setObjectName(QStringLiteral("actionSaveProblemAs"));
    actionPractice = addAction(tr("Решать самому"), QKeySequence(Qt::CTRL | Qt::Key_T), &MainMenu::practise);
    actionPractice->setObjectName(QStringLiteral("actionPractice"));
    actionInteger = new QAction(tr("Целочисленная задача"), &w);
    actionInteger->setObjectName(QStringLiteral("actionIntegerProblem"));
    actionInteger->setCheckable(true);
    connect(actionInteger, &QAction::toggled, this, [this](bool on) {
        ReportViews::integerProblem = on;
        updateTitle();
    });
    ReportViews::integerProblem = false;
    actionGuide = addGuideAction(&w);
    actionVariants = new QAction(tr("Варианты для группы…"), &w);
    actionVariants->setObjectName(QStringLiteral("actionVariants"));
    connect(actionVariants, &QAction::triggered, this, [this] {
        VariantsDialog dialog(&w);
        dialog.exec();
    });
    w.setAcceptDrops(true);
    w.installEventFilter(this);
    // Every form that "ok" builds is watched for typing; the window's own
    // slot has built it by then.
    connect(w.findChild<QPushButton *>(QStringLiteral("pushButton")), &QPushButton::clicked, this,
            &MainMenu::watchForm);
    watchForm();
}

// An action of the main window: its shortcut works anywhere in the window,
// and the context menu offers it.
QAction *MainMenu::addAction(const QString &text, const QKeySequence &shortcut, void (MainMenu::*run)())
{
    auto *action = new QAction(text, &w);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    w.addAction(action);
    connect(action, &QAction::triggered, this, run);
    return action;
}

ProblemTexts MainMenu::problem() const
{
    ProblemTexts now = formTexts(w);
    now.integer = actionInteger->isChecked();
    return now;
}

void MainMenu::setInteger(bool on)
{
    actionInteger->setChecked(on);
}

bool MainMenu::isModified() const
{
    const ProblemTexts now = problem();
    if (now.n == 0 || (kept && now == *kept))
        return false;
    return !path.isEmpty() || now != freshForm(now.n, now.m);
}

bool MainMenu::open(const QString &file)
{
    LpError error;
    const std::optional<ProblemTexts> problem = readProblemFile(file, &error);
    if (!problem) {
        QMessageBox::warning(&w, tr("Задача не открыта"), fileErrorMessage(file, error));
        return false;
    }
    return mayDiscard() && show(*problem, QFileInfo(file).absoluteFilePath());
}

bool MainMenu::openExample(const QString &resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    LpError error;
    const std::optional<ProblemTexts> problem = readLpProblem(file.readAll(), &error);
    return problem && mayDiscard() && show(*problem, QString());
}

bool MainMenu::save()
{
    return path.isEmpty() ? saveAs() : saveTo(path);
}

bool MainMenu::saveAs()
{
    QFileDialog dialog(&w, tr("Сохранить задачу"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(tr("Задачи LP (*.lp)"));
    dialog.setDefaultSuffix(QStringLiteral("lp"));
    dialog.selectFile(path.isEmpty() ? QDir::home().filePath(tr("задача.lp")) : path);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    return saveTo(dialog.selectedFiles().first());
}

QStringList MainMenu::examples()
{
    QStringList files;
    for (const QString &name : QDir(QLatin1String(kExamplesFolder)).entryList({QStringLiteral("*.lp")}, QDir::Files, QDir::Name))
        files << QLatin1String(kExamplesFolder) + QLatin1Char('/') + name;
    return files;
}

QString MainMenu::exampleTitle(const QString &resource)
{
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly))
        return resource;
    return QString::fromUtf8(file.readLine()).remove(0, 1).trimmed();
}

QStringList MainMenu::recentFiles()
{
    return settings().value(QLatin1String(kRecentKey)).toStringList();
}

bool MainMenu::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &w)
        return false;
    switch (event->type()) {
    case QEvent::ContextMenu:
        showContextMenu(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    case QEvent::DragEnter: {
        auto *drag = static_cast<QDragEnterEvent *>(event);
        if (!droppedFile(drag->mimeData()).isEmpty())
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QString file = droppedFile(drop->mimeData());
        if (!file.isEmpty()) {
            drop->acceptProposedAction();
            // Opened once the drop is over: opening may ask a question.
            QMetaObject::invokeMethod(this, [this, file] { open(file); }, Qt::QueuedConnection);
        }
        return true;
    }
    case QEvent::Close:
        if (!mayDiscard()) {
            event->ignore();
            return true;
        }
        return false;
    default:
        return false;
    }
}

// Solves as "Вывести решение" does, the report opening in practice.
void MainMenu::practise()
{
    auto *solve = w.findChild<QPushButton *>(QStringLiteral("pushButton_2"));
    if (solve->isHidden() || !solve->isEnabled()) // no form yet, or a report open
        return;
    ReportViews::practiceRequested = true;
    solve->click();
    ReportViews::practiceRequested = false;
}

void MainMenu::openFromDialog()
{
    const QString folder = path.isEmpty() ? QDir::homePath() : QFileInfo(path).absolutePath();
    const QString file = QFileDialog::getOpenFileName(&w, tr("Открыть задачу"), folder,
                                                      tr("Задачи LP (*.lp);;Все файлы (*)"));
    if (!file.isEmpty())
        open(file);
}

void MainMenu::saveFromMenu()
{
    save();
}

void MainMenu::saveAsFromMenu()
{
    saveAs();
}

// Before typing that no file keeps is lost: save it, leave it, or keep it
// (false: the user cancelled, or the save failed).
bool MainMenu::mayDiscard()
{
    if (!isModified())
        return true;
    QMessageBox question(QMessageBox::Question, programTitle(),
                         path.isEmpty() ? tr("Задача в форме не сохранена.")
                                        : tr("Задача «%1» изменена.").arg(QFileInfo(path).fileName()),
                         QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &w);
    question.setObjectName(QStringLiteral("saveQuestion"));
    question.setInformativeText(tr("Сохранить изменения?"));
    question.button(QMessageBox::Save)->setText(tr("Сохранить"));
    question.button(QMessageBox::Discard)->setText(tr("Не сохранять"));
    question.button(QMessageBox::Cancel)->setText(tr("Отмена"));
    question.setDefaultButton(QMessageBox::Save);
    const int answer = question.exec();
    if (answer == QMessageBox::Save)
        return save();
    return answer == QMessageBox::Discard;
}

bool MainMenu::show(const ProblemTexts &problem, const QString &file)
{
    showProblem(w, problem);
    actionInteger->setChecked(problem.integer);
    // The new fields are shown once control is back in the event loop; the
    // keyboard goes to the first of them then, as after "ok", not to a spin
    // box where Enter would build an empty form.
    QMetaObject::invokeMethod(
        w.list_Z.first(),
        [field = w.list_Z.first()] {
            field->setFocus();
            field->selectAll();
        },
        Qt::QueuedConnection);
    path = file;
    kept = problem;
    if (!file.isEmpty())
        rememberRecent(file);
    updateTitle();
    return true;
}

bool MainMenu::saveTo(const QString &file)
{
    QString error;
    if (!saveProblemFile(w, file, &error, actionInteger->isChecked())) {
        QMessageBox::warning(&w, tr("Задача не сохранена"), error);
        return false;
    }
    path = QFileInfo(file).absoluteFilePath();
    kept = problem();
    rememberRecent(path);
    updateTitle();
    return true;
}

void MainMenu::rememberRecent(const QString &file)
{
    QStringList files = recentFiles();
    files.removeAll(file);
    files.prepend(file);
    settings().setValue(QLatin1String(kRecentKey), QStringList(files.mid(0, kRecentFiles)));
}

void MainMenu::watchForm()
{
    for (QLineEdit *field : w.list_Z + w.list_A + w.list_L)
        connect(field, &QLineEdit::textChanged, this, &MainMenu::updateTitle, Qt::UniqueConnection);
    if (w.maxmin)
        connect(w.maxmin, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &MainMenu::updateTitle,
                Qt::UniqueConnection);
    updateTitle();
}

// "задача.lp — Двойственный симплекс-метод", with "*" after the file's name
// while the form differs from it; without a file the program's title.
void MainMenu::updateTitle()
{
    if (path.isEmpty()) {
        if (w.isWindowModified())
            w.setWindowModified(false);
        w.setWindowTitle(programTitle());
        return;
    }
    w.setWindowTitle(QFileInfo(path).fileName() + QStringLiteral("[*] — ") + programTitle());
    w.setWindowModified(isModified());
}

void MainMenu::showContextMenu(const QPoint &at)
{
    QMenu menu(&w);
    menu.addAction(actionPractice);
    menu.addAction(actionInteger);
    menu.addAction(actionVariants);
    menu.addSeparator();
    menu.addAction(actionOpen);
    menu.addAction(actionSave);
    menu.addAction(actionSaveAs);
    menu.addSeparator();
    QMenu *recent = menu.addMenu(tr("Недавние задачи"));
    for (const QString &file : recentFiles())
        recent->addAction(QDir::toNativeSeparators(file), this, [this, file] { open(file); });
    recent->setEnabled(!recent->isEmpty());
    QMenu *gallery = menu.addMenu(tr("Примеры"));
    for (const QString &example : examples())
        gallery->addAction(exampleTitle(example), this, [this, example] { openExample(example); });
    menu.addSeparator();
    menu.addAction(actionGuide);
    menu.exec(at);
}
