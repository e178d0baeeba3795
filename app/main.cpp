#include <QApplication>
#include <QDate>
#include <clocale>
#include <ctime>

#include "app/DesktopServices.h"
#include "app/MainWindowServices.h"
#include "app/mMain.h"
#include "locations/AppPaths.h"
#include "ui/QtMessageBoxes.h"
#include "ui/QtProgramStarter.h"
#include "ui/QtSaveFileDialog.h"
#include "ui/QtSettingsStore.h"
#include "ui/dlgThanks.h"
#include "ui/fAbout.h"
#include "ui/report/ReportPictures.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quintrel"));
    QApplication::setWindowIcon(quintrel::ProgramIcon());
    // The CSV preamble's clock texts follow the user's LC_TIME, as in quintrel-table.
    std::setlocale(LC_TIME, "");

    quintrel::QtSettingsStore settings;
    quintrel::QtMessageBoxes messages;
    quintrel::QtSaveFileDialog saveDialog;
    quintrel::QtProgramStarter programStarter;

    quintrel::MainWindowServices services;
    services.settings = &settings;
    services.messages = &messages;
    services.cdPrintSetup = &saveDialog;
    services.programStarter = &programStarter;
    services.programDirectory =
        quintrel::AppDirectory(QCoreApplication::applicationFilePath().toStdString());
    services.thisYear = [] { return static_cast<std::int16_t>(QDate::currentDate().year()); };
    services.thisMonth = [] { return static_cast<std::int16_t>(QDate::currentDate().month()); };
    services.locationForm = quintrel::RealLocationForm();
    services.showAbout = [](QWidget* parent) { quintrel::fAbout::ShowModal(parent); };
    services.showThanks = [](QWidget* parent) { quintrel::dlgThanks::ShowModal(parent); };
    services.clockTexts = [] { return quintrel::LocalClockTexts(std::time(nullptr)); };
    return quintrel::Main(services);
}
