// The place list of the main window and the "Place" menu that adds, edits and deletes
// places.
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <cstdio>

#include "app/fMain.h"
#include "astro/CoreError.h"
#include "astro/NumberText.h"
#include "locations/Encoding.h"
#include "locations/LocationFile.h"
#include "locations/LocationRecord.h"
#include "locations/PlaceMatch.h"
#include "ui/MessageBoxes.h"

namespace quintrel {

namespace {

constexpr int kAddLocation = 0;
constexpr int kEditLocation = 1;
constexpr int kDeleteLocation = 2;

const QString kMissingFileTitle = QStringLiteral("Missing File(s)");
const QString kMissingFileText =
    QStringLiteral("Required data file locs.dat/bak is not in the application directory - exiting");
const QString kPlaceFileErrorTitle = QStringLiteral("Place File Error");
const QString kPlaceFileErrorEnd =
    QStringLiteral("\r\nQuintrel cannot start without its list of places and will now close.");

// The drop-down list is only as wide as the box, so longer names were cut in the middle
// ("USA - New Y… (New York)"); it opens as wide as the longest name instead.
void WidenListToLongestName(QComboBox* box) {
    QAbstractItemView* list = box->view();
    const int names = list->sizeHintForColumn(0);
    list->setMinimumWidth(names < 0
                              ? 0
                              : names + list->verticalScrollBar()->sizeHint().width() +
                                    2 * list->style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
}

}  // namespace

std::string fMain::SelectedRecord() const {
    const int position = cboPlaces->currentIndex();
    if (position < 0 || position >= static_cast<int>(places_.Locations.size())) {
        return {};
    }
    return places_.Locations[static_cast<std::size_t>(position)];
}

bool fMain::LoadLocations(bool readFile) {
    {
        // Filling the list would select its first entry on the way; the selection is made
        // below, once, on the entry LocationIndex names.
        const QSignalBlocker quiet(cboPlaces);
        cboPlaces->clear();
        if (readFile) {
            bool found = false;
            try {
                found = quintrel::LoadLocations(services_.placeDirectory, places_, &placesOnDisk_);
            } catch (const CoreError& error) {
                // The file is there but unusable (a folder, unreadable, too long): name it
                // and say why, so the user knows what to put right.
                services_.messages->Critical(
                    kPlaceFileErrorTitle, QString::fromStdString(error.what()) + kPlaceFileErrorEnd,
                    this);
                return false;
            }
            if (!found) {
                services_.messages->Critical(kMissingFileTitle, kMissingFileText, this);
                return false;
            }
            if (!placesOnDisk_.ReadOnlyNotice.empty()) {
                services_.messages->Exclamation(
                    kPlaceFileErrorTitle, QString::fromStdString(placesOnDisk_.ReadOnlyNotice),
                    this);
            }
        }
        for (const std::string& record : places_.Locations) {
            if (!record.empty()) {
                cboPlaces->addItem(
                    QString::fromStdString(Cp1252ToUtf8(LocationDisplayText(record))));
            }
        }
        cboPlaces->setCurrentIndex(-1);
        WidenListToLongestName(cboPlaces);
    }
    const std::int16_t selected = SelectableLocationIndex(places_);
    if (selected >= 0) {
        cboPlaces->setCurrentIndex(selected);
    }
    return true;
}

bool fMain::SaveLocations(bool interactive) {
    QString problem;
    try {
        const CloseDownSave saved =
            SaveLocationsAtClose(services_.placeDirectory, places_, placesOnDisk_);
        if (!saved.MergeText.empty() && interactive) {
            services_.messages->Exclamation(QStringLiteral("Places Merged"),
                                            QString::fromStdString(saved.MergeText), this);
        }
        return true;
    } catch (const CoreError& error) {
        problem = QString::fromStdString(error.what());
    }
    if (!interactive) {
        std::fprintf(stderr, "quintrel: %s\n", qPrintable(problem));
        return true;
    }
    // locs.dat and locs.bak are left as they were and the list is still in memory: the
    // user may put the file right (or export the tables) and close again.
    return services_.messages->Question(
        QStringLiteral("Save Error"),
        problem + QStringLiteral("\r\nThe changes to the places could not be saved.\r\n"
                                 "Choose OK to close without them, or Cancel to keep Quintrel "
                                 "open and try again."),
        this);
}

void fMain::cboPlaces_Click() {
    const int position = cboPlaces->currentIndex();
    if (cboPlaces->count() == 0 || position < 0) {
        return;
    }
    try {
        placeError_.clear();
        ParseSelectedLocation(SelectedRecord(), place_);
    } catch (const CoreError& error) {
        // Reported by the calculation that follows.
        placeError_ = error.what();
    }
    places_.LocationIndex = static_cast<std::int16_t>(position);
    // The box shows the end of a name too long for it, country first cut off; show the
    // start, where the country is.
    cboPlaces->lineEdit()->setCursorPosition(0);
    ShowChosenMonth();
}

void fMain::cboPlaces_Change() {
    if (!TrimBlanks(cboPlaces->currentText().toStdString()).empty()) {
        return;  // other typed text changes nothing; the place in effect stays
    }
    const int entry = places_.LocationIndex;
    if (entry < 0 || entry >= cboPlaces->count()) {
        return;
    }
    cboPlaces->setCurrentIndex(entry);
    // Selecting the entry already selected raises no change: show its text again here.
    cboPlaces->setEditText(cboPlaces->itemText(entry));
    cboPlaces_Click();
}

void fMain::SetUpPlaceCompletion() {
    // Typing any part of "Country (Town)" offers the places holding it, as --place picks
    // them; the list's own completion only knew the start of the country.
    auto* completer = new QCompleter(cboPlaces->model(), cboPlaces);
    completer->setObjectName(QStringLiteral("cboPlacesCompleter"));
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    cboPlaces->setCompleter(completer);
    connect(cboPlaces->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { cboPlaces_Resolve(true); });
}

void fMain::cboPlaces_Resolve(bool entered) {
    const int selected = places_.LocationIndex;
    const QString text = cboPlaces->currentText();
    if (selected >= 0 && selected < cboPlaces->count() && text == cboPlaces->itemText(selected)) {
        return;
    }
    const std::vector<int> matches = MatchPlaces(places_.Locations, text.toStdString());
    if (matches.size() == 1 && matches.front() < cboPlaces->count()) {
        cboPlaces->setCurrentIndex(matches.front());
        cboPlaces->setEditText(cboPlaces->itemText(matches.front()));
        cboPlaces->lineEdit()->setCursorPosition(0);
        return;
    }
    if (entered && matches.size() > 1) {
        // Several places hold the text: let the user pick one of them from the list.
        cboPlaces->completer()->setCompletionPrefix(text);
        cboPlaces->completer()->complete();
        return;
    }
    // Text left that names no single place would look chosen while the report shows the
    // old one: put the place in effect back, and on Enter say why.
    if (selected >= 0 && selected < cboPlaces->count()) {
        cboPlaces->setEditText(cboPlaces->itemText(selected));
        cboPlaces->lineEdit()->setCursorPosition(0);
    }
    if (entered) {
        services_.messages->Exclamation(
            QStringLiteral("Place"),
            QStringLiteral("No place matches \"%1\"; the place stays %2.\r\n"
                           "Type any part of a name in the list, or add the place with "
                           "Place, Add Location.")
                .arg(text, cboPlaces->currentText()),
            this);
    }
}

void fMain::UpdatePlaceMenu() {
    const bool selected = cboPlaces->currentIndex() >= 0;
    miAddEditDel[kEditLocation]->setEnabled(selected);
    miAddEditDel[kDeleteLocation]->setEnabled(selected);
}

void fMain::cmdPlace_Click() {
    raise();
    activateWindow();
    // Under the button, as a drop-down menu opens: Alt+P leaves the mouse anywhere.
    popAddEditDel->popup(cmdPlace->mapToGlobal(QPoint(0, cmdPlace->height())));
}

void fMain::miAddEditDel_Click(int index) {
    switch (index) {
        case kAddLocation:
            AddLocation();
            break;
        case kEditLocation:
            EditLocation();
            break;
        case kDeleteLocation:
            DeleteLocation();
            break;
        default:
            break;
    }
}

void fMain::AddLocation() {
    if (places_.Locations.size() >= kMaxLocations) {
        // The list would refuse the place after the user had typed it all in.
        services_.messages->Exclamation(
            QStringLiteral("Add Location"),
            QStringLiteral("The list already holds %1 places, the most it can keep.\r\n"
                           "Delete a place before adding another.")
                .arg(kMaxLocations),
            this);
        return;
    }
    std::string record;
    const bool ok = services_.locationForm(this, record, 1);
    if (ok && OfferExistingPlace(record)) {
        return;
    }
    StoreLocation(ok, record, true);
    if (ok) {
        places_.LocationsChanged = true;
        CalculateMonth(true);
    }
}

bool fMain::OfferExistingPlace(const std::string& record) {
    const int existing = FindSameTown(places_.Locations, record);
    if (existing < 0 || existing >= cboPlaces->count()) {
        return false;
    }
    // The town search makes it easy to add a shipped town again; a second copy doubles
    // every day in the planner and makes the name ambiguous on the command line.
    const QString name = cboPlaces->itemText(existing);
    if (!services_.messages->Question(
            QStringLiteral("Place Already Listed"),
            QStringLiteral("Your list already holds %1 within a minute of this position.\r\n"
                           "Choose OK to open that place instead, or Cancel to add this one "
                           "as well.")
                .arg(name),
            this)) {
        return false;
    }
    cboPlaces->setCurrentIndex(existing);
    return true;
}

void fMain::EditLocation() {
    const std::string current = SelectedRecord();
    if (current.empty()) {
        return;
    }
    std::string record = current;
    const bool ok = services_.locationForm(this, record, 0);
    StoreLocation(ok, record, false);
    if (ok) {
        places_.LocationsChanged = true;
        CalculateMonth(true);
    }
}

void fMain::StoreLocation(bool ok, const std::string& record, bool isNew) {
    if (quintrel::StoreLocation(places_, ok, record, isNew, cboPlaces->currentIndex())) {
        LoadLocations(false);
    }
}

void fMain::DeleteLocation() {
    const int position = cboPlaces->currentIndex();
    if (position < 0) {
        return;
    }
    if (places_.Locations.size() <= 1) {
        // An empty list would leave nothing to select and nothing to compute.
        services_.messages->Exclamation(
            QStringLiteral("Delete Location"),
            QStringLiteral("At least one place must remain in the list.\r\n"
                           "Add another place before deleting this one."),
            this);
        return;
    }
    const QString name = cboPlaces->itemText(position);
    if (!services_.messages->Question(
            QStringLiteral("Confirm Delete"),
            QStringLiteral("Are you sure you want to delete the location:\r\n") + name, this)) {
        return;
    }
    if (!RemoveLocation(places_, position)) {
        return;
    }
    {
        const QSignalBlocker quiet(cboPlaces);
        cboPlaces->removeItem(position);
        cboPlaces->setCurrentIndex(-1);
    }
    cboPlaces->setCurrentIndex(places_.LocationIndex);
    CalculateMonth(true);
    places_.LocationsChanged = true;
}

}  // namespace quintrel
