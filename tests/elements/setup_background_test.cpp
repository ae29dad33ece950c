#include "elements/setup_background.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/strings.h"
#include "scriptfile/setup_data.h"

namespace vantrel {
namespace {

using Kind = BackgroundPaintStep::Kind;

std::vector<BackgroundPaintStep> OfKind(const std::vector<BackgroundPaintStep>& steps, Kind kind) {
    std::vector<BackgroundPaintStep> out;
    for (const auto& s : steps) {
        if (s.kind == kind)
            out.push_back(s);
    }
    return out;
}

// Lines of the "BACKGROUND" section as the script holds them (without the header).
std::vector<std::string> SectionLines(const WSetupData& data) {
    std::vector<std::string> out;
    bool inside = false;
    for (const auto& line : data.Lines()) {
        if (WSetupData::IsSectionLine(line)) {
            inside = WSetupData::SectionNameOf(line) == "BACKGROUND";
            continue;
        }
        if (inside)
            out.push_back(line);
    }
    return out;
}

WSetupData ScriptWith(const std::vector<std::string>& keyLines) {
    std::vector<std::string> lines{"[BACKGROUND]"};
    lines.insert(lines.end(), keyLines.begin(), keyLines.end());
    WSetupData data;
    data.LoadLines(lines);
    return data;
}

// ---- Writing and reading the section ----

// The section of a new object, in key order.
const std::vector<std::string> kDefaultLines{
    "BrushRed=0",
    "BrushGreen=0",
    "BrushBlue=255",
    "Background=Setup\\Bitmap\\pal1280.bmp,Setup\\Bitmap\\128016.bmp",
    "Background640=Setup\\Bitmap\\pal640.bmp,Setup\\Bitmap\\64016.bmp",
    "Background800=Setup\\Bitmap\\pal800.bmp,Setup\\Bitmap\\80016.bmp",
    "Background1024=Setup\\Bitmap\\pal1024.bmp,Setup\\Bitmap\\102416.bmp",
    "Background1152=Setup\\Bitmap\\pal1152.bmp,Setup\\Bitmap\\115216.bmp",
    "Background1280=Setup\\Bitmap\\pal1280.bmp,Setup\\Bitmap\\128016.bmp",
    "TileBackground=",
    "UseTile=0",
    "StaggerTiles=0",
    "GradientFill=1",
    "GradientColor=BLUE",
    "GradientDirection=Top To Bottom",
    "BackGroundText=1",
    "BackGroundTitleFont=Times New Roman",
    "Background Title=Product Setup",
    "BackGroundTitleCharset=0",
    "BackGroundTitleFontHeight=60",
    "BackGroundTitleFontAlign=LEFT",
    "TextBrushRed=255",
    "TextBrushGreen=0",
    "TextBrushBlue=0",
    "BoldBackTitle=0",
    "ItalicBackTitle=0",
    "StrikeoutBackTitle=0",
    "UnderlineBackTitle=0",
    "DropTextOffset=3",
    "DropTextDirection=Down to Right",
    "DropShadow=1",
    "DropTextBrushRed=255",
    "DropTextBrushGreen=255",
    "DropTextBrushBlue=255",
};

TEST(SetupBackgroundSection, NewObjectWritesEveryKeyWithItsDefault) {
    WSetupData data;
    ASSERT_TRUE(WSetupBackground().Write(&data));
    // The keys are set one after the other in key order. Into a script without
    // the section, the first key creates it and every later new key goes right
    // after the section line, so the section ends up in reverse order.
    std::vector<std::string> reversed(kDefaultLines.rbegin(), kDefaultLines.rend());
    reversed.insert(reversed.begin(), "[BACKGROUND]");
    EXPECT_EQ(data.Lines(), reversed);
}

// What an object that has read `in` writes over a section holding every key.
std::vector<std::string> ReadThenWrite(const WSetupData& in) {
    WSetupBackground bg;
    EXPECT_TRUE(bg.Read(&in));
    WSetupData out = ScriptWith(kDefaultLines);
    EXPECT_TRUE(bg.Write(&out));
    return SectionLines(out);
}

TEST(SetupBackgroundSection, TextsAreWrittenOnOneLine) {
    WSetupBackground bg;
    bg.SetBackgroundTitle("Two\r\nBrushRed=9");
    WSetupData data;
    ASSERT_TRUE(bg.Write(&data));
    // A line break in a text must not smuggle a key line into the section.
    std::string v;
    data.GetValue("BACKGROUND", "Background Title", v);
    EXPECT_EQ(v, "Two  BrushRed=9");
    EXPECT_EQ(SectionLines(data).size(), 34u);

    EXPECT_FALSE(bg.Write(nullptr));
    EXPECT_FALSE(bg.Read(nullptr));
    EXPECT_EQ(bg.GetBrushBlue(), 255);
}

TEST(SetupBackgroundSection, MissingKeysReadAsZeroOrTheirRepairValue) {
    // Numbers and flags of missing keys convert to 0, kept where it is in
    // range; empty texts take their standard value.
    std::vector<std::string> expected = kDefaultLines;
    expected[2] = "BrushBlue=0";
    expected[9] = "TileBackground=Setup\\Bitmap\\palTile.bmp,Setup\\Bitmap\\Tile16.bmp";
    expected[12] = "GradientFill=0";
    expected[15] = "BackGroundText=0";
    expected[19] = "BackGroundTitleFontHeight=80";
    expected[21] = "TextBrushRed=0";
    expected[28] = "DropTextOffset=0";
    expected[30] = "DropShadow=0";
    expected[31] = "DropTextBrushRed=0";
    expected[32] = "DropTextBrushGreen=0";
    expected[33] = "DropTextBrushBlue=0";
    EXPECT_EQ(ReadThenWrite(WSetupData()), expected);
    // Present but empty is the same as missing.
    std::vector<std::string> emptyValues;
    for (const auto& line : kDefaultLines)
        emptyValues.push_back(line.substr(0, line.find('=') + 1));
    EXPECT_EQ(ReadThenWrite(ScriptWith(emptyValues)), expected);
}

TEST(SetupBackgroundSection, NumbersAreClampedToTheirRanges) {
    struct Case {
        const char* line;
        int (WSetupBackground::*get)() const;
        int expected;
    };
    const Case cases[] = {
        {"BrushRed=256", &WSetupBackground::GetBrushRed, 0},
        {"BrushRed=-1", &WSetupBackground::GetBrushRed, 0},
        {"BrushGreen=12px", &WSetupBackground::GetBrushGreen, 12},
        {"BrushBlue=300", &WSetupBackground::GetBrushBlue, 255},
        {"BrushBlue=abc", &WSetupBackground::GetBrushBlue, 0},
        {"BackGroundTitleFontHeight=10", &WSetupBackground::GetTitleFontHeight, 80},
        {"BackGroundTitleFontHeight=20", &WSetupBackground::GetTitleFontHeight, 20},
        {"BackGroundTitleFontHeight=160", &WSetupBackground::GetTitleFontHeight, 160},
        {"BackGroundTitleFontHeight=161", &WSetupBackground::GetTitleFontHeight, 80},
        {"BackGroundTitleFontHeight=99999999999999999999", &WSetupBackground::GetTitleFontHeight,
         80},
        {"TextBrushRed=256", &WSetupBackground::GetTextBrushRed, 255},
        {"TextBrushBlue=1000", &WSetupBackground::GetTextBrushBlue, 0},
        {"DropTextOffset=6", &WSetupBackground::GetDropTextOffset, 3},
        {"DropTextOffset=5", &WSetupBackground::GetDropTextOffset, 5},
        {"DropTextBrushGreen=256", &WSetupBackground::GetDropTextBrushGreen, 255},
        {"DropTextBrushBlue=-7", &WSetupBackground::GetDropTextBrushBlue, 255},
        {"BackGroundTitleCharset=238", &WSetupBackground::GetTitleCharset, 238},
        {"BackGroundTitleCharset=-2", &WSetupBackground::GetTitleCharset, -2},
    };
    for (const auto& c : cases) {
        WSetupBackground bg;
        WSetupData data = ScriptWith({c.line});
        ASSERT_TRUE(bg.Read(&data));
        EXPECT_EQ((bg.*c.get)(), c.expected) << c.line;
    }
}

TEST(SetupBackgroundSection, WordsAreKeptAsReadOrReplaced) {
    WSetupBackground bg;
    WSetupData data = ScriptWith({"GradientColor=green", "GradientDirection=bottom up",
                                  "BackGroundTitleFontAlign=Center", "DropTextDirection=UP TO LEFT",
                                  "UseTile=2", "DropShadow=1"});
    ASSERT_TRUE(bg.Read(&data));
    EXPECT_EQ(bg.GetGradientColor(), "green");
    EXPECT_EQ(bg.GetGradientDirection(), "bottom up");
    EXPECT_EQ(bg.GetTitleFontAlign(), "Center");
    EXPECT_EQ(bg.GetDropTextDirection(), "UP TO LEFT");
    EXPECT_TRUE(bg.useTile);
    EXPECT_TRUE(bg.dropShadow);

    data = ScriptWith({"GradientColor=purple", "GradientDirection=Diagonal",
                       "BackGroundTitleFontAlign=MIDDLE", "DropTextDirection=Sideways"});
    ASSERT_TRUE(bg.Read(&data));
    EXPECT_EQ(bg.GetGradientColor(), "BLUE");
    EXPECT_EQ(bg.GetGradientDirection(), "Top To Bottom");
    EXPECT_EQ(bg.GetTitleFontAlign(), "LEFT");
    EXPECT_EQ(bg.GetDropTextDirection(), "Down to Right");
}

TEST(SetupBackgroundSection, RoundTripKeepsEverySetting) {
    const std::vector<std::string> changed{
        "BrushRed=1",
        "BrushGreen=2",
        "BrushBlue=3",
        "Background=a.bmp,b.bmp",
        "Background640=c.bmp,d.bmp",
        "Background800=e.bmp,f.bmp",
        "Background1024=g.bmp,h.bmp",
        "Background1152=i.bmp,j.bmp",
        "Background1280=k.bmp,l.bmp",
        "TileBackground=t.bmp,u.bmp",
        "UseTile=1",
        "StaggerTiles=1",
        "GradientFill=0",
        "GradientColor=RED",
        "GradientDirection=Right to Left",
        "BackGroundText=0",
        "BackGroundTitleFont=Arial",
        "Background Title=Demo Setup",
        "BackGroundTitleCharset=2",
        "BackGroundTitleFontHeight=72",
        "BackGroundTitleFontAlign=RIGHT",
        "TextBrushRed=10",
        "TextBrushGreen=20",
        "TextBrushBlue=30",
        "BoldBackTitle=1",
        "ItalicBackTitle=1",
        "StrikeoutBackTitle=1",
        "UnderlineBackTitle=1",
        "DropTextOffset=5",
        "DropTextDirection=Up to Left",
        "DropShadow=0",
        "DropTextBrushRed=40",
        "DropTextBrushGreen=50",
        "DropTextBrushBlue=60",
    };
    EXPECT_EQ(ReadThenWrite(ScriptWith(changed)), changed);

    // A new object comes back unchanged apart from the empty tile pair, which
    // reads back as the standard tile.
    WSetupData fresh;
    ASSERT_TRUE(WSetupBackground().Write(&fresh));
    std::vector<std::string> expected = kDefaultLines;
    expected[9] = "TileBackground=Setup\\Bitmap\\palTile.bmp,Setup\\Bitmap\\Tile16.bmp";
    EXPECT_EQ(ReadThenWrite(fresh), expected);
}

// ---- Painting ----

// Checks that the bands tile [0, length) along their axis without gaps or overlap.
void ExpectBandsTile(std::vector<BackgroundPaintStep> bands, bool horizontal, int length) {
    auto lo = [horizontal](const BackgroundPaintStep& s) {
        return horizontal ? s.rect.left : s.rect.top;
    };
    auto hi = [horizontal](const BackgroundPaintStep& s) {
        return horizontal ? s.rect.right : s.rect.bottom;
    };
    std::sort(bands.begin(), bands.end(), [&](const auto& a, const auto& b) {
        return lo(a) != lo(b) ? lo(a) < lo(b) : hi(a) < hi(b);
    });
    int edge = 0;
    for (const auto& b : bands) {
        EXPECT_EQ(lo(b), edge);
        EXPECT_GE(hi(b), lo(b));
        edge = hi(b);
    }
    EXPECT_EQ(edge, length);
}

TEST(SetupBackgroundPaint, TopToBottomGradientOn512Pixels) {
    WSetupBackground bg;
    auto bands = bg.GradientSteps(300, 512);
    ASSERT_EQ(bands.size(), 256u);
    for (int i = 0; i < 256; ++i) {
        EXPECT_EQ(bands[i].rect, (PaintRect{0, 2 * i, 301, 2 * i + 2})) << i;
    }
    EXPECT_EQ(bands[0].colour, (PaintColour{0, 0, 255}));
    EXPECT_EQ(bands[128].colour, (PaintColour{0, 0, 127}));
    EXPECT_EQ(bands[255].colour, (PaintColour{0, 0, 0}));
}

TEST(SetupBackgroundPaint, GradientDirectionsPutFullIntensityAtTheirEdge) {
    struct Case {
        const char* direction;
        bool horizontal;
        bool fullAtFarEdge;
    };
    const Case cases[] = {{"Top To Bottom", false, false},
                          {"bottom up", false, true},
                          {"Left to Right", true, false},
                          {"RIGHT TO LEFT", true, true},
                          {"something else", false, false}};
    for (const auto& c : cases) {
        for (int length : {1000, 100, 256, 0}) {
            WSetupBackground bg;
            bg.SetGradientColor("green");
            bg.SetGradientDirection(c.direction);
            const int width = c.horizontal ? length : 77;
            const int height = c.horizontal ? 55 : length;
            auto bands = bg.GradientSteps(width, height);
            ASSERT_EQ(bands.size(), 256u);
            SCOPED_TRACE(std::string(c.direction) + " " + std::to_string(length));
            ExpectBandsTile(bands, c.horizontal, length);
            for (const auto& b : bands) {
                EXPECT_EQ(b.colour.red, 0);
                EXPECT_EQ(b.colour.blue, 0);
                // The cross axis reaches one pixel past the window.
                EXPECT_EQ(c.horizontal ? b.rect.top : b.rect.left, 0);
                EXPECT_EQ(c.horizontal ? b.rect.bottom : b.rect.right,
                          (c.horizontal ? height : width) + 1);
            }
            if (length < 256)
                continue;
            // The band at the near edge (coordinate 0) and the one at the far edge.
            auto at = [&](int pos) {
                for (const auto& b : bands) {
                    int lo = c.horizontal ? b.rect.left : b.rect.top;
                    int hi = c.horizontal ? b.rect.right : b.rect.bottom;
                    if (lo <= pos && pos < hi)
                        return b.colour.green;
                }
                ADD_FAILURE() << "no band at " << pos;
                return uint8_t{0};
            };
            EXPECT_EQ(at(0), c.fullAtFarEdge ? 0 : 255);
            EXPECT_EQ(at(length - 1), c.fullAtFarEdge ? 255 : 0);
        }
    }
    WSetupBackground red;
    red.SetGradientColor("Red");
    EXPECT_EQ(red.GradientSteps(10, 10)[0].colour, (PaintColour{255, 0, 0}));
}

TEST(SetupBackgroundPaint, TilesCoverTheAreaAndStaggerEverySecondRow) {
    WSetupBackground bg;
    bg.SetBitmapSize(64, 64);
    bg.staggerTiles = true;
    auto tiles = bg.TileSteps(200, 130);
    // Rows at 0, 64 and 128; four tiles each.
    ASSERT_EQ(tiles.size(), 12u);
    EXPECT_EQ(tiles[0].rect, (PaintRect{0, 0, 64, 64}));
    EXPECT_EQ(tiles[3].rect, (PaintRect{192, 0, 256, 64}));
    EXPECT_EQ(tiles[4].rect, (PaintRect{-32, 64, 32, 128}));
    EXPECT_EQ(tiles[7].rect, (PaintRect{160, 64, 224, 128}));
    EXPECT_EQ(tiles[8].rect, (PaintRect{0, 128, 64, 192}));

    bg.staggerTiles = false;
    tiles = bg.TileSteps(200, 130);
    ASSERT_EQ(tiles.size(), 12u);
    EXPECT_EQ(tiles[4].rect, (PaintRect{0, 64, 64, 128}));

    // A bitmap of no size draws nothing instead of looping for ever.
    bg.SetBitmapSize(0, 64);
    EXPECT_TRUE(bg.TileSteps(200, 130).empty());
    bg.FreeBitmap();
    EXPECT_TRUE(bg.TileSteps(200, 130).empty());
}

TEST(SetupBackgroundPaint, TitleAndShadowPlacement) {
    WSetupBackground bg;
    auto steps = bg.TitleSteps();
    ASSERT_EQ(steps.size(), 2u);
    const auto& shadow = steps[0];
    const auto& title = steps[1];
    EXPECT_EQ(title.rect, (PaintRect{10, 10, 640, 200}));
    EXPECT_EQ(shadow.rect, (PaintRect{13, 13, 643, 203}));
    EXPECT_EQ(title.colour, (PaintColour{255, 0, 0}));
    EXPECT_EQ(shadow.colour, (PaintColour{255, 255, 255}));
    EXPECT_EQ(title.text, "Product Setup");
    EXPECT_EQ(shadow.text, title.text);

    struct Dir {
        const char* name;
        int dx, dy;
    };
    for (const Dir& d :
         {Dir{"Up to Right", 4, -4}, Dir{"down to left", -4, 4}, Dir{"Up to Left", -4, -4},
          Dir{"Down to Right", 4, 4}, Dir{"elsewhere", 4, 4}}) {
        for (const char* align : {"LEFT", "center", "Right", "justify"}) {
            bg.SetDropTextDirection(d.name);
            bg.SetDropTextOffset(4);
            bg.SetTitleFontAlign(align);
            bg.SetTextRect(PaintRect{20, 30, 500, 90});
            steps = bg.TitleSteps();
            ASSERT_EQ(steps.size(), 2u);
            SCOPED_TRACE(std::string(d.name) + " " + align);
            EXPECT_EQ(steps[1].rect, (PaintRect{20, 30, 500, 90}));
            // The shadow is the title moved as a whole, whatever the alignment.
            EXPECT_EQ(steps[0].rect, (PaintRect{20 + d.dx, 30 + d.dy, 500 + d.dx, 90 + d.dy}));
            const PaintAlign expected = EqualsNoCase(align, "CENTER")  ? PaintAlign::Center
                                        : EqualsNoCase(align, "RIGHT") ? PaintAlign::Right
                                                                       : PaintAlign::Left;
            EXPECT_EQ(steps[0].align, expected);
            EXPECT_EQ(steps[1].align, expected);
        }
    }

    bg.dropShadow = false;
    steps = bg.TitleSteps();
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].kind, Kind::Text);
}

TEST(SetupBackgroundPaint, PaintChoosesBetweenTilesGradientAndBitmap) {
    WSetupBackground bg;
    bg.SetBrushRed(1);
    bg.SetBrushGreen(2);
    bg.SetBrushBlue(3);
    // Title with gradient: cleared area, 256 bands, shadow, title.
    auto steps = bg.PaintSteps(640, 480);
    ASSERT_EQ(steps.size(), 1u + 256 + 2);
    EXPECT_EQ(steps[0].rect, (PaintRect{0, 0, 640, 480}));
    EXPECT_EQ(steps[0].colour, (PaintColour{1, 2, 3}));
    EXPECT_EQ(steps.back().kind, Kind::Text);

    // Tiling needs a loaded bitmap; without one the gradient is painted.
    bg.useTile = true;
    EXPECT_EQ(OfKind(bg.PaintSteps(640, 480), Kind::FillRect).size(), 257u);
    bg.SetBitmapSize(320, 240);
    steps = bg.PaintSteps(640, 480);
    EXPECT_EQ(OfKind(steps, Kind::FillRect).size(), 1u);
    EXPECT_EQ(OfKind(steps, Kind::Bitmap).size(), 9u);  // three rows of three
    EXPECT_EQ(OfKind(steps, Kind::Text).size(), 2u);

    // Neither tiles nor gradient: the title on the background colour.
    bg.useTile = false;
    bg.gradientFill = false;
    EXPECT_EQ(bg.PaintSteps(640, 480).size(), 3u);

    // No title: the bitmap once, from the corner or centred.
    bg.backgroundText = false;
    steps = bg.PaintSteps(640, 480);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[1].kind, Kind::Bitmap);
    EXPECT_EQ(steps[1].rect, (PaintRect{0, 0, 320, 240}));
    EXPECT_TRUE(steps[1].usePalette);
    bg.centreBitmap = true;
    EXPECT_EQ(bg.PaintSteps(640, 480)[1].rect, (PaintRect{160, 120, 480, 360}));
    bg.SetBitmapSize(1000, 600);
    EXPECT_EQ(bg.PaintSteps(640, 480)[1].rect, (PaintRect{-180, -60, 820, 540}));

    // An empty title counts as no title.
    bg.backgroundText = true;
    bg.gradientFill = true;
    bg.SetBackgroundTitle("");
    EXPECT_EQ(OfKind(bg.PaintSteps(640, 480), Kind::Text).size(), 0u);
    bg.FreeBitmap();
    EXPECT_EQ(bg.PaintSteps(640, 480).size(), 1u);
}

TEST(SetupBackgroundPaint, PreviewBandsStepFromOneColourToTheOther) {
    BackgroundPreview p;
    p.from = PaintColour{0, 0, 255};
    p.to = PaintColour{0, 0, 0};
    p.title = "Demo Setup";
    p.align = "CENTER";
    const PaintRect area{5, 7, 205, 130};  // 123 high: bands of 2 or 3 pixels
    auto steps = PreviewPaintSteps(area, p);
    ASSERT_EQ(steps.size(), 51u);
    std::vector<BackgroundPaintStep> bands(steps.begin(), steps.begin() + 50);
    int edge = area.top;
    for (const auto& b : bands) {
        EXPECT_EQ(b.rect, (PaintRect{5, edge, 205, b.rect.bottom}));
        EXPECT_TRUE(b.rect.bottom - edge == 2 || b.rect.bottom - edge == 3);
        edge = b.rect.bottom;
    }
    EXPECT_EQ(edge, area.bottom);
    EXPECT_EQ(bands.front().colour, p.from);
    EXPECT_EQ(bands[25].colour, (PaintColour{0, 0, 125}));
    EXPECT_EQ(bands.back().colour, p.to);
    const auto& title = steps.back();
    EXPECT_EQ(title.align, PaintAlign::Center);
    EXPECT_EQ(title.rect, (PaintRect{9, 11, 201, 126}));

    p.title.clear();
    EXPECT_EQ(PreviewPaintSteps(area, p).size(), 50u);
    EXPECT_TRUE(PreviewPaintSteps(PaintRect{0, 0, 0, 10}, p).empty());
}

}  // namespace
}  // namespace vantrel
