// The planner on the main window: its button, its window, and showing a planned day's
// place and month in the report.
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <algorithm>
#include <map>
#include <memory>

#include "app/fMain.h"
#include "appcore/MonthYear.h"
#include "appcore/TideSettings.h"
#include "tides/TideTable.h"
#include "ui/dlgPlanner.h"
#include "ui/report/ReportViewer.h"

namespace quintrel {

void fMain::BuildPlannerButton() {
    // The row of controls along the top is full at the smallest window size, so the button
    // sits at the right end of the report's toolbar, apart from the report's own tools.
    auto* spacer = new QWidget(arvReport->ToolBar());
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    arvReport->ToolBar()->addWidget(spacer);
    cmdPlanner = new QPushButton(QStringLiteral("Planner"), arvReport->ToolBar());
    cmdPlanner->setObjectName(QStringLiteral("cmdPlanner"));
    cmdPlanner->setAutoDefault(false);
    cmdPlanner->setToolTip(QStringLiteral("The best days ahead at your places"));
    arvReport->ToolBar()->addWidget(cmdPlanner);
    ChainTabOrder();
    connect(cmdPlanner, &QPushButton::clicked, this, &fMain::cmdPlanner_Click);
}

void fMain::cmdPlanner_Click() {
    if (plannerWindow_ == nullptr) {
        PlannerServices services;
        services.settings = services_.settings;
        services.messages = services_.messages;
        services.saveDialog = &cdPrintSetup;
        services.places = &places_;
        services.shownMonthYear = [this] {
            return std::pair{state_.CurrentMonth, state_.CurrentYear};
        };
        services.showPlaceMonth = [this](const std::string& record, std::int16_t month,
                                         std::int16_t year, std::int16_t day) {
            return ShowPlaceMonth(record, month, year, day);
        };
        services.today = [this] {
            return PlanDateKey(services_.thisYear(), services_.thisMonth(), services_.thisDay());
        };
        services.timeText = [this] { return services_.clockTexts().timeText; };
        services.dateText = [this] { return services_.clockTexts().dateText; };
        services.tideTimes = [this]() -> TideTimesSource {
            const std::shared_ptr<const tides::TideDatabase> tideData = TideData();
            if (!tideData) {
                return {};
            }
            // The kept choices are read here, on the window's thread, for the workers.
            std::map<std::string, std::string> kept;
            for (const std::string& record : places_.Locations) {
                kept[record] = LoadKeptStation(*services_.settings, record);
            }
            return tides::PlanTideTimes(
                tideData, [kept = std::move(kept)](const std::string& record) {
                    const auto found = kept.find(record);
                    return found == kept.end() ? std::string() : found->second;
                });
        };
        // A window of its own, not one kept above the main window: a double-clicked day's
        // month must be seen in the main window. It goes with the main window, and never
        // keeps the program running on its own.
        plannerWindow_ = new dlgPlanner(services, nullptr);
        plannerWindow_->setAttribute(Qt::WA_QuitOnClose, false);
        connect(this, &QObject::destroyed, [planner = plannerWindow_] { delete planner; });
    } else {
        plannerWindow_->Prepare();
    }
    plannerWindow_->show();
    plannerWindow_->raise();
    plannerWindow_->activateWindow();
}

bool fMain::ShowPlaceMonth(const std::string& record, std::int16_t month, std::int16_t year,
                           std::int16_t day) {
    const auto found = std::find(places_.Locations.begin(), places_.Locations.end(), record);
    if (found == places_.Locations.end() || month < 1 || month > 12 ||
        StartingYear(year, services_.thisYear()) != year) {
        return false;
    }
    cboPlaces->setCurrentIndex(static_cast<int>(found - places_.Locations.begin()));
    cboMonth->setCurrentIndex(month - 1);
    state_.CurrentMonth = month;
    state_.CurrentYear = year;
    txtYear->setText(QString::fromStdString(YearText(year)));
    CalculateMonth(false);
    arvReport->SelectRow(day);
    raise();
    activateWindow();
    return true;
}

}  // namespace quintrel
