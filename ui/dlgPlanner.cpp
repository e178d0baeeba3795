#include "ui/dlgPlanner.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

#include "appcore/Settings.h"
#include "appcore/SettingsStore.h"
#include "astro/CalendarNames.h"
#include "astro/Rating.h"
#include "table/PlanColumns.h"
#include "table/PlanOutput.h"
#include "table/PlanReport.h"
#include "table/TableYears.h"
#include "table/YearView.h"
#include "ui/Exports.h"
#include "ui/MessageBoxes.h"
#include "ui/dlgYearView.h"
#include "ui/report/ReportEngine.h"
#include "ui/report/ReportPdf.h"
#include "ui/report/ReportPrinting.h"

namespace quintrel {

namespace {

constexpr const char* kPlannerSection = "Planner";
const QString kTitle = QStringLiteral("Planner");

}  // namespace

/// The days found, one row each, for the result list.
class PlanListModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetResult(const PlanRequest& request, std::vector<PlanDay> days) {
        beginResetModel();
        names_.clear();
        for (const PlanPlace& place : request.places) {
            names_.push_back(QString::fromStdString(place.name));
        }
        days_ = std::move(days);
        endResetModel();
    }
    const std::vector<PlanDay>& Days() const { return days_; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(days_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(kPlanColumns.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return {};
        }
        const PlanDay& day = days_[static_cast<std::size_t>(index.row())];
        return QString::fromStdString(
            PlanColumnText(day, kPlanColumns[static_cast<std::size_t>(index.column())],
                           names_.value(static_cast<int>(day.placeIndex)).toStdString()));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
            section >= columnCount()) {
            return {};
        }
        const std::string_view heading = kPlanColumns[static_cast<std::size_t>(section)].heading;
        return QString::fromLatin1(heading.data(), static_cast<int>(heading.size()));
    }

  private:
    QStringList names_;
    std::vector<PlanDay> days_;
};

dlgPlanner::dlgPlanner(const PlannerServices& services, QWidget* parent)
    : QDialog(parent), services_(services) {
    setObjectName(QStringLiteral("dlgPlanner"));
    setWindowTitle(QStringLiteral("Planner: the best days ahead"));
    BuildControls();
    PlannerChoices choices;
    choices.weekdays = *ParseWeekdays("weekend");
    choices.daylightMajor = true;
    ReadPlannerChoices(choices, [this](const std::string& key, const std::string& fallback) {
        return services_.settings->Read(kSettingsApplication, kPlannerSection, key, fallback);
    });
    SetChoices(choices);
    Prepare();
    // Its usual size, but never beyond the screen's free area (large text can ask for
    // more than a small screen has).
    QSize size(980, 640);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        size = size.expandedTo(minimumSizeHint()).boundedTo(screen->availableGeometry().size());
    }
    resize(size);
}

dlgPlanner::~dlgPlanner() {
    stop_.request_stop();
    if (worker_.joinable()) {
        worker_.join();
    }
}

void dlgPlanner::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    layout->addLayout(top);

    auto* placeBox = new QGroupBox(QStringLiteral("Places"), this);
    auto* placeLayout = new QVBoxLayout(placeBox);
    placeGroup_ = new QButtonGroup(this);
    const char* placeCaptions[] = {"The place selected in the main window", "The favourites",
                                   "The places ticked below"};
    const char* placeNames[] = {"optSelected", "optFavourites", "optTicked"};
    for (int i = 0; i < 3; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(placeCaptions[i]), placeBox);
        option->setObjectName(QString::fromLatin1(placeNames[i]));
        placeGroup_->addButton(option, i);
        placeLayout->addWidget(option);
    }
    lstPlaces_ = new QListWidget(placeBox);
    lstPlaces_->setObjectName(QStringLiteral("lstPlaces"));
    lstPlaces_->setAccessibleName(QStringLiteral("Places to tick"));
    lstPlaces_->installEventFilter(this);
    placeLayout->addWidget(lstPlaces_);
    auto* tickRow = new QHBoxLayout;
    for (const bool tick : {true, false}) {
        auto* push =
            new QPushButton(tick ? QStringLiteral("Tick All") : QStringLiteral("Clear"), placeBox);
        push->setObjectName(tick ? QStringLiteral("cmdTickAll") : QStringLiteral("cmdClearTicks"));
        push->setAutoDefault(false);
        connect(push, &QPushButton::clicked, this, [this, tick] {
            for (int i = 0; i < lstPlaces_->count(); ++i) {
                lstPlaces_->item(i)->setCheckState(tick ? Qt::Checked : Qt::Unchecked);
            }
            placeGroup_->button(static_cast<int>(PlannerPlaces::Ticked))->setChecked(true);
        });
        tickRow->addWidget(push);
    }
    tickRow->addStretch();
    placeLayout->addLayout(tickRow);
    connect(placeGroup_, &QButtonGroup::idToggled, this,
            [this] { lstPlaces_->setEnabled(placeGroup_->checkedId() == 2); });
    top->addWidget(placeBox, 1);

    auto* filterBox = new QGroupBox(QStringLiteral("Days"), this);
    auto* grid = new QGridLayout(filterBox);
    // Each caption leads to its box (Alt and the underlined letter, and a screen reader's
    // "labelled by"); boxes that share a caption, or have none, carry names of their own.
    auto* lblFrom = new QLabel(QStringLiteral("&From:"), filterBox);
    grid->addWidget(lblFrom, 0, 0);
    cboFromMonth_ = new QComboBox(filterBox);
    cboFromMonth_->setObjectName(QStringLiteral("cboFromMonth"));
    for (std::int16_t month = 1; month <= 12; ++month) {
        cboFromMonth_->addItem(QString::fromStdString(GetMonthName(month, true)));
    }
    spnFromYear_ = new QSpinBox(filterBox);
    spnFromYear_->setObjectName(QStringLiteral("spnFromYear"));
    spnFromYear_->setRange(kFirstTableYear, kLastTableYear);
    lblFrom->setBuddy(cboFromMonth_);
    cboFromMonth_->setAccessibleName(QStringLiteral("From month"));
    spnFromYear_->setAccessibleName(QStringLiteral("From year"));
    chkPast_ = new QCheckBox(QStringLiteral("Include days already past"), filterBox);
    chkPast_->setObjectName(QStringLiteral("chkPast"));
    chkPast_->setToolTip(QStringLiteral("Without it the search starts today"));
    auto* fromRow = new QHBoxLayout;
    fromRow->addWidget(cboFromMonth_);
    fromRow->addWidget(spnFromYear_);
    fromRow->addWidget(chkPast_);
    grid->addLayout(fromRow, 0, 1);

    auto* lblMonths = new QLabel(QStringLiteral("&Months:"), filterBox);
    grid->addWidget(lblMonths, 1, 0);
    spnMonths_ = new QSpinBox(filterBox);
    lblMonths->setBuddy(spnMonths_);
    spnMonths_->setAccessibleName(QStringLiteral("Number of months"));
    spnMonths_->setObjectName(QStringLiteral("spnMonths"));
    spnMonths_->setRange(1, kMaxPlanMonths);
    grid->addWidget(spnMonths_, 1, 1, Qt::AlignLeft);

    auto* lblMinRating = new QLabel(QStringLiteral("&Lowest rating:"), filterBox);
    grid->addWidget(lblMinRating, 2, 0);
    cboMinRating_ = new QComboBox(filterBox);
    lblMinRating->setBuddy(cboMinRating_);
    cboMinRating_->setAccessibleName(QStringLiteral("Lowest rating"));
    cboMinRating_->setObjectName(QStringLiteral("cboMinRating"));
    cboMinRating_->addItem(QStringLiteral("Any"));
    for (const Rating rating : kRatings) {
        cboMinRating_->addItem(QString::fromStdString(RatingLabel(rating)));
    }
    grid->addWidget(cboMinRating_, 2, 1, Qt::AlignLeft);

    grid->addWidget(new QLabel(QStringLiteral("On:"), filterBox), 3, 0);
    auto* dayRow = new QHBoxLayout;
    // Monday first, as a week is planned; the bits count from Sunday.
    for (int i = 0; i < 7; ++i) {
        const int weekday = i == 6 ? 1 : i + 2;
        auto* check = new QCheckBox(
            QString::fromStdString(GetDayName(static_cast<std::int16_t>(weekday)).substr(0, 3)),
            filterBox);
        check->setObjectName(QStringLiteral("chkDay%1").arg(weekday));
        chkDays_[weekday - 1] = check;
        dayRow->addWidget(check);
    }
    grid->addLayout(dayRow, 3, 1);

    chkDaylightMajor_ = new QCheckBox(
        QStringLiteral("A major period from 30 min before sunrise to 30 min after sunset"),
        filterBox);
    chkDaylightMajor_->setObjectName(QStringLiteral("chkDaylightMajor"));
    grid->addWidget(chkDaylightMajor_, 4, 0, 1, 2);
    chkNearSun_ = new QCheckBox(QStringLiteral("A major or minor period within"), filterBox);
    chkNearSun_->setObjectName(QStringLiteral("chkNearSun"));
    spnNearSun_ = new QSpinBox(filterBox);
    spnNearSun_->setObjectName(QStringLiteral("spnNearSun"));
    spnNearSun_->setRange(0, kMaxNearSunMinutes);
    spnNearSun_->setSuffix(QStringLiteral(" min of sunrise or sunset"));
    spnNearSun_->setAccessibleName(QStringLiteral("Minutes from sunrise or sunset"));
    auto* nearRow = new QHBoxLayout;
    nearRow->addWidget(chkNearSun_);
    nearRow->addWidget(spnNearSun_);
    nearRow->addStretch();
    grid->addLayout(nearRow, 5, 0, 1, 2);
    connect(chkNearSun_, &QCheckBox::toggled, spnNearSun_, &QWidget::setEnabled);
    chkNearTide_ = new QCheckBox(QStringLiteral("A major or minor period within"), filterBox);
    chkNearTide_->setObjectName(QStringLiteral("chkNearTide"));
    spnNearTide_ = new QSpinBox(filterBox);
    spnNearTide_->setObjectName(QStringLiteral("spnNearTide"));
    spnNearTide_->setRange(0, kMaxNearTideMinutes);
    spnNearTide_->setSuffix(QStringLiteral(" min of a high or low water (not for navigation)"));
    auto* tideRow = new QHBoxLayout;
    tideRow->addWidget(chkNearTide_);
    tideRow->addWidget(spnNearTide_);
    tideRow->addStretch();
    grid->addLayout(tideRow, 6, 0, 1, 2);
    connect(chkNearTide_, &QCheckBox::toggled, spnNearTide_, &QWidget::setEnabled);

    auto* searchRow = new QHBoxLayout;
    cmdSearch_ = new QPushButton(QStringLiteral("&Search"), filterBox);
    cmdSearch_->setObjectName(QStringLiteral("cmdSearch"));
    cmdSearch_->setDefault(true);
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), filterBox);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    prgSearch_ = new QProgressBar(filterBox);
    prgSearch_->setObjectName(QStringLiteral("prgSearch"));
    prgSearch_->setAccessibleName(QStringLiteral("Search progress"));
    searchRow->addWidget(cmdSearch_);
    searchRow->addWidget(prgSearch_, 1);
    searchRow->addWidget(cmdCancel_);
    grid->addLayout(searchRow, 7, 0, 1, 2);
    grid->setRowStretch(8, 1);
    top->addWidget(filterBox, 2);

    lblResult_ = new QLabel(this);
    lblResult_->setObjectName(QStringLiteral("lblResult"));
    lblResult_->setWordWrap(true);
    layout->addWidget(lblResult_);
    model_ = new PlanListModel(this);
    lstResults_ = new QTableView(this);
    lstResults_->setObjectName(QStringLiteral("lstResults"));
    lstResults_->setAccessibleName(QStringLiteral("Days found"));
    // Tab moves on to the buttons below rather than through every cell; the arrow keys
    // choose a day and Enter shows it, as a double-click does.
    lstResults_->setTabKeyNavigation(false);
    lstResults_->installEventFilter(this);
    lstResults_->setModel(model_);
    lstResults_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstResults_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstResults_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstResults_->verticalHeader()->hide();
    lstResults_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    lstResults_->horizontalHeader()->setStretchLastSection(true);
    // Fitting the columns to tens of thousands of days would measure every one of them.
    lstResults_->horizontalHeader()->setResizeContentsPrecision(200);
    lstResults_->setToolTip(QStringLiteral(
        "Double-click a day, or choose it and press Enter, to show its month in the main window"));
    layout->addWidget(lstResults_, 1);

    auto* buttons = new QHBoxLayout;
    const auto button = [&](const char* name, const QString& caption) {
        auto* push = new QPushButton(caption, this);
        push->setObjectName(QString::fromLatin1(name));
        push->setAutoDefault(false);
        buttons->addWidget(push);
        return push;
    };
    cmdPrint_ = button("cmdPrint", QStringLiteral("&Print..."));
    cmdPdf_ = button("cmdPdf", QStringLiteral("PDF Export"));
    cmdCsv_ = button("cmdCsv", QStringLiteral("CSV Export"));
    cmdYear_ = button("cmdYear", QStringLiteral("&Year at a Glance"));
    buttons->addStretch();
    QPushButton* close = button("cmdClose", QStringLiteral("Close"));
    layout->addLayout(buttons);

    connect(cmdSearch_, &QPushButton::clicked, this, &dlgPlanner::cmdSearch_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &dlgPlanner::cmdCancel_Click);
    connect(cmdPrint_, &QPushButton::clicked, this, &dlgPlanner::cmdPrint_Click);
    connect(cmdPdf_, &QPushButton::clicked, this, &dlgPlanner::cmdPdf_Click);
    connect(cmdCsv_, &QPushButton::clicked, this, &dlgPlanner::cmdCsv_Click);
    connect(cmdYear_, &QPushButton::clicked, this, &dlgPlanner::cmdYear_Click);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(lstResults_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { ShowResult(index.row()); });
    connect(lstResults_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { UpdateButtons(); });
    UpdateButtons();
}

PlannerChoices dlgPlanner::Choices() const {
    PlannerChoices choices;
    choices.places = static_cast<PlannerPlaces>(std::max(0, placeGroup_->checkedId()));
    for (int i = 0; i < lstPlaces_->count(); ++i) {
        if (lstPlaces_->item(i)->checkState() == Qt::Checked) {
            choices.ticked.push_back(lstPlaces_->item(i)->text().toStdString());
        }
    }
    choices.ticked.insert(choices.ticked.end(), tickedElsewhere_.begin(), tickedElsewhere_.end());
    choices.firstMonth = static_cast<std::int16_t>(cboFromMonth_->currentIndex() + 1);
    choices.firstYear = static_cast<std::int16_t>(spnFromYear_->value());
    choices.monthCount = spnMonths_->value();
    choices.minRatingRank = cboMinRating_->currentIndex();
    choices.weekdays = 0;
    for (int bit = 0; bit < 7; ++bit) {
        if (chkDays_[bit]->isChecked()) {
            choices.weekdays = static_cast<WeekdaySet>(choices.weekdays | (1u << bit));
        }
    }
    choices.daylightMajor = chkDaylightMajor_->isChecked();
    choices.nearSun = chkNearSun_->isChecked();
    choices.nearSunMinutes = spnNearSun_->value();
    choices.includePast = chkPast_->isChecked();
    choices.today = services_.today ? services_.today() : 0;
    choices.nearTide = chkNearTide_->isChecked();
    choices.nearTideMinutes = spnNearTide_->value();
    return choices;
}

void dlgPlanner::SetChoices(const PlannerChoices& choices) {
    chkPast_->setChecked(choices.includePast);
    placeGroup_->button(static_cast<int>(choices.places))->setChecked(true);
    lstPlaces_->setEnabled(choices.places == PlannerPlaces::Ticked);
    for (int i = 0; i < lstPlaces_->count(); ++i) {
        QListWidgetItem* item = lstPlaces_->item(i);
        const bool ticked = std::find(choices.ticked.begin(), choices.ticked.end(),
                                      item->text().toStdString()) != choices.ticked.end();
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
    }
    cboFromMonth_->setCurrentIndex(std::clamp<int>(choices.firstMonth, 1, 12) - 1);
    spnFromYear_->setValue(choices.firstYear);
    spnMonths_->setValue(choices.monthCount);
    cboMinRating_->setCurrentIndex(std::clamp(choices.minRatingRank, 0, 4));
    for (int bit = 0; bit < 7; ++bit) {
        chkDays_[bit]->setChecked((choices.weekdays & (1u << bit)) != 0);
    }
    chkDaylightMajor_->setChecked(choices.daylightMajor);
    chkNearSun_->setChecked(choices.nearSun);
    spnNearSun_->setValue(choices.nearSunMinutes);
    spnNearSun_->setEnabled(choices.nearSun);
    chkNearTide_->setChecked(choices.nearTide);
    spnNearTide_->setValue(choices.nearTideMinutes);
    spnNearTide_->setEnabled(choices.nearTide);
    // A ticked place missing from the list (not loaded yet, or renamed since) stays ticked
    // in the saved choices, and comes back ticked if it returns.
    tickedElsewhere_.clear();
    for (const std::string& name : choices.ticked) {
        if (lstPlaces_->findItems(QString::fromStdString(name), Qt::MatchExactly).isEmpty()) {
            tickedElsewhere_.push_back(name);
        }
    }
}

void dlgPlanner::Prepare() {
    PlannerChoices choices = Choices();
    lstPlaces_->clear();
    if (services_.places != nullptr) {
        for (const std::string& record : services_.places->Locations) {
            // Ticks are kept by name, so a place kept twice is one line here too.
            const QString name = QString::fromStdString(PlannerPlaceName(record));
            if (!lstPlaces_->findItems(name, Qt::MatchExactly).isEmpty()) {
                continue;
            }
            auto* item = new QListWidgetItem(name, lstPlaces_);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
    }
    if (services_.shownMonthYear) {
        const auto [month, year] = services_.shownMonthYear();
        choices.firstMonth = month;
        choices.firstYear = year;
    }
    SetChoices(choices);
}

void dlgPlanner::SaveChoices() {
    WritePlannerChoices(Choices(), [this](const std::string& key, const std::string& text) {
        services_.settings->Write(kSettingsApplication, kPlannerSection, key, text);
    });
}

const std::vector<PlanDay>& dlgPlanner::Days() const {
    return model_->Days();
}

void dlgPlanner::cmdSearch_Click() {
    if (Searching()) {
        return;
    }
    std::string problem;
    const int selected = services_.places ? services_.places->LocationIndex : -1;
    static const LocationState noPlaces;
    PlanRequest request = PlannerRequest(
        Choices(), services_.places ? services_.places->Locations : noPlaces.Locations, selected,
        problem);
    if (!problem.empty()) {
        services_.messages->Exclamation(kTitle, QString::fromStdString(problem), this);
        return;
    }
    SaveChoices();
    TideTimesSource tideTimes;
    if (request.filters.nearTideMinutes && services_.tideTimes) {
        tideTimes = services_.tideTimes();  // opens the tide data on first use
    }
    if (worker_.joinable()) {
        worker_.join();
    }
    request.monthOptions.transitPeriods =
        services_.settings && LoadTransitPeriods(*services_.settings);
    request_ = request;
    model_->SetResult(request_, {});
    lblResult_->setText(QStringLiteral("Searching %1 for %2 ...")
                            .arg(QString::fromStdString(PlanMonthsText(request_)))
                            .arg(request_.places.size() == 1
                                     ? QString::fromStdString(request_.places.front().name)
                                     : QStringLiteral("%1 places").arg(request_.places.size())));
    prgSearch_->setRange(0, static_cast<int>(request_.places.size()) * request_.monthCount);
    prgSearch_->setValue(0);
    stop_ = std::stop_source();
    finished_ = false;
    UpdateButtons();
    worker_ = std::jthread([this, request = std::move(request), stop = stop_.get_token(),
                            tideTimes = std::move(tideTimes)] {
        auto result = std::make_shared<PlanResult>();
        QString error;
        try {
            PlanRun run;
            run.stop = stop;
            run.tideTimes = tideTimes;
            run.progress = [this](int done, int) {
                QMetaObject::invokeMethod(
                    this, [this, done] { prgSearch_->setValue(done); }, Qt::QueuedConnection);
            };
            *result = RunPlan(request, run);
        } catch (const std::exception& failure) {
            error = QString::fromStdString(failure.what());
        }
        QMetaObject::invokeMethod(
            this, [this, result, error] { SearchFinished(result, error); }, Qt::QueuedConnection);
    });
}

void dlgPlanner::SearchFinished(std::shared_ptr<PlanResult> result, const QString& error) {
    finished_ = true;
    if (!error.isEmpty()) {
        lblResult_->setText(QStringLiteral("The search stopped: ") + error);
        services_.messages->Exclamation(kTitle, error, this);
    } else if (result->cancelled) {
        lblResult_->setText(QStringLiteral("The search was cancelled."));
        UpdateButtons();
        return;
    } else if (result->days.empty()) {
        lblResult_->setText(QString::fromStdString(NothingFoundText(request_)));
    } else {
        const std::size_t count = result->days.size();
        lblResult_->setText(QStringLiteral("%1 %2 from %3 with %4. Double-click a day to see its "
                                           "month.")
                                .arg(count)
                                .arg(count == 1 ? QStringLiteral("day") : QStringLiteral("days"))
                                .arg(QString::fromStdString(PlanMonthsText(request_)))
                                .arg(QString::fromStdString(PlanFiltersText(request_.filters))));
        model_->SetResult(request_, std::move(result->days));
        lstResults_->resizeColumnsToContents();
    }
    if (error.isEmpty() && !result->placesWithoutTides.empty()) {
        QString names;
        for (const std::size_t place : result->placesWithoutTides) {
            names += (names.isEmpty() ? QString() : QStringLiteral("; ")) +
                     QString::fromStdString(request_.places[place].name);
        }
        lblResult_->setText(lblResult_->text() +
                            QStringLiteral(" Skipped, no tide station within 100 km: ") + names +
                            QLatin1Char('.'));
    }
    UpdateButtons();
}

void dlgPlanner::cmdCancel_Click() {
    stop_.request_stop();
}

void dlgPlanner::WaitForSearch() {
    while (Searching()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

void dlgPlanner::UpdateButtons() {
    const bool searching = Searching();
    const bool any = !model_->Days().empty();
    cmdSearch_->setEnabled(!searching);
    cmdCancel_->setEnabled(searching);
    prgSearch_->setVisible(searching);
    cmdPrint_->setEnabled(any && !searching);
    cmdPdf_->setEnabled(any && !searching);
    cmdCsv_->setEnabled(any && !searching);
    cmdYear_->setEnabled(!searching);
}

int dlgPlanner::ChosenRow() const {
    const QModelIndexList rows = lstResults_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void dlgPlanner::ShowResult(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= Days().size() || !services_.showPlaceMonth) {
        return;
    }
    const PlanDay& day = Days()[static_cast<std::size_t>(row)];
    const PlanPlace& place = request_.places[day.placeIndex];
    if (!services_.showPlaceMonth(place.record, day.month, day.year, day.row.Day)) {
        services_.messages->Exclamation(
            kTitle,
            QStringLiteral("%1 is no longer in the place list, or its year cannot be shown in the "
                           "main window.")
                .arg(QString::fromStdString(place.name)),
            this);
    }
}

bool dlgPlanner::ListFitsAReport() {
    if (Days().size() <= kMaxPlanReportDays) {
        return true;
    }
    services_.messages->Exclamation(
        kTitle,
        QStringLiteral("The list holds %1 days, more than the %2 a printed list or PDF takes. "
                       "Narrow the search (fewer places or months, a higher rating) or use CSV "
                       "Export.")
            .arg(Days().size())
            .arg(kMaxPlanReportDays),
        this);
    return false;
}

void dlgPlanner::cmdPrint_Click() {
    if (!ListFitsAReport()) {
        return;
    }
    PlanReport report(request_, Days());
    try {
        const ReportDocument document = RunReport(report);
        if (PrintWithDialog(document, this) == PrintOutcome::Failed) {
            services_.messages->Exclamation(kTitle,
                                            QStringLiteral("The list could not be printed."), this);
        }
    } catch (const std::exception& error) {
        services_.messages->Exclamation(kTitle, QString::fromStdString(error.what()), this);
    }
}

void dlgPlanner::cmdPdf_Click() {
    if (!ListFitsAReport()) {
        return;
    }
    ExportPdf(
        *services_.saveDialog, *services_.messages,
        [this](const std::string& path) {
            PlanReport report(request_, Days());
            WritePdf(RunReport(report), QString::fromStdString(path));
        },
        nullptr, this);
}

void dlgPlanner::cmdCsv_Click() {
    const std::string time = services_.timeText ? services_.timeText() : std::string();
    const std::string date = services_.dateText ? services_.dateText() : std::string();
    ExportCsv(*services_.saveDialog, *services_.messages,
              BuildPlanCsv(request_, Days(), time, date), nullptr, this);
}

void dlgPlanner::cmdYear_Click() {
    // The chosen day's place and year; without one, the first place the choices name.
    std::string record;
    std::string name;
    std::int16_t year = static_cast<std::int16_t>(spnFromYear_->value());
    const int row = ChosenRow();
    if (row >= 0) {
        const PlanDay& day = Days()[static_cast<std::size_t>(row)];
        record = request_.places[day.placeIndex].record;
        name = request_.places[day.placeIndex].name;
        year = day.year;
    } else {
        std::string problem;
        const PlanRequest request = PlannerRequest(Choices(), services_.places->Locations,
                                                   services_.places->LocationIndex, problem);
        if (request.places.empty()) {
            services_.messages->Exclamation(kTitle, QString::fromStdString(problem), this);
            return;
        }
        record = request.places.front().record;
        name = request.places.front().name;
    }
    try {
        const YearSheet sheet = BuildYearSheet(record, name, year);
        auto* window = new dlgYearView(*services_.saveDialog, *services_.messages, this);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->ShowSheet(sheet);
        window->show();
    } catch (const std::exception& error) {
        services_.messages->Exclamation(kTitle, QString::fromStdString(error.what()), this);
    }
}

bool dlgPlanner::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstResults_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const int row = lstResults_->currentIndex().row();
        // Without this the dialog would take Enter for its default button, Search.
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && row >= 0) {
            ShowResult(row);
            return true;
        }
    }
    if (watched != lstPlaces_ || event->type() != QEvent::KeyPress) {
        return QDialog::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.isEmpty() || !text.front().isPrint() ||
        (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        return false;
    }
    const bool continuing = !typed_.isEmpty() && typedTimer_.isValid() &&
                            typedTimer_.elapsed() < QApplication::keyboardInputInterval();
    if (text == QStringLiteral(" ") && !continuing) {
        return false;  // Space on its own ticks the place, as in any list of check boxes
    }
    typed_ = continuing ? typed_ + text : text;
    typedTimer_.start();
    for (int i = 0; i < lstPlaces_->count(); ++i) {
        if (lstPlaces_->item(i)->text().contains(typed_, Qt::CaseInsensitive)) {
            lstPlaces_->setCurrentRow(i);
            break;
        }
    }
    return true;
}

void dlgPlanner::done(int result) {
    stop_.request_stop();
    WaitForSearch();
    SaveChoices();
    QDialog::done(result);
}

}  // namespace quintrel
