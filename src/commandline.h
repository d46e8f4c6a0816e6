// SPDX-License-Identifier: GPL-3.0-or-later
// What the command line asks for besides the window: whether the arguments
// need no display, and the report of a problem file written to standard
// output or to a file, solved and shown with no window at all.
#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include <QString>
#include <QStringList>

// Where the system differs, said once, before the application object is
// made. On Windows: the command line's output reaches the console the
// program was started from (or the file or pipe it was redirected to), as
// UTF-8 and byte for byte as on Linux (no CRLF translation), so do the
// messages; documents made without a window find the system's fonts too; the
// settings are an INI file in the user's application data, as a portable
// program keeps them (no registry). Elsewhere nothing changes.
void prepareForTheSystem();
// Once the application object is made, without a window: on Windows the
// documents' fonts, built into the program, as the Linux build sets them.
void prepareDocumentFonts();

// The exit statuses of the command line.
constexpr int kUsageError = 1;
constexpr int kFileError = 2;

// Whether the arguments (the program's name first) ask for something that
// needs no window: the report on standard output, the help, the version, or
// a usage error. The toolkit's own options (-style, -platform, ...) and
// those the window takes (--integer, --branch) leave the choice to the rest;
// "--" ends the options, and what follows is a file.
bool needsNoDisplay(const QStringList &arguments);

// The views of a report asked for on the command line.
struct ReportRequest {
    QString file;
    bool fractions = false, explain = false, ranging = false, dual = false, html = false;
    bool integer = false; // whole values asked for, whatever the file says
    bool branch = false;  // and found by branch and bound, not by cuts
    QString output; // empty: standard output
};

// What "Копировать отчёт" copies for the problem of the file, in the views
// asked for, on standard output, or the report written to the output file;
// the exit status. A file that cannot be read or written is said on
// standard error.
int printReport(const ReportRequest &request);

struct VariantRequest;

// The variants asked for, written into `folder`, the seed said on standard
// output, and where fewer were found than asked for, how many; the exit
// status (a folder that cannot be written: kFileError).
int writeVariants(const VariantRequest &request, const QString &folder);

#endif // COMMANDLINE_H
