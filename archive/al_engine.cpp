#include "archive/al_engine.h"

#include "archive/al_copy_engine.h"
#include "archive/al_deflate_engine.h"
#include "platform/message_pump.h"

namespace vantrel {

ALCompressor::~ALCompressor() = default;
ALDecompressor::~ALDecompressor() = default;

void ALCompressor::Pump() const {
    if (pump_)
        PumpMessage();
}

ALEngineFactory ALEngineFactory::BinaryCopy() {
    ALEngineFactory f;
    f.binaryCopy_ = true;
    return f;
}

ALEngineFactory ALEngineFactory::Deflate(int level) {
    ALEngineFactory f;
    f.level_ = level;
    return f;
}

std::unique_ptr<ALCompressor> ALEngineFactory::CreateCompressor() const {
    if (binaryCopy_)
        return std::make_unique<ALCopyCompressor>();
    return std::make_unique<ALDeflateCompressor>(level_);
}

std::unique_ptr<ALDecompressor> ALEngineFactory::CreateDecompressor(uint16_t zipMethod) {
    switch (zipMethod) {
        case al::kZipStored:
            return std::make_unique<ALCopyDecompressor>();
        case al::kZipDeflated:
            return std::make_unique<ALInflateDecompressor>();
        default:
            return nullptr;
    }
}

}  // namespace vantrel
