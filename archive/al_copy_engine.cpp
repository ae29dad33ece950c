#include "archive/al_copy_engine.h"

#include <algorithm>
#include <cstring>

#include "platform/message_pump.h"

namespace vantrel {

int ALCopyCompressor::Compress(ALStorage& input, ALStorage& output) {
    status_.Clear();
    for (;;) {
        auto in = input.PeekInput();
        if (in.empty())
            break;
        size_t n = output.WriteBuffer(in.data(), in.size());
        input.Consume(n);
        if (n < in.size())
            break;
        Pump();
    }
    if (!input.Status().Ok())
        return input.Status().GetStatusCode();
    return output.Status().GetStatusCode();
}

int ALCopyDecompressor::Decompress(ALStorage& input, ALStorage& output, int64_t compressedSize,
                                   int64_t expandedSize) {
    status_.Clear();
    if (compressedSize != expandedSize) {
        return status_.SetError(
            al::kInvalidArchive, "Stored member of %lld bytes records %lld bytes when expanded",
            static_cast<long long>(compressedSize), static_cast<long long>(expandedSize));
    }
    int64_t left = compressedSize;
    while (left > 0) {
        auto in = input.PeekInput();
        if (in.empty()) {
            if (!input.Status().Ok())
                return input.Status().GetStatusCode();
            return status_.SetError(al::kInvalidArchive, "Unexpected end of compressed data");
        }
        size_t take = static_cast<size_t>(std::min<int64_t>(left, static_cast<int64_t>(in.size())));
        size_t n = output.WriteBuffer(in.data(), take);
        input.Consume(n);
        left -= static_cast<int64_t>(n);
        if (n < take)
            return output.Status().GetStatusCode();
        PumpMessage();
    }
    return al::kSuccess;
}

}  // namespace vantrel
