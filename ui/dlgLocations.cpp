#include "ui/dlgLocations.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringListModel>
#include <QTimer>
#include <utility>

#include "gazetteer/GeonamesGazetteer.h"
#include "locations/Coordinates.h"
#include "ui/TwipsGeometry.h"
#include "ui/report/Accessible.h"

namespace quintrel {

namespace {

const QColor kRefusedBackground(255, 224, 192);

// The rows added above the fields (the search box) and below the zone row (the fill
// button), and the note above the buttons, in twips.
constexpr int kFindRows = 720;
constexpr int kFillRow = 420;
constexpr int kNoteRows = 900;

Gazetteer& ChosenGazetteer(Gazetteer* given, std::unique_ptr<Gazetteer>& own) {
    if (given == nullptr) {
        // Already begun at program start, unless this window is opened elsewhere.
        GeonamesGazetteer::StartReading();
        own = std::make_unique<GeonamesGazetteer>();
        return *own;
    }
    return *given;
}

}  // namespace

dlgLocations::dlgLocations(QWidget* parent, Gazetteer* gazetteer)
    : QDialog(parent), search_(ChosenGazetteer(gazetteer, ownGazetteer_)) {
    setObjectName("dlgLocations");
    InstallAccessibleInterfaces();
    setWindowTitle(QString::fromStdString(form_.Caption()));
    CreateControls();
    CreateFindControls();
    FillLists();
    SetTabOrder();
    NameControls();
    ConnectControls();
    setFixedSize(TwipsRect(0, 0, 6000, 5190 + kFindRows + kFillRow + kNoteRows).size());
    // The window follows the desktop's text: with larger text every box and caption grows
    // with it, so nothing is cut off.
    ScaleTwipsLayout(this, DesktopTextScale());
    // Every press anywhere in the window passes here first, so that a press that a name
    // box has refused to give its focus to can be swallowed.
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
    ShowForm();
}

dlgLocations::~dlgLocations() = default;

void dlgLocations::CreateControls() {
    const auto label = [](QLabel*& member, const char* name, const char* caption,
                          QWidget* parentWidget, QRect where) {
        member = new QLabel(QString::fromUtf8(caption), parentWidget);
        member->setObjectName(name);
        member->setGeometry(where);
    };
    const auto textBox = [this](QLineEdit*& member, const char* name, FormBox box, QRect where) {
        member = new QLineEdit(this);
        member->setObjectName(name);
        member->setMaxLength(LocationForm::MaxLength(box));
        member->setAlignment(LocationForm::IsNumberBox(box) ? Qt::AlignHCenter : Qt::AlignLeft);
        member->setGeometry(where);
        boxes_[static_cast<std::size_t>(box)] = member;
    };
    const auto checkBox = [this](QCheckBox*& member, const char* name, const char* caption,
                                 QRect where) {
        member = new QCheckBox(QString::fromUtf8(caption), this);
        member->setObjectName(name);
        member->setGeometry(where);
    };
    const auto list = [this](QComboBox*& member, const char* name, RuleList which, QRect where) {
        member = new QComboBox(frDST);
        member->setObjectName(name);
        member->setGeometry(where);
        // Rolling the mouse wheel over a list must not take the focus from a box.
        member->setFocusPolicy(Qt::StrongFocus);
        lists_[static_cast<std::size_t>(which)] = member;
    };

    label(Label1, "Label1", "Country, State", this, TwipsRect(120, 120 + kFindRows, 3000, 255));
    textBox(txtCountry, "txtCountry", FormBox::Country, TwipsRect(120, 390 + kFindRows, 3000, 330));
    label(Label2, "Label2", "City/Town Name", this, TwipsRect(3240, 120 + kFindRows, 2640, 255));
    textBox(txtCity, "txtCity", FormBox::City, TwipsRect(3240, 390 + kFindRows, 2640, 330));

    label(Label5, "Label5", "Degrees", this, TwipsRect(1680, 870 + kFindRows, 840, 255));
    label(Label6, "Label6", "Minutes", this, TwipsRect(2640, 870 + kFindRows, 840, 255));
    Label5->setAlignment(Qt::AlignHCenter);
    Label6->setAlignment(Qt::AlignHCenter);

    label(Label4, "Label4", "Lattitude:", this, TwipsRect(120, 1215 + kFindRows, 1500, 255));
    textBox(txtDLatt, "txtDLatt", FormBox::DLatt, TwipsRect(1680, 1170 + kFindRows, 840, 330));
    textBox(txtMLatt, "txtMLatt", FormBox::MLatt, TwipsRect(2640, 1170 + kFindRows, 840, 330));
    checkBox(chkN, "chkN", "N", TwipsRect(3720, 1200 + kFindRows, 660, 270));
    checkBox(chkS, "chkS", "S", TwipsRect(4440, 1200 + kFindRows, 660, 270));

    label(Label3, "Label3", "Longitude:", this, TwipsRect(120, 1635 + kFindRows, 1500, 255));
    textBox(txtDLong, "txtDLong", FormBox::DLong, TwipsRect(1680, 1590 + kFindRows, 840, 330));
    textBox(txtMLong, "txtMLong", FormBox::MLong, TwipsRect(2640, 1590 + kFindRows, 840, 330));
    checkBox(chkE, "chkE", "E", TwipsRect(3720, 1620 + kFindRows, 660, 270));
    checkBox(chkW, "chkW", "W", TwipsRect(4440, 1620 + kFindRows, 660, 270));

    label(Label7, "Label7", "GMT Time Diff:", this, TwipsRect(120, 2115 + kFindRows, 1500, 255));
    checkBox(chkP, "chkP", "+", TwipsRect(1680, 2100 + kFindRows, 660, 270));
    checkBox(chkM, "chkM", "-", TwipsRect(2400, 2100 + kFindRows, 660, 270));
    textBox(txtZone, "txtZone", FormBox::Zone, TwipsRect(3120, 2070 + kFindRows, 840, 330));
    label(Label8, "Label8", "Hour(s)", this, TwipsRect(4050, 2115 + kFindRows, 1050, 255));

    checkBox(chkFavourite, "chkFavourite", "This is one of my favourite locations",
             TwipsRect(120, 2580 + kFindRows + kFillRow, 5760, 270));
    checkBox(chkDST, "chkDST", "This location experiences daylight savings",
             TwipsRect(120, 2910 + kFindRows + kFillRow, 5760, 270));

    frDST = new QFrame(this);
    frDST->setObjectName("frDST");
    frDST->setFrameStyle(QFrame::Box | QFrame::Sunken);
    frDST->setGeometry(TwipsRect(120, 3240 + kFindRows + kFillRow, 5760, 1260));
    label(Label11, "Label11", "at", frDST, TwipsRect(960, 90, 990, 255));
    label(Label12, "Label12", "on the", frDST, TwipsRect(2040, 90, 900, 255));
    label(Label14, "Label14", "day", frDST, TwipsRect(3030, 90, 840, 255));
    label(Label13, "Label13", "of", frDST, TwipsRect(3960, 90, 1650, 255));
    label(Label9, "Label9", "Starts:", frDST, TwipsRect(90, 405, 840, 255));
    list(cboHrStart, "cboHrStart", RuleList::HrStart, TwipsRect(960, 360, 990, 360));
    list(cboWkStart, "cboWkStart", RuleList::WkStart, TwipsRect(2040, 360, 900, 360));
    list(cboDayStart, "cboDayStart", RuleList::DayStart, TwipsRect(3030, 360, 840, 360));
    list(cboMthStart, "cboMthStart", RuleList::MthStart, TwipsRect(3960, 360, 1650, 360));
    label(Label10, "Label10", "Ends:", frDST, TwipsRect(90, 855, 840, 255));
    list(cboHrEnd, "cboHrEnd", RuleList::HrEnd, TwipsRect(960, 810, 990, 360));
    list(cboWkEnd, "cboWkEnd", RuleList::WkEnd, TwipsRect(2040, 810, 900, 360));
    list(cboDayEnd, "cboDayEnd", RuleList::DayEnd, TwipsRect(3030, 810, 840, 360));
    list(cboMthEnd, "cboMthEnd", RuleList::MthEnd, TwipsRect(3960, 810, 1650, 360));

    cmdOK = new QPushButton("OK", this);
    cmdOK->setObjectName("cmdOK");
    cmdOK->setGeometry(TwipsRect(3240, 4650 + kFindRows + kFillRow + kNoteRows, 1260, 390));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton("Cancel", this);
    cmdCancel->setObjectName("cmdCancel");
    cmdCancel->setGeometry(TwipsRect(4620, 4650 + kFindRows + kFillRow + kNoteRows, 1260, 390));

    signs_ = {chkN, chkS, chkE, chkW, chkP, chkM};
}

void dlgLocations::CreateFindControls() {
    lblFind = new QLabel("Find a town", this);
    lblFind->setObjectName("lblFind");
    lblFind->setGeometry(TwipsRect(120, 120, 5760, 255));
    txtFind = new QLineEdit(this);
    txtFind->setObjectName("txtFind");
    txtFind->setPlaceholderText("Type a town's name, e.g. christchurch");
    txtFind->setClearButtonEnabled(true);
    txtFind->setGeometry(TwipsRect(120, 390, 5760, 330));
    lblFind->setBuddy(txtFind);

    findModel_ = new QStringListModel(this);
    findCompleter_ = new QCompleter(findModel_, this);
    findCompleter_->setObjectName("findCompleter");
    // The gazetteer has chosen and ordered the towns; the drop-down shows them all as
    // they are, and the widget's text is only set once the user picks one.
    findCompleter_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    findCompleter_->setMaxVisibleItems(12);
    findCompleter_->setWidget(txtFind);
    connect(txtFind, &QLineEdit::textEdited, this, &dlgLocations::txtFind_Edited);
    connect(findCompleter_, qOverload<const QModelIndex&>(&QCompleter::activated), this,
            [this](const QModelIndex& index) { PickTown(index.row()); });

    const auto lengthLabel = [this](QLabel*& member, const char* name, QRect where) {
        member = new QLabel(this);
        member->setObjectName(name);
        member->setAlignment(Qt::AlignRight);
        member->setGeometry(where);
    };
    lengthLabel(lblCountryLength, "lblCountryLength", TwipsRect(2220, 120 + kFindRows, 900, 255));
    lengthLabel(lblCityLength, "lblCityLength", TwipsRect(4980, 120 + kFindRows, 900, 255));

    cmdFillZone = new QPushButton("Fill time zone from the coordinates", this);
    cmdFillZone->setObjectName("cmdFillZone");
    cmdFillZone->setGeometry(TwipsRect(1680, 2490 + kFindRows, 4200, 360));
    connect(cmdFillZone, &QPushButton::clicked, this, &dlgLocations::cmdFillZone_Click);

    lblNote = new QLabel(this);
    lblNote->setObjectName("lblNote");
    lblNote->setWordWrap(true);
    lblNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblNote->setGeometry(TwipsRect(120, 4560 + kFindRows + kFillRow, 5760, kNoteRows));
}

void dlgLocations::txtFind_Edited(const QString& text) {
    // A position pasted from a phone or a map is no town's name: it fills the position.
    if (const auto position = ParsePosition(text.toStdString())) {
        findModel_->setStringList({});
        findCompleter_->popup()->hide();
        form_.FillPosition(position->latitude, position->longitude);
        form_.SetNote(
            "Position filled in; press \"Fill time zone from the coordinates\" for its zone.");
        ShowForm();
        return;
    }
    QStringList entries;
    for (const std::string& entry : search_.Update(text.toStdString())) {
        entries << QString::fromStdString(entry);
    }
    findModel_->setStringList(entries);
    // Nothing typed yet is no reason for a message.
    form_.SetNote(text.trimmed().isEmpty() ? std::string() : search_.Status());
    lblNote->setText(QString::fromStdString(form_.Note()));
    if (entries.isEmpty()) {
        findCompleter_->popup()->hide();
    } else {
        findCompleter_->complete();
    }
}

void dlgLocations::ClearFind() {
    if (txtFind->text().isEmpty()) {
        return;
    }
    const QSignalBlocker blocker(txtFind);
    txtFind->clear();
    findModel_->setStringList({});
    findCompleter_->popup()->hide();
}

void dlgLocations::PickTown(int row) {
    try {
        const TownPlace place = search_.Pick(static_cast<std::size_t>(row));
        form_.FillPlace(place.country, place.town, place.latitude, place.longitude, place.zone);
        txtFind->setText(findModel_->index(row).data().toString());
        // With the drop-down emptied, the next Enter presses OK.
        findModel_->setStringList({});
    } catch (const std::exception& error) {
        form_.SetNote(error.what());
    }
    ShowForm();
}

void dlgLocations::cmdFillZone_Click() {
    const auto position = form_.Position();
    if (!position) {
        form_.SetNote("Enter the latitude and longitude first.");
    } else {
        try {
            form_.FillZone(search_.ZoneAt((*position)[0], (*position)[1]));
        } catch (const std::exception& error) {
            form_.SetNote(std::string(error.what()) + "; enter the zone by hand.");
        }
    }
    ShowForm();
}

void dlgLocations::NameControls() {
    // The captions stand beside or above their boxes and a screen reader cannot see that:
    // each box gets its caption as a buddy (so the access keys work too) and a name of its
    // own where one caption serves several boxes or a box's caption is a bare sign.
    Label1->setBuddy(txtCountry);
    Label2->setBuddy(txtCity);
    Label4->setBuddy(txtDLatt);
    Label3->setBuddy(txtDLong);
    Label7->setBuddy(txtZone);
    const std::pair<QWidget*, const char*> names[] = {
        {txtCountry, "Country, State"},
        {txtCity, "City/Town Name"},
        {txtDLatt, "Latitude: degrees"},
        {txtMLatt, "Latitude: minutes"},
        {txtDLong, "Longitude: degrees"},
        {txtMLong, "Longitude: minutes"},
        {txtZone, "GMT time difference: hours"},
        {chkN, "North"},
        {chkS, "South"},
        {chkE, "East"},
        {chkW, "West"},
        {chkP, "Ahead of GMT (+)"},
        {chkM, "Behind GMT (-)"},
        {cboHrStart, "Saving starts: hour"},
        {cboWkStart, "Saving starts: week"},
        {cboDayStart, "Saving starts: day"},
        {cboMthStart, "Saving starts: month"},
        {cboHrEnd, "Saving ends: hour"},
        {cboWkEnd, "Saving ends: week"},
        {cboDayEnd, "Saving ends: day"},
        {cboMthEnd, "Saving ends: month"},
    };
    for (const auto& [control, name] : names) {
        control->setAccessibleName(QString::fromUtf8(name));
    }
}

void dlgLocations::SetTabOrder() {
    // The order a reader takes: names, latitude then longitude row, the zone row, the two
    // flags, the rule lists column by column under their headings, and the buttons.
    QWidget* const order[] = {
        txtFind,     txtCountry,   txtCity,     txtDLatt,   txtMLatt, chkN,       chkS,
        txtDLong,    txtMLong,     chkE,        chkW,       chkP,     chkM,       txtZone,
        cmdFillZone, chkFavourite, chkDST,      cboHrStart, cboHrEnd, cboWkStart, cboWkEnd,
        cboDayStart, cboDayEnd,    cboMthStart, cboMthEnd,  cmdOK,    cmdCancel};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void dlgLocations::ConnectControls() {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        connect(boxes_[i], &QLineEdit::textChanged, this, [this, i](const QString& text) {
            form_.SetText(static_cast<FormBox>(i), text.toStdString());
            ShowLengths();
        });
        // A town's name left in the search box after the fields were changed by hand would
        // claim they still describe that town.
        connect(boxes_[i], &QLineEdit::textEdited, this, [this] { ClearFind(); });
    }
    for (std::size_t i = 0; i < signs_.size(); ++i) {
        connect(signs_[i], &QCheckBox::toggled, this, [this, i](bool checked) {
            form_.SetChecked(static_cast<SignBox>(i), checked);
            ShowForm();
        });
        connect(signs_[i], &QCheckBox::clicked, this, [this] { ClearFind(); });
    }
    connect(chkFavourite, &QCheckBox::toggled, this,
            [this](bool checked) { form_.SetFavourite(checked); });
    connect(chkDST, &QCheckBox::toggled, this, [this](bool checked) {
        form_.SetDst(checked);
        ShowForm();
    });
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        connect(lists_[i], &QComboBox::currentIndexChanged, this,
                [this, i](int position) { form_.Select(static_cast<RuleList>(i), position); });
    }
    connect(cmdOK, &QPushButton::clicked, this, &dlgLocations::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &dlgLocations::cmdCancel_Click);
}

void dlgLocations::FillLists() {
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        QComboBox* list = lists_[i];
        const QSignalBlocker blocker(list);
        list->clear();
        for (const ListItem& item : LocationForm::Items(static_cast<RuleList>(i))) {
            list->addItem(QString::fromStdString(item.text), item.data);
        }
        list->setCurrentIndex(-1);
    }
}

void dlgLocations::ShowForm() {
    const QColor normal = QApplication::palette(txtCountry).color(QPalette::Base);
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const auto box = static_cast<FormBox>(i);
        QLineEdit* edit = boxes_[i];
        const QSignalBlocker blocker(edit);
        const QString text = QString::fromStdString(form_.Text(box));
        if (edit->text() != text) {
            edit->setText(text);
        }
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, form_.Highlighted(box) ? kRefusedBackground : normal);
        edit->setPalette(palette);
        // A screen reader reads the reason with the box that keeps the focus.
        edit->setAccessibleDescription(form_.Highlighted(box)
                                           ? QString::fromStdString(LocationForm::RefusedText(box))
                                           : QString());
    }
    for (std::size_t i = 0; i < signs_.size(); ++i) {
        const QSignalBlocker blocker(signs_[i]);
        signs_[i]->setChecked(form_.Checked(static_cast<SignBox>(i)));
    }
    {
        const QSignalBlocker favouriteBlocker(chkFavourite);
        const QSignalBlocker dstBlocker(chkDST);
        chkFavourite->setChecked(form_.Favourite());
        chkDST->setChecked(form_.Dst());
    }
    frDST->setEnabled(form_.DstFrameEnabled());
    lblNote->setText(QString::fromStdString(form_.Note()));
    ShowLengths();
    for (std::size_t i = 0; i < lists_.size(); ++i) {
        const QSignalBlocker blocker(lists_[i]);
        lists_[i]->setCurrentIndex(form_.Selected(static_cast<RuleList>(i)));
    }
}

void dlgLocations::ShowLengths() {
    lblCountryLength->setText(QString::fromStdString(form_.LengthText(FormBox::Country)));
    lblCityLength->setText(QString::fromStdString(form_.LengthText(FormBox::City)));
}

bool dlgLocations::FormSetup(std::string& record, int mode) {
    form_.FormSetup(record, mode);
    {
        const QSignalBlocker blocker(txtFind);
        txtFind->clear();
        findModel_->setStringList({});
    }
    FillLists();
    ShowForm();
    setWindowTitle(QString::fromStdString(form_.Caption()));
    okFlag_ = false;
    swallowNextPress_ = false;
    // Each use starts afresh, whatever had the focus when the window was hidden: a new
    // place in the town search, where most places are best found; a place being edited in
    // its first box.
    (mode == 1 ? txtFind : txtCountry)->setFocus(Qt::OtherFocusReason);
    exec();
    if (okFlag_) {
        record = form_.BuildLocationRecord();
    }
    return okFlag_;
}

void dlgLocations::cmdOK_Click() {
    // Enter presses OK without moving the focus, so the box being typed in has not been
    // checked yet; its text must not reach the record unchecked.
    if (!ValidateFocusBox()) {
        return;
    }
    // A position beyond 90 or 180 degrees (minutes included) is shown where it lies.
    if (const auto beyond = form_.PositionOutOfRange()) {
        form_.SetNote("That position is beyond 90 degrees of latitude or 180 of longitude.");
        ShowForm();
        RefuseFocus(Box(*beyond));
        return;
    }
    if (!form_.CheckEntries()) {
        // Incomplete: the window stays open. A name still empty is where the focus goes,
        // coloured, as the window now opens in the town search rather than in that box.
        for (QLineEdit* name : {txtCountry, txtCity}) {
            if (name->text().isEmpty()) {
                form_.ValidateBox(name == txtCountry ? FormBox::Country : FormBox::City);
                ShowForm();
                RefuseFocus(name);
                break;
            }
        }
        return;
    }
    okFlag_ = true;
    accept();
}

void dlgLocations::cmdCancel_Click() {
    reject();
}

void dlgLocations::reject() {
    okFlag_ = false;
    QDialog::reject();
}

int dlgLocations::BoxIndexOf(const QObject* object) const {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        if (boxes_[i] == object) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool dlgLocations::ValidateFocusBox() {
    const int index = BoxIndexOf(focusWidget());
    if (index < 0) {
        return true;
    }
    const bool accepted = form_.ValidateBox(static_cast<FormBox>(index));
    ShowForm();
    if (!accepted) {
        RefuseFocus(boxes_[static_cast<std::size_t>(index)]);
    }
    return accepted;
}

void dlgLocations::RefuseFocus(QLineEdit* box) {
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
}

bool dlgLocations::eventFilter(QObject* watched, QEvent* event) {
    const int index = BoxIndexOf(watched);
    if (watched == txtFind && event->type() == QEvent::KeyPress) {
        // Enter or the down arrow in the search box open the drop-down of matches rather
        // than pressing OK: a search is picked, not accepted as typed.
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool opens = key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter;
        if (opens && findModel_->rowCount() > 0 && !findCompleter_->popup()->isVisible()) {
            findCompleter_->complete();
            findCompleter_->popup()->setCurrentIndex(
                findCompleter_->completionModel()->index(0, 0));
            return true;
        }
    }
    switch (event->type()) {
        case QEvent::FocusIn:
            if (index >= 0) {
                QLineEdit* box = boxes_[static_cast<std::size_t>(index)];
                box->selectAll();
                // A click places the cursor after the focus has arrived; select again once
                // the press has been handled, so typing still replaces the entry.
                if (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason) {
                    QTimer::singleShot(0, box, [box] {
                        if (box->hasFocus()) {
                            box->selectAll();
                        }
                    });
                }
            }
            break;
        case QEvent::FocusOut: {
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            // Only a move to another control of this window runs the check; switching to
            // another window or opening a list's pop-up does not.
            const bool toOtherControl =
                reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason;
            if (index < 0 || !toOtherControl || !isVisible()) {
                break;
            }
            // Cancel discards the entry, and a search fills it: neither needs the box
            // checked first, so an empty name must not hold the focus against them.
            const QWidget* next = QApplication::focusWidget();
            if (next == cmdCancel || next == txtFind) {
                break;
            }
            const bool accepted = form_.ValidateBox(static_cast<FormBox>(index));
            ShowForm();
            if (accepted) {
                break;
            }
            if (reason == Qt::MouseFocusReason) {
                // The press that moved the focus is delivered right after this event; it
                // must not click the button or box it landed on.
                swallowNextPress_ = true;
                QTimer::singleShot(0, this, [this] { swallowNextPress_ = false; });
            }
            RefuseFocus(boxes_[static_cast<std::size_t>(index)]);
            return true;  // the box keeps its focus, so it must not see it go
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (swallowNextPress_) {
                swallowNextPress_ = false;
                return true;
            }
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace quintrel
