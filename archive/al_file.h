// File storage: a storage object on a file on disk.
//
// A file is addressed either by an engine path (relative paths are taken
// from the current folder), or, with SetFolder(), by a single name inside a
// folder that the caller holds open; the latter never follows a symbolic
// link at the file's own name, which is what extraction relies on.
//
// Creating with an empty name makes a new temporary file "~al~000.tmp",
// "~al~001.tmp", ... in the file's folder and takes that name.
#pragma once

#include <string>

#include "archive/al_storage.h"
#include "platform/file_handle.h"

namespace vantrel {

class ALFile : public ALStorage {
  public:
    // `name` is the storage's name (for an archive member, the name the
    // entry gets); `path` is the file on disk when it differs from the name.
    explicit ALFile(std::string name = "", std::string path = "",
                    size_t bufferSize = kDefaultBufferSize);
    ~ALFile() override;

    // Addresses the file as `leaf` inside the open folder `folder` (kept
    // open by the caller while this object uses it). An empty leaf makes
    // Create() pick a temporary name in that folder.
    void SetFolder(const FileHandle& folder, std::string leaf);
    // Folder for temporary files when the file is addressed by path (engine
    // path; empty means the current folder).
    void SetTempFolder(std::string folder) { tempFolder_ = std::move(folder); }
    // Names are compared without regard to case unless this is set.
    void SetCaseSensitive(bool on) { caseSensitive_ = on; }
    // When set, closing a file open for writing gives it the storage's time
    // stamp and its read-only attribute.
    void SetStampOnClose(bool on) { stampOnClose_ = on; }

    // The path (or the leaf inside the folder) the file is opened at.
    const std::string& GetPath() const { return path_; }

    int Open() override;
    int Create() override;
    int Close() override;

    // Renames the closed file. A new name without a folder stays in the
    // file's folder. An existing file of the new name is replaced.
    int Rename(const std::string& newName);
    // Renames the file to its name with the extension ".bak".
    int RenameToBackup();
    // Deletes the closed file.
    int Delete();

  protected:
    int LoadBuffer(int64_t address) override;
    int FlushBuffer() override;

  private:
    int CreateTemporary();
    int OpenForWriting(const std::string& path);
    // Opens `path`, inside the folder when one is set.
    bool OpenFile(const std::string& path, FileHandle::Mode mode);

    std::string path_;
    std::string tempFolder_;
    const FileHandle* folder_ = nullptr;
    FileHandle file_;
    bool caseSensitive_ = false;
    bool stampOnClose_ = false;
};

}  // namespace vantrel
