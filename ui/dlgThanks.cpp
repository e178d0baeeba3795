#include "ui/dlgThanks.h"

#include <QLabel>
#include <QPushButton>

#include "ui/InfoWindowParts.h"
#include "ui/TwipsGeometry.h"

namespace quintrel {

namespace {

QLabel* AddLabel(QWidget* parent, const char* name, const QRect& geometry, const QString& text,
                 bool wrap) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(wrap);
    return label;
}

QLabel* AddPicture(QWidget* parent, const char* name, const QRect& geometry, const QString& text) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setGeometry(geometry);
    picture->setPixmap(OneLinePicture(text, geometry.size(), parent->devicePixelRatioF()));
    // The text drawn on the picture, for screen readers and tests.
    picture->setAccessibleName(text);
    return picture;
}

}  // namespace

dlgThanks::dlgThanks(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("dlgThanks"));
    setWindowTitle(QStringLiteral("Quintrel"));
    setModal(true);
    setFont(InfoWindowFont());
    setFixedSize(TwipsToPixels(6030), TwipsToPixels(3105));

    Label1 =
        AddLabel(this, "Label1", TwipsRect(180, 45, 5730, 240),
                 QStringLiteral("Thank you for having a look at the Quintrel program."), false);
    Label2 = AddLabel(this, "Label2", TwipsRect(180, 360, 5730, 870),
                      QStringLiteral("Quintrel is free software: use it, share it and change it "
                                     "under the GNU General Public License, version 3 or "
                                     "later. If it has helped you pick a good day on the water "
                                     "or in the field, share your places and tell what went "
                                     "wrong; how to do both is written in the README, turn to:"),
                      true);
    Image1 = AddPicture(this, "Image1", TwipsRect(180, 1305, 5625, 195),
                        QStringLiteral("README.md: \"Reporting a problem, sharing places\""));
    Label4 = AddLabel(this, "Label4", TwipsRect(180, 1620, 5730, 420),
                      QStringLiteral("Nothing is asked in return. Reports of wrong times and "
                                     "of windows that confused you are what improve it most."),
                      true);
    Label6 = AddLabel(this, "Label6", TwipsRect(180, 2160, 2940, 240),
                      QStringLiteral("Comments or suggestions can be sent to:"), false);
    Image2 = AddPicture(this, "Image2", TwipsRect(3150, 2160, 2625, 195),
                        QStringLiteral("whoever gave you Quintrel"));
    Label5 = AddLabel(this, "Label5", TwipsRect(180, 2520, 915, 195), QStringLiteral("Thank You."),
                      false);

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(TwipsRect(4995, 2745, 990, 315));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &dlgThanks::cmdOK_Click);
}

void dlgThanks::cmdOK_Click() {
    accept();
}

void dlgThanks::ShowModal(QWidget* parent) {
    dlgThanks thanks(parent);
    thanks.exec();
}

}  // namespace quintrel
