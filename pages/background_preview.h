// The background page's preview: paints the drawing steps of the setup
// background's small preview (a gradient in bands and the title) with
// QPainter.
#pragma once

#include <QWidget>
#include <vector>

#include "elements/setup_background.h"

namespace vantrel {

class WBackgroundPreview : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kBands = 50;

    explicit WBackgroundPreview(QWidget* parent = nullptr);

    void SetPreview(const BackgroundPreview& preview);
    const BackgroundPreview& Preview() const { return preview_; }
    // The steps for the widget's current size.
    std::vector<BackgroundPaintStep> Steps() const;

    // Carries out drawing steps with `painter` (fills, bitmaps as a grey
    // placeholder, and single-line text clipped to its rectangle).
    static void Paint(QPainter& painter, const std::vector<BackgroundPaintStep>& steps);

    QSize sizeHint() const override { return QSize(260, 120); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    BackgroundPreview preview_;
};

}  // namespace vantrel
