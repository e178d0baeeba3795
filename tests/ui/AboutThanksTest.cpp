#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/dlgThanks.h"
#include "ui/fAbout.h"

using namespace quintrel;

namespace {

// Geometry in twips, as the layouts are drawn up, converted at 15 twips a pixel.
QRect Twips(int left, int top, int width, int height) {
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

}  // namespace

class AboutThanksTest : public QObject {
    Q_OBJECT

  private slots:
    void aboutTexts() {
        fAbout about;
        QCOMPARE(about.windowTitle(), QString("About Quintrel"));
        QCOMPARE(about.lblTitle->text(), QString("Quintrel"));
        QVERIFY(about.lblTitle->font().bold());
        QCOMPARE(about.lblVersion->text(), QString("Version " QUINTREL_PROJECT_VERSION));
        QCOMPARE(about.lblDescription->text(),
                 QString("Calculates for each day of the chosen month and year,\n"
                         "for the selected location:\n"
                         " - rise and set times for the sun and moon\n"
                         " - phase of the moon for that date (% illuminated)\n"
                         " - major and minor peaks for the day\n"
                         " - a rating for animal activity on the day\n"
                         "and displays them on a report which can be printed."));
        QCOMPARE(about.cmdOK->text(), QString("OK"));
        QVERIFY(!about.picIcon->pixmap().isNull());  // the program's icon is compiled in
        auto* credits = about.findChild<QLabel*>("lblCredits");
        QVERIFY(credits != nullptr);
        QVERIFY(credits->text().contains("GeoNames (geonames.org), CC BY 4.0"));
        QVERIFY(credits->text().contains("GNU GPL 3.0 or later"));
        QVERIFY(credits->text().contains("xtide-data (NOAA, public domain)"));
        QVERIFY(credits->text().contains("TICON-4 and Kartverket stations under CC BY 4.0"));
        QVERIFY(credits->text().contains("not for navigation"));
        QVERIFY(credits->heightForWidth(credits->width()) <= credits->height());
    }

    void aboutLayout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("picIcon") << "picIcon" << Twips(135, 45, 540, 540);
        QTest::newRow("lblTitle") << "lblTitle" << Twips(825, 60, 3930, 255);
        QTest::newRow("lblVersion") << "lblVersion" << Twips(855, 360, 3885, 225);
        QTest::newRow("lblDescription") << "lblDescription" << Twips(855, 675, 3885, 1800);
        QTest::newRow("lblCredits") << "lblCredits" << Twips(855, 3030, 3885, 1170);
        QTest::newRow("cmdOK") << "cmdOK" << Twips(3870, 4755, 900, 285);
    }

    void aboutLayout() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        fAbout about;
        QCOMPARE(about.size(), QSize(4815 / 15, 5070 / 15));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QVERIFY(!(about.windowFlags() & Qt::WindowMinMaxButtonsHint));
        auto* control = about.findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->geometry(), geometry);
    }

    void aboutDescriptionFits() {
        fAbout about;
        const QSize needed = about.lblDescription->sizeHint();
        QVERIFY2(needed.height() <= about.lblDescription->height() &&
                     needed.width() <= about.lblDescription->width(),
                 qPrintable(QString("needs %1 x %2").arg(needed.width()).arg(needed.height())));
    }

    void aboutClosesWith_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
    }

    void aboutClosesWith() {
        QFETCH(int, key);
        QWidget owner;
        owner.resize(600, 300);
        owner.show();
        fAbout about(&owner);
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        about.activateWindow();
        QTest::keyClick(&about, Qt::Key(key));
        QTRY_VERIFY(!about.isVisible());
    }

    void aboutOkAndShowModal() {
        QWidget owner;
        owner.show();
        bool wasOpen = false;
        QTimer::singleShot(0, [&] {
            auto* about = owner.findChild<fAbout*>();
            wasOpen = about != nullptr && about->isVisible();
            if (about != nullptr) {
                about->cmdOK->click();
            }
        });
        fAbout::ShowModal(&owner);
        QVERIFY(wasOpen);
        QVERIFY(owner.findChild<fAbout*>() == nullptr);  // destroyed when closed
    }

    void thanksTextsAndLayout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::newRow("Label1") << "Label1" << Twips(180, 45, 5730, 240)
                                << "Thank you for having a look at the Quintrel program.";
        QTest::newRow("Label2") << "Label2" << Twips(180, 360, 5730, 870) << "";
        QTest::newRow("Image1") << "Image1" << Twips(180, 1305, 5625, 195) << "";
        QTest::newRow("Label4") << "Label4" << Twips(180, 1620, 5730, 420) << "";
        QTest::newRow("Label6") << "Label6" << Twips(180, 2160, 2940, 240)
                                << "Comments or suggestions can be sent to:";
        QTest::newRow("Image2") << "Image2" << Twips(3150, 2160, 2625, 195) << "";
        QTest::newRow("Label5") << "Label5" << Twips(180, 2520, 915, 195) << "Thank You.";
        QTest::newRow("cmdOK") << "cmdOK" << Twips(4995, 2745, 990, 315) << "OK";
    }

    void thanksTextsAndLayout() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        dlgThanks thanks;
        QCOMPARE(thanks.windowTitle(), QString("Quintrel"));
        QCOMPARE(thanks.size(), QSize(6030 / 15, 3105 / 15));
        QCOMPARE(thanks.minimumSize(), thanks.maximumSize());
        auto* control = thanks.findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        QCOMPARE(control->geometry(), geometry);
        if (!text.isEmpty()) {
            const auto* label = qobject_cast<QLabel*>(control);
            const auto* button = qobject_cast<QPushButton*>(control);
            QCOMPARE(label != nullptr ? label->text() : button->text(), text);
        }
    }

    void thanksFreeTextsFitAndPicturesAreDrawn() {
        dlgThanks thanks;
        QVERIFY(thanks.Label2->text().endsWith("to:"));
        for (QLabel* label : {thanks.Label2, thanks.Label4}) {
            const int needed = label->heightForWidth(label->width());
            QVERIFY2(needed <= label->height(), qPrintable(label->objectName()));
        }
        for (QLabel* label : {thanks.Label1, thanks.Label6, thanks.Label5}) {
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->objectName()));
        }
        for (QLabel* picture : {thanks.Image1, thanks.Image2}) {
            QVERIFY(!picture->pixmap().isNull());
            QVERIFY(!picture->accessibleName().isEmpty());
        }
    }

    // The README line is a picture: drawn at the grown label's size, it grows with the text.
    void aboutsReadmeLineGrowsWithALargerDesktopFont() {
        const QFont before = QApplication::font();
        QFont large = before;
        large.setPointSizeF(14);
        QApplication::setFont(large);
        fAbout about;
        QApplication::setFont(before);
        auto* line = about.findChild<QLabel*>("imgWeb");
        QVERIFY(line->height() > 13);
        QCOMPARE(line->pixmap().deviceIndependentSize().toSize(), line->size());
    }

    // Quintrel has no postal or mail address of its own; neither window may make one up.
    void neitherWindowShowsAnInventedContact() {
        fAbout about;
        dlgThanks thanks;
        for (const QWidget* window :
             {static_cast<QWidget*>(&about), static_cast<QWidget*>(&thanks)}) {
            for (const QLabel* label : window->findChildren<QLabel*>()) {
                for (const QString& text : {label->text(), label->accessibleName()}) {
                    QVERIFY2(!text.contains("example", Qt::CaseInsensitive) &&
                                 !text.contains("PO Box") && !text.contains('@'),
                             qPrintable(text));
                }
            }
        }
    }

    void thanksClosesWithOk() {
        QWidget owner;
        owner.show();
        QTimer::singleShot(0, [&] {
            if (auto* thanks = owner.findChild<dlgThanks*>()) {
                thanks->cmdOK->click();
            }
        });
        dlgThanks::ShowModal(&owner);
        QVERIFY(owner.findChild<dlgThanks*>() == nullptr);
    }
};

QTEST_MAIN(AboutThanksTest)
#include "AboutThanksTest.moc"
