#include "app/fMain.h"
#include "ui/OpenFileDialog.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <cstdio>
#include <vector>

#include "appcore/MainLayout.h"
#include "appcore/MonthYear.h"
#include "appcore/Settings.h"
#include "appcore/SettingsStore.h"
#include "astro/CoreError.h"
#include "astro/NumberText.h"
#include "ui/MessageBoxes.h"
#include "ui/TwipsGeometry.h"
#include "ui/report/ReportViewer.h"

namespace quintrel {

namespace {

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

}  // namespace

fMain::fMain(const MainWindowServices& services, QWidget* parent)
    : QWidget(parent),
      services_(services),
      cdPrintSetup(*services.cdPrintSetup),
      textScale_(DesktopTextScale()) {
    setObjectName(QStringLiteral("fMain"));
    setWindowTitle(QStringLiteral("Quintrel"));
    BuildControls();
    BuildMenus();
    ConnectEvents();
    BuildPlannerButton();
    BuildLogButton();
}

fMain::~fMain() = default;

void fMain::BuildControls() {
    // The window's standard font: Liberation Sans has the metrics of the sans-serif font
    // the layout was drawn with, so the captions fit their buttons. A larger desktop font
    // grows it and the top row alike (the report's toolbar follows the desktop font).
    setFont(ScaledDesignFont(QStringLiteral("Liberation Sans"), 8.25, textScale_));

    // Client area at design size: 9180 x 3900 twips.
    setMinimumSize(TwipsToPixels(MinWindowWidth(textScale_) - kFrameWidth),
                   TwipsToPixels(MinWindowHeight(textScale_) - kFrameHeight));
    resize(minimumSize());

    arvReport = Named(new ReportViewer(this), "arvReport");
    arvReport->setGeometry(TwipsRect(0, 405, 9150, 3480, textScale_));
    // A whole page to start with (no smaller than reads well); from then on the user's
    // choice stays across calculations.
    arvReport->SetFit(ReportViewer::ZoomFit::Page);

    lblDate = Named(new QLabel(QStringLiteral("&Month:"), this), "lblDate");
    lblDate->setGeometry(TwipsRect(45, 90, 510, 195, textScale_));

    cboMonth = Named(new QComboBox(this), "cboMonth");
    cboMonth->setEditable(true);
    cboMonth->setInsertPolicy(QComboBox::NoInsert);
    cboMonth->setMaxVisibleItems(12);  // the whole year without scrolling
    cboMonth->setGeometry(TwipsRect(585, 45, 1365, 315, textScale_));
    lblDate->setBuddy(cboMonth);
    // An editable list reads out its text as its name; say what the box is instead.
    cboMonth->setAccessibleName(QStringLiteral("Month"));
    cboMonth->lineEdit()->setAccessibleName(QStringLiteral("Month"));

    lblYr = Named(new QLabel(QStringLiteral("&Year:"), this), "lblYr");
    lblYr->setGeometry(TwipsRect(2025, 90, 375, 195, textScale_));

    txtYear = Named(new QLineEdit(this), "txtYear");
    txtYear->setGeometry(TwipsRect(2430, 45, 540, 285, textScale_));
    txtYear->setToolTip(QStringLiteral("Year: Up and Down change it, Enter shows it"));
    lblYr->setBuddy(txtYear);

    // Buttons of a usable size side by side, reachable with Tab; a click with the mouse
    // leaves the focus where it was. Held down, they repeat.
    const auto spinButton = [this](const char* name, const QString& caption, const QString& tip,
                                   std::int32_t left) {
        auto* spin = Named(new QToolButton(this), name);
        spin->setText(caption);
        spin->setToolTip(tip);
        spin->setFocusPolicy(Qt::TabFocus);
        spin->setAutoRepeat(true);
        spin->setGeometry(TwipsRect(left, 45, kSpinButtonWidth, 330, textScale_));
        return spin;
    };
    lblMinus = spinButton("lblMinus", QStringLiteral("-"), QStringLiteral("Decrease year (Down)"),
                          kMinusLeft);
    lblPlus = spinButton("lblPlus", QStringLiteral("+"), QStringLiteral("Increase year (Up)"),
                         kMinusLeft + kSpinButtonWidth + 15);
    lblMinus->setAccessibleName(QStringLiteral("Previous year"));
    lblPlus->setAccessibleName(QStringLiteral("Next year"));

    const auto button = [this](const char* name, const QString& caption, std::int32_t left,
                               std::int32_t width) {
        auto* push = Named(new QPushButton(caption, this), name);
        // Enter works on the button that has the focus, as Space does.
        push->setAutoDefault(true);
        push->setGeometry(TwipsRect(left, 45, width, 330, textScale_));
        return push;
    };
    cmdPlace = button("cmdPlace", QStringLiteral("&Place"), kPlaceButtonLeft, 645);

    cboPlaces = Named(new QComboBox(this), "cboPlaces");
    cboPlaces->setEditable(true);
    cboPlaces->setInsertPolicy(QComboBox::NoInsert);
    cboPlaces->setGeometry(TwipsRect(kPlacesLeft, 45, 2310, 315, textScale_));
    cboPlaces->setAccessibleName(QStringLiteral("Place"));
    cboPlaces->lineEdit()->setAccessibleName(QStringLiteral("Place"));

    cmdCalc = button("cmdCalc", QStringLiteral("&Calculate"), 6210, 825);
    cmdTides = button("cmdTides", QStringLiteral("&Tides"), 7065, 645);
    cmdAbout = button("cmdAbout", QStringLiteral("A&bout"), 7830, 645);
    cmdExit = button("cmdExit", QStringLiteral("E&xit"), 8505, 645);

    cmdPlace->setToolTip(QStringLiteral("Add, edit or delete places (Alt+P)"));
    ChainTabOrder();
}

void fMain::ChainTabOrder() {
    // The order of use: what to compute, then the report and its tools as the toolbar
    // shows them, then the rest of the top row. Tools added to the toolbar later would
    // otherwise join the chain at its end, after the planner.
    std::vector<QWidget*> order = {cboMonth, txtYear,   lblMinus, lblPlus,
                                   cmdPlace, cboPlaces, cmdCalc};
    const auto addFocusable = [&order](QWidget* widget) {
        if (widget->focusPolicy() & Qt::TabFocus) {
            order.push_back(widget);
            return;
        }
        for (QWidget* child : widget->findChildren<QWidget*>()) {
            if ((child->focusPolicy() & Qt::TabFocus) && !child->isWindow()) {
                order.push_back(child);
            }
        }
    };
    for (QWidget* part : arvReport->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (part != arvReport->ToolBar()) {
            addFocusable(part);  // the page view
        }
    }
    for (QAction* tool : arvReport->ToolBar()->actions()) {
        if (QWidget* widget = arvReport->ToolBar()->widgetForAction(tool)) {
            addFocusable(widget);
        }
    }
    order.insert(order.end(), {cmdTides, cmdAbout, cmdExit});
    for (std::size_t i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
}

void fMain::BuildMenus() {
    popAddEditDel = Named(new QMenu(this), "popAddEditDel");
    const char* placeCaptions[] = {"&Add Location", "&Edit Location", "&Delete Location"};
    for (int index = 0; index < 3; ++index) {
        miAddEditDel[index] = popAddEditDel->addAction(QString::fromLatin1(placeCaptions[index]));
        miAddEditDel[index]->setObjectName(QStringLiteral("miAddEditDel%1").arg(index));
        connect(miAddEditDel[index], &QAction::triggered, this,
                [this, index] { miAddEditDel_Click(index); });
    }

    // The menus check what they offer each time they open, however they are opened.
    connect(popAddEditDel, &QMenu::aboutToShow, this, &fMain::UpdatePlaceMenu);

    popTides = Named(new QMenu(this), "popTides");
    popTides->setToolTipsVisible(true);
    connect(popTides, &QMenu::aboutToShow, this, &fMain::UpdateTidesMenu);
    miTides[0] = popTides->addAction(QStringLiteral("Run WXTides"));
    miTides[1] = popTides->addSeparator();
    miTides[2] = popTides->addAction(QStringLiteral("Setup"));
    for (int index = 0; index < 3; ++index) {
        miTides[index]->setObjectName(QStringLiteral("miTides%1").arg(index));
        connect(miTides[index], &QAction::triggered, this, [this, index] { miTides_Click(index); });
    }
}

void fMain::ConnectEvents() {
    connect(cboMonth, &QComboBox::currentIndexChanged, this, [this] { cboMonth_Click(); });
    connect(cboMonth->lineEdit(), &QLineEdit::textEdited, this, [this] { cboMonth_Change(); });
    txtYear->installEventFilter(this);
    cboPlaces->installEventFilter(this);
    // An editable list hands Ctrl+E to its line edit itself: its own filter sees it first.
    cboMonth->installEventFilter(this);
    connect(txtYear, &QLineEdit::returnPressed, this, &fMain::txtYear_Validate);
    connect(lblPlus, &QToolButton::clicked, this, &fMain::lblPlus_Click);
    connect(lblMinus, &QToolButton::clicked, this, &fMain::lblMinus_Click);

    connect(cboPlaces, &QComboBox::currentIndexChanged, this, [this] { cboPlaces_Click(); });
    connect(cboPlaces->lineEdit(), &QLineEdit::textEdited, this, [this] { cboPlaces_Change(); });
    connect(cmdPlace, &QPushButton::clicked, this, &fMain::cmdPlace_Click);
    SetUpPlaceCompletion();

    connect(cmdCalc, &QPushButton::clicked, this, &fMain::cmdCalc_Click);
    connect(cmdTides, &QPushButton::clicked, this, &fMain::cmdTides_Click);
    connect(cmdAbout, &QPushButton::clicked, this, &fMain::cmdAbout_Click);
    connect(cmdExit, &QPushButton::clicked, this, &fMain::cmdExit_Click);
    connect(arvReport, &ReportViewer::ToolClick, this,
            [this](QAction* tool) { arvReport_ToolbarClick(tool->text()); });
    connect(arvReport, &ReportViewer::DayLineActivated, this, &fMain::OpenDayPicture);
}

// ---------------------------------------------------------------- start-up and close-down

bool fMain::Form_Load() {
    loading_ = true;
    places_.LocationsChanged = false;
    toolbarPending_ = true;

    FillMonthList();
    firstRun_ = FirstRunState(services_.thisMonth(), services_.thisYear(), AvailableTwips().width(),
                              AvailableTwips().height(), 0, textScale_);
    const bool sizeSaved = WindowWidthSaved(*services_.settings);
    LoadSettings(*services_.settings, firstRun_, state_, places_.LocationIndex);
    if (!LoadLocations(true)) {
        return false;
    }

    KeepSavedSizeOnTheDesktop();
    SetOuterWidthTwips(state_.WindowWidth);
    SetOuterHeightTwips(state_.WindowHeight);

    // A month the list does not hold shows June; a saved year the controls cannot produce
    // shows this year, and in both cases the first table is computed for what is shown.
    state_.CurrentMonth = StartingMonth(state_.CurrentMonth);
    cboMonth->setCurrentIndex(state_.CurrentMonth - 1);
    cboMonth_Click();
    state_.CurrentYear = StartingYear(state_.CurrentYear, services_.thisYear());
    txtYear->setText(QString::fromStdString(YearText(state_.CurrentYear)));

    loading_ = false;
    CalculateMonth(false);
    if (!sizeSaved) {
        WidenForTools();
    }
    UpdateTidesMenu();  // the Tides button's tip says whether a program is chosen
    cboMonth->setFocus(Qt::OtherFocusReason);  // Tab then follows the order of use
    CentreOnScreen();
    return true;
}

void fMain::WidenForTools() {
    // The report's tools join the toolbar with the first table; a first window shows them
    // all when the desktop is wide enough.
    const int tools = arvReport->ToolBar()->sizeHint().width();
    firstRun_ = FirstRunState(services_.thisMonth(), services_.thisYear(), AvailableTwips().width(),
                              AvailableTwips().height(), tools * kTwipsPerPixel, textScale_);
    if (firstRun_.WindowWidth > OuterWidthTwips()) {
        SetOuterWidthTwips(firstRun_.WindowWidth);
    }
}

void fMain::KeepSavedSizeOnTheDesktop() {
    // The program only ever saves a size the window had, but a damaged or hand-edited
    // settings file can ask for billions of twips: a window (and a drawing buffer) far
    // beyond any screen. Such a size counts as not saved at all.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QSize desktop = screen->virtualSize();
    if (state_.WindowWidth > std::int64_t{desktop.width()} * kTwipsPerPixel + kFrameWidth) {
        state_.WindowWidth = firstRun_.WindowWidth;
    }
    if (state_.WindowHeight > std::int64_t{desktop.height()} * kTwipsPerPixel + kFrameHeight) {
        state_.WindowHeight = firstRun_.WindowHeight;
    }
}

QSize fMain::AvailableTwips() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return QSize(kMinWindowWidth, kMinWindowHeight);
    }
    const QSize available = screen->availableGeometry().size();
    return QSize(available.width() * kTwipsPerPixel, available.height() * kTwipsPerPixel);
}

void fMain::CentreOnScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QSize outer(TwipsToPixels(OuterWidthTwips()), TwipsToPixels(OuterHeightTwips()));
    move(available.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

bool fMain::Form_Unload() {
    return CloseDown(true);
}

void fMain::CloseForSystem() {
    CloseDown(false);
}

bool fMain::CloseDown(bool interactive) {
    if (unloaded_) {
        return true;
    }
    if (!SaveLocations(interactive)) {
        return false;
    }
    unloaded_ = true;
    // Unsaved places would shift the saved position onto another place of the file.
    const std::int16_t savedIndex = places_.LocationsChanged
                                        ? LocationIndexOnDisk(places_, placesOnDisk_)
                                        : places_.LocationIndex;
    SaveSettings(*services_.settings, state_, savedIndex);
    try {
        services_.settings->Commit();
    } catch (const CoreError& error) {
        // The old settings file is kept; the next start uses what it holds.
        const QString problem = QString::fromStdString(error.what()) +
                                QStringLiteral(
                                    "\r\nThe month, year, place and window size of this "
                                    "session were not saved.");
        if (interactive) {
            services_.messages->Exclamation(QStringLiteral("Settings Not Saved"), problem, this);
        } else {
            std::fprintf(stderr, "quintrel: %s\n", qPrintable(problem));
        }
    }
    if (interactive) {
        services_.showThanks(this);
    }
    return true;
}

void fMain::closeEvent(QCloseEvent* event) {
    if (Form_Unload()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void fMain::cmdExit_Click() {
    close();
}

void fMain::cmdAbout_Click() {
    services_.showAbout(this);
}

// ------------------------------------------------------------------------ window size

std::int32_t fMain::OuterWidthTwips() const {
    return width() * kTwipsPerPixel + kFrameWidth;
}

std::int32_t fMain::OuterHeightTwips() const {
    return height() * kTwipsPerPixel + kFrameHeight;
}

void fMain::SetOuterWidthTwips(std::int32_t width) {
    const std::int32_t clamped = std::max(width, MinWindowWidth(textScale_));
    resize(TwipsToPixels(clamped - kFrameWidth), height());
    Form_Resize();
}

void fMain::SetOuterHeightTwips(std::int32_t height) {
    const std::int32_t clamped = std::max(height, MinWindowHeight(textScale_));
    resize(width(), TwipsToPixels(clamped - kFrameHeight));
    Form_Resize();
}

void fMain::Form_Resize() {
    if (isMinimized()) {
        return;
    }
    const MainLayout layout = LayoutForSize(OuterWidthTwips(), OuterHeightTwips(), textScale_);
    if (layout.windowWidth != OuterWidthTwips() || layout.windowHeight != OuterHeightTwips()) {
        resize(TwipsToPixels(layout.windowWidth - kFrameWidth),
               TwipsToPixels(layout.windowHeight - kFrameHeight));
    }
    cmdExit->move(TwipsToPixels(layout.exitLeft), cmdExit->y());
    cmdAbout->move(TwipsToPixels(layout.aboutLeft), cmdAbout->y());
    cmdTides->move(TwipsToPixels(layout.tidesLeft), cmdTides->y());
    cmdCalc->move(TwipsToPixels(layout.calcLeft), cmdCalc->y());
    cboPlaces->resize(TwipsToPixels(layout.placesWidth), cboPlaces->height());
    arvReport->resize(TwipsToPixels(layout.reportWidth), TwipsToPixels(layout.reportHeight));
    RecordWindowSize(state_, layout.windowWidth, layout.windowHeight, loading_);
}

void fMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

void fMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The rule runs once when the window is first shown, so the size it opened with is
    // what close-down saves even if the user never resizes.
    Form_Resize();
}

void fMain::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        Form_Resize();
    }
}

}  // namespace quintrel
