#include <QApplication>
#include <QDate>
#include <clocale>
#include <ctime>

#include "app/DesktopServices.h"
#include "app/MainWindowServices.h"
#include "app/mMain.h"
#include "astro/CoreError.h"
#include "gazetteer/GeonamesGazetteer.h"
#include "locations/AppPaths.h"
#include "ui/QtMessageBoxes.h"
#include "ui/QtOpenFileDialog.h"
#include "ui/QtProgramStarter.h"
#include "ui/QtSaveFileDialog.h"
#include "ui/QtSettingsStore.h"
#include "ui/dlgCalendarOptions.h"
#include "ui/dlgThanks.h"
#include "ui/fAbout.h"
#include "ui/report/Accessible.h"
#include "ui/report/ReportPictures.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quintrel"));
    QApplication::setWindowIcon(quintrel::ProgramIcon());
    quintrel::InstallAccessibleInterfaces();
    // The place window's town search needs every town read and folded (a few hundred
    // milliseconds): read them now, beside the start, so its first keystroke finds them.
    quintrel::GeonamesGazetteer::StartReading();
    // The CSV preamble's clock texts follow the user's LC_TIME, as in quintrel-table.
    std::setlocale(LC_TIME, "");

    quintrel::QtSettingsStore settings;
    quintrel::QtMessageBoxes messages;
    quintrel::QtSaveFileDialog saveDialog;
    quintrel::QtOpenFileDialog openDialog;
    quintrel::QtProgramStarter programStarter;

    quintrel::MainWindowServices services;
    services.settings = &settings;
    services.messages = &messages;
    services.cdPrintSetup = &saveDialog;
    services.openDialog = &openDialog;
    services.programStarter = &programStarter;
    try {
        services.placeDirectory = quintrel::PreparePlaceDirectory(
            quintrel::AppDirectory(QCoreApplication::applicationFilePath().toStdString()));
    } catch (const quintrel::CoreError& error) {
        // Without a folder for the places there is nothing to show; say why before closing.
        messages.Critical(QStringLiteral("Place File Error"),
                          QString::fromStdString(error.what()) +
                              QStringLiteral("\r\nQuintrel cannot start without its list of "
                                             "places and will now close."),
                          nullptr);
        return 1;
    }
    services.thisYear = [] { return static_cast<std::int16_t>(QDate::currentDate().year()); };
    services.thisMonth = [] { return static_cast<std::int16_t>(QDate::currentDate().month()); };
    services.thisDay = [] { return static_cast<std::int16_t>(QDate::currentDate().day()); };
    services.locationForm = quintrel::RealLocationForm();
    services.showAbout = [](QWidget* parent) { quintrel::fAbout::ShowModal(parent); };
    services.showThanks = [](QWidget* parent) { quintrel::dlgThanks::ShowModal(parent); };
    services.clockTexts = [] { return quintrel::LocalClockTexts(std::time(nullptr)); };
    services.calendarOptions = quintrel::dlgCalendarOptions::Ask;
    return quintrel::Main(services);
}
