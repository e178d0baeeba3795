#pragma once

#include "ui/MessageBoxes.h"

namespace quintrel {

/// The real message boxes: QMessageBox with the matching icon and buttons.
class QtMessageBoxes : public MessageBoxes {
  public:
    void Critical(const QString& title, const QString& text, QWidget* parent = nullptr) override;
    void Exclamation(const QString& title, const QString& text, QWidget* parent = nullptr) override;
    void Information(const QString& title, const QString& text, QWidget* parent = nullptr) override;
    bool Question(const QString& title, const QString& text, QWidget* parent = nullptr) override;
};

/// Message text with CR LF line breaks turned into the plain line feeds Qt expects.
QString ScreenText(const QString& text);

}  // namespace quintrel
