#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <functional>
#include <memory>

#include "ReportTestTables.h"
#include "support/AccessibleNames.h"
#include "table/ReadingText.h"
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

    // The help line is drawn as a picture, so a screen reader needs its words as a name.
    void theHelpLineIsReadOut() {
        fAbout about;
        auto* help = about.findChild<QLabel*>(QStringLiteral("imgWeb"));
        QVERIFY(help->accessibleName().contains(QStringLiteral("README")));
    }

    void theReportPageIsReadAsTextWithTheSelectedLineFirst() {
        ReportViewer viewer;
        const MonthTable table = test::HandMadeTable(31);
        viewer.SetReportSource(NewMonthReport(table, test::SydneyRecord(), "Australia (Sydney)"));
        viewer.resize(900, 700);
        viewer.show();
        QWidget* page = viewer.findChild<QScrollArea*>()->widget();
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(page);
        QVERIFY(face != nullptr);
        QCOMPARE(face->role(), QAccessible::Document);
        QAccessibleTextInterface* text = face->textInterface();
        QVERIFY(text != nullptr);
        const QString all = text->text(0, text->characterCount());
        const QStringList lines = all.split(QLatin1Char('\n'));
        QCOMPARE(lines.front(), viewer.Document().title);
        QVERIFY(lines.contains(test::Q(DayLineText(table.rows[0]))));
        QCOMPARE(face->text(QAccessible::Name), viewer.Document().title);

        viewer.SelectRow(2);
        const QString second = test::Q(DayLineText(table.rows[1]));
        QCOMPARE(face->text(QAccessible::Name), second);
        QVERIFY(text->text(0, text->characterCount()).startsWith("Selected: " + second + "\n"));
    }

    void thePageShowsAFrameWhileItHasTheFocus() {
        QWidget window;
        auto* viewer = new ReportViewer(&window);
        auto* other = new QLineEdit(&window);
        other->move(0, 400);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget* page = viewer->findChild<QScrollArea*>()->widget();
        page->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(viewer->FocusFrameShown());
        other->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(!viewer->FocusFrameShown());
    }

    void withLargeTextNoCaptionIsCutOff_data() {
        QTest::addColumn<WindowMaker>("make");
        QTest::newRow("place window")
            << WindowMaker([] { return std::unique_ptr<QWidget>(new dlgLocations(nullptr)); });
        QTest::newRow("about") << WindowMaker([] { return std::unique_ptr<QWidget>(new fAbout); });
    }

    void withLargeTextNoCaptionIsCutOff() {
        QFETCH(WindowMaker, make);
        const QFont before = QApplication::font();
        QFont large = before;
        large.setPointSizeF(14);
        QApplication::setFont(large);
        const std::unique_ptr<QWidget> window = make();
        QApplication::setFont(before);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        for (QWidget* control : window->findChildren<QWidget*>()) {
            const bool caption = qobject_cast<QLabel*>(control) != nullptr ||
                                 qobject_cast<QAbstractButton*>(control) != nullptr;
            auto* label = qobject_cast<QLabel*>(control);
            if (!caption || !control->isVisibleTo(window.get()) ||
                (label != nullptr && label->wordWrap())) {
                continue;
            }
            const QSize needed = control->sizeHint();
            QVERIFY2(
                needed.width() <= control->width() + 1 && needed.height() <= control->height() + 1,
                qPrintable(QStringLiteral("%1 needs %2 x %3, has %4 x %5")
                               .arg(control->objectName())
                               .arg(needed.width())
                               .arg(needed.height())
                               .arg(control->width())
                               .arg(control->height())));
        }
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
