// A clickable square of one colour, drawn with a heavier frame while it is
// the selected one.
#pragma once

#include <QColor>
#include <QWidget>

namespace vantrel {

class ColourSwatch : public QWidget {
    Q_OBJECT

  public:
    explicit ColourSwatch(const QColor& colour, QWidget* parent = nullptr);

    QColor Colour() const { return colour_; }
    void SetColour(const QColor& colour);
    bool IsHighlighted() const { return highlighted_; }
    void SetHighlighted(bool on);

    QSize sizeHint() const override { return QSize(28, 28); }

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QColor colour_;
    bool highlighted_ = false;
};

}  // namespace vantrel
