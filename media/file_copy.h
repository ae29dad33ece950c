// Copying one file of a media set: in the kernel where it can
// (copy_file_range), else through a 1 MB buffer, so that files of any size
// are copied without holding them in memory. A full volume is told apart
// from other failures, because it ends a media build.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file_handle.h"

namespace vantrel {

enum class CopyOutcome {
    kCopied,
    kSourceMissing,  // the source is not a file that can be read
    kNoSpace,        // the destination volume is full (what was written is removed)
    kFailed,         // any other failure (the reason is in `error`)
};

// A file opened to be copied, with what the system says about it.
struct CopySource {
    std::string path;
    FileHandle file;
    FileInfo info;

    // Opens `from` for reading: kCopied when it is a regular file that can
    // be read, else kSourceMissing (`error` says why).
    CopyOutcome Open(std::string_view from, std::string* error = nullptr);
};

// Copies `from` to `to`, replacing an existing file (a read-only one too)
// or a symbolic link at `to` (its target is never written). A `to` that is
// the source file itself (same device and inode) is refused (kFailed).
// The copy gets the source's permission bits and modification time (the
// fixed time of a reproducible build instead, see platform/build_time.h). `bytes` (when given)
// receives the number of bytes copied.
CopyOutcome CopyFileData(std::string_view from, std::string_view to, std::string* error = nullptr,
                         uint64_t* bytes = nullptr);
// The same for a source opened with CopySource::Open and not read since.
CopyOutcome CopyFileData(CopySource& source, std::string_view to, std::string* error = nullptr,
                         uint64_t* bytes = nullptr);

// Size of a file, or of a folder with everything below it; 0 when there is
// nothing at `path`.
uint64_t SizeOfTree(std::string_view path);

// Removes a folder with everything in it, making read-only entries writable
// first. True when it is gone afterwards.
bool RemoveTreeForced(std::string_view path);

// Clears or sets the owner's write permission, the read-only attribute here.
bool SetReadOnly(std::string_view path, bool readOnly);

}  // namespace vantrel
