#include "ui/QtMessageBoxes.h"

#include <QMessageBox>

namespace quintrel {

namespace {

int ShowBox(QMessageBox::Icon icon, const QString& title, const QString& text,
            QMessageBox::StandardButtons buttons, QWidget* parent) {
    QMessageBox box(icon, title, ScreenText(text), buttons, parent);
    // File and place names can hold '<' or '&'; never read them as markup.
    box.setTextFormat(Qt::PlainText);
    if (buttons & QMessageBox::Cancel) {
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
    }
    return box.exec();
}

}  // namespace

QString ScreenText(const QString& text) {
    QString screen = text;
    screen.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return screen;
}

void QtMessageBoxes::Critical(const QString& title, const QString& text, QWidget* parent) {
    ShowBox(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
}

void QtMessageBoxes::Exclamation(const QString& title, const QString& text, QWidget* parent) {
    ShowBox(QMessageBox::Warning, title, text, QMessageBox::Ok, parent);
}

void QtMessageBoxes::Information(const QString& title, const QString& text, QWidget* parent) {
    ShowBox(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
}

bool QtMessageBoxes::Question(const QString& title, const QString& text, QWidget* parent) {
    return ShowBox(QMessageBox::Question, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                   parent) == QMessageBox::Ok;
}

}  // namespace quintrel
