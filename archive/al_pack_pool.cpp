#include "archive/al_pack_pool.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <new>
#include <system_error>

#include "archive/al_deflate_engine.h"
#include "platform/message_pump.h"

namespace vantrel {

namespace {

// Output buffer of a member packed into memory.
constexpr size_t kOutputBuffer = 64 * 1024;
// How long the writer waits for a worker before it pumps messages.
constexpr auto kPumpInterval = std::chrono::milliseconds(50);

// Room enough for the deflated form of `size` bytes (deflate grows data
// that does not shrink by a few bytes per block).
size_t PackedBound(int64_t size) {
    size_t n = static_cast<size_t>(size);
    return n + n / 256 + 1024;
}

// Deflated data that is worth keeping: smaller by at least 1/64.
bool Shrinks(size_t packed, size_t size) {
    return packed < size - size / 64;
}

// The bytes of a stored piece deflated to tell whether the piece may shrink.
constexpr size_t kSample = 4096;

}  // namespace

ALPackPool::ALPackPool(size_t count, Lender lender, int threads)
    : count_(count), lender_(std::move(lender)) {
    if (threads <= 1 || count < 2)
        return;
    slots_.resize(kMaxAheadCount);
    size_t workers = std::min(static_cast<size_t>(threads), count);
    try {
        for (size_t i = 0; i < workers; ++i)
            workers_.emplace_back([this] { Work(); });
    } catch (const std::system_error&) {
        // Fewer workers (none: the writer packs every member itself).
    }
}

ALPackPool::~ALPackPool() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    workerWake_.notify_all();
    for (auto& worker : workers_)
        worker.join();
}

int ALPackPool::DefaultThreads() {
    if (const char* env = std::getenv("VANTREL_THREADS"); env && *env) {
        char* end = nullptr;
        long n = std::strtol(env, &end, 10);
        if (*end == '\0' && n >= 1 && n <= 64)
            return static_cast<int>(n);
    }
    unsigned n = std::thread::hardware_concurrency();
    return n == 0 ? 1 : static_cast<int>(std::min(n, 64u));
}

bool ALPackPool::PacksAhead(const ALCompressor* engine) {
    return engine && engine->GetType() == al::kDeflateEngine &&
           static_cast<const ALDeflateCompressor*>(engine)->GetLevel() != 0;
}

bool ALPackPool::Hold(size_t index, size_t bytes) {
    std::unique_lock<std::mutex> lock(mutex_);
    // The member the writer waits for never waits for memory: the members
    // holding it can only be written after it.
    workerWake_.wait(lock,
                     [&] { return stop_ || held_ + bytes <= kMaxAheadBytes || index == wanted_; });
    if (stop_)
        return false;
    held_ += bytes;
    return true;
}

ALPackPool::Packed ALPackPool::Pack(size_t index, bool onWorker) {
    Packed p;
    try {
        p.lease = lender_(index);
        ALStorage* source = p.lease.storage;
        ALCompressor* engine = p.lease.engine;
        if (!source || !PacksAhead(engine))
            return p;
        // Messages are pumped on the writer's thread only.
        engine->SetPumpMessages(!onWorker);
        p.zipMethod = engine->GetZipMethod();
        p.zipFlags = engine->GetZipFlags();
        if (source->Open() < 0) {
            p.ahead = true;
            p.status.Adopt(source->Status(), source->GetName());
            return p;
        }
        if (source->GetSize() > kMaxAheadMember) {
            source->Close();
            engine->SetPumpMessages(true);
            return p;
        }
        size_t bound = PackedBound(source->GetSize());
        if (onWorker && !Hold(index, bound)) {
            source->Close();
            return p;
        }
        p.ahead = true;
        p.held = onWorker ? bound : 0;
        p.timeDate = source->timeDate;
        p.attributes = source->attributes;
        p.data = std::make_unique<ALMemory>(p.lease.name, kOutputBuffer);
        ALMemory& out = *p.data;
        out.Reserve(bound);
        if (out.Create() < 0) {
            source->Close();
            p.status.Adopt(out.Status(), "");
            return p;
        }
        source->InitCrc32();
        int rc = engine->Compress(*source, out);
        p.crc32 = source->GetCrc32();
        p.expandedSize = source->Tell();
        source->Close();
        out.Close();
        if (rc < 0 && !source->Status().Ok()) {
            p.status.Adopt(source->Status(), source->GetName());
        } else if (!out.Status().Ok()) {
            p.status.Adopt(out.Status(), "");
        } else if (rc < 0) {
            p.status.Adopt(engine->Status(), source->GetName());
        }
    } catch (const std::bad_alloc&) {
        p.ahead = true;
        p.data.reset();
        p.status.SetError(al::kMemoryAllocationFailure, "%s: Out of memory while packing",
                          p.lease.name.c_str());
    }
    return p;
}

void ALPackPool::Run(Piece& piece) {
    try {
        const unsigned char* data = piece.data.data();
        const std::span<const unsigned char> dictionary{data, piece.dictionary};
        const std::span<const unsigned char> body{data + piece.dictionary,
                                                  piece.data.size() - piece.dictionary};
        // A piece of a member that is being stored is deflated after all
        // when a sample of it shrinks and then the whole piece does; the
        // sample keeps data that does not shrink about as fast to store as
        // before.
        if (piece.level == 0 && piece.retryLevel > 0) {
            const auto sample = body.first(std::min(kSample, body.size()));
            std::vector<unsigned char> probe;
            if (ALDeflateCompressor::DeflatePiece(piece.retryLevel, {}, sample, false, probe) ==
                    0 &&
                probe.size() < sample.size() - sample.size() / 16) {
                piece.rc = ALDeflateCompressor::DeflatePiece(piece.retryLevel, dictionary, body,
                                                             piece.last, piece.out);
                if (piece.rc != 0 || Shrinks(piece.out.size(), body.size()))
                    return;
                piece.out.clear();
            }
        }
        piece.rc =
            ALDeflateCompressor::DeflatePiece(piece.level, dictionary, body, piece.last, piece.out);
    } catch (const std::bad_alloc&) {
        piece.rc = -4;  // Z_MEM_ERROR
    }
}

void ALPackPool::Submit(const std::shared_ptr<Piece>& piece) {
    if (workers_.empty()) {
        Run(*piece);
        piece->done = true;
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        pieces_.push_back(piece);
    }
    workerWake_.notify_all();
}

void ALPackPool::Wait(Piece& piece) {
    std::unique_lock<std::mutex> lock(mutex_);
    while (!piece.done) {
        // Workers waiting for memory take no pieces: the waiting ones are
        // deflated here rather than waited for.
        if (!pieces_.empty()) {
            std::shared_ptr<Piece> next = pieces_.front();
            pieces_.pop_front();
            lock.unlock();
            Run(*next);
            lock.lock();
            next->done = true;
            continue;
        }
        if (writerWake_.wait_for(lock, kPumpInterval) == std::cv_status::timeout && !piece.done) {
            lock.unlock();
            PumpMessage();
            lock.lock();
        }
    }
}

int ALPackPool::CompressInPieces(ALDeflateCompressor& engine, ALStorage& input, ALStorage& output) {
    constexpr size_t kPiece = ALDeflateCompressor::kPieceSize;
    constexpr size_t kWindow = ALDeflateCompressor::kDictionarySize;
    engine.Status().Clear();
    const size_t inFlight = workers_.size() * 2 + 2;
    std::deque<std::shared_ptr<Piece>> flight;
    std::vector<unsigned char> window;  // the last data read, up to kWindow bytes
    int level = engine.GetLevel();
    int retryLevel = 0;
    bool decided = false;
    bool end = false;
    for (;;) {
        // The first piece decides whether the rest is deflated or stored;
        // then pieces are handed out as far ahead as allowed.
        while (!end && flight.size() < (decided ? inFlight : 1)) {
            auto piece = std::make_shared<Piece>();
            piece->data.resize(window.size() + kPiece);
            std::copy(window.begin(), window.end(), piece->data.begin());
            piece->dictionary = window.size();
            size_t got = input.ReadBuffer(piece->data.data() + window.size(), kPiece);
            if (!input.Status().Ok())
                return input.Status().GetStatusCode();
            piece->data.resize(window.size() + got);
            piece->last = got < kPiece || input.PeekInput().empty();
            if (!input.Status().Ok())
                return input.Status().GetStatusCode();
            piece->level = level;
            piece->retryLevel = retryLevel;
            size_t keep = std::min(kWindow, piece->data.size());
            window.assign(piece->data.end() - static_cast<std::ptrdiff_t>(keep), piece->data.end());
            end = piece->last;
            flight.push_back(piece);
            Submit(piece);
        }
        if (flight.empty())
            break;
        std::shared_ptr<Piece> piece = flight.front();
        flight.pop_front();
        Wait(*piece);
        if (piece->rc != 0) {
            return engine.Status().SetError(al::kInternalError, "Deflate failed. ZLIB returned %d",
                                            piece->rc);
        }
        if (!decided) {
            decided = true;
            size_t n = piece->data.size() - piece->dictionary;
            if (!piece->last && !Shrinks(piece->out.size(), n)) {
                level = 0;
                retryLevel = engine.GetLevel();
            }
        }
        output.WriteBuffer(piece->out.data(), piece->out.size());
        if (!output.Status().Ok())
            return output.Status().GetStatusCode();
        if (progress_) {
            const auto bytes = static_cast<int64_t>(piece->data.size() - piece->dictionary);
            reported_ += bytes;
            if (!progress_(bytes)) {
                // The pieces still being deflated finish before the pool goes.
                for (const auto& pending : flight)
                    Wait(*pending);
                return engine.Status().SetError(al::kUserAbort, "Cancelled");
            }
        }
        PumpMessage();
    }
    return al::kSuccess;
}

void ALPackPool::Work() {
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        workerWake_.wait(lock, [this] {
            return stop_ || !pieces_.empty() ||
                   (next_ < count_ && next_ < wanted_ + kMaxAheadCount);
        });
        if (stop_)
            return;
        if (!pieces_.empty()) {
            std::shared_ptr<Piece> piece = pieces_.front();
            pieces_.pop_front();
            lock.unlock();
            Run(*piece);
            lock.lock();
            piece->done = true;
            writerWake_.notify_one();
            continue;
        }
        size_t index = next_++;
        lock.unlock();
        Packed packed = Pack(index, true);
        lock.lock();
        Slot& slot = slots_[index % kMaxAheadCount];
        slot.packed = std::move(packed);
        slot.done = true;
        writerWake_.notify_one();
    }
}

ALPackPool::Packed ALPackPool::Take(size_t index) {
    if (workers_.empty())
        return Pack(index, false);
    std::unique_lock<std::mutex> lock(mutex_);
    held_ -= heldByWriter_;
    heldByWriter_ = 0;
    wanted_ = index;
    workerWake_.notify_all();
    Slot& slot = slots_[index % kMaxAheadCount];
    while (!slot.done) {
        if (writerWake_.wait_for(lock, kPumpInterval) == std::cv_status::timeout && !slot.done) {
            lock.unlock();
            PumpMessage();
            lock.lock();
        }
    }
    Packed packed = std::move(slot.packed);
    slot.packed = Packed();
    slot.done = false;
    heldByWriter_ = packed.held;
    return packed;
}

}  // namespace vantrel
