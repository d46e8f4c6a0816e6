// SPDX-License-Identifier: GPL-3.0-or-later
// Implements reportfiles.h: the report as a file to hand in.
#include "documents/reportfiles.h"

#include "plane/planedrawing.h"
#include "files/reportlatex.h"
#include "documents/reportpages.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

// The margins of a PDF page, in millimetres.
constexpr double kPageMargin = 20;
// The embedded picture of an HTML file, in pixels.
constexpr int kImageWidth = 600;
constexpr int kImageHeight = 480;

QByteArray planeImagePng(const Course &course)
{
    QImage image(kImageWidth, kImageHeight, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setFont(QGuiApplication::font());
    paintPlane(painter, QRectF(0, 0, kImageWidth, kImageHeight), course);
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

QByteArray pdfReport(const ReportContent &content)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(reportPageLayout());
    writer.setTitle(reporttext::tr("Двойственный симплекс-метод: ") + problemLines(content.view).first());
    writer.setCreator(QStringLiteral("dual-simplex"));
    paintReportPages(&writer, content);
    return pdf;
}

QByteArray reportBytes(ReportFormat format, const ReportContent &content)
{
    switch (format) {
    case ReportFormat::Pdf:
        return pdfReport(content);
    case ReportFormat::Html:
        return htmlReportFile(content);
    case ReportFormat::Text:
        return copyOfReport(content).text.toUtf8();
    case ReportFormat::Latex:
        return latexOfReport(content, true).toUtf8();
    }
    return QByteArray();
}

} // namespace

QPageLayout reportPageLayout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(kPageMargin, kPageMargin, kPageMargin, kPageMargin), QPageLayout::Millimeter);
}

std::optional<ReportFormat> reportFormatOf(const QString &path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension == QLatin1String("pdf"))
        return ReportFormat::Pdf;
    if (extension == QLatin1String("html") || extension == QLatin1String("htm"))
        return ReportFormat::Html;
    if (extension == QLatin1String("txt"))
        return ReportFormat::Text;
    if (extension == QLatin1String("tex"))
        return ReportFormat::Latex;
    return std::nullopt;
}

QString reportFormatExtension(ReportFormat format)
{
    switch (format) {
    case ReportFormat::Pdf:
        return QStringLiteral("pdf");
    case ReportFormat::Html:
        return QStringLiteral("html");
    case ReportFormat::Text:
        return QStringLiteral("txt");
    case ReportFormat::Latex:
        return QStringLiteral("tex");
    }
    return QString();
}

QByteArray htmlReportFile(const ReportContent &content)
{
    QString html = copyOfReport(content).html;
    const QString title = QStringLiteral("<title>") + reporttext::tr("Двойственный симплекс-метод").toHtmlEscaped()
                          + QStringLiteral("</title>");
    html.replace(QStringLiteral("</head>"), title + QStringLiteral("</head>"));
    if (hasPlanePicture(*content.picture)) {
        const QString picture = QStringLiteral("<p><img alt=\"%1\" width=\"%2\" height=\"%3\" src=\"data:image/png;base64,%4\"></p>\n")
                                    .arg(reporttext::tr("На плоскости").toHtmlEscaped())
                                    .arg(kImageWidth)
                                    .arg(kImageHeight)
                                    .arg(QString::fromLatin1(planeImagePng(*content.picture).toBase64()));
        html.replace(QStringLiteral("</body>"), picture + QStringLiteral("</body>"));
    }
    return html.toUtf8();
}

bool writeReportFile(const QString &path, const ReportContent &content, QString *error)
{
    const std::optional<ReportFormat> format = reportFormatOf(path);
    if (!format) {
        *error = reporttext::tr("%1: формат отчёта задаётся расширением .pdf, .html, .txt или .tex").arg(path);
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(reportBytes(*format, content)) < 0 || !file.commit()) {
        *error = reporttext::tr("%1: отчёт не сохранён: %2").arg(path, basictext::fileProblem(path, true, file.errorString()));
        return false;
    }
    return true;
}
