#include <QLabel>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "support/AccessibleNames.h"
#include "ui/dlgLocations.h"
#include "ui/fAbout.h"
#include "ui/report/ReportViewer.h"

using namespace quintrel;
using namespace quintrel::testing;

using WindowMaker = std::function<std::unique_ptr<QWidget>()>;
Q_DECLARE_METATYPE(WindowMaker)

class AccessibilityTest : public QObject {
    Q_OBJECT

  private slots:
    void everyFocusableControlHasAName_data() {
        QTest::addColumn<WindowMaker>("make");
        QTest::newRow("report viewer") << WindowMaker([] {
            auto viewer = std::make_unique<ReportViewer>();
            viewer->InsertTool(3, QStringLiteral("PDF Export"));
            return std::unique_ptr<QWidget>(std::move(viewer));
        });
        QTest::newRow("place window")
            << WindowMaker([] { return std::unique_ptr<QWidget>(new dlgLocations(nullptr)); });
        QTest::newRow("about") << WindowMaker([] { return std::unique_ptr<QWidget>(new fAbout); });
    }

    void everyFocusableControlHasAName() {
        QFETCH(WindowMaker, make);
        const std::unique_ptr<QWidget> window = make();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QStringList missing = ControlsWithoutName(window.get());
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QStringLiteral(", "))));
    }

    void placeCaptionsLeadToTheirBoxes() {
        dlgLocations window(nullptr);
        for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label7"}) {
            auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
            QVERIFY2(label->buddy() != nullptr, name);
        }
    }

    void theWebAddressIsALinkTheKeyboardReaches() {
        fAbout about;
        auto* web = about.findChild<QLabel*>(QStringLiteral("imgWeb"));
        QVERIFY(web->text().contains(QStringLiteral("href=\"https://quintrel.example.org\"")));
        QVERIFY(web->openExternalLinks());
        QVERIFY(web->textInteractionFlags() & Qt::LinksAccessibleByKeyboard);
    }

    void theToolbarsOverflowButtonIsReachable() {
        ReportViewer viewer;
        auto* more =
            viewer.ToolBar()->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
        QVERIFY(more != nullptr);
        QVERIFY(more->focusPolicy() & Qt::TabFocus);
        QCOMPARE(AccessibleName(more), QStringLiteral("More tools"));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
