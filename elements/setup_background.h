// Settings of the setup's background window (title over a colour gradient, a
// tiled bitmap or a bitmap made for the screen resolution), their "BACKGROUND"
// section in the product script, and the painting of the window as a list of
// drawing steps that any painter can carry out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "elements/background.h"

namespace vantrel {

class WSetupData;

// A rectangle in window pixels; right and bottom are exclusive, as in a
// Windows RECT. Steps may reach beyond the window; the painter clips them.
struct PaintRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool IsZero() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    bool operator==(const PaintRect&) const = default;
};

struct PaintColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const PaintColour&) const = default;
};

enum class PaintAlign { Left, Center, Right };

// One drawing operation. How a painter carries out each kind:
// - FillRect: fill `rect` with the solid `colour`.
// - Bitmap: draw the loaded bitmap at its own size with its top-left corner at
//   (rect.left, rect.top); `rect` has the bitmap's size and may stick out of
//   the window on any side (a centred bitmap larger than the window starts at
//   negative coordinates). When the screen has 8 bits per pixel and
//   `usePalette` is set, select and realise the bitmap's palette first.
// - Text: draw `text` on one line in `colour` with a transparent background,
//   using the font `fontName` whose character height (not cell height) is
//   `fontHeight` pixels, weight bold or normal, and the italic, underline and
//   strikeout styles and the Windows character-set number `charset` (0 ANSI,
//   1 the system's default, 2 symbol, ...). The top of the text is at
//   rect.top; horizontally it starts at rect.left (Left), is centred between
//   rect.left and rect.right (Center) or ends at rect.right (Right). Whatever
//   falls outside `rect` is clipped.
// Steps are drawn in list order, later ones over earlier ones.
struct BackgroundPaintStep {
    enum class Kind { FillRect, Bitmap, Text };
    Kind kind = Kind::FillRect;
    PaintRect rect;
    PaintColour colour;
    bool usePalette = false;
    std::string text;
    std::string fontName;
    int fontHeight = 0;
    int charset = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    PaintAlign align = PaintAlign::Left;
};

class WSetupBackground : public WBackground {
  public:
    static constexpr int kDefaultDropTextOffset = 3;

    WSetupBackground() = default;

    // Sets the 34 keys of the "BACKGROUND" section in `script`, in section
    // order. False only when there is no script.
    bool Write(WSetupData* script) const;
    // Reads the 34 keys back, repairing missing and unusable values. Fails
    // without any change when there is no script.
    bool Read(const WSetupData* script);

    // Background colour, 0..255 each.
    int GetBrushRed() const { return brushRed_; }
    void SetBrushRed(int v) { brushRed_ = v; }
    int GetBrushGreen() const { return brushGreen_; }
    void SetBrushGreen(int v) { brushGreen_ = v; }
    int GetBrushBlue() const { return brushBlue_; }
    void SetBrushBlue(int v) { brushBlue_ = v; }
    // "RED", "GREEN" or "BLUE" (any case); anything else paints blue.
    const std::string& GetGradientColor() const { return gradientColor_; }
    void SetGradientColor(const std::string& v) { gradientColor_ = v; }
    // "Left to Right", "Right to Left", "Top To Bottom" or "Bottom Up" (any case).
    const std::string& GetGradientDirection() const { return gradientDirection_; }
    void SetGradientDirection(const std::string& v) { gradientDirection_ = v; }
    const std::string& GetBackgroundTitle() const { return title_; }
    void SetBackgroundTitle(const std::string& v) { title_ = v; }
    const std::string& GetTitleFont() const { return titleFont_; }
    void SetTitleFont(const std::string& v) { titleFont_ = v; }
    // "LEFT", "RIGHT" or "CENTER" (any case).
    const std::string& GetTitleFontAlign() const { return titleFontAlign_; }
    void SetTitleFontAlign(const std::string& v) { titleFontAlign_ = v; }
    int GetTitleCharset() const { return titleCharset_; }
    void SetTitleCharset(int v) { titleCharset_ = v; }
    int GetTitleFontHeight() const { return titleFontHeight_; }
    void SetTitleFontHeight(int v) { titleFontHeight_ = v; }
    // Title colour.
    int GetTextBrushRed() const { return textBrushRed_; }
    void SetTextBrushRed(int v) { textBrushRed_ = v; }
    int GetTextBrushGreen() const { return textBrushGreen_; }
    void SetTextBrushGreen(int v) { textBrushGreen_ = v; }
    int GetTextBrushBlue() const { return textBrushBlue_; }
    void SetTextBrushBlue(int v) { textBrushBlue_ = v; }
    // "Up to Right", "Up to Left", "Down to Right" or "Down to Left" (any case).
    const std::string& GetDropTextDirection() const { return dropTextDirection_; }
    void SetDropTextDirection(const std::string& v) { dropTextDirection_ = v; }
    // Shadow offset in pixels.
    int GetDropTextOffset() const { return dropTextOffset_; }
    void SetDropTextOffset(int v) { dropTextOffset_ = v; }
    // Shadow colour.
    int GetDropTextBrushRed() const { return dropTextBrushRed_; }
    void SetDropTextBrushRed(int v) { dropTextBrushRed_ = v; }
    int GetDropTextBrushGreen() const { return dropTextBrushGreen_; }
    void SetDropTextBrushGreen(int v) { dropTextBrushGreen_ = v; }
    int GetDropTextBrushBlue() const { return dropTextBrushBlue_; }
    void SetDropTextBrushBlue(int v) { dropTextBrushBlue_ = v; }
    // Bitmap pairs "256-colour bitmap,16-colour bitmap": the general one and
    // one per screen resolution.
    const std::string& GetBackground() const { return background_; }
    void SetBackground(const std::string& v) { background_ = v; }
    const std::string& GetBackground640() const { return background640_; }
    void SetBackground640(const std::string& v) { background640_ = v; }
    const std::string& GetBackground800() const { return background800_; }
    void SetBackground800(const std::string& v) { background800_ = v; }
    const std::string& GetBackground1024() const { return background1024_; }
    void SetBackground1024(const std::string& v) { background1024_ = v; }
    const std::string& GetBackground1152() const { return background1152_; }
    void SetBackground1152(const std::string& v) { background1152_ = v; }
    const std::string& GetBackground1280() const { return background1280_; }
    void SetBackground1280(const std::string& v) { background1280_ = v; }

    // Settings that the owner sets directly.
    std::string tileBackground;  // tile bitmap pair; empty means the standard tile
    bool useTile = false;
    bool staggerTiles = false;  // every second row of tiles shifted left by half a tile
    bool gradientFill = true;
    bool backgroundText = true;  // paint the title
    bool boldTitle = false;
    bool italicTitle = false;
    bool strikeoutTitle = false;
    bool underlineTitle = false;
    bool dropShadow = true;

    // Where the title goes; all zero means the standard place (10, 10, 640, 200).
    const PaintRect& GetTextRect() const { return textRect_; }
    void SetTextRect(const PaintRect& r) { textRect_ = r; }

    // Everything the window paints into a client area of width x height, in
    // drawing order: the area cleared with the background colour, then either
    // tiles or the gradient followed by the title (when a title is shown), or
    // else the loaded bitmap once.
    std::vector<BackgroundPaintStep> PaintSteps(int width, int height) const;
    // The 256 bands of the gradient.
    std::vector<BackgroundPaintStep> GradientSteps(int width, int height) const;
    // The loaded bitmap tiled over the area (nothing when no bitmap is loaded).
    std::vector<BackgroundPaintStep> TileSteps(int width, int height) const;
    // The shadow (when on) and the title.
    std::vector<BackgroundPaintStep> TitleSteps() const;

    // The rectangles the title and its shadow are drawn into.
    PaintRect TitleRect() const;
    PaintRect ShadowRect() const;

  private:
    int brushRed_ = 0;
    int brushGreen_ = 0;
    int brushBlue_ = 255;
    std::string background_ = "Setup\\Bitmap\\pal1280.bmp,Setup\\Bitmap\\128016.bmp";
    std::string background640_ = "Setup\\Bitmap\\pal640.bmp,Setup\\Bitmap\\64016.bmp";
    std::string background800_ = "Setup\\Bitmap\\pal800.bmp,Setup\\Bitmap\\80016.bmp";
    std::string background1024_ = "Setup\\Bitmap\\pal1024.bmp,Setup\\Bitmap\\102416.bmp";
    std::string background1152_ = "Setup\\Bitmap\\pal1152.bmp,Setup\\Bitmap\\115216.bmp";
    std::string background1280_ = "Setup\\Bitmap\\pal1280.bmp,Setup\\Bitmap\\128016.bmp";
    std::string gradientColor_ = "BLUE";
    std::string gradientDirection_ = "Top To Bottom";
    std::string titleFont_ = "Times New Roman";
    std::string title_ = "Product Setup";
    int titleCharset_ = 0;
    int titleFontHeight_ = 60;
    std::string titleFontAlign_ = "LEFT";
    int textBrushRed_ = 255;
    int textBrushGreen_ = 0;
    int textBrushBlue_ = 0;
    int dropTextOffset_ = kDefaultDropTextOffset;
    std::string dropTextDirection_ = "Down to Right";
    int dropTextBrushRed_ = 255;
    int dropTextBrushGreen_ = 255;
    int dropTextBrushBlue_ = 255;
    PaintRect textRect_;
};

// The background page's small preview: the area filled from top to bottom with
// `bands` bands of equal height (to the pixel) whose colours step linearly from
// `from` in the top band to `to` in the bottom band, and the title drawn over
// it 4 pixels inside the area.
struct BackgroundPreview {
    PaintColour from;
    PaintColour to;
    PaintColour titleColour;
    std::string title;
    std::string fontName;
    int fontHeight = 0;
    bool bold = false;
    bool italic = false;
    std::string align;        // "LEFT", "RIGHT" or "CENTER" (any case); else left
    bool dropShadow = false;  // the setup's white shadow, down and to the right
};
std::vector<BackgroundPaintStep> PreviewPaintSteps(const PaintRect& area,
                                                   const BackgroundPreview& preview,
                                                   int bands = 50);

}  // namespace vantrel
