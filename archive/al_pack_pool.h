// Packs the members of an archive ahead of the thread that writes it: worker
// threads read and deflate the members into memory, each member on the next
// free worker, while the writer takes them one by one in list order. How far
// the workers may run ahead is bounded by a number of members and by the
// bytes held in memory, so that memory does not grow with the archive.
//
// A member is packed the same way whatever the number of threads: the choice
// between packing ahead and leaving the member to the writer depends only on
// its engine and its size, and a member packed ahead is deflated the same way
// by one thread or by eight. With one thread the writer packs each member
// itself when it takes it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "archive/al_deflate_engine.h"
#include "archive/al_engine.h"
#include "archive/al_memory.h"
#include "archive/al_status.h"
#include "archive/al_storage.h"

namespace vantrel {

class ALPackPool {
  public:
    // Members larger than this are left to the writer, which packs them
    // straight into the archive.
    static constexpr int64_t kMaxAheadMember = int64_t{8} << 20;
    // Bytes the packed members waiting for the writer may hold (one member
    // that the writer is waiting for may pass it), and how many members the
    // workers may run ahead.
    static constexpr size_t kMaxAheadBytes = size_t{32} << 20;
    static constexpr size_t kMaxAheadCount = 256;

    // A member's name, comment, storage and engine, lent while the member is
    // packed: borrowed from the caller, or owned by the lease.
    struct Lease {
        std::string name;
        std::string comment;
        ALStorage* storage = nullptr;
        ALCompressor* engine = nullptr;
        std::unique_ptr<ALStorage> ownedStorage;
        std::unique_ptr<ALCompressor> ownedEngine;
    };
    // Gives the lease of member `index`; called on any of the threads.
    using Lender = std::function<Lease(size_t index)>;

    struct Packed {
        // False when the member is left to the writer (not deflated, or too
        // large to hold); its storage and engine are then in the lease.
        bool ahead = false;
        Lease lease;
        // Packed ahead: the member data (on a failure, what was packed
        // before it), and what the source gave.
        std::unique_ptr<ALMemory> data;
        uint32_t crc32 = 0;
        int64_t expandedSize = 0;
        ALTimeDate timeDate;  // the default when the source could not be opened
        uint32_t attributes = 0;
        uint16_t zipMethod = 0;
        uint16_t zipFlags = 0;
        // A failure, in the words the archive reports it with.
        ALStatus status;
        size_t held = 0;  // bytes counted against kMaxAheadBytes
    };

    // Packs the `count` members that `lender` gives on `threads` threads
    // (the writer's included; 1 or less: no worker threads).
    ALPackPool(size_t count, Lender lender, int threads);
    // Stops the workers and waits for them.
    ~ALPackPool();
    ALPackPool(const ALPackPool&) = delete;
    ALPackPool& operator=(const ALPackPool&) = delete;

    // Member `index`; each member is taken once, in list order. Taking a
    // member means that the one before it is written. While a worker is
    // still on the member, messages are pumped on the calling thread.
    Packed Take(size_t index);

    // Deflates `input` (open for reading; read to its end) into `output`,
    // as `engine` would, but cut into pieces (see
    // ALDeflateCompressor::DeflatePiece) that the workers deflate side by
    // side; the pieces are written in order on the calling thread. When the
    // first piece does not shrink, the rest are stored, each piece but those
    // that shrink when deflated (a 4 KB sample of each tells which to try),
    // so that a member whose data turns compressible half-way is not stored
    // whole. Returns the status
    // code; a failure is in the status of the storage where it happened or
    // of the engine.
    int CompressInPieces(ALDeflateCompressor& engine, ALStorage& input, ALStorage& output);
    // Told the bytes of each piece CompressInPieces has written; false stops
    // it (status kUserAbort). Reported() is the sum told so far, which the
    // caller takes back (TakeReported) when the member is done.
    void SetProgress(std::function<bool(int64_t)> progress) { progress_ = std::move(progress); }
    int64_t TakeReported() { return std::exchange(reported_, 0); }

    // The number of threads to pack with: VANTREL_THREADS when it holds a
    // number from 1 to 64, else the machine's processors.
    static int DefaultThreads();
    // Whether members that `engine` packs are packed ahead (deflated at a
    // level above 0).
    static bool PacksAhead(const ALCompressor* engine);

  private:
    std::function<bool(int64_t)> progress_;
    int64_t reported_ = 0;

    struct Slot {
        bool done = false;
        Packed packed;
    };

    // A piece of a member deflated in pieces.
    struct Piece {
        std::vector<unsigned char> data;  // the dictionary, then the piece
        size_t dictionary = 0;
        int level = 0;
        // A stored piece (level 0) of a member that deflates at this level
        // is deflated after all when it shrinks (0: stored as it is).
        int retryLevel = 0;
        bool last = false;
        std::vector<unsigned char> out;
        int rc = 0;
        bool done = false;
    };

    static void Run(Piece& piece);
    // Deflates `piece` on a worker (here, without workers).
    void Submit(const std::shared_ptr<Piece>& piece);
    // Waits for `piece`, deflating waiting pieces meanwhile.
    void Wait(Piece& piece);

    void Work();
    Packed Pack(size_t index, bool onWorker);
    // Counts `bytes` against the bound, waiting while they do not fit;
    // false when the pool stops meanwhile.
    bool Hold(size_t index, size_t bytes);

    size_t count_;
    Lender lender_;
    std::mutex mutex_;
    std::condition_variable workerWake_;
    std::condition_variable writerWake_;
    std::vector<Slot> slots_;                    // member i in slot i % kMaxAheadCount
    std::deque<std::shared_ptr<Piece>> pieces_;  // waiting for a worker
    size_t next_ = 0;                            // the next member a worker claims
    size_t wanted_ = 0;                          // the member the writer takes next
    size_t held_ = 0;
    size_t heldByWriter_ = 0;  // of the member the writer took last
    bool stop_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace vantrel
