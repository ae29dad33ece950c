#include "elements/setup_background.h"

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <utility>

#include "platform/strings.h"
#include "scriptfile/setup_data.h"

namespace vantrel {

namespace {

const char kSection[] = "BACKGROUND";
const char kStandardTile[] = "Setup\\Bitmap\\palTile.bmp,Setup\\Bitmap\\Tile16.bmp";
const PaintRect kStandardTextRect{10, 10, 640, 200};

uint8_t ToByte(int v) {
    return static_cast<uint8_t>(std::clamp(v, 0, 255));
}

PaintColour ColourOf(int red, int green, int blue) {
    return PaintColour{ToByte(red), ToByte(green), ToByte(blue)};
}

PaintAlign AlignOf(const std::string& align) {
    if (EqualsNoCase(align, "CENTER"))
        return PaintAlign::Center;
    if (EqualsNoCase(align, "RIGHT"))
        return PaintAlign::Right;
    return PaintAlign::Left;
}

// A line break inside a value would end the key line and start a new one in
// the script, so texts are written with line breaks turned into blanks.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\r', ' ');
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string Flag(bool on) {
    return on ? "1" : "0";
}

// Reads the keys of the section in order, each with its own repair rule.
class SectionReader {
  public:
    explicit SectionReader(const WSetupData& script) : script_(script) {}

    std::string Text(const char* key) const {
        std::string value;
        script_.GetValue(kSection, key, value);
        return value;
    }
    // Decimal conversion of the leading digits (0 when there are none),
    // saturated to the range of an int.
    int Int(const char* key) const {
        long long v = ToInt(Text(key));
        return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
    }
    int IntInRange(const char* key, int low, int high, int otherwise) const {
        long long v = ToInt(Text(key));
        return v < low || v > high ? otherwise : static_cast<int>(v);
    }
    bool Flag(const char* key) const { return ToInt(Text(key)) != 0; }
    std::string TextOr(const char* key, const char* whenEmpty) const {
        std::string v = Text(key);
        return v.empty() ? whenEmpty : v;
    }
    // The value as read when it is one of `choices` (case ignored), else `otherwise`.
    std::string Choice(const char* key, std::initializer_list<const char*> choices,
                       const char* otherwise) const {
        std::string v = Text(key);
        for (const char* c : choices) {
            if (EqualsNoCase(v, c))
                return v;
        }
        return otherwise;
    }

  private:
    const WSetupData& script_;
};

}  // namespace

bool WSetupBackground::Write(WSetupData* script) const {
    if (script == nullptr)
        return false;
    const std::pair<const char*, std::string> keys[] = {
        {"BrushRed", std::to_string(brushRed_)},
        {"BrushGreen", std::to_string(brushGreen_)},
        {"BrushBlue", std::to_string(brushBlue_)},
        {"Background", OneLine(background_)},
        {"Background640", OneLine(background640_)},
        {"Background800", OneLine(background800_)},
        {"Background1024", OneLine(background1024_)},
        {"Background1152", OneLine(background1152_)},
        {"Background1280", OneLine(background1280_)},
        {"TileBackground", OneLine(tileBackground)},
        {"UseTile", Flag(useTile)},
        {"StaggerTiles", Flag(staggerTiles)},
        {"GradientFill", Flag(gradientFill)},
        {"GradientColor", OneLine(gradientColor_)},
        {"GradientDirection", OneLine(gradientDirection_)},
        {"BackGroundText", Flag(backgroundText)},
        {"BackGroundTitleFont", OneLine(titleFont_)},
        {"Background Title", OneLine(title_)},
        {"BackGroundTitleCharset", std::to_string(titleCharset_)},
        {"BackGroundTitleFontHeight", std::to_string(titleFontHeight_)},
        {"BackGroundTitleFontAlign", OneLine(titleFontAlign_)},
        {"TextBrushRed", std::to_string(textBrushRed_)},
        {"TextBrushGreen", std::to_string(textBrushGreen_)},
        {"TextBrushBlue", std::to_string(textBrushBlue_)},
        {"BoldBackTitle", Flag(boldTitle)},
        {"ItalicBackTitle", Flag(italicTitle)},
        {"StrikeoutBackTitle", Flag(strikeoutTitle)},
        {"UnderlineBackTitle", Flag(underlineTitle)},
        {"DropTextOffset", std::to_string(dropTextOffset_)},
        {"DropTextDirection", OneLine(dropTextDirection_)},
        {"DropShadow", Flag(dropShadow)},
        {"DropTextBrushRed", std::to_string(dropTextBrushRed_)},
        {"DropTextBrushGreen", std::to_string(dropTextBrushGreen_)},
        {"DropTextBrushBlue", std::to_string(dropTextBrushBlue_)},
    };
    for (const auto& [key, value] : keys)
        script->SetValue(kSection, key, value, true);
    return true;
}

bool WSetupBackground::Read(const WSetupData* script) {
    if (script == nullptr)
        return false;
    const SectionReader in(*script);
    const char* const kBitmaps[] = {
        "Setup\\Bitmap\\pal1280.bmp,Setup\\Bitmap\\128016.bmp",
        "Setup\\Bitmap\\pal640.bmp,Setup\\Bitmap\\64016.bmp",
        "Setup\\Bitmap\\pal800.bmp,Setup\\Bitmap\\80016.bmp",
        "Setup\\Bitmap\\pal1024.bmp,Setup\\Bitmap\\102416.bmp",
        "Setup\\Bitmap\\pal1152.bmp,Setup\\Bitmap\\115216.bmp",
        "Setup\\Bitmap\\pal1280.bmp,Setup\\Bitmap\\128016.bmp",
    };
    brushRed_ = in.IntInRange("BrushRed", 0, 255, 0);
    brushGreen_ = in.IntInRange("BrushGreen", 0, 255, 0);
    brushBlue_ = in.IntInRange("BrushBlue", 0, 255, 255);
    background_ = in.TextOr("Background", kBitmaps[0]);
    background640_ = in.TextOr("Background640", kBitmaps[1]);
    background800_ = in.TextOr("Background800", kBitmaps[2]);
    background1024_ = in.TextOr("Background1024", kBitmaps[3]);
    background1152_ = in.TextOr("Background1152", kBitmaps[4]);
    background1280_ = in.TextOr("Background1280", kBitmaps[5]);
    tileBackground = in.TextOr("TileBackground", kStandardTile);
    useTile = in.Flag("UseTile");
    staggerTiles = in.Flag("StaggerTiles");
    gradientFill = in.Flag("GradientFill");
    gradientColor_ = in.Choice("GradientColor", {"RED", "GREEN", "BLUE"}, "BLUE");
    gradientDirection_ = in.Choice("GradientDirection",
                                   {"Left to Right", "Right to Left", "Top To Bottom", "Bottom Up"},
                                   "Top To Bottom");
    backgroundText = in.Flag("BackGroundText");
    titleFont_ = in.TextOr("BackGroundTitleFont", "Times New Roman");
    title_ = in.TextOr("Background Title", "Product Setup");
    titleCharset_ = in.Int("BackGroundTitleCharset");
    titleFontHeight_ = in.IntInRange("BackGroundTitleFontHeight", 20, 160, 80);
    titleFontAlign_ = in.Choice("BackGroundTitleFontAlign", {"LEFT", "RIGHT", "CENTER"}, "LEFT");
    textBrushRed_ = in.IntInRange("TextBrushRed", 0, 255, 255);
    textBrushGreen_ = in.IntInRange("TextBrushGreen", 0, 255, 0);
    textBrushBlue_ = in.IntInRange("TextBrushBlue", 0, 255, 0);
    boldTitle = in.Flag("BoldBackTitle");
    italicTitle = in.Flag("ItalicBackTitle");
    strikeoutTitle = in.Flag("StrikeoutBackTitle");
    underlineTitle = in.Flag("UnderlineBackTitle");
    dropTextOffset_ = in.IntInRange("DropTextOffset", 0, 5, kDefaultDropTextOffset);
    dropTextDirection_ =
        in.Choice("DropTextDirection",
                  {"Up to Right", "Up to Left", "Down to Right", "Down to Left"}, "Down to Right");
    dropShadow = in.Flag("DropShadow");
    // The shadow colour is kept to colour components like the title colour; a
    // component outside 0..255 would spill into its neighbours once packed
    // into a colour value.
    dropTextBrushRed_ = in.IntInRange("DropTextBrushRed", 0, 255, 255);
    dropTextBrushGreen_ = in.IntInRange("DropTextBrushGreen", 0, 255, 255);
    dropTextBrushBlue_ = in.IntInRange("DropTextBrushBlue", 0, 255, 255);
    return true;
}

std::vector<BackgroundPaintStep> WSetupBackground::PaintSteps(int width, int height) const {
    width = std::max(width, 0);
    height = std::max(height, 0);
    std::vector<BackgroundPaintStep> steps;
    BackgroundPaintStep clear;
    clear.kind = BackgroundPaintStep::Kind::FillRect;
    clear.rect = PaintRect{0, 0, width, height};
    clear.colour = ColourOf(brushRed_, brushGreen_, brushBlue_);
    steps.push_back(clear);

    auto append = [&steps](std::vector<BackgroundPaintStep> more) {
        steps.insert(steps.end(), std::make_move_iterator(more.begin()),
                     std::make_move_iterator(more.end()));
    };
    if (!title_.empty() && backgroundText) {
        if (useTile && HasBitmap()) {
            append(TileSteps(width, height));
        } else if (gradientFill) {
            append(GradientSteps(width, height));
        }
        append(TitleSteps());
    } else if (HasBitmap()) {
        BackgroundPaintStep bitmap;
        bitmap.kind = BackgroundPaintStep::Kind::Bitmap;
        bitmap.usePalette = usePalette;
        int x = 0, y = 0;
        if (centreBitmap) {
            x = (width - BitmapWidth()) / 2;
            y = (height - BitmapHeight()) / 2;
        }
        bitmap.rect = PaintRect{x, y, x + BitmapWidth(), y + BitmapHeight()};
        steps.push_back(bitmap);
    }
    return steps;
}

std::vector<BackgroundPaintStep> WSetupBackground::GradientSteps(int width, int height) const {
    width = std::max(width, 0);
    height = std::max(height, 0);
    const bool horizontal = EqualsNoCase(gradientDirection_, "Left to Right") ||
                            EqualsNoCase(gradientDirection_, "Right to Left");
    // 256 is a power of two, so i * s is exact and the last band ends exactly
    // at the far edge; neighbouring bands share their truncated edge, so the
    // bands tile the area (some are empty when it is under 256 pixels long).
    const double s = (horizontal ? width : height) / 256.0;
    std::vector<BackgroundPaintStep> steps;
    steps.reserve(256);
    for (int i = 0; i < 256; ++i) {
        const int j = 255 - i;
        const uint8_t intensity = static_cast<uint8_t>(255 - i);
        BackgroundPaintStep band;
        band.kind = BackgroundPaintStep::Kind::FillRect;
        if (EqualsNoCase(gradientColor_, "RED")) {
            band.colour.red = intensity;
        } else if (EqualsNoCase(gradientColor_, "GREEN")) {
            band.colour.green = intensity;
        } else {
            band.colour.blue = intensity;
        }
        auto at = [s](int k) { return static_cast<int>(k * s); };
        if (EqualsNoCase(gradientDirection_, "Bottom Up")) {
            band.rect = PaintRect{0, at(j), width + 1, at(j + 1)};
        } else if (EqualsNoCase(gradientDirection_, "Left to Right")) {
            band.rect = PaintRect{at(i), 0, at(i + 1), height + 1};
        } else if (EqualsNoCase(gradientDirection_, "Right to Left")) {
            band.rect = PaintRect{at(j), 0, at(j + 1), height + 1};
        } else {
            band.rect = PaintRect{0, at(i), width + 1, at(i + 1)};
        }
        steps.push_back(band);
    }
    return steps;
}

std::vector<BackgroundPaintStep> WSetupBackground::TileSteps(int width, int height) const {
    std::vector<BackgroundPaintStep> steps;
    if (!HasBitmap())
        return steps;
    const long long w = BitmapWidth(), h = BitmapHeight();
    const long long right = std::max(width, 0), bottom = std::max(height, 0);
    int row = 0;
    for (long long y = 0; y <= bottom; y += h, ++row) {
        // Every second row (the second, fourth, ...) starts half a tile to the left.
        long long x = staggerTiles && row % 2 == 1 ? -(w / 2) : 0;
        for (; x <= right; x += w) {
            BackgroundPaintStep tile;
            tile.kind = BackgroundPaintStep::Kind::Bitmap;
            tile.usePalette = usePalette;
            tile.rect = PaintRect{static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + w),
                                  static_cast<int>(y + h)};
            steps.push_back(tile);
        }
    }
    return steps;
}

PaintRect WSetupBackground::TitleRect() const {
    return textRect_.IsZero() ? kStandardTextRect : textRect_;
}

PaintRect WSetupBackground::ShadowRect() const {
    const int d = dropTextOffset_;
    int dx = d, dy = d;
    if (EqualsNoCase(dropTextDirection_, "Up to Right")) {
        dy = -d;
    } else if (EqualsNoCase(dropTextDirection_, "Down to Left")) {
        dx = -d;
    } else if (EqualsNoCase(dropTextDirection_, "Up to Left")) {
        dx = -d;
        dy = -d;
    }
    // The whole rectangle moves, so that right-aligned and centred titles get
    // the same shadow offset as left-aligned ones.
    PaintRect r = TitleRect();
    return PaintRect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

std::vector<BackgroundPaintStep> WSetupBackground::TitleSteps() const {
    BackgroundPaintStep text;
    text.kind = BackgroundPaintStep::Kind::Text;
    text.text = title_;
    text.fontName = titleFont_;
    text.fontHeight = titleFontHeight_;
    text.charset = titleCharset_;
    text.bold = boldTitle;
    text.italic = italicTitle;
    text.underline = underlineTitle;
    text.strikeout = strikeoutTitle;
    text.align = AlignOf(titleFontAlign_);

    std::vector<BackgroundPaintStep> steps;
    if (dropShadow) {
        BackgroundPaintStep shadow = text;
        shadow.rect = ShadowRect();
        shadow.colour = ColourOf(dropTextBrushRed_, dropTextBrushGreen_, dropTextBrushBlue_);
        steps.push_back(shadow);
    }
    text.rect = TitleRect();
    text.colour = ColourOf(textBrushRed_, textBrushGreen_, textBrushBlue_);
    steps.push_back(text);
    return steps;
}

std::vector<BackgroundPaintStep> PreviewPaintSteps(const PaintRect& area,
                                                   const BackgroundPreview& preview, int bands) {
    std::vector<BackgroundPaintStep> steps;
    if (area.IsEmpty())
        return steps;
    bands = std::max(bands, 1);
    const long long height = static_cast<long long>(area.bottom) - area.top;
    auto step = [bands](uint8_t from, uint8_t to, int k) {
        if (bands == 1)
            return from;
        return static_cast<uint8_t>(from + (to - from) * k / (bands - 1));
    };
    for (int k = 0; k < bands; ++k) {
        BackgroundPaintStep band;
        band.kind = BackgroundPaintStep::Kind::FillRect;
        band.rect = PaintRect{area.left, static_cast<int>(area.top + k * height / bands),
                              area.right, static_cast<int>(area.top + (k + 1) * height / bands)};
        band.colour = PaintColour{step(preview.from.red, preview.to.red, k),
                                  step(preview.from.green, preview.to.green, k),
                                  step(preview.from.blue, preview.to.blue, k)};
        steps.push_back(band);
    }
    if (!preview.title.empty()) {
        BackgroundPaintStep text;
        text.kind = BackgroundPaintStep::Kind::Text;
        text.rect = PaintRect{area.left + 4, area.top + 4, area.right - 4, area.bottom - 4};
        text.colour = preview.titleColour;
        text.text = preview.title;
        text.fontName = preview.fontName;
        text.fontHeight = preview.fontHeight;
        text.bold = preview.bold;
        text.italic = preview.italic;
        text.align = AlignOf(preview.align);
        text.charset = 1;  // the system's default character set
        if (preview.dropShadow) {
            BackgroundPaintStep shadow = text;
            const int d = WSetupBackground::kDefaultDropTextOffset;
            shadow.rect = PaintRect{text.rect.left + d, text.rect.top + d, text.rect.right + d,
                                    text.rect.bottom + d};
            shadow.colour = PaintColour{255, 255, 255};
            steps.push_back(shadow);
        }
        steps.push_back(text);
    }
    return steps;
}

}  // namespace vantrel
