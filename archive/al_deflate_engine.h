// The deflate engines: zlib's raw deflate (no zlib header or trailer, window
// bits 15, memory level 8, default strategy) and raw inflate. Every level,
// level 0 included, gives ZIP method 8. Data whose first kProbeSize bytes do
// not shrink is stored from there on, in the same deflate stream.
#pragma once

#include <span>
#include <vector>

#include "archive/al_engine.h"

namespace vantrel {

class ALDeflateCompressor : public ALCompressor {
  public:
    static constexpr int kWindowBits = 15;
    static constexpr int kMemoryLevel = 8;
    static constexpr uint64_t kProbeSize = 128 * 1024;

    explicit ALDeflateCompressor(int level = 6) : ALCompressor(al::kDeflateEngine), level_(level) {}
    int GetLevel() const { return level_; }
    // "Stored" (0), "Deflate Fast" (1), "Deflate Normal" (2..8),
    // "Deflate Maximum" (9), "???" otherwise.
    std::string GetName() const override;
    uint16_t GetZipMethod() const override { return al::kZipDeflated; }
    // Bits 1-2 of the flags: 2 for maximum (9), 4 for fast (1), else 0.
    uint16_t GetZipFlags() const override;
    int Compress(ALStorage& input, ALStorage& output) override;

    // Data too large to deflate in one piece may be cut into pieces that
    // are deflated each on its own, and still join into one raw deflate
    // stream: each piece is primed with the (up to 32 KB of) data before it
    // as its dictionary and ends on a byte boundary (a sync flush); the last
    // piece ends the stream. Appends the deflated piece to `out`; returns
    // zlib's code (Z_OK on success).
    static constexpr size_t kPieceSize = 128 * 1024;
    static constexpr size_t kDictionarySize = 32 * 1024;
    static int DeflatePiece(int level, std::span<const unsigned char> dictionary,
                            std::span<const unsigned char> data, bool last,
                            std::vector<unsigned char>& out);

  private:
    int level_;
};

class ALInflateDecompressor : public ALDecompressor {
  public:
    ALInflateDecompressor() : ALDecompressor(al::kDeflateEngine) {}
    std::string GetName() const override { return "Inflate"; }
    int Decompress(ALStorage& input, ALStorage& output, int64_t compressedSize,
                   int64_t expandedSize) override;
};

}  // namespace vantrel
