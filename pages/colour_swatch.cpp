#include "pages/colour_swatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vantrel {

ColourSwatch::ColourSwatch(const QColor& colour, QWidget* parent)
    : QWidget(parent), colour_(colour) {
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setFixedSize(sizeHint());
}

void ColourSwatch::SetColour(const QColor& colour) {
    colour_ = colour;
    update();
}

void ColourSwatch::SetHighlighted(bool on) {
    highlighted_ = on;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -1, -1);
    painter.fillRect(frame.adjusted(3, 3, -2, -2), colour_);
    painter.setPen(QPen(palette().color(QPalette::Mid), 1));
    painter.drawRect(frame.adjusted(3, 3, -3, -3));
    if (highlighted_ || hasFocus()) {
        QPen pen(palette().color(highlighted_ ? QPalette::WindowText : QPalette::Highlight),
                 highlighted_ ? 2 : 1, highlighted_ ? Qt::SolidLine : Qt::DotLine);
        painter.setPen(pen);
        painter.drawRect(frame.adjusted(1, 1, -1, -1));
    }
}

void ColourSwatch::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void ColourSwatch::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace vantrel
