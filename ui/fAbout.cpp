#include "ui/fAbout.h"

#include <QFont>
#include <QLabel>
#include <QPushButton>

#include "table/ReportTexts.h"
#include "ui/InfoWindowParts.h"
#include "ui/TwipsGeometry.h"
#include "ui/report/ReportPictures.h"

namespace quintrel {

namespace {

// The rows added for the credits of the town list, the tide data and the licence.
constexpr int kCreditRows = 1200;

const QString kDescriptionLines[] = {
    QStringLiteral("Calculates for each day of the chosen month and year,"),
    QStringLiteral("for the selected location:"),
    QStringLiteral(" - rise and set times for the sun and moon"),
    QStringLiteral(" - phase of the moon for that date (% illuminated)"),
    QStringLiteral(" - major and minor peaks for the day"),
    QStringLiteral(" - a rating for animal activity on the day"),
    QStringLiteral("and displays them on a report which can be printed."),
};

}  // namespace

fAbout::fAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("fAbout"));
    setModal(true);
    // The window's own font, grown with the desktop's text like everything in it (below).
    const double scale = DesktopTextScale();
    QFont font = InfoWindowFont();
    font.setPointSizeF(font.pointSizeF() * scale);
    setFont(font);
    setFixedSize(TwipsToPixels(4815), TwipsToPixels(3870 + kCreditRows));

    picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(TwipsRect(135, 45, 540, 540));
    picIcon->setPixmap(ProgramIcon().pixmap(picIcon->size(), devicePixelRatioF()));

    lblTitle = new QLabel(this);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    lblTitle->setGeometry(TwipsRect(825, 60, 3930, 255));
    QFont bold = lblTitle->font();
    bold.setBold(true);
    lblTitle->setFont(bold);

    lblVersion = new QLabel(this);
    lblVersion->setObjectName(QStringLiteral("lblVersion"));
    lblVersion->setGeometry(TwipsRect(855, 360, 3885, 225));

    lblDescription = new QLabel(this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setGeometry(TwipsRect(855, 675, 3885, 1800));
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // The fixed lines between the description and the button.
    auto* lblNote = new QLabel(this);
    lblNote->setObjectName(QStringLiteral("lblNote"));
    lblNote->setGeometry(TwipsRect(855, 2550, 3885, 450));
    lblNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblNote->setWordWrap(true);
    lblNote->setText(
        QStringLiteral("Times are predictions for the place's clock; allow a few "
                       "minutes either way."));

    // GeoNames asks for credit under CC BY 4.0, and so do the world tide file's TICON-4
    // and Kartverket stations; libgeonames makes the program GPL-3.
    auto* lblCredits = new QLabel(this);
    lblCredits->setObjectName(QStringLiteral("lblCredits"));
    lblCredits->setGeometry(TwipsRect(855, 3030, 3885, 1170));
    lblCredits->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblCredits->setWordWrap(true);
    lblCredits->setText(
        QStringLiteral("Town list: GeoNames (geonames.org), CC BY 4.0. "
                       "Tide data: xtide-data (NOAA, public domain); Neaps tide database "
                       "(github.com/openwatersio/tide-database), MIT, with TICON-4 and "
                       "Kartverket stations under CC BY 4.0. Tides are not for navigation. "
                       "Licence: GNU GPL 3.0 or later."));

    auto* imgWeb = new QLabel(this);
    imgWeb->setObjectName(QStringLiteral("imgWeb"));
    imgWeb->setGeometry(TwipsRect(855, 3105 + kCreditRows, 3885, 195));
    // Quintrel has no address of its own: the README says how to report and share.
    const QString help = QStringLiteral("Help, reports, sharing places: README.md");
    imgWeb->setAccessibleName(help);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(TwipsRect(3870, 3555 + kCreditRows, 900, 285));
    // Enter presses the default button; Esc rejects the dialog, which closes it just the same.
    cmdOK->setDefault(true);
    cmdOK->setAutoDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &fAbout::cmdOK_Click);

    ScaleTwipsLayout(this, scale);
    // Drawn at the label's final size, so that the line grows with the desktop's text too.
    imgWeb->setPixmap(OneLinePicture(help, imgWeb->size(), devicePixelRatioF()));
    Form_Load();
}

QString fAbout::VersionLine() {
    return QStringLiteral("Version ") + QString::fromStdString(VersionNumberText());
}

void fAbout::Form_Load() {
    setWindowTitle(QStringLiteral("About Quintrel"));
    lblVersion->setText(VersionLine());
    lblTitle->setText(QStringLiteral("Quintrel"));
    QStringList lines;
    for (const QString& line : kDescriptionLines) {
        lines << line;
    }
    // Qt labels break lines at a line feed alone; a carriage return would show as a box.
    lblDescription->setText(lines.join(QLatin1Char('\n')));
}

void fAbout::cmdOK_Click() {
    accept();
}

void fAbout::ShowModal(QWidget* parent) {
    fAbout about(parent);
    about.exec();
}

}  // namespace quintrel
