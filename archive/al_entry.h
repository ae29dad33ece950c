// Entries and entry lists. An entry joins a storage object with the engine
// that packs or unpacks it, its comment, a "marked" flag (whether an
// operation applies to it) and what the archive records about it: offset,
// compressed size and CRC-32. An entry list is an ordered list of entries
// plus the factory that gives new entries their engine.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "archive/al_engine.h"
#include "archive/al_status.h"
#include "archive/al_storage.h"

namespace vantrel {

class ALEntry {
  public:
    ALEntry(std::unique_ptr<ALStorage> storage, std::unique_ptr<ALCompressor> compressor,
            std::unique_ptr<ALDecompressor> decompressor);

    ALStorage* GetStorage() const { return storage_.get(); }
    ALCompressor* GetCompressor() const { return compressor_.get(); }
    ALDecompressor* GetDecompressor() const { return decompressor_.get(); }

    const std::string& GetComment() const { return comment_; }
    void SetComment(std::string comment) { comment_ = std::move(comment); }

    bool IsMarked() const { return marked_; }
    void SetMark() { marked_ = true; }
    void ClearMark() { marked_ = false; }

    // Keep only the file name (everything after the last "\", "/" or ":")
    // as the name in the archive.
    bool GetFileNameOnly() const { return fileNameOnly_; }
    void SetFileNameOnly(bool on) { fileNameOnly_ = on; }
    // The name this entry has inside a ZIP archive (see ZipEntryName).
    std::string GetZipName() const;

    // What the archive records.
    int64_t offset = 0;          // of the local header
    int64_t compressedSize = 0;  // bytes of member data
    int64_t expandedSize = 0;    // bytes of the stored file
    uint32_t crc32 = 0;
    uint16_t zipMethod = 0;
    uint16_t zipFlags = 0;

  private:
    std::unique_ptr<ALStorage> storage_;
    std::unique_ptr<ALCompressor> compressor_;
    std::unique_ptr<ALDecompressor> decompressor_;
    std::string comment_;
    bool marked_ = true;
    bool fileNameOnly_ = false;
};

class ALEntryList {
  public:
    explicit ALEntryList(ALEngineFactory factory = ALEngineFactory::Deflate(6));

    // Appends a marked entry for `storage` with an engine from the factory.
    ALEntry& Add(std::unique_ptr<ALStorage> storage);
    // Appends an entry as it is.
    ALEntry& Add(std::unique_ptr<ALEntry> entry);

    size_t Size() const { return entries_.size(); }
    ALEntry& operator[](size_t i) { return *entries_[i]; }
    const ALEntry& operator[](size_t i) const { return *entries_[i]; }
    auto begin() { return entries_.begin(); }
    auto end() { return entries_.end(); }

    void SetMarks();
    void ClearMarks();
    // The first entry whose storage name equals `name` without regard to
    // case; null when there is none.
    ALEntry* Find(const std::string& name);

    const ALEngineFactory& GetFactory() const { return factory_; }
    ALStatus& Status() { return status_; }

  private:
    ALEngineFactory factory_;
    std::vector<std::unique_ptr<ALEntry>> entries_;
    ALStatus status_;
};

// The name a storage of name `storageName` gets inside a ZIP archive: every
// "\" becomes "/", then a leading "//server/share/", a leading drive letter
// with its colon and one leading "/" are removed. With `fileNameOnly`, only
// the text after the last "\", "/" or ":" is kept.
std::string ZipEntryName(const std::string& storageName, bool fileNameOnly = false);

}  // namespace vantrel
