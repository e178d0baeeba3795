#include "ui/ClickableLabel.h"

#include <QMouseEvent>

namespace quintrel {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    // Only a release inside the label counts, as with a button.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QLabel::mouseReleaseEvent(event);
}

}  // namespace quintrel
