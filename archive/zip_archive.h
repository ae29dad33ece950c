// Writes ZIP archives (features of format version 2.0 only): for each marked
// entry a local header and the member data, then one central directory record
// per entry and the end-of-central-directory record. All numbers are
// little-endian; names are the entries' 8-bit names (see ZipEntryName).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "archive/al_entry.h"
#include "archive/al_pack_pool.h"
#include "archive/al_status.h"
#include "archive/al_storage.h"

namespace vantrel {

namespace zip {
constexpr uint32_t kLocalHeaderSignature = 0x04034b50;    // "PK\3\4"
constexpr uint32_t kCentralRecordSignature = 0x02014b50;  // "PK\1\2"
constexpr uint32_t kEndRecordSignature = 0x06054b50;      // "PK\5\6"
constexpr size_t kLocalHeaderSize = 30;
constexpr size_t kCentralRecordSize = 46;
constexpr size_t kEndRecordSize = 22;
constexpr uint16_t kVersion = 20;
// The format's sizes and offsets are 32-bit and its counts 16-bit.
constexpr int64_t kMaxOffset = 0xFFFFFFFFLL;
constexpr size_t kMaxEntries = 0xFFFF;

// Empty when the file at `path` fits a ZIP 2.0 member; else why it cannot be
// packed, with its size ("... is 4294967296 bytes (4.0 GB): ..."). A file
// that cannot be examined passes (its copy reports that).
std::string MemberSizeProblem(std::string_view path);

// Little-endian fields of the records.
inline uint16_t Get16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t Get32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
}  // namespace zip

class ALZipArchive {
  public:
    // A member given by its storage name ("Setup\\readme.txt"; its name in
    // the archive is ZipEntryName of it) and the file it is packed from.
    struct Source {
        std::string name;
        std::string path;
    };

    // The archive file at `path` (engine path).
    explicit ALZipArchive(std::string path);
    // An archive on any storage (for example memory).
    explicit ALZipArchive(std::unique_ptr<ALStorage> storage);

    // Writes a new archive holding the marked entries of `list`, in list
    // order. Fails without writing when two entries of the list have the
    // same name. An archive that fails half-way is left as written so far.
    // Returns the status code.
    int Create(ALEntryList& list);
    // Writes a new archive of the files `sources` name, in this order, each
    // packed with an engine from `factory`, as Create does with a list of
    // such entries. Of a member written, only its directory record is kept.
    int Create(const std::vector<Source>& sources, const ALEngineFactory& factory);

    // Threads the members are deflated on (0, the default:
    // ALPackPool::DefaultThreads()). The archive's bytes are the same for
    // any number.
    void SetThreads(int threads) { threads_ = threads; }

    // Called after each member is written with the bytes it was packed
    // from; returning false stops the archive there (status kUserAbort, the
    // archive left as written so far).
    using Progress = std::function<bool(int64_t bytes)>;
    void SetProgress(Progress progress) { progress_ = std::move(progress); }

    void SetComment(std::string comment) { comment_ = std::move(comment); }
    ALStorage& GetStorage() { return *storage_; }
    ALStatus& Status() { return status_; }

  private:
    // What the central directory records of a member written.
    struct Record {
        std::string name;
        std::string comment;
        int64_t offset = 0;  // of the local header
        int64_t compressedSize = 0;
        int64_t expandedSize = 0;
        uint32_t crc32 = 0;
        uint32_t attributes = 0;
        uint16_t dosTime = 0;
        uint16_t dosDate = 0;
        uint16_t zipMethod = 0;
        uint16_t zipFlags = 0;
    };
    // Called with each member as it is written (also when it failed).
    using WrittenHook = std::function<void(size_t index, const Record& record)>;

    int CheckName(std::unordered_set<std::string>& names, const std::string& zipName);
    int CheckList(ALEntryList& list);
    int CheckSources(const std::vector<Source>& sources);
    int CheckComment();
    int Write(size_t count, const ALPackPool::Lender& lender, bool deflating,
              const WrittenHook& written);
    // A member packed ahead, or one packed here straight into the archive.
    int WriteAhead(ALPackPool::Packed& packed, Record& record);
    int WriteStreamed(ALPackPool::Lease& lease, Record& record, ALPackPool& pool);
    int OffsetProblem(const Record& record, const ALStorage* source);
    void WriteLocalHeader(const Record& record);
    void WriteCentralRecord(const Record& record);
    int WriteDirectory(const std::vector<Record>& records);

    std::unique_ptr<ALStorage> storage_;
    std::string comment_;
    Progress progress_;
    int threads_ = 0;
    ALStatus status_;
};

}  // namespace vantrel
