#include "pages/background_preview.h"

#include <QPainter>

#include "app/qt_text.h"

namespace vantrel {

namespace {

QRect ToQt(const PaintRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

QColor ToQt(const PaintColour& c) {
    return QColor(c.red, c.green, c.blue);
}

}  // namespace

WBackgroundPreview::WBackgroundPreview(QWidget* parent) : QWidget(parent) {
    setMinimumSize(160, 80);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void WBackgroundPreview::SetPreview(const BackgroundPreview& preview) {
    preview_ = preview;
    update();
}

std::vector<BackgroundPaintStep> WBackgroundPreview::Steps() const {
    return PreviewPaintSteps(PaintRect{0, 0, width(), height()}, preview_, kBands);
}

void WBackgroundPreview::Paint(QPainter& painter, const std::vector<BackgroundPaintStep>& steps) {
    for (const BackgroundPaintStep& step : steps) {
        const QRect rect = ToQt(step.rect);
        switch (step.kind) {
            case BackgroundPaintStep::Kind::FillRect:
                painter.fillRect(rect, ToQt(step.colour));
                break;
            case BackgroundPaintStep::Kind::Bitmap:
                painter.fillRect(rect, QColor(128, 128, 128));
                break;
            case BackgroundPaintStep::Kind::Text: {
                QFont font(FromWin1252(step.fontName));
                font.setPixelSize(qMax(1, step.fontHeight));
                font.setBold(step.bold);
                font.setItalic(step.italic);
                font.setUnderline(step.underline);
                font.setStrikeOut(step.strikeout);
                painter.save();
                painter.setFont(font);
                painter.setPen(ToQt(step.colour));
                painter.setClipRect(rect);
                int align = Qt::AlignTop | Qt::TextSingleLine;
                align |= step.align == PaintAlign::Center  ? Qt::AlignHCenter
                         : step.align == PaintAlign::Right ? Qt::AlignRight
                                                           : Qt::AlignLeft;
                painter.drawText(rect, align, FromWin1252(step.text));
                painter.restore();
                break;
            }
        }
    }
}

void WBackgroundPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Paint(painter, Steps());
}

}  // namespace vantrel
