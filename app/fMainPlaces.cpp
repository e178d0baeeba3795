// The place list of the main window and the "Place" menu that adds, edits and deletes
// places.
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>

#include "app/fMain.h"
#include "astro/CoreError.h"
#include "astro/NumberText.h"
#include "locations/Encoding.h"
#include "locations/FileIo.h"
#include "locations/LocationFile.h"
#include "locations/LocationRecord.h"
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

// Whether locs.dat already holds the list exactly as a save would write it.
bool FileHoldsList(const std::string& directory, const LocationList& list) {
    std::string text;
    for (const std::string& record : list) {
        text += record;
        text += "\r\n";
    }
    try {
        return ReadWholeFile(LocationFilePath(directory)) == text;
    } catch (const CoreError&) {
        return false;
    }
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
                found = quintrel::LoadLocations(services_.placeDirectory, places_);
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

void fMain::SaveLocations() {
    try {
        quintrel::SaveLocations(services_.placeDirectory, places_);
    } catch (const CoreError& error) {
        // Every close-down rewrites the list, changed or not. Where the folder cannot be
        // written and nothing was changed, nothing is lost, and a message saying changes
        // were lost would be false.
        if (FileHoldsList(services_.placeDirectory, places_.Locations)) {
            return;
        }
        // locs.dat and locs.bak are left as they were; say so rather than lose the
        // changes without a word.
        services_.messages->Exclamation(
            QStringLiteral("Save Error"),
            QString::fromStdString(error.what()) +
                QStringLiteral("\r\nThe changes to the places could not be saved."),
            this);
    }
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

void fMain::UpdatePlaceMenu() {
    const bool selected = cboPlaces->currentIndex() >= 0;
    miAddEditDel[kEditLocation]->setEnabled(selected);
    miAddEditDel[kDeleteLocation]->setEnabled(selected);
}

void fMain::cmdPlace_Click() {
    raise();
    activateWindow();
    popAddEditDel->popup(QCursor::pos());
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
    StoreLocation(ok, record, true);
    if (ok) {
        places_.LocationsChanged = true;
        CalculateMonth(true);
    }
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
