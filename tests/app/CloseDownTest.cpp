// How the main window ends: two windows on one folder, a file it may not replace, and the
// system asking the program to close.
#include <QComboBox>
#include <QTest>
#include <csignal>

#include <sys/stat.h>

#include "MainWindowHarness.h"
#include "app/SystemSignals.h"

using namespace quintrel;
using namespace quintrel::testing;

namespace {

const std::string kValdivia = Record(false, "Chile", "Valdivia", "-39 48", "-73 14", "-4");
const std::string kOslo = Record(false, "Norway", "Oslo", "+59 55", "+10 45", "+1");
const std::string kBostonMoved = Record(true, "USA", "Boston", "+42 22", "-71 3", "-5");

void Select(fMain& window, const std::string& record) {
    const auto& list = window.Places().Locations;
    Ui(window).cboPlaces->setCurrentIndex(
        static_cast<int>(std::find(list.begin(), list.end(), record) - list.begin()));
}

}  // namespace

class CloseDownTest : public QObject {
    Q_OBJECT

  private slots:
    void twoWindowsOnOneFolderKeepEveryChange_data() {
        QTest::addColumn<bool>("firstClosesFirst");
        QTest::newRow("first window closes first") << true;
        QTest::newRow("second window closes first") << false;
    }
    void twoWindowsOnOneFolderKeepEveryChange() {
        QFETCH(bool, firstClosesFirst);
        const std::vector<std::string> five = FivePlaces();
        WindowHarness first;
        WindowHarness second;  // its own settings and answers, the first one's folder
        first.WritePlaces(five);
        MainWindowServices secondServices = second.Services();
        secondServices.placeDirectory = first.directory.path().toStdString();
        auto one = first.Open();
        QVERIFY(one);
        fMain two(secondServices);
        QVERIFY(two.Form_Load());

        first.formAnswers.push_back(kValdivia);
        Ui(*one).miAddEditDel[0]->trigger();
        Select(*one, five[1]);  // France (Paris)
        Ui(*one).miAddEditDel[2]->trigger();
        Select(two, five[4]);  // USA (Boston)
        second.formAnswers.push_back(kBostonMoved);
        Ui(two).miAddEditDel[1]->trigger();
        second.formAnswers.push_back(kOslo);
        Ui(two).miAddEditDel[0]->trigger();

        one->show();
        two.show();
        QVERIFY(firstClosesFirst ? one->close() : two.close());
        QVERIFY(firstClosesFirst ? two.close() : one->close());

        std::vector<std::string> expected = {five[0],      five[2],   five[3],
                                             kBostonMoved, kValdivia, kOslo};
        SortLocations(expected);
        QCOMPARE(ReadWholeFile(first.PathOf("locs.dat")), FileText(expected));
        // Only the window that closed last had something to merge, and says so once.
        const auto& late = firstClosesFirst ? second.messages : first.messages;
        const auto& early = firstClosesFirst ? first.messages : second.messages;
        QCOMPARE(late.shown.back().title, QString("Places Merged"));
        QVERIFY(early.shown.empty() || early.shown.back().title != "Places Merged");
        QCOMPARE(first.thanksShown + second.thanksShown, 2);
    }

    void readOnlyPlaceFileCanBeFixedAndTheCloseTriedAgain() {
        WindowHarness harness;
        harness.WritePlaces(FivePlaces());
        const QByteArray path = QFile::encodeName(harness.PathOf("locs.dat"));
        QCOMPARE(::chmod(path.constData(), 0444), 0);
        auto window = harness.Open();
        QVERIFY(window);
        harness.formAnswers.push_back(kValdivia);
        Ui(*window).miAddEditDel[0]->trigger();
        window->show();

        harness.messages.answers.push_back(false);  // Cancel: keep the window open
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        const auto& shown = harness.messages.shown.back();
        QCOMPARE(shown.title, QString("Save Error"));
        QVERIFY2(
            shown.text.contains(harness.PathOf("locs.dat")) && shown.text.contains("read-only"),
            qPrintable(shown.text));
        QCOMPARE(harness.thanksShown, 0);
        QVERIFY(harness.settings.writes.empty());

        QCOMPARE(::chmod(path.constData(), 0644), 0);
        QVERIFY(window->close());
        QVERIFY(ReadWholeFile(harness.PathOf("locs.dat")).find(kValdivia) != std::string::npos);
        QCOMPARE(harness.thanksShown, 1);
    }

    void systemCloseSavesPlacesAndSettingsWithoutThanks() {
        WindowHarness harness;
        harness.WritePlaces(FivePlaces());
        auto window = harness.Open();
        QVERIFY(window);
        harness.formAnswers.push_back(kValdivia);
        Ui(*window).miAddEditDel[0]->trigger();
        int signalled = 0;
        SystemSignals closeOnSignal([&] {
            ++signalled;
            window->CloseForSystem();
        });
        for (const int signal : {SIGTERM, SIGHUP}) {
            ::raise(signal);
            QTRY_COMPARE(signalled, signal == SIGTERM ? 1 : 2);
        }
        QVERIFY(ReadWholeFile(harness.PathOf("locs.dat")).find(kValdivia) != std::string::npos);
        QCOMPARE(harness.settings.writes.size(), std::size_t{6});  // once only
        QCOMPARE(harness.thanksShown, 0);
        QVERIFY(harness.messages.shown.empty());
    }

    // A read-only place file is named as the window opens, which still works; a close by
    // the system that cannot save keeps the selected place for the next start, not the
    // position it had among unsaved places.
    void readOnlyFileIsNamedAtStartAndItsPlaceStaysSelected() {
        WindowHarness harness;
        harness.WritePlaces(FivePlaces());
        const QByteArray path = QFile::encodeName(harness.PathOf("locs.dat"));
        QCOMPARE(::chmod(path.constData(), 0444), 0);
        auto window = harness.Open();
        QVERIFY(window);
        QCOMPARE(harness.messages.shown.size(), std::size_t{1});
        QVERIFY2(harness.messages.shown.front().text.contains("read-only"),
                 qPrintable(harness.messages.shown.front().text));
        harness.formAnswers.push_back(kValdivia);  // sorts before Boston
        Ui(*window).miAddEditDel[0]->trigger();
        const std::string boston = FivePlaces()[4];
        Select(*window, boston);
        QCOMPARE(int(window->Places().LocationIndex), 5);
        window->CloseForSystem();
        QCOMPARE(harness.settings.Get("Index"), std::string("4"));
        QCOMPARE(ReadWholeFile(harness.PathOf("locs.dat")), FileText(FivePlaces()));
    }
};

QTEST_MAIN(CloseDownTest)
#include "CloseDownTest.moc"
