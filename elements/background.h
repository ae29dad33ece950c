// Window-side state of the setup's full-screen background window: how a bitmap
// is shown and which bitmap is loaded. The setup engine loads the bitmap (the
// tile or the one made for the screen resolution) before the window is painted;
// the painting code needs only its size, so that is all this object keeps.
#pragma once

namespace vantrel {

class WBackground {
  public:
    virtual ~WBackground() = default;

    // On a screen with 8 bits per pixel, draw the bitmap with its own palette
    // selected and realised.
    bool usePalette = true;
    // Draw a single bitmap centred in the window (a larger one shows its
    // middle part) instead of from the top-left corner.
    bool centreBitmap = false;

    // Size in pixels of the loaded bitmap; 0 x 0 while none is loaded.
    void SetBitmapSize(int width, int height) {
        bitmapWidth_ = width > 0 ? width : 0;
        bitmapHeight_ = height > 0 ? height : 0;
    }
    void FreeBitmap() { bitmapWidth_ = bitmapHeight_ = 0; }
    // A bitmap of no area counts as not loaded: there is nothing to draw and
    // tiling it would never advance.
    bool HasBitmap() const { return bitmapWidth_ > 0 && bitmapHeight_ > 0; }
    int BitmapWidth() const { return bitmapWidth_; }
    int BitmapHeight() const { return bitmapHeight_; }

  private:
    int bitmapWidth_ = 0;
    int bitmapHeight_ = 0;
};

}  // namespace vantrel
