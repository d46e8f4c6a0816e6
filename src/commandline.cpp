// SPDX-License-Identifier: GPL-3.0-or-later
// Implements commandline.h: what the command line asks for besides the
// window.
#include "commandline.h"

#include "method/basictext.h"
#include "method/branches.h"
#include "files/lpfile.h"
#include "documents/reportfiles.h"
#include "state/reportstate.h"
#include "method/solve.h"
#include "documents/variantfiles.h"

#include <QSettings>

#ifdef Q_OS_WIN
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QTextCodec>
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

#include <cstdio>

void prepareForTheSystem()
{
#ifdef Q_OS_WIN
    // A program of the window subsystem starts with no console: where its
    // output was not redirected, it goes to the console it was started from.
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if ((out == nullptr || out == INVALID_HANDLE_VALUE) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
    }
    SetConsoleOutputCP(CP_UTF8);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // Every message and the parser's help in UTF-8, never the local 8-bit
    // code page (which has no letters for most of the program's texts).
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    // Without a window the toolkit looks for fonts in its own folder only.
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR"))
        qputenv("QT_QPA_FONTDIR", qgetenv("WINDIR") + "\\Fonts");
    QSettings::setDefaultFormat(QSettings::IniFormat);
#endif
}

void prepareDocumentFonts()
{
#ifdef Q_OS_WIN
    for (const char *face : {"DejaVuSans", "DejaVuSans-Bold", "DejaVuSans-Oblique", "DejaVuSans-BoldOblique"})
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/%1.ttf").arg(QLatin1String(face)));
    QFont font = QGuiApplication::font();
    font.setFamily(QStringLiteral("DejaVu Sans"));
    QGuiApplication::setFont(font);
#endif
}

bool needsNoDisplay(const QStringList &arguments)
{
    static const QStringList toolkitOptions = {
        "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
        "qwindowtitle", "reverse", "session", "style", "stylesheet", "widgetcount", "display", "geometry",
        "title", "name", "visual", "ncols", "cmap", "graphicssystem", "nograb", "dograb", "sync",
        "qmljsdebugger", "testability", "dialogs", "fontengine", "fn", "font", "bg", "background", "fg",
        "foreground", "btn", "button", "im", "inputstyle", "qdebug"};
    // The program's own options that the window takes too.
    static const QStringList windowOptions = {"integer", "branch"};
    for (int k = 1; k < arguments.size(); ++k) {
        QString option = arguments[k];
        if (option == QLatin1String("--"))
            return false;
        if (!option.startsWith(QLatin1Char('-')) || option == QLatin1String("-"))
            continue;
        while (option.startsWith(QLatin1Char('-')))
            option.remove(0, 1);
        const QString name = option.section(QLatin1Char('='), 0, 0);
        if (!toolkitOptions.contains(name) && !windowOptions.contains(name))
            return true;
    }
    return false;
}

namespace {

void printError(const QString &message)
{
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
}

} // namespace

int printReport(const ReportRequest &request)
{
    LpError refusal;
    const std::optional<ProblemTexts> problem = readProblemFile(request.file, &refusal);
    if (!problem) {
        printError(fileErrorMessage(request.file, refusal));
        return kFileError;
    }
    ProblemTexts texts = *problem;
    texts.integer = (texts.integer || request.integer) && !request.branch;
    ReportState state;
    state.course = solveCourse(texts);
    if (request.branch && branchesUnavailable(state.course).isEmpty())
        continueWithBranches(state.course);
    state.fractions = request.fractions;
    state.explanations = request.explain;
    state.ranging = request.ranging;
    state.dual = request.dual;
    const ReportModel report(std::move(state));
    const ReportContent content = report.content();
    if (!request.output.isEmpty()) {
        QString error;
        if (!writeReportFile(request.output, content, &error)) {
            printError(error);
            return kFileError;
        }
        return 0;
    }
    const ReportCopy copy = copyOfReport(content);
    const QByteArray text = (request.html ? copy.html : copy.text).toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : kFileError;
}

int writeVariants(const VariantRequest &request, const QString &folder)
{
    std::printf("%s\n", basictext::tr("Зерно: %1").arg(request.seed).toUtf8().constData());
    const std::vector<Variant> variants = generateVariants(request);
    if (int(variants.size()) < request.count)
        std::printf("%s\n", basictext::tr("Найдено только %1 различных вариантов из %2: размер и вид задачи больше не "
                                          "дают").arg(variants.size()).arg(request.count).toUtf8().constData());
    QString error;
    if (!writeVariantFiles(folder, request, variants, &error)) {
        printError(error);
        return kFileError;
    }
    std::printf("%s\n", basictext::tr("Записано вариантов: %1 в %2").arg(variants.size()).arg(folder).toUtf8().constData());
    return std::fflush(stdout) == 0 ? 0 : kFileError;
}
