#pragma once

#include <QLabel>

namespace quintrel {

/// A label that reports a click of the left mouse button, for the small "+" and "-"
/// labels beside the year box. Being a label it never takes the focus, so clicking it
/// leaves the focus where it was.
class ClickableLabel : public QLabel {
    Q_OBJECT

  public:
    using QLabel::QLabel;

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace quintrel
