// SPDX-License-Identifier: GPL-3.0-or-later
// The program's entry: the command line read, then the report or the variants
// written with no window, or the main window shown.
#include "commandline.h"
#include "mainwindow/mainmenu.h"
#include "documents/reportfiles.h"
#include "files/variants.h"
#include "mainwindow/translation.h"
#include "mainwindow/widget.h"
#include "reportwindow/reportview.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
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
// Without a window the standard streams are the output: the toolkit's notes
// (on its runtime folder, on the offscreen platform) are left out there, so
// that a script reads only the report or the message about the file.
bool quietToolkit = false;

void holdStartupMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type != QtFatalMsg) {
        if (!quietToolkit || type == QtCriticalMsg)
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

int usageError(const QString &message)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(message));
    std::fprintf(stderr, "%s\n", qPrintable(QCoreApplication::translate("Widget", "Подробнее: dual-simplex --help")));
    return kUsageError;
}

// --variants N [--seed S] [--size NxM] [--kind K] --output DIR: the
// arguments checked, the variants written.
int variantsCommand(const QCommandLineParser &parser, const QCommandLineOption &variants, const QCommandLineOption &seed,
                    const QCommandLineOption &size, const QCommandLineOption &kind, const QCommandLineOption &output,
                    const QCommandLineOption &report, const QStringList &positional)
{
    auto tr = [](const char *text) { return QCoreApplication::translate("Widget", text); };
    if (!parser.isSet(variants))
        return usageError(tr("--seed, --size и --kind задаются только вместе с --variants"));
    if (parser.isSet(report) || !positional.isEmpty())
        return usageError(tr("--variants не задаётся вместе с --report и файлом задачи"));
    if (!parser.isSet(output))
        return usageError(tr("--variants: не задана папка --output"));
    VariantRequest request;
    bool ok = false;
    request.count = parser.value(variants).toInt(&ok);
    if (!ok || request.count < 1 || request.count > kMostVariants)
        return usageError(tr("--variants: число вариантов от 1 до %1, а задано «%2»").arg(kMostVariants).arg(parser.value(variants)));
    if (parser.isSet(size) && !variantSizeOf(parser.value(size), &request.n, &request.m))
        return usageError(tr("--size: размер от 2x2 до 4x8, а задано «%1»").arg(parser.value(size)));
    if (parser.isSet(kind)) {
        const std::optional<VariantKind> asked = variantKindOf(parser.value(kind));
        if (!asked)
            return usageError(tr("--kind: optimum, infeasible, unbounded, integer или mixed, а задано «%1»")
                                  .arg(parser.value(kind)));
        request.kind = *asked;
    }
    request.seed = parser.isSet(seed) ? parser.value(seed).toULongLong(&ok)
                                      : quint64(QDateTime::currentMSecsSinceEpoch());
    if (parser.isSet(seed) && !ok)
        return usageError(tr("--seed: целое неотрицательное число, а задано «%1»").arg(parser.value(seed)));
    return writeVariants(request, parser.value(output));
}

} // namespace

int main(int argc, char *argv[])
{
    prepareForTheSystem();
    programPath = argv[0];
    QStringList arguments;
    for (int k = 0; k < argc; ++k)
        arguments << QString::fromLocal8Bit(argv[k]);
    quietToolkit = needsNoDisplay(arguments);
    if (quietToolkit)
        qputenv("QT_QPA_PLATFORM", "offscreen");
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0)
    // On a high-density screen the fixed-pixel windows scale as a whole, as
    // Qt 6 does by itself; on a 96-dpi screen nothing changes.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
#endif
    qInstallMessageHandler(holdStartupMessage);
    QApplication a(argc, argv);
    qInstallMessageHandler(quietToolkit ? [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    } : QtMessageHandler(nullptr));
    for (const QString &held : heldMessages)
        std::fprintf(stderr, "%s\n", qPrintable(held));
    heldMessages.clear();
    installToolkitTranslation(&a);
    if (quietToolkit)
        prepareDocumentFonts();
    QCoreApplication::setApplicationName(QStringLiteral("dual-simplex"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DUAL_SIMPLEX_VERSION));

    auto tr = [](const char *text) { return QCoreApplication::translate("Widget", text); };
    QCommandLineParser parser;
    parser.setApplicationDescription(tr("Двойственный симплекс-метод: решает задачу линейного программирования "
                                        "и показывает весь ход решения, таблицу за таблицей."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption report(QStringLiteral("report"),
                                    tr("Вывести отчёт о решении задачи из FILE (как «Копировать отчёт») "
                                       "и выйти, без окна."));
    const QCommandLineOption fractions(QStringLiteral("fractions"), tr("В отчёте точные дроби (вид «Дроби»)."));
    const QCommandLineOption explain(QStringLiteral("explain"), tr("В отчёте пояснения (вид «Пояснения»)."));
    const QCommandLineOption html(QStringLiteral("html"), tr("Отчёт в HTML, а не простым текстом."));
    const QCommandLineOption output(QStringLiteral("output"),
                                    tr("Записать отчёт в файл OUT, а не выводить: формат по расширению "
                                       "(.pdf, .html, .txt, .tex)."),
                                    QStringLiteral("OUT"));
    const QCommandLineOption ranging(QStringLiteral("ranging"),
                                     tr("С таблицами устойчивости оптимума (вид «Устойчивость»)."));
    const QCommandLineOption integer(QStringLiteral("integer"),
                                     tr("Целочисленная задача: после нецелого оптимума отсечения Гомори."));
    const QCommandLineOption dual(QStringLiteral("dual"),
                                  tr("С двойственной задачей и двойственной точкой каждой таблицы (вид «Двойственная задача»)."));
    const QCommandLineOption branch(QStringLiteral("branch"),
                                    tr("Целочисленная задача: после нецелого оптимума метод ветвей и границ."));
    parser.addOptions({report, fractions, explain, ranging, dual, html, output, integer, branch});
    const QCommandLineOption variants(QStringLiteral("variants"),
                                      tr("Записать N вариантов задачи с ключом ответов в папку --output и выйти, без окна."),
                                      QStringLiteral("N"));
    const QCommandLineOption seed(QStringLiteral("seed"), tr("Зерно вариантов (по умолчанию — от часов)."),
                                  QStringLiteral("S"));
    const QCommandLineOption size(QStringLiteral("size"), tr("Размер вариантов: от 2x2 до 4x8 (по умолчанию 2x3)."),
                                  QStringLiteral("NxM"));
    const QCommandLineOption kind(QStringLiteral("kind"),
                                  tr("Вид вариантов: optimum, infeasible, unbounded, integer или mixed (по умолчанию "
                                     "optimum)."),
                                  QStringLiteral("K"));
    parser.addOptions({variants, seed, size, kind});
    parser.addPositionalArgument(QStringLiteral("FILE"), tr("Задача в формате LP (файл .lp)."),
                                 QStringLiteral("[FILE]"));
    // The help, the version and a wrong option's message go to the standard
    // streams, as the parser would write them (where it would show a message
    // box instead, on Windows without a console, a script would wait on it).
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(QCoreApplication::applicationName()), qPrintable(parser.errorText()));
        return kUsageError;
    }
    if (parser.isSet(help) || parser.isSet(version)) {
        const QString text = parser.isSet(help) ? parser.helpText()
                                                : QCoreApplication::applicationName() + QLatin1Char(' ')
                                                      + QCoreApplication::applicationVersion() + QLatin1Char('\n');
        std::fputs(qPrintable(text), stdout);
        return std::fflush(stdout) == 0 ? 0 : kFileError;
    }
    parser.process(a); // what is left to the parser: --help-all

    if (parser.isSet(variants) || parser.isSet(seed) || parser.isSet(size) || parser.isSet(kind))
        return variantsCommand(parser, variants, seed, size, kind, output, report, parser.positionalArguments());

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return usageError(tr("задаётся не больше одного файла"));
    const bool reporting = parser.isSet(report);
    if (!reporting && (parser.isSet(fractions) || parser.isSet(explain) || parser.isSet(ranging) || parser.isSet(dual)
                       || parser.isSet(html) || parser.isSet(output)))
        return usageError(tr("--fractions, --explain, --ranging, --dual, --html и --output задаются только вместе с --report"));
    if (parser.isSet(output) && parser.isSet(html))
        return usageError(tr("--html не задаётся вместе с --output: формат файла задаёт его расширение"));
    if (parser.isSet(output) && !reportFormatOf(parser.value(output)))
        return usageError(tr("%1: формат отчёта задаётся расширением .pdf, .html, .txt или .tex").arg(parser.value(output)));
    if (reporting && files.isEmpty())
        return usageError(tr("--report: не задан файл задачи"));
    if (reporting) {
        ReportRequest request;
        request.file = files.first();
        request.fractions = parser.isSet(fractions);
        request.explain = parser.isSet(explain);
        request.ranging = parser.isSet(ranging);
        request.dual = parser.isSet(dual);
        request.html = parser.isSet(html);
        request.integer = parser.isSet(integer);
        request.branch = parser.isSet(branch);
        request.output = parser.value(output);
        return printReport(request);
    }

    Widget w;
    w.setWindowTitle(QStringLiteral("Двойственный симплекс-метод"));
    auto *menu = new MainMenu(w);
    w.show();
    // Opened once the window is up, so that the focus lands in the form.
    if (!files.isEmpty())
        QMetaObject::invokeMethod(menu, [menu, file = files.first()] { menu->open(file); }, Qt::QueuedConnection);
    ReportViews::branchChosen = parser.isSet(branch);
    if (parser.isSet(integer) || parser.isSet(branch)) // after the file, which may say it too
        QMetaObject::invokeMethod(menu, [menu] { menu->setInteger(true); }, Qt::QueuedConnection);
    return a.exec();
}
