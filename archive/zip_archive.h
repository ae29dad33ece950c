// Writes ZIP archives (features of format version 2.0 only): for each marked
// entry a local header and the member data, then one central directory record
// per entry and the end-of-central-directory record. All numbers are
// little-endian; names are the entries' 8-bit names (see ZipEntryName).
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "archive/al_entry.h"
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
}  // namespace zip

class ALZipArchive {
  public:
    // The archive file at `path` (engine path).
    explicit ALZipArchive(std::string path);
    // An archive on any storage (for example memory).
    explicit ALZipArchive(std::unique_ptr<ALStorage> storage);

    // Writes a new archive holding the marked entries of `list`, in list
    // order. Fails without writing when two entries of the list have the
    // same name. An archive that fails half-way is left as written so far.
    // Returns the status code.
    int Create(ALEntryList& list);

    void SetComment(std::string comment) { comment_ = std::move(comment); }
    ALStorage& GetStorage() { return *storage_; }
    ALStatus& Status() { return status_; }

  private:
    int CheckList(ALEntryList& list);
    int WriteMember(ALEntry& entry, const std::string& name);
    void WriteLocalHeader(const ALEntry& entry, const std::string& name);
    void WriteCentralRecord(const ALEntry& entry, const std::string& name);

    std::unique_ptr<ALStorage> storage_;
    std::string comment_;
    ALStatus status_;
};

}  // namespace vantrel
