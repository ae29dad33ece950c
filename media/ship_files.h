// The ship folder as a floppy build packs it. The components' files are not
// copied into the temporary ship folder only to be packed and deleted again:
// each is staged here, at the path its copy would have had, with the file it
// comes from. Everything else the set needs (the engine's files, the scripts,
// the log) is in the folder itself.
//
// Members() names what packing the folder by a list of patterns gives, as if
// every staged file had been copied: the members, their names and their order
// are those that WArchive::Create gives for the same patterns, with each
// staged member packed from its source.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "archive/archive.h"

namespace vantrel {

class WShipFiles {
  public:
    // Stages `source` at `path`, a file in a folder that exists. False (errno
    // says why) when that folder cannot be examined.
    bool Stage(const std::string& path, std::string source);
    size_t StagedCount() const { return count_; }
    void Clear();

    // The members for the comma-separated `patterns` resolved against
    // `patternFolder` (see WArchive::Create): a file that exists in the
    // folder is packed from there, a staged one from its source; a file of
    // both (a script written over a staged file) is the one in the folder.
    std::vector<WArchive::Member> Members(const std::string& patterns,
                                          const std::string& patternFolder) const;

  private:
    using FolderId = std::pair<uint64_t, uint64_t>;  // device, inode

    // What the folder at `folder` (a path on disk) offers to patterns: its
    // files and the files staged in it.
    std::vector<WArchive::Member> FilesIn(const std::string& folder) const;

    // Staged files by their folder, which may be named in any spelling.
    std::map<FolderId, std::vector<WArchive::Member>> staged_;
    // Folder paths as given to Stage.
    std::unordered_map<std::string, FolderId> ids_;
    size_t count_ = 0;
};

}  // namespace vantrel
