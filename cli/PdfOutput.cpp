#include "cli/PdfOutput.h"

#include <QGuiApplication>
#include <QString>
#include <cstdio>
#include <memory>

#include "astro/CoreError.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"
#include "table/PlanReport.h"
#include "table/arReport.h"
#include "ui/report/ReportEngine.h"
#include "ui/report/ReportPdf.h"
#include "ui/report/YearViewDocument.h"

namespace quintrel::cli {

namespace {

// Qt's own chatter (a missing runtime directory on a headless machine, font notices) is no
// business of a script's standard error; real failures come back as exceptions.
QtMessageHandler previousHandler = nullptr;

void QuietQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type != QtCriticalMsg && type != QtFatalMsg)
        return;
    if (previousHandler) {
        previousHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(message));
    }
}

}  // namespace

// Fonts, pictures and the PDF writer need a QGuiApplication. The command line runs in
// scripts and over ssh, so it always uses the offscreen platform unless the caller chose
// one: a display that is set but unreachable would otherwise abort the program.
void EnsureGuiApplication() {
    if (QGuiApplication::instance())
        return;
    previousHandler = qInstallMessageHandler(QuietQtMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "quintrel-table";
    static char* argv[] = {name, nullptr};
    // Lives until the process ends; destroying it during static destruction is not safe.
    static QGuiApplication* application = new QGuiApplication(argc, argv);
    (void)application;
}

ReportPdfStream::ReportPdfStream(const std::string& path, const std::string& record,
                                 const MonthTable& last)
    : path_(path), record_(record) {
    EnsureGuiApplication();
    placeText_ = Cp1252ToUtf8(LocationDisplayText(record));
    std::unique_ptr<arReport> report = NewMonthReport(last, record_, placeText_);
    lastTitle_ = RunReport(*report, DefaultPageSetup()).title.toStdString();
}

ReportPdfStream::~ReportPdfStream() = default;

void ReportPdfStream::Add(const MonthTable& table) {
    std::unique_ptr<arReport> report = NewMonthReport(table, record_, placeText_);
    const ReportDocument document = RunReport(*report, DefaultPageSetup());
    if (!stream_) {
        stream_ = std::make_unique<PdfStream>(
            QString::fromStdString(path_),
            SpanTitle(document.title, QString::fromStdString(lastTitle_)));
    }
    stream_->Add(document);
}

void ReportPdfStream::Finish() {
    if (!stream_) {
        throw CoreError("No month to write to " + path_);
    }
    stream_->Finish();
}

void WriteReportPdf(const std::string& path, const std::vector<quintrel::MonthTable>& tables,
                    const std::string& record) {
    if (tables.empty()) {
        throw CoreError("No month to write to " + path);
    }
    ReportPdfStream stream(path, record, tables.back());
    for (const MonthTable& table : tables) {
        stream.Add(table);
    }
    stream.Finish();
}

void WritePlanPdf(const std::string& path, const quintrel::PlanRequest& request,
                  const std::vector<quintrel::PlanDay>& days) {
    if (days.size() > kMaxPlanReportDays) {
        throw CoreError("The list holds " + std::to_string(days.size()) + " days, more than the " +
                        std::to_string(kMaxPlanReportDays) +
                        " a PDF takes: narrow the search or use --format csv");
    }
    EnsureGuiApplication();
    PlanReport report(request, days);
    quintrel::WritePdf(RunReport(report, DefaultPageSetup()), QString::fromStdString(path));
}

void WriteYearViewPdf(const std::string& path, const quintrel::YearSheet& sheet) {
    EnsureGuiApplication();
    quintrel::WritePdf(YearViewDocument(sheet, DefaultPageSetup()), QString::fromStdString(path));
}

}  // namespace quintrel::cli
