// The setup background page: the title that the setup paints on its
// background screen (text, font, size, style, alignment, colour) and the
// colour of the gradient, with a live preview.
#pragma once

#include <QColor>

#include "app/page.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace vantrel {

class ColourSwatch;
class WBackgroundPreview;

class WPageBackground : public WPage {
    Q_OBJECT

  public:
    explicit WPageBackground(WWizardApp& app, QWidget* parent = nullptr);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    bool OnKillActive() override;
    int CommitPage() override;

    // The first of the usual title fonts that the machine's Fonts key lists,
    // else "Times New Roman".
    static QString DefaultFont();

    QLineEdit* TitleEdit() const { return titleEdit_; }
    QComboBox* FontList() const { return fontList_; }
    QComboBox* SizeList() const { return sizeList_; }
    QComboBox* StyleList() const { return styleList_; }
    QComboBox* AlignList() const { return alignList_; }
    ColourSwatch* TitleColourSwatch() const { return titleSwatch_; }
    ColourSwatch* RedSwatch() const { return redSwatch_; }
    ColourSwatch* BlueSwatch() const { return blueSwatch_; }
    ColourSwatch* GreenSwatch() const { return greenSwatch_; }
    WBackgroundPreview* PreviewWidget() const { return preview_; }
    QColor BackgroundColour() const { return background_; }
    QColor SecondColour() const { return second_; }
    QColor TitleColour() const { return titleColour_; }

  public slots:
    void OnChooseTitleColour();
    void OnSwatch(ColourSwatch* swatch);
    void OnStyleChanged();
    void OnTextChanged();

  private:
    void SelectSwatch(ColourSwatch* swatch);
    void UpdatePreview();
    static void SelectText(QComboBox* list, const QString& text);

    QColor background_;
    QColor second_;
    QColor titleColour_;
    bool filling_ = false;
    bool dropShadow_ = false;  // whether the setup draws the title's shadow

    QLineEdit* titleEdit_ = nullptr;
    QComboBox* fontList_ = nullptr;
    QComboBox* sizeList_ = nullptr;
    QComboBox* styleList_ = nullptr;
    QComboBox* alignList_ = nullptr;
    ColourSwatch* titleSwatch_ = nullptr;
    ColourSwatch* redSwatch_ = nullptr;
    ColourSwatch* blueSwatch_ = nullptr;
    ColourSwatch* greenSwatch_ = nullptr;
    WBackgroundPreview* preview_ = nullptr;
};

}  // namespace vantrel
