#include "ui/dlgLog.h"

#include <QAbstractTableModel>
#include <QComboBox>
#include <QDateTime>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <unordered_map>

#include "appcore/Settings.h"
#include "appcore/SettingsStore.h"
#include "appcore/TideSettings.h"
#include "astro/CoreError.h"
#include "locations/Encoding.h"
#include "locations/LocationRecord.h"
#include "locations/PlaceMatch.h"
#include "log/LogCsv.h"
#include "log/LogFiles.h"
#include "log/LogStatistics.h"
#include "log/LogTides.h"
#include "table/DayPicture.h"
#include "ui/Exports.h"
#include "ui/MessageBoxes.h"
#include "ui/OpenFileDialog.h"
#include "ui/dlgDayPicture.h"
#include "ui/dlgLogCatch.h"
#include "ui/dlgLogCharts.h"
#include "ui/dlgLogOuting.h"
#include "ui/report/LogDocument.h"
#include "ui/report/ReportPdf.h"
#include "ui/report/ReportPrinting.h"

namespace quintrel {

using namespace logbook;

namespace {

const QString kTitle = QStringLiteral("Log");
constexpr const char* kLogSection = "Log";

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace

/// The outings under a filter. Only their ids are read at once (a few bytes each); the
/// rows are read from the log a block at a time as the list scrolls to them, so a log of
/// 100,000 outings lists at once and scrolls smoothly.
class OutingListModel : public QAbstractTableModel {
  public:
    OutingListModel(LogDatabase& database, QObject* parent)
        : QAbstractTableModel(parent), database_(database) {}

    void SetFilter(const LogFilter& filter) {
        beginResetModel();
        ids_ = database_.OutingIds(filter);
        blocks_.clear();
        endResetModel();
    }
    /// Forgets the rows read, after a change of the log that keeps the list's ids.
    void Reread() {
        blocks_.clear();
        if (!ids_.empty()) {
            emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
        }
    }
    std::int64_t IdAt(int row) const {
        return row >= 0 && row < rowCount() ? ids_[static_cast<std::size_t>(row)] : 0;
    }
    int RowOf(std::int64_t id) const {
        const auto found = std::find(ids_.begin(), ids_.end(), id);
        return found == ids_.end() ? -1 : static_cast<int>(found - ids_.begin());
    }
    const OutingRow* RowAt(int row) const {
        if (row < 0 || row >= rowCount()) {
            return nullptr;
        }
        const int block = row / kBlock;
        auto found = blocks_.find(block);
        if (found == blocks_.end()) {
            if (blocks_.size() > kBlocksKept) {
                blocks_.clear();
            }
            const std::size_t first = static_cast<std::size_t>(block) * kBlock;
            const std::size_t count = std::min<std::size_t>(kBlock, ids_.size() - first);
            std::vector<OutingRow> rows =
                database_.OutingsById(std::span(ids_).subspan(first, count));
            // An outing deleted by another program meanwhile leaves a gap: keep the rows in
            // step with the ids.
            std::vector<OutingRow> aligned(count);
            std::size_t next = 0;
            for (std::size_t i = 0; i < count && next < rows.size(); ++i) {
                if (rows[next].outing.id == ids_[first + i]) {
                    aligned[i] = std::move(rows[next++]);
                }
            }
            found = blocks_.emplace(block, std::move(aligned)).first;
        }
        return &found->second[static_cast<std::size_t>(row % kBlock)];
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(ids_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 7;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return {};
        }
        const OutingRow* row = RowAt(index.row());
        if (row == nullptr || row->outing.id == 0) {
            return {};
        }
        const Outing& outing = row->outing;
        switch (index.column()) {
            case 0:
                return Text(outing.date);
            case 1:
                return Text(outing.start);
            case 2:
                return Text(outing.end);
            case 3:
                return Text(PlaceNameOfRecord(outing.record));
            case 4:
                return outing.kind == OutingKind::Fishing ? QStringLiteral("Fishing")
                                                          : QStringLiteral("Hunting");
            case 5:
                return row->catchCount;
            default:
                return Text(outing.notes).replace(QLatin1Char('\n'), QLatin1Char(' '));
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const headings[] = {"Date", "Start",   "End",  "Place",
                                               "Kind", "Catches", "Notes"};
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
            section >= 7) {
            return {};
        }
        return QString::fromLatin1(headings[section]);
    }

  private:
    static constexpr int kBlock = 200;
    static constexpr std::size_t kBlocksKept = 50;
    LogDatabase& database_;
    std::vector<std::int64_t> ids_;
    mutable std::unordered_map<int, std::vector<OutingRow>> blocks_;
};

/// The catches of one outing.
class CatchListModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetCatches(std::vector<Catch> catches, const LogUnits& units) {
        beginResetModel();
        catches_ = std::move(catches);
        units_ = units;
        endResetModel();
    }
    const std::vector<Catch>& Catches() const { return catches_; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(catches_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 10;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return {};
        }
        const Catch& entry = catches_[static_cast<std::size_t>(index.row())];
        switch (index.column()) {
            case 0:
                return Text(entry.time);
            case 1:
                return Text(entry.species);
            case 2:
                return entry.count;
            case 3:
                return LengthText(entry.lengthCm, units_);
            case 4:
                return WeightText(entry.weightKg, units_);
            case 5:
                return entry.released ? QStringLiteral("yes") : QString();
            case 6:
                return Text(entry.method);
            case 7:
                return entry.latitude && entry.longitude
                           ? Text(DecimalText(*entry.latitude) + ", " +
                                  DecimalText(*entry.longitude))
                           : QString();
            case 8:
                return Text(entry.photo);
            default:
                return Text(entry.notes).replace(QLatin1Char('\n'), QLatin1Char(' '));
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        static const char* const headings[] = {"Time",   "Species",  "Count",  "Length",
                                               "Weight", "Released", "Method", "Position",
                                               "Photo",  "Notes"};
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
            section >= 10) {
            return {};
        }
        return QString::fromLatin1(headings[section]);
    }

  private:
    std::vector<Catch> catches_;
    LogUnits units_;
};

dlgLog* dlgLog::Open(const LogServices& services, QWidget* parent) {
    LogOpenOptions options;
    options.today = services.today;
    const QString path = Text(services.logPath);
    try {
        try {
            return new dlgLog(services, LogDatabase::Open(services.logPath, options), parent);
        } catch (const LogError& error) {
            if (error.Kind() != LogErrorKind::Damaged) {
                throw;
            }
            const std::vector<LogBackup> backups = ListBackups(services.logPath);
            if (backups.empty()) {
                services.messages->Critical(
                    kTitle,
                    QStringLiteral("%1\n\nThe file is kept as it is, and no backup of it exists "
                                   "in %2.")
                        .arg(Text(error.what()), Text(BackupFolder(services.logPath))),
                    parent);
                return nullptr;
            }
            if (!services.messages->Question(
                    kTitle,
                    QStringLiteral("%1\n\nThe file is kept as it is. Start the log again from "
                                   "the newest backup, of %2? The damaged file stays beside it "
                                   "under another name.")
                        .arg(Text(error.what()), Text(backups.front().date)),
                    parent)) {
                return nullptr;
            }
            const std::string stamp = QDateTime::currentDateTime()
                                          .toString(QStringLiteral("yyyyMMdd-HHmmss"))
                                          .toStdString();
            const std::string kept = RestoreBackup(backups.front().path, services.logPath, stamp);
            services.messages->Exclamation(
                kTitle,
                QStringLiteral("The log starts again from the backup of %1. The damaged file is "
                               "kept as %2.")
                    .arg(Text(backups.front().date), Text(kept)),
                parent);
            return new dlgLog(services, LogDatabase::Open(services.logPath, options), parent);
        }
    } catch (const std::exception& error) {
        services.messages->Critical(kTitle, Text(error.what()), parent);
        return nullptr;
    }
}

dlgLog::dlgLog(const LogServices& services, LogDatabase database, QWidget* parent)
    : QDialog(parent),
      services_(services),
      database_(std::make_unique<LogDatabase>(std::move(database))) {
    setObjectName(QStringLiteral("dlgLog"));
    setWindowTitle(QStringLiteral("Log: %1").arg(Text(database_->Path())));
    setAttribute(Qt::WA_DeleteOnClose);
    BuildControls();
    ApplyFilter();
    resize(1040, 680);
    for (const std::string& notice : database_->Notices()) {
        services_.messages->Exclamation(kTitle, Text(notice), this);
    }
    if (database_->ReadOnly()) {
        services_.messages->Exclamation(kTitle, Text(database_->ReadOnlyReason()), this);
    }
}

dlgLog::~dlgLog() = default;

dlgLogCharts* dlgLog::ChartsWindow() const {
    return charts_;
}

dlgDayPicture* dlgLog::DayWindow() const {
    return dayWindow_;
}

void dlgLog::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* filters = new QHBoxLayout;
    layout->addLayout(filters);
    const auto label = [&](const QString& text, QWidget* buddy) {
        auto* caption = new QLabel(text, this);
        caption->setBuddy(buddy);
        filters->addWidget(caption);
        filters->addWidget(buddy);
    };
    cboPlace_ = new QComboBox(this);
    cboPlace_->setObjectName(QStringLiteral("cboFilterPlace"));
    cboPlace_->setMinimumContentsLength(18);
    label(QStringLiteral("&Place:"), cboPlace_);
    txtSpecies_ = new QLineEdit(this);
    txtSpecies_->setObjectName(QStringLiteral("txtFilterSpecies"));
    label(QStringLiteral("&Species:"), txtSpecies_);
    txtFrom_ = new QLineEdit(this);
    txtFrom_->setObjectName(QStringLiteral("txtFilterFrom"));
    txtFrom_->setPlaceholderText(QStringLiteral("YYYY-MM-DD"));
    label(QStringLiteral("&From:"), txtFrom_);
    txtTo_ = new QLineEdit(this);
    txtTo_->setObjectName(QStringLiteral("txtFilterTo"));
    txtTo_->setPlaceholderText(QStringLiteral("YYYY-MM-DD"));
    label(QStringLiteral("&To:"), txtTo_);
    cboKind_ = new QComboBox(this);
    cboKind_->setObjectName(QStringLiteral("cboFilterKind"));
    cboKind_->addItems(
        {QStringLiteral("All"), QStringLiteral("Fishing"), QStringLiteral("Hunting")});
    label(QStringLiteral("&Kind:"), cboKind_);
    auto* apply = new QPushButton(QStringLiteral("F&ilter"), this);
    apply->setObjectName(QStringLiteral("cmdFilter"));
    apply->setDefault(true);
    auto* clear = new QPushButton(QStringLiteral("All"), this);
    clear->setObjectName(QStringLiteral("cmdFilterClear"));
    clear->setAutoDefault(false);
    filters->addWidget(apply);
    filters->addWidget(clear);
    connect(apply, &QPushButton::clicked, this, &dlgLog::ApplyFilter);
    connect(clear, &QPushButton::clicked, this, [this] {
        cboPlace_->setCurrentIndex(0);
        txtSpecies_->clear();
        txtFrom_->clear();
        txtTo_->clear();
        cboKind_->setCurrentIndex(0);
        ApplyFilter();
    });
    connect(cboPlace_, &QComboBox::activated, this, &dlgLog::ApplyFilter);
    connect(cboKind_, &QComboBox::activated, this, &dlgLog::ApplyFilter);

    auto* splitter = new QSplitter(Qt::Vertical, this);
    layout->addWidget(splitter, 1);
    outings_ = new OutingListModel(*database_, this);
    lstOutings_ = new QTableView(splitter);
    lstOutings_->setObjectName(QStringLiteral("lstOutings"));
    lstOutings_->setModel(outings_);
    catches_ = new CatchListModel(this);
    lstCatches_ = new QTableView(splitter);
    lstCatches_->setObjectName(QStringLiteral("lstCatches"));
    lstCatches_->setModel(catches_);
    for (QTableView* list : {lstOutings_, lstCatches_}) {
        list->setSelectionBehavior(QAbstractItemView::SelectRows);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        list->verticalHeader()->hide();
        // A fixed row height: the list never measures rows it has not shown.
        list->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        list->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
        list->horizontalHeader()->setStretchLastSection(true);
    }
    lstOutings_->setColumnWidth(3, 220);
    lstOutings_->setToolTip(QStringLiteral("Double-click an outing to see its day picture"));
    lstCatches_->setToolTip(QStringLiteral("Double-click a catch to edit it"));
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    connect(lstOutings_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { ShowCatches(); });
    connect(lstCatches_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { UpdateButtons(); });
    connect(lstOutings_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { ShowDayPicture(index.row()); });
    connect(lstCatches_, &QTableView::doubleClicked, this, [this] { cmdEditCatch_Click(); });

    lblStatus_ = new QLabel(this);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    lblStatus_->setWordWrap(true);
    layout->addWidget(lblStatus_);

    auto* rows = new QGridLayout;
    layout->addLayout(rows);
    int column = 0;
    int row = 0;
    const auto button = [&](const char* name, const QString& caption, void (dlgLog::*click)(),
                            bool changes) {
        auto* push = new QPushButton(caption, this);
        push->setObjectName(QString::fromLatin1(name));
        push->setAutoDefault(false);
        rows->addWidget(push, row, column++);
        connect(push, &QPushButton::clicked, this, click);
        if (changes) {
            changeButtons_.push_back(push);
        }
        return push;
    };
    button("cmdAddOuting", QStringLiteral("&New Outing..."), &dlgLog::cmdAddOuting_Click, true);
    cmdEditOuting_ = button("cmdEditOuting", QStringLiteral("&Edit Outing..."),
                            &dlgLog::cmdEditOuting_Click, true);
    cmdDeleteOuting_ = button("cmdDeleteOuting", QStringLiteral("&Delete Outing"),
                              &dlgLog::cmdDeleteOuting_Click, true);
    cmdAddCatch_ =
        button("cmdAddCatch", QStringLiteral("New &Catch..."), &dlgLog::cmdAddCatch_Click, true);
    cmdEditCatch_ =
        button("cmdEditCatch", QStringLiteral("Edit Catc&h..."), &dlgLog::cmdEditCatch_Click, true);
    cmdDeleteCatch_ = button("cmdDeleteCatch", QStringLiteral("Delete Catch"),
                             &dlgLog::cmdDeleteCatch_Click, true);
    cmdUndo_ = button("cmdUndo", QStringLiteral("&Undo Delete"), &dlgLog::cmdUndo_Click, true);
    row = 1;
    column = 0;
    button("cmdImport", QStringLiteral("I&mport CSV..."), &dlgLog::cmdImport_Click, true);
    button("cmdExport", QStringLiteral("Export CS&V..."), &dlgLog::cmdExport_Click, false);
    button("cmdPrint", QStringLiteral("P&rint Year..."), &dlgLog::cmdPrint_Click, false);
    button("cmdPdf", QStringLiteral("PDF E&xport..."), &dlgLog::cmdPdf_Click, false);
    button("cmdCharts", QStringLiteral("Ho&w Did the Predictions Do?"), &dlgLog::cmdCharts_Click,
           false);

    auto* units = new QHBoxLayout;
    cboLengthUnit_ = new QComboBox(this);
    cboLengthUnit_->setObjectName(QStringLiteral("cboLengthUnit"));
    cboLengthUnit_->addItems({QStringLiteral("cm"), QStringLiteral("in")});
    cboWeightUnit_ = new QComboBox(this);
    cboWeightUnit_->setObjectName(QStringLiteral("cboWeightUnit"));
    cboWeightUnit_->addItems({QStringLiteral("kg"), QStringLiteral("lb")});
    const auto read = [this](const char* key) {
        return services_.settings->Read(kSettingsApplication, kLogSection, key, "");
    };
    cboLengthUnit_->setCurrentIndex(read("LengthUnit") == "in" ? 1 : 0);
    cboWeightUnit_->setCurrentIndex(read("WeightUnit") == "lb" ? 1 : 0);
    auto* unitLabel = new QLabel(QStringLiteral("Units:"), this);
    unitLabel->setBuddy(cboLengthUnit_);
    units->addWidget(unitLabel);
    units->addWidget(cboLengthUnit_);
    units->addWidget(cboWeightUnit_);
    rows->addLayout(units, 1, column++);
    const auto unitsChanged = [this] {
        services_.settings->Write(kSettingsApplication, kLogSection, "LengthUnit",
                                  cboLengthUnit_->currentText().toStdString());
        services_.settings->Write(kSettingsApplication, kLogSection, "WeightUnit",
                                  cboWeightUnit_->currentText().toStdString());
        ShowCatches();
    };
    connect(cboLengthUnit_, &QComboBox::currentIndexChanged, this, unitsChanged);
    connect(cboWeightUnit_, &QComboBox::currentIndexChanged, this, unitsChanged);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setAutoDefault(false);
    rows->addWidget(close, 1, 6);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

LogUnits dlgLog::Units() const {
    return LogUnits{cboLengthUnit_->currentIndex() == 1, cboWeightUnit_->currentIndex() == 1};
}

LogFilter dlgLog::Filter() const {
    LogFilter filter;
    const int place = cboPlace_->currentIndex();
    if (place > 0 && place <= static_cast<int>(filterRecords_.size())) {
        filter.record = filterRecords_[static_cast<std::size_t>(place - 1)];
    }
    filter.species = txtSpecies_->text().trimmed().toStdString();
    filter.fromDate = txtFrom_->text().trimmed().toStdString();
    filter.toDate = txtTo_->text().trimmed().toStdString();
    if (cboKind_->currentIndex() > 0) {
        filter.kind = static_cast<OutingKind>(cboKind_->currentIndex() - 1);
    }
    return filter;
}

void dlgLog::FillPlaceFilter() {
    const std::string chosen = Filter().record;
    filterRecords_ = database_->PlaceRecords();
    cboPlace_->clear();
    cboPlace_->addItem(QStringLiteral("All places"));
    for (const std::string& record : filterRecords_) {
        cboPlace_->addItem(Text(PlaceNameOfRecord(record)));
    }
    const auto found = std::find(filterRecords_.begin(), filterRecords_.end(), chosen);
    cboPlace_->setCurrentIndex(chosen.empty() || found == filterRecords_.end()
                                   ? 0
                                   : static_cast<int>(found - filterRecords_.begin()) + 1);
}

void dlgLog::ApplyFilter() {
    for (QLineEdit* date : {txtFrom_, txtTo_}) {
        const std::string text = date->text().trimmed().toStdString();
        if (!text.empty() && !IsLogDate(text)) {
            services_.messages->Exclamation(
                kTitle,
                QStringLiteral("\"%1\" is not a date: type it as YYYY-MM-DD, e.g. 2026-04-12.")
                    .arg(Text(text)),
                this);
            date->setFocus();
            return;
        }
    }
    const std::int64_t chosen = ChosenOuting();
    if (filterRecords_.empty() && cboPlace_->count() == 0) {
        FillPlaceFilter();
    }
    outings_->SetFilter(Filter());
    const int row = outings_->RowOf(chosen);
    ChooseOuting(row >= 0 ? row : 0);
    Refresh();
}

void dlgLog::Refresh() {
    const LogTotals totals = database_->Totals();
    const int shown = outings_->rowCount();
    QString status = QStringLiteral("%1 of %2 outings shown; the log holds %3 catches.")
                         .arg(shown)
                         .arg(totals.outings)
                         .arg(totals.catchCount);
    if (database_->ReadOnly()) {
        status += QStringLiteral(" Read only: ") + Text(database_->ReadOnlyReason());
    }
    lblStatus_->setText(status);
    ShowCatches();
}

std::int64_t dlgLog::ChosenOuting() const {
    return outings_ ? outings_->IdAt(lstOutings_->currentIndex().row()) : 0;
}

std::int64_t dlgLog::ChosenCatch() const {
    const int row = lstCatches_->currentIndex().row();
    const auto& catches = catches_->Catches();
    return row >= 0 && row < static_cast<int>(catches.size())
               ? catches[static_cast<std::size_t>(row)].id
               : 0;
}

void dlgLog::ChooseOuting(int row) {
    if (row < 0 || row >= outings_->rowCount()) {
        lstOutings_->setCurrentIndex({});
        ShowCatches();
        return;
    }
    lstOutings_->setCurrentIndex(outings_->index(row, 0));
    lstOutings_->scrollTo(outings_->index(row, 0));
    ShowCatches();
}

void dlgLog::ShowCatches() {
    const std::int64_t outing = ChosenOuting();
    const std::int64_t chosen = ChosenCatch();
    LogFilter speciesOnly;
    speciesOnly.species = Filter().species;
    catches_->SetCatches(
        outing == 0 ? std::vector<Catch>{} : database_->CatchesOf(outing, speciesOnly), Units());
    const auto& catches = catches_->Catches();
    const auto found = std::find_if(catches.begin(), catches.end(),
                                    [chosen](const Catch& entry) { return entry.id == chosen; });
    if (found != catches.end()) {
        lstCatches_->setCurrentIndex(catches_->index(static_cast<int>(found - catches.begin()), 0));
    } else if (!catches.empty()) {
        lstCatches_->setCurrentIndex(catches_->index(0, 0));
    }
    UpdateButtons();
}

void dlgLog::UpdateButtons() {
    const bool writable = !database_->ReadOnly();
    for (QPushButton* push : changeButtons_) {
        push->setEnabled(writable);
    }
    const bool outing = ChosenOuting() != 0;
    const bool entry = ChosenCatch() != 0;
    cmdEditOuting_->setEnabled(writable && outing);
    cmdDeleteOuting_->setEnabled(writable && outing);
    cmdAddCatch_->setEnabled(writable && outing);
    cmdEditCatch_->setEnabled(writable && entry);
    cmdDeleteCatch_->setEnabled(writable && entry);
    cmdUndo_->setEnabled(writable && !deleted_.empty());
}

std::vector<std::string> dlgLog::PlaceRecords() const {
    std::vector<std::string> records;
    if (services_.places != nullptr) {
        for (const std::string& record : *services_.places) {
            records.push_back(Cp1252ToUtf8(record));
        }
    }
    return records;
}

CatchFormServices dlgLog::FormServices() const {
    CatchFormServices form;
    form.messages = services_.messages;
    form.openDialog = services_.openDialog;
    for (const std::string& name : database_->SpeciesNames({}, 500)) {
        form.species << Text(name);
    }
    const std::string path = database_->Path();
    form.copyPhoto = [path](const std::string& source) { return CopyPhotoIn(path, source); };
    form.photoPath = [path](const std::string& name) { return Text(PhotoPath(path, name)); };
    return form;
}

bool dlgLog::Change(const QString& title, const std::function<void()>& change) {
    try {
        change();
        return true;
    } catch (const std::exception& error) {
        services_.messages->Exclamation(title, Text(error.what()), this);
        return false;
    }
}

void dlgLog::cmdAddOuting_Click() {
    Outing outing;
    // A new outing starts where and how the chosen one was: a season is mostly one place.
    if (const std::optional<Outing> last = database_->FindOuting(ChosenOuting())) {
        outing.record = last->record;
        outing.kind = last->kind;
    }
    dlgLogOuting form(outing, PlaceRecords(), *services_.messages, this);
    if (form.exec() != QDialog::Accepted) {
        return;
    }
    std::int64_t id = 0;
    if (!Change(form.windowTitle(), [&] { id = database_->AddOuting(form.Value()); })) {
        return;
    }
    FillPlaceFilter();
    outings_->SetFilter(Filter());
    int row = outings_->RowOf(id);
    if (row < 0) {
        // The new outing is outside the filter: show everything so it can be seen.
        cboPlace_->setCurrentIndex(0);
        txtSpecies_->clear();
        txtFrom_->clear();
        txtTo_->clear();
        cboKind_->setCurrentIndex(0);
        outings_->SetFilter(Filter());
        row = outings_->RowOf(id);
    }
    ChooseOuting(row);
    Refresh();
}

void dlgLog::cmdEditOuting_Click() {
    const std::optional<Outing> outing = database_->FindOuting(ChosenOuting());
    if (!outing) {
        return;
    }
    dlgLogOuting form(*outing, PlaceRecords(), *services_.messages, this);
    if (form.exec() != QDialog::Accepted) {
        return;
    }
    if (Change(form.windowTitle(), [&] { database_->UpdateOuting(form.Value()); })) {
        FillPlaceFilter();
        outings_->SetFilter(Filter());
        ChooseOuting(outings_->RowOf(outing->id));
        Refresh();
    }
}

void dlgLog::cmdDeleteOuting_Click() {
    const std::int64_t id = ChosenOuting();
    const std::optional<Outing> outing = database_->FindOuting(id);
    if (!outing) {
        return;
    }
    const int row = lstOutings_->currentIndex().row();
    const std::size_t catches = database_->CatchesOf(id).size();
    if (!services_.messages->Question(
            QStringLiteral("Delete Outing"),
            QStringLiteral("Delete the outing of %1 at %2 with its %3 catch entries? Undo Delete "
                           "brings it back until this window closes.")
                .arg(Text(outing->date), Text(PlaceNameOfRecord(outing->record)))
                .arg(catches),
            this)) {
        return;
    }
    const std::int64_t ids[] = {id};
    if (Change(QStringLiteral("Delete Outing"),
               [&] { deleted_.push_back(database_->DeleteOutings(ids)); })) {
        outings_->SetFilter(Filter());
        ChooseOuting(std::min(row, outings_->rowCount() - 1));
        Refresh();
    }
}

void dlgLog::cmdAddCatch_Click() {
    const std::int64_t outing = ChosenOuting();
    if (outing == 0) {
        return;
    }
    Catch entry;
    entry.outingId = outing;
    dlgLogCatch form(entry, Units(), FormServices(), this);
    if (form.exec() != QDialog::Accepted) {
        return;
    }
    std::int64_t id = 0;
    if (Change(form.windowTitle(), [&] { id = database_->AddCatch(form.Value()); })) {
        outings_->Reread();
        ShowCatches();
        const auto& catches = catches_->Catches();
        for (std::size_t i = 0; i < catches.size(); ++i) {
            if (catches[i].id == id) {
                lstCatches_->setCurrentIndex(catches_->index(static_cast<int>(i), 0));
            }
        }
        Refresh();
    }
}

void dlgLog::cmdEditCatch_Click() {
    const std::int64_t id = ChosenCatch();
    const std::int64_t ids[] = {id};
    const std::vector<Catch> found = id == 0 ? std::vector<Catch>{} : database_->CatchesById(ids);
    if (found.empty() || database_->ReadOnly()) {
        return;
    }
    dlgLogCatch form(found.front(), Units(), FormServices(), this);
    if (form.exec() != QDialog::Accepted) {
        return;
    }
    if (Change(form.windowTitle(), [&] { database_->UpdateCatch(form.Value()); })) {
        outings_->Reread();
        Refresh();
    }
}

void dlgLog::cmdDeleteCatch_Click() {
    const std::int64_t id = ChosenCatch();
    const std::int64_t ids[] = {id};
    const std::vector<Catch> found = id == 0 ? std::vector<Catch>{} : database_->CatchesById(ids);
    if (found.empty()) {
        return;
    }
    if (!services_.messages->Question(
            QStringLiteral("Delete Catch"),
            QStringLiteral("Delete the catch of %1 %2? Undo Delete brings it back until this "
                           "window closes.")
                .arg(found.front().count)
                .arg(Text(found.front().species)),
            this)) {
        return;
    }
    if (Change(QStringLiteral("Delete Catch"),
               [&] { deleted_.push_back(database_->DeleteCatches(ids)); })) {
        outings_->Reread();
        Refresh();
    }
}

void dlgLog::cmdUndo_Click() {
    if (deleted_.empty()) {
        return;
    }
    const DeletedEntries last = deleted_.back();
    if (!Change(QStringLiteral("Undo Delete"), [&] { database_->Restore(last); })) {
        return;
    }
    deleted_.pop_back();
    const std::int64_t outing =
        !last.outings.empty() ? last.outings.front().outing.id : last.catches.front().outingId;
    FillPlaceFilter();
    outings_->SetFilter(Filter());
    ChooseOuting(outings_->RowOf(outing));
    Refresh();
}

void dlgLog::cmdImport_Click() {
    const QString path = services_.openDialog->AskForFile(
        QStringLiteral("Import CSV"), QStringLiteral("Comma Separated Values (*.csv)|*.csv"));
    if (path.isEmpty()) {
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        services_.messages->Exclamation(
            QStringLiteral("Import CSV"),
            QStringLiteral("%1 cannot be read: %2").arg(path, file.errorString()), this);
        return;
    }
    const QByteArray bytes = file.readAll();
    // The Place column names a place of the list as the command line's --place does.
    const LocationList noPlaces;
    const LocationList& places = services_.places != nullptr ? *services_.places : noPlaces;
    const auto resolve = [&places](std::string_view text) {
        return Cp1252ToUtf8(places[static_cast<std::size_t>(ChoosePlace(places, text))]);
    };
    LogImport imported;
    try {
        imported = ParseLogCsv(
            std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), resolve);
    } catch (const std::exception& error) {
        services_.messages->Exclamation(
            QStringLiteral("Import CSV"),
            QStringLiteral("%1: %2\n\nNothing was imported.").arg(path, Text(error.what())), this);
        return;
    }
    if (!Change(QStringLiteral("Import CSV"), [&] { database_->AddEntries(imported.outings); })) {
        return;
    }
    FillPlaceFilter();
    ApplyFilter();
    services_.messages->Information(QStringLiteral("Import CSV"),
                                    QStringLiteral("Imported %1 catches in %2 outings.")
                                        .arg(imported.catchEntries)
                                        .arg(imported.outings.size()),
                                    this);
}

void dlgLog::cmdExport_Click() {
    std::string text;
    if (!Change(QStringLiteral("Export CSV"),
                [&] { text = LogCsvText(database_->Entries(Filter())); })) {
        return;
    }
    ExportProposal proposal{QString(), QStringLiteral("log")};
    ExportCsv(*services_.saveDialog, *services_.messages, text, &proposal, this);
}

int dlgLog::YearToPrint() {
    int year = QDate::currentDate().year();
    if (const std::optional<Outing> outing = database_->FindOuting(ChosenOuting())) {
        year = QString::fromStdString(outing->date.substr(0, 4)).toInt();
    }
    bool ok = false;
    year = QInputDialog::getInt(this, QStringLiteral("Year of Catches"),
                                QStringLiteral("The year to list:"), year, 101, 9998, 1, &ok);
    return ok ? year : 0;
}

namespace {

ReportDocument YearDocument(const LogDatabase& database, LogFilter filter, int year, bool inches,
                            bool pounds) {
    const std::string first =
        QStringLiteral("%1-01-01").arg(year, 4, 10, QLatin1Char('0')).toStdString();
    const std::string last =
        QStringLiteral("%1-12-31").arg(year, 4, 10, QLatin1Char('0')).toStdString();
    filter.fromDate = std::max(filter.fromDate, first);
    filter.toDate = filter.toDate.empty() ? last : std::min(filter.toDate, last);
    LogYear sheet;
    sheet.year = year;
    sheet.entries = database.Entries(filter);
    sheet.photoFolder = Text(PhotoFolder(database.Path()));
    sheet.inches = inches;
    sheet.pounds = pounds;
    return LogYearDocument(sheet);
}

}  // namespace

void dlgLog::cmdPrint_Click() {
    const int year = YearToPrint();
    if (year == 0) {
        return;
    }
    try {
        const LogUnits units = Units();
        const ReportDocument document =
            YearDocument(*database_, Filter(), year, units.inches, units.pounds);
        if (PrintWithDialog(document, this) == PrintOutcome::Failed) {
            services_.messages->Exclamation(kTitle, QStringLiteral("The log could not be printed."),
                                            this);
        }
    } catch (const std::exception& error) {
        services_.messages->Exclamation(kTitle, Text(error.what()), this);
    }
}

void dlgLog::cmdPdf_Click() {
    const int year = YearToPrint();
    if (year == 0) {
        return;
    }
    const LogUnits units = Units();
    ExportProposal proposal{QString(), QStringLiteral("Catches %1").arg(year)};
    ExportPdf(
        *services_.saveDialog, *services_.messages,
        [&](const std::string& path) {
            WritePdf(YearDocument(*database_, Filter(), year, units.inches, units.pounds),
                     Text(path));
        },
        &proposal, this);
}

void dlgLog::cmdCharts_Click() {
    LogStatistics statistics;
    try {
        // The charts count against the activity times the report shows.
        StatisticsOptions options;
        options.transitActivityTimes = LoadTransitPeriods(*services_.settings);
        // Each place's tide station is the one its tide table shows: the kept choice, or
        // the nearest.
        std::optional<LogTideStages> tideStages;
        if (services_.tideData) {
            if (std::shared_ptr<const tides::TideDatabase> stations = services_.tideData();
                stations && !stations->Empty()) {
                tideStages.emplace(std::move(stations), [this](const std::string& record) {
                    return LoadKeptStation(*services_.settings, record);
                });
                options.tides = &*tideStages;
            }
        }
        statistics = ComputeStatistics(database_->Entries(Filter()), options);
    } catch (const std::exception& error) {
        services_.messages->Exclamation(kTitle, Text(error.what()), this);
        return;
    }
    if (charts_) {
        charts_->close();
    }
    charts_ = new dlgLogCharts(statistics, *services_.saveDialog, *services_.messages, this);
    charts_->setAttribute(Qt::WA_DeleteOnClose);
    charts_->show();
}

void dlgLog::ShowDayPicture(int row) {
    const OutingRow* outing = outings_->RowAt(row);
    if (outing == nullptr || outing->outing.id == 0) {
        return;
    }
    const Outing& chosen = outing->outing;
    try {
        const QDate date = QDate::fromString(Text(chosen.date), Qt::ISODate);
        DayView view(Utf8ToCp1252(chosen.record), date.year(), date.month(), date.day());
        auto exportPdf = [this](const ReportDocument& document, QWidget* parent) {
            ExportPdf(
                *services_.saveDialog, *services_.messages,
                [&document](const std::string& path) { WritePdf(document, Text(path)); }, nullptr,
                parent);
        };
        if (dayWindow_) {
            dayWindow_->close();
        }
        dayWindow_ = new dlgDayPicture(std::move(view), Text(PlaceNameOfRecord(chosen.record)),
                                       *services_.messages, exportPdf, this);
        dayWindow_->setAttribute(Qt::WA_DeleteOnClose);
        dayWindow_->show();
    } catch (const std::exception& error) {
        services_.messages->Exclamation(QStringLiteral("Day Picture"), Text(error.what()), this);
    }
}

}  // namespace quintrel
