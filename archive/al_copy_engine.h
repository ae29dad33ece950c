// The binary-copy engine: members stored as they are (ZIP method 0).
#pragma once

#include "archive/al_engine.h"

namespace vantrel {

class ALCopyCompressor : public ALCompressor {
  public:
    ALCopyCompressor() : ALCompressor(al::kCopyEngine) {}
    std::string GetName() const override { return "Binary copy"; }
    uint16_t GetZipMethod() const override { return al::kZipStored; }
    int Compress(ALStorage& input, ALStorage& output) override;
};

class ALCopyDecompressor : public ALDecompressor {
  public:
    ALCopyDecompressor() : ALDecompressor(al::kCopyEngine) {}
    std::string GetName() const override { return "Binary copy"; }
    int Decompress(ALStorage& input, ALStorage& output, int64_t compressedSize,
                   int64_t expandedSize) override;
};

}  // namespace vantrel
