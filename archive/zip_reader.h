// Reads ZIP archives: finds the end-of-central-directory record, reads the
// central directory into an entry list and expands members into a folder.
//
// Extraction writes only inside the destination folder: a member whose name
// is absolute, starts with a drive or a "\\server\share" prefix, or climbs
// out with "..", is refused; no symbolic link is followed below the
// destination; each member is expanded into a temporary file beside its
// target and renamed to its name only after its CRC-32 and size were found
// right, so a damaged member never replaces a good file.
#pragma once

#include <memory>
#include <string>

#include "archive/al_entry.h"
#include "archive/al_file.h"
#include "archive/al_status.h"

namespace vantrel {

class ALZipReader {
  public:
    // How far from the end the end record is looked for, and in which blocks.
    static constexpr int64_t kEndScanLength = 66000;
    static constexpr size_t kScanBlock = 256;

    // The archive file at `path` (engine path).
    explicit ALZipReader(std::string path);
    ~ALZipReader();

    // Appends one marked entry per member to `list`: a file storage named
    // after the member (time stamp and attributes as recorded) and the
    // decompressor of the member's method (none for an unknown method).
    // Returns the status code.
    int ReadDirectory(ALEntryList& list);

    // Expands the marked entries of `list` (as ReadDirectory made them)
    // under their names into `destination`, which is created when missing.
    // Stops at the first failure. Returns the status code.
    int Extract(ALEntryList& list, const std::string& destination);

    // The archive's comment (after ReadDirectory).
    const std::string& GetComment() const { return comment_; }
    ALStatus& Status() { return status_; }

  private:
    int OpenArchive();
    int FindEndRecord(int64_t& position);
    // The end record at `endPos`: the member count, where the central
    // directory starts, and the archive comment.
    int ReadEndRecord(int64_t endPos, uint16_t& total);
    // The central record at the current position, added to `list`.
    int ReadCentralRecord(ALEntryList& list, int64_t endPos);
    int BadRecord();
    int ExtractOne(ALEntry& entry, const FileHandle& root);
    int ExpandInto(ALEntry& entry, const FileHandle& folder, const std::string& leaf);

    std::string path_;
    ALFile archive_;
    std::string comment_;
    int64_t directoryStart_ = -1;
    ALStatus status_;
};

// Splits a member name into its folders and file name, dropping "." and empty
// parts; false when the name would leave the folder it is expanded into
// (absolute, drive or share prefix, "..", NUL). A name ending in a separator
// names a folder and gives an empty file name.
bool SplitMemberName(const std::string& name, std::vector<std::string>& folders, std::string& file);

}  // namespace vantrel
