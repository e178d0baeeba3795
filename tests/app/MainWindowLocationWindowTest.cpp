// The place menu with the real location window: made on first use, modal over the main
// window, hidden between uses; what the user types reaches the place list.
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <functional>

#include "MainWindowHarness.h"
#include "app/DesktopServices.h"
#include "ui/dlgLocations.h"
#include "ui/report/ReportViewer.h"

using namespace quintrel;
using namespace quintrel::testing;

namespace {

/// Runs `act` on the location window once it is open as the modal window (the main window
/// waits inside FormSetup meanwhile). Gives up after a few seconds by closing whatever
/// modal window is open, so a failing test cannot hang.
void WhenLocationWindowOpens(std::function<void(dlgLocations&)> act, int triesLeft = 300) {
    QTimer::singleShot(10, [act = std::move(act), triesLeft]() mutable {
        auto* window = qobject_cast<dlgLocations*>(QApplication::activeModalWidget());
        if (window != nullptr && window->isVisible()) {
            act(*window);
        } else if (triesLeft > 0) {
            WhenLocationWindowOpens(std::move(act), triesLeft - 1);
        } else if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });
}

QLineEdit* Box(dlgLocations& dialog, const char* name) {
    return dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
}

void Type(QLineEdit* box, const QString& text) {
    box->setFocus(Qt::TabFocusReason);
    box->selectAll();
    // QTest types only ASCII keys; other letters arrive as a key event carrying the text,
    // as an input method delivers them.
    for (const QChar letter : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(letter));
        QApplication::sendEvent(box, &press);
    }
}

}  // namespace

class MainWindowLocationWindowTest : public QObject {
    Q_OBJECT

    WindowHarness* harness_ = nullptr;
    std::unique_ptr<fMain> window_;

  private slots:
    void init() {
        harness_ = new WindowHarness;
        harness_->WritePlacesAsSaved(FivePlaces());
        MainWindowServices services = harness_->Services();
        services.locationForm = RealLocationForm();
        window_ = std::make_unique<fMain>(services);
        QVERIFY(window_->Form_Load());
        window_->show();
        QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }

    void cleanup() {
        window_.reset();
        delete harness_;
        harness_ = nullptr;
    }

    void addingAPlaceWithAccentedLettersThroughTheWindow() {
        bool wasModal = false;
        WhenLocationWindowOpens([&](dlgLocations& dialog) {
            wasModal = dialog.isModal() && dialog.parentWidget() == window_.get();
            Type(Box(dialog, "txtCountry"), "Canada");
            Type(Box(dialog, "txtCity"), QString::fromUtf8("Québec"));
            Type(Box(dialog, "txtDLatt"), "46");
            Type(Box(dialog, "txtMLatt"), "49");
            Type(Box(dialog, "txtDLong"), "71");
            Type(Box(dialog, "txtMLong"), "13");
            Type(Box(dialog, "txtZone"), "5");
            dialog.cmdOK_Click();
        });
        Ui(*window_).miAddEditDel[0]->trigger();
        QVERIFY(wasModal);
        QCOMPARE(Ui(*window_).cboPlaces->count(), 6);
        QCOMPARE(Ui(*window_).cboPlaces->currentText(), QString::fromUtf8("Canada (Québec)"));
        const std::string record = window_->SelectedRecord();
        QVERIFY(record.size() == 59 || record.size() == 71);
        QCOMPARE(record.substr(22, 6), std::string("Qu\xE9"
                                                   "bec"));
        QVERIFY(window_->Places().LocationsChanged);
        QCOMPARE(Ui(*window_).arvReport->ReportSource()->Caption("lblPageHeader"),
                 std::string("Quintrel For Canada (Québec) for June 2026"));
    }

    void cancellingTheWindowChangesNothingAndItIsKeptForNextTime() {
        Ui(*window_).cboPlaces->setCurrentIndex(2);
        const LocationList before = window_->Places().Locations;
        WhenLocationWindowOpens([](dlgLocations& dialog) {
            QCOMPARE(Box(dialog, "txtCity")->text(), QString("Christchurch"));
            dialog.cmdCancel_Click();
        });
        Ui(*window_).miAddEditDel[1]->trigger();
        QCOMPARE(window_->Places().Locations, before);
        QCOMPARE(Ui(*window_).cboPlaces->currentIndex(), 2);
        QVERIFY(!window_->Places().LocationsChanged);

        const QList<dlgLocations*> made = window_->findChildren<dlgLocations*>();
        QCOMPARE(made.size(), 1);
        QVERIFY(made.front()->isHidden());
        WhenLocationWindowOpens([](dlgLocations& dialog) { dialog.cmdCancel_Click(); });
        Ui(*window_).miAddEditDel[0]->trigger();
        QCOMPARE(window_->findChildren<dlgLocations*>(), made);
    }
};

QTEST_MAIN(MainWindowLocationWindowTest)
#include "MainWindowLocationWindowTest.moc"
