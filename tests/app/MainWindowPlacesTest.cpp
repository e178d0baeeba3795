// The place list and the "Place" menu: adding, editing and deleting places, and what
// survives a restart.
#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "MainWindowHarness.h"
#include "ui/QtSettingsStore.h"
#include "ui/report/ReportViewer.h"

using namespace quintrel;
using namespace quintrel::testing;

namespace {

QStringList Entries(const QComboBox* box) {
    QStringList entries;
    for (int i = 0; i < box->count(); ++i) {
        entries << box->itemText(i);
    }
    return entries;
}

}  // namespace

class MainWindowPlacesTest : public QObject {
    Q_OBJECT

    WindowHarness* harness_ = nullptr;
    std::unique_ptr<fMain> window_;

  private slots:
    void init() {
        harness_ = new WindowHarness;
        harness_->WritePlacesAsSaved(FivePlaces());
        harness_->settings.Set("Index", "2");
        window_ = harness_->Open();
        QVERIFY(window_);
    }

    void cleanup() {
        window_.reset();
        delete harness_;
        harness_ = nullptr;
    }

    void choosingAPlaceSetsItsValuesAndShowsItsReport() {
        Ui(*window_).cboPlaces->setCurrentIndex(4);
        QCOMPARE(window_->Places().LocationIndex, std::int16_t{4});
        QCOMPARE(window_->Place().PlaceZone, -5.0f);
        QVERIFY(window_->Place().PlaceLongitude < -71.0f);
        QCOMPARE(Ui(*window_).arvReport->ReportSource()->Caption("lblPageHeader"),
                 std::string("Quintrel For USA (Boston) for June 2026"));
    }

    void clearingThePlaceTextRestoresThePlace() {
        Ui(*window_).cboPlaces->setCurrentIndex(3);
        Ui(*window_).cboPlaces->lineEdit()->selectAll();
        QTest::keyClick(Ui(*window_).cboPlaces->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(Ui(*window_).cboPlaces->currentText(), QString("Pakistan (Karachi)"));
        QCOMPARE(window_->Places().LocationIndex, std::int16_t{3});
        QTest::keyClicks(Ui(*window_).cboPlaces->lineEdit(), "Ber");
        QCOMPARE(window_->Places().LocationIndex, std::int16_t{3});
    }

    void enteredTextPicksThePlaceHoldingItOrSaysNoneDoes() {
        window_->show();
        QVERIFY(QTest::qWaitForWindowActive(window_.get()));
        QLineEdit* edit = Ui(*window_).cboPlaces->lineEdit();
        edit->setFocus();
        const auto enter = [&](const char* text) {
            edit->selectAll();
            QTest::keyClicks(edit, text);
            QTest::keyClick(edit, Qt::Key_Return);
        };
        enter("arach");  // inside the town's name, not its start
        QCOMPARE(window_->Places().LocationIndex, std::int16_t{3});
        QCOMPARE(Ui(*window_).cboPlaces->currentText(), QString("Pakistan (Karachi)"));
        QVERIFY(harness_->messages.shown.empty());

        enter("brisb");
        QCOMPARE(harness_->messages.shown.size(), std::size_t{1});
        QVERIFY(harness_->messages.shown.back().text.contains("No place matches \"brisb\""));
        QCOMPARE(Ui(*window_).cboPlaces->currentText(), QString("Pakistan (Karachi)"));
        QCOMPARE(window_->Places().LocationIndex, std::int16_t{3});

        // "an" is in three names: they are offered, nothing changes until one is picked.
        enter("an");
        QCOMPARE(harness_->messages.shown.size(), std::size_t{1});
        QCOMPARE(window_->Places().LocationIndex, std::int16_t{3});
        QAbstractItemView* offered = Ui(*window_).cboPlaces->completer()->popup();
        QTRY_VERIFY(offered->isVisible());
        QCOMPARE(offered->model()->rowCount(), 3);
        QTest::keyClick(offered, Qt::Key_Down);
        QTest::keyClick(offered, Qt::Key_Return);
        QCOMPARE(window_->Places().LocationIndex, std::int16_t{1});  // France (Paris)
    }

    void menuEnablesEditAndDeleteOnlyWithASelection() {
        emit Ui(*window_).popAddEditDel->aboutToShow();
        QVERIFY(Ui(*window_).miAddEditDel[0]->isEnabled());
        QVERIFY(Ui(*window_).miAddEditDel[1]->isEnabled());
        QVERIFY(Ui(*window_).miAddEditDel[2]->isEnabled());
        Ui(*window_).cboPlaces->setCurrentIndex(-1);
        emit Ui(*window_).popAddEditDel->aboutToShow();
        QVERIFY(Ui(*window_).miAddEditDel[0]->isEnabled());
        QVERIFY(!Ui(*window_).miAddEditDel[1]->isEnabled());
        QVERIFY(!Ui(*window_).miAddEditDel[2]->isEnabled());
    }

    void addingAFavouritePutsItAmongTheFavouritesSelected() {
        const std::string added = Record(true, "Canada", "Quebec", "+46 49", "-71 13", "-5");
        harness_->formAnswers.push_back(added);
        const arReport* before = Ui(*window_).arvReport->ReportSource();
        Ui(*window_).miAddEditDel[0]->trigger();
        QCOMPARE(harness_->formCalls.size(), std::size_t{1});
        QCOMPARE(harness_->formCalls.front().first, std::string());
        QCOMPARE(harness_->formCalls.front().second, 1);
        QCOMPARE(Entries(Ui(*window_).cboPlaces),
                 (QStringList{"Australia (Sydney)", "Canada (Quebec)", "France (Paris)",
                              "New Zealand (Christchurch)", "Pakistan (Karachi)", "USA (Boston)"}));
        QCOMPARE(Ui(*window_).cboPlaces->currentIndex(), 1);
        QCOMPARE(window_->Places().LocationIndex, std::int16_t{1});
        QVERIFY(window_->Places().LocationsChanged);
        // Recomputed at once for the new place, even though the key looks the same.
        QVERIFY(Ui(*window_).arvReport->ReportSource() != before);
        QCOMPARE(Ui(*window_).arvReport->ReportSource()->Caption("lblPageHeader").substr(0, 29),
                 std::string("Quintrel For Canada (Quebec) "));
    }

    void addingATownTheListHoldsOffersTheExistingOne() {
        // Christchurch again, as the town search gives it: a minute off, another country text.
        const std::string again =
            Record(false, "New Zealand - Canterbury", "Christchurch", "-43 31", "+172 38", "+12");
        const auto before = window_->Places().Locations;
        harness_->formAnswers = {again, again};
        harness_->messages.answers = {true, false};
        Ui(*window_).cboPlaces->setCurrentIndex(0);
        Ui(*window_).miAddEditDel[0]->trigger();
        QCOMPARE(harness_->messages.shown.size(), std::size_t{1});
        QCOMPARE(harness_->messages.shown.back().title, QString("Place Already Listed"));
        QVERIFY(harness_->messages.shown.back().text.contains("New Zealand (Christchurch)"));
        QVERIFY(window_->Places().Locations == before);
        QCOMPARE(Ui(*window_).cboPlaces->currentText(), QString("New Zealand (Christchurch)"));
        // Declined: the user wants both, and gets both.
        Ui(*window_).miAddEditDel[0]->trigger();
        QCOMPARE(window_->Places().Locations.size(), before.size() + 1);
    }

    void addingAPlaceWithAccentedLettersShowsThemAndKeepsTheBytes() {
        // "Québec" as the location window hands it over: Windows-1252 bytes.
        const std::string added = Record(false, "Canada",
                                         "Qu\xE9"
                                         "bec",
                                         "+46 49", "-71 13", "-5");
        harness_->formAnswers.push_back(added);
        Ui(*window_).miAddEditDel[0]->trigger();
        QCOMPARE(Ui(*window_).cboPlaces->currentText(), QString::fromUtf8("Canada (Québec)"));
        QCOMPARE(window_->SelectedRecord(), added);
    }

    void editingATownSoItSortsElsewhereKeepsItSelected() {
        // Christchurch (position 2) becomes Auckland but stays in New Zealand; renaming
        // the country moves it to the end.
        Ui(*window_).cboPlaces->setCurrentIndex(2);
        const std::string edited =
            Record(false, "Zealandia", "Auckland", "-36 51", "+174 46", "+12");
        harness_->formAnswers.push_back(edited);
        Ui(*window_).miAddEditDel[1]->trigger();
        QCOMPARE(harness_->formCalls.front().first, FivePlaces()[2]);
        QCOMPARE(harness_->formCalls.front().second, 0);
        QCOMPARE(Ui(*window_).cboPlaces->currentText(), QString("Zealandia (Auckland)"));
        QCOMPARE(Ui(*window_).cboPlaces->currentIndex(), 4);
        QCOMPARE(window_->Places().LocationIndex, std::int16_t{4});
        QCOMPARE(Ui(*window_).cboPlaces->count(), 5);
        QVERIFY(window_->Places().LocationsChanged);
    }

    void deletingTheFirstPlaceSelectsTheNewFirst() {
        Ui(*window_).cboPlaces->setCurrentIndex(0);
        Ui(*window_).miAddEditDel[2]->trigger();
        const auto& question = harness_->messages.shown.back();
        QCOMPARE(question.kind, RecordingMessageBoxes::Kind::Question);
        QCOMPARE(question.title, QString("Confirm Delete"));
        QCOMPARE(question.text,
                 QString("Are you sure you want to delete the location:\r\nAustralia (Sydney)"));
        QCOMPARE(Ui(*window_).cboPlaces->count(), 4);
        QCOMPARE(Ui(*window_).cboPlaces->currentText(), QString("France (Paris)"));
        QCOMPARE(window_->Places().LocationIndex, std::int16_t{0});
        QCOMPARE(window_->Places().Locations.front(), FivePlaces()[1]);
        QVERIFY(window_->Places().LocationsChanged);
        QCOMPARE(Ui(*window_).arvReport->ReportSource()->Caption("lblPageHeader"),
                 std::string("Quintrel For France (Paris) for June 2026"));
    }

    void deletingAMiddlePlaceSelectsThePlaceBefore() {
        Ui(*window_).cboPlaces->setCurrentIndex(3);
        Ui(*window_).miAddEditDel[2]->trigger();
        QCOMPARE(Entries(Ui(*window_).cboPlaces),
                 (QStringList{"Australia (Sydney)", "France (Paris)", "New Zealand (Christchurch)",
                              "USA (Boston)"}));
        QCOMPARE(Ui(*window_).cboPlaces->currentText(), QString("New Zealand (Christchurch)"));
        QCOMPARE(window_->Places().LocationIndex, std::int16_t{2});
        QCOMPARE(window_->Place().PlaceZone, 12.0f);
    }

    void cancelPathsChangeNothing_data() {
        QTest::addColumn<int>("item");
        QTest::newRow("add cancelled") << 0;
        QTest::newRow("edit cancelled") << 1;
        QTest::newRow("delete not confirmed") << 2;
    }
    void cancelPathsChangeNothing() {
        QFETCH(int, item);
        Ui(*window_).cboPlaces->setCurrentIndex(3);
        const LocationList before = window_->Places().Locations;
        const arReport* report = Ui(*window_).arvReport->ReportSource();
        harness_->formAnswers.push_back(std::nullopt);
        harness_->messages.answers.push_back(false);
        Ui(*window_).miAddEditDel[static_cast<std::size_t>(item)]->trigger();
        QCOMPARE(window_->Places().Locations, before);
        QCOMPARE(Ui(*window_).cboPlaces->count(), 5);
        QCOMPARE(Ui(*window_).cboPlaces->currentIndex(), 3);
        QCOMPARE(window_->Places().LocationIndex, std::int16_t{3});
        QVERIFY(!window_->Places().LocationsChanged);
        QCOMPARE(Ui(*window_).arvReport->ReportSource(), report);
    }

    void theLastPlaceCannotBeDeleted() {
        for (int i = 0; i < 4; ++i) {
            Ui(*window_).miAddEditDel[2]->trigger();
        }
        QCOMPARE(Ui(*window_).cboPlaces->count(), 1);
        const std::size_t questions = harness_->messages.shown.size();
        Ui(*window_).miAddEditDel[2]->trigger();
        QCOMPARE(Ui(*window_).cboPlaces->count(), 1);
        QCOMPARE(window_->Places().Locations.size(), std::size_t{1});
        QCOMPARE(harness_->messages.shown.size(), questions + 1);
        const auto& refusal = harness_->messages.shown.back();
        QCOMPARE(refusal.kind, RecordingMessageBoxes::Kind::Exclamation);
        QVERIFY(refusal.text.contains("At least one place must remain"));
    }

    // A name wider than the box shows its start (the country), whether it was selected at
    // start-up or picked later, and the open list shows every name whole.
    void aLongNameShowsItsStartAndTheListShowsItWhole() {
        WindowHarness harness;
        std::vector<std::string> places = FivePlaces();
        places.push_back(
            Record(false, "United Arab Emirates", "Ras al-Khaimah", "+25 47", "+55 57", "+4"));
        harness.WritePlaces(places);
        harness.settings.Set("Index", "5");
        const std::unique_ptr<fMain> window = harness.Open();
        QVERIFY(window);
        window->SetOuterWidthTwips(9300);  // the narrowest window has the narrowest box
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QComboBox* box = Ui(*window).cboPlaces;
        const QString longName = QString("United Arab Emirates (Ras al-Khaimah)");
        QCOMPARE(box->currentText(), longName);
        QVERIFY(box->lineEdit()->fontMetrics().horizontalAdvance(longName) > box->width());
        QCOMPARE(box->lineEdit()->cursorPosition(), 0);

        box->setCurrentIndex(0);
        box->setCurrentIndex(5);
        QCOMPARE(box->lineEdit()->cursorPosition(), 0);

        box->showPopup();
        QWidget* list = box->view()->window();
        QVERIFY(list->isVisible());
        QVERIFY2(list->width() > box->view()->fontMetrics().horizontalAdvance(longName),
                 qPrintable(QString("list %1 px wide").arg(list->width())));
        box->hidePopup();
    }

    void anAddedPlaceIsStillThereAfterARestart() {
        // The real settings store in a file of the test's own, as the program uses it.
        QTemporaryDir home;
        const QString ini = home.filePath("Varnel.ini");
        WindowHarness harness;
        harness.WritePlaces(FivePlaces());
        QtSettingsStore store(ini);
        const std::string added = Record(false, "Ireland", "Cork", "+51 54", "-8 28", "+0");
        {
            MainWindowServices services = harness.Services();
            services.settings = &store;
            fMain window(services);
            QVERIFY(window.Form_Load());
            harness.formAnswers.push_back(added);
            Ui(window).miAddEditDel[0]->trigger();
            window.show();
            window.close();
        }
        QCOMPARE(harness.thanksShown, 1);
        {
            MainWindowServices services = harness.Services();
            services.settings = &store;
            fMain window(services);
            QVERIFY(window.Form_Load());
            QCOMPARE(Ui(window).cboPlaces->count(), 6);
            QCOMPARE(Ui(window).cboPlaces->currentText(), QString("Ireland (Cork)"));
            QCOMPARE(window.SelectedRecord(), added);
        }
        QCOMPARE(ReadWholeFile(harness.PathOf("locs.bak")), FileText(FivePlaces()));
    }
};

QTEST_MAIN(MainWindowPlacesTest)
#include "MainWindowPlacesTest.moc"
