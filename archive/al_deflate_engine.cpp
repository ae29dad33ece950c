#include "archive/al_deflate_engine.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <mutex>
#include <new>
#include <type_traits>
#include <vector>

#include "platform/message_pump.h"

namespace vantrel {

namespace {

uInt Clamp(size_t n) {
    return static_cast<uInt>(std::min<size_t>(n, UINT_MAX));
}

// True when the first `taken` bytes that `zs` has deflated shrink by at
// least 1/64 as a whole stream; a copy of the stream is finished to tell.
bool FirstBytesShrink(z_stream& zs, uint64_t taken) {
    z_stream probe;
    if (deflateCopy(&probe, &zs) != Z_OK)
        return true;
    unsigned char scratch[16 * 1024];
    probe.next_in = nullptr;
    probe.avail_in = 0;
    int rc;
    do {
        probe.next_out = scratch;
        probe.avail_out = sizeof scratch;
        rc = deflate(&probe, Z_FINISH);
    } while (rc == Z_OK);
    uint64_t packed = probe.total_out;
    deflateEnd(&probe);
    return rc != Z_STREAM_END || packed < taken - taken / 64;
}

// Switches `zs` to level 0 (stored blocks) for the rest of its input. False
// when the output fails on the way.
bool SwitchToStored(z_stream& zs, ALStorage& output) {
    zs.avail_in = 0;
    for (;;) {
        auto room = output.OutputRoom();
        if (room.empty())
            return false;
        zs.next_out = room.data();
        zs.avail_out = Clamp(room.size());
        uInt before = zs.avail_out;
        // The block deflated so far is ended first; Z_BUF_ERROR asks for
        // more room to end it in.
        int rc = deflateParams(&zs, 0, Z_DEFAULT_STRATEGY);
        output.Commit(before - zs.avail_out);
        if (rc != Z_BUF_ERROR)
            return rc == Z_OK;
    }
}

// Deflate streams are kept between members: an archive of many small files
// would otherwise spend most of its time allocating and clearing the
// streams' tables. A stream that is reset is the same as a new one. zlib ties
// a stream's state to the address of its z_stream, so each kept stream lives
// on the heap and is used where it is. The streams are kept for the process,
// not per thread: a thread_local object with a destructor is not safe
// everywhere (the Windows runtime may free a thread's storage before the
// object's destructor runs at the thread's end, and deflateEnd then writes
// to freed memory).
class StreamCache {
  public:
    ~StreamCache() {
        for (Kept* kept : idle_) {
            deflateEnd(&kept->zs);
            delete kept;
        }
    }
    // A stream at `level`: an idle kept one (reset, or made anew at the
    // level) or a new one. Null when there is no memory; `rc` is zlib's
    // answer.
    z_stream* Take(int level, int& rc) {
        Kept* kept = nullptr;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!idle_.empty()) {
                auto same = std::find_if(idle_.begin(), idle_.end(),
                                         [&](const Kept* k) { return k->level == level; });
                if (same == idle_.end())
                    same = idle_.end() - 1;
                kept = *same;
                idle_.erase(same);
            }
        }
        if (kept && kept->level == level && deflateReset(&kept->zs) == Z_OK) {
            rc = Z_OK;
            return &kept->zs;
        }
        if (kept)
            deflateEnd(&kept->zs);
        else
            kept = new (std::nothrow) Kept;
        if (!kept) {
            rc = Z_MEM_ERROR;
            return nullptr;
        }
        kept->zs = z_stream{};
        rc = deflateInit2(&kept->zs, level, Z_DEFLATED, -ALDeflateCompressor::kWindowBits,
                          ALDeflateCompressor::kMemoryLevel, Z_DEFAULT_STRATEGY);
        kept->level = level;
        if (rc != Z_OK) {
            delete kept;
            return nullptr;
        }
        return &kept->zs;
    }
    // Ends the use of `zs`; it is kept for a later member when `keep` (it is
    // still at the level it was taken at) and fewer than kMaxIdle are kept.
    void Give(z_stream* zs, bool keep) {
        // The stream is the first member of its Kept.
        Kept* kept = reinterpret_cast<Kept*>(zs);
        if (keep) {
            std::lock_guard<std::mutex> lock(mutex_);
            if (idle_.size() < kMaxIdle) {
                idle_.push_back(kept);
                return;
            }
        }
        deflateEnd(zs);
        delete kept;
    }

  private:
    struct Kept {
        z_stream zs;
        int level = -1;
    };
    static_assert(std::is_standard_layout_v<Kept>);
    static constexpr size_t kMaxIdle = 64;
    std::mutex mutex_;
    std::vector<Kept*> idle_;
};

StreamCache& Streams() {
    static StreamCache streams;
    return streams;
}

}  // namespace

std::string ALDeflateCompressor::GetName() const {
    switch (level_) {
        case 0:
            return "Stored";
        case 1:
            return "Deflate Fast";
        case 9:
            return "Deflate Maximum";
        default:
            return level_ >= 2 && level_ <= 8 ? "Deflate Normal" : "???";
    }
}

uint16_t ALDeflateCompressor::GetZipFlags() const {
    if (level_ == 9)
        return 2;
    if (level_ == 1)
        return 4;
    return 0;
}

int ALDeflateCompressor::Compress(ALStorage& input, ALStorage& output) {
    status_.Clear();
    int rc = Z_OK;
    z_stream* stream = Streams().Take(level_, rc);
    if (!stream) {
        return status_.SetError(al::kCantCreateEngine,
                                "Error creating deflate engine. ZLIB returned %d\n", rc);
    }
    z_stream& zs = *stream;
    // Data that is already compressed does not shrink: when its first
    // kProbeSize bytes do not, the rest goes into stored blocks of the same
    // stream instead of being searched for matches in vain. Data of one probe
    // or less is deflated throughout.
    bool probed = level_ == 0;
    bool stored = false;
    uint64_t taken = 0;
    bool finished = false;
    while (!finished) {
        auto in = input.PeekInput();
        if (!input.Status().Ok())
            break;
        if (!probed && taken == kProbeSize) {
            probed = true;
            if (!in.empty() && !FirstBytesShrink(zs, taken)) {
                stored = true;
                if (!SwitchToStored(zs, output))
                    break;
            }
        }
        size_t offer = in.size();
        if (!probed)
            offer = std::min<size_t>(offer, kProbeSize - taken);
        int flush = in.empty() ? Z_FINISH : Z_NO_FLUSH;
        zs.next_in = const_cast<Bytef*>(in.data());
        zs.avail_in = Clamp(offer);
        uInt offered = zs.avail_in;
        // Deflate until the input is taken (or the stream is finished); the
        // output goes straight into the output storage's buffer.
        do {
            auto room = output.OutputRoom();
            if (room.empty())
                break;
            zs.next_out = room.data();
            zs.avail_out = Clamp(room.size());
            uInt before = zs.avail_out;
            rc = deflate(&zs, flush);
            output.Commit(before - zs.avail_out);
            if (rc == Z_STREAM_END)
                finished = true;
        } while (!finished && (zs.avail_out == 0 || zs.avail_in > 0) && rc != Z_STREAM_ERROR);
        input.Consume(offered - zs.avail_in);
        taken += offered - zs.avail_in;
        if (!output.Status().Ok() || rc == Z_STREAM_ERROR)
            break;
        Pump();
    }
    Streams().Give(&zs, !stored);
    if (!input.Status().Ok())
        return input.Status().GetStatusCode();
    if (!output.Status().Ok())
        return output.Status().GetStatusCode();
    if (!finished) {
        return status_.SetError(al::kInternalError, "Deflate failed. ZLIB returned %d", rc);
    }
    return al::kSuccess;
}

int ALDeflateCompressor::DeflatePiece(int level, std::span<const unsigned char> dictionary,
                                      std::span<const unsigned char> data, bool last,
                                      std::vector<unsigned char>& out) {
    int rc = Z_OK;
    z_stream* stream = Streams().Take(level, rc);
    if (!stream)
        return rc;
    z_stream& zs = *stream;
    if (!dictionary.empty() && level != 0) {
        rc = deflateSetDictionary(&zs, dictionary.data(), Clamp(dictionary.size()));
    }
    const int flush = last ? Z_FINISH : Z_SYNC_FLUSH;
    zs.next_in = const_cast<Bytef*>(data.data());
    zs.avail_in = Clamp(data.size());
    size_t start = out.size();
    size_t room = data.size() + data.size() / 256 + 64;
    while (rc == Z_OK) {
        out.resize(start + room);
        zs.next_out = out.data() + start;
        zs.avail_out = Clamp(room);
        rc = deflate(&zs, flush);
        start += room - zs.avail_out;
        out.resize(start);
        if (rc == Z_STREAM_END && last) {
            rc = Z_OK;
            break;
        }
        // A sync flush is complete once the input is taken and the output
        // did not fill up.
        if (!last && zs.avail_in == 0 && ((rc == Z_OK && zs.avail_out > 0) || rc == Z_BUF_ERROR)) {
            rc = Z_OK;
            break;
        }
        room = 64 * 1024;
    }
    // A finished stream is reset when next taken; one that ended with a
    // sync flush is reset the same way.
    Streams().Give(&zs, true);
    return rc;
}

int ALInflateDecompressor::Decompress(ALStorage& input, ALStorage& output, int64_t compressedSize,
                                      int64_t expandedSize) {
    status_.Clear();
    z_stream zs{};
    int rc = inflateInit2(&zs, -MAX_WBITS);
    if (rc != Z_OK) {
        return status_.SetError(al::kCantCreateEngine,
                                "Error creating inflate engine. ZLIB returned %d\n", rc);
    }
    int64_t inLeft = compressedSize;
    int64_t outLeft = expandedSize;
    bool finished = false;
    while (!finished) {
        auto in = input.PeekInput();
        if (!input.Status().Ok())
            break;
        size_t take =
            static_cast<size_t>(std::min<int64_t>(inLeft, static_cast<int64_t>(in.size())));
        zs.next_in = const_cast<Bytef*>(in.data());
        zs.avail_in = Clamp(take);
        uInt offered = zs.avail_in;
        bool progress = false;
        do {
            auto room = output.OutputRoom();
            if (room.empty())
                break;
            // Never expand beyond the recorded size; one byte of room past it
            // shows a member that would.
            size_t allowed = static_cast<size_t>(
                std::min<int64_t>(static_cast<int64_t>(room.size()), outLeft + 1));
            zs.next_out = room.data();
            zs.avail_out = Clamp(allowed);
            uInt before = zs.avail_out;
            rc = inflate(&zs, Z_NO_FLUSH);
            size_t produced = before - zs.avail_out;
            output.Commit(produced);
            outLeft -= static_cast<int64_t>(produced);
            if (produced > 0)
                progress = true;
            if (rc == Z_STREAM_END)
                finished = true;
        } while (!finished && rc == Z_OK && outLeft >= 0 && zs.avail_out == 0);
        size_t used = offered - zs.avail_in;
        if (used > 0)
            progress = true;
        input.Consume(used);
        inLeft -= static_cast<int64_t>(used);
        if (!output.Status().Ok())
            break;
        if (outLeft < 0) {
            inflateEnd(&zs);
            return status_.SetError(al::kInvalidArchive,
                                    "Member expands to more than its recorded %lld bytes",
                                    static_cast<long long>(expandedSize));
        }
        if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR) {
            inflateEnd(&zs);
            return status_.SetError(al::kInvalidArchive,
                                    "Error in compressed data. ZLIB returned %d", rc);
        }
        if (!finished && (inLeft == 0 || (!progress && in.empty()))) {
            inflateEnd(&zs);
            return status_.SetError(al::kInvalidArchive, "Unexpected end of compressed data");
        }
        PumpMessage();
    }
    inflateEnd(&zs);
    if (!input.Status().Ok())
        return input.Status().GetStatusCode();
    if (!output.Status().Ok())
        return output.Status().GetStatusCode();
    return al::kSuccess;
}

}  // namespace vantrel
