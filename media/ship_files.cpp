#include "media/ship_files.h"

#include <cerrno>
#include <unordered_set>

#include "platform/files.h"
#include "platform/paths.h"

namespace vantrel {

void WShipFiles::Clear() {
    staged_.clear();
    ids_.clear();
    count_ = 0;
}

bool WShipFiles::Stage(const std::string& path, std::string source) {
    const std::string folder = FolderOf(path);
    auto id = ids_.find(folder);
    if (id == ids_.end()) {
        FileInfo info;
        if (!GetFileInfo(folder, info))
            return false;
        if (!info.isFolder) {
            errno = ENOTDIR;
            return false;
        }
        id = ids_.emplace(folder, FolderId(info.device, info.inode)).first;
    }
    staged_[id->second].push_back({FileNameOf(path), std::move(source)});
    ++count_;
    return true;
}

std::vector<WArchive::Member> WShipFiles::FilesIn(const std::string& folder) const {
    std::vector<WArchive::Member> files;
    FileInfo info;
    if (!GetFileInfo(folder, info) || !info.isFolder)
        return files;
    std::unordered_set<std::string> present;
    for (std::string& name : ListFolder(folder, true, false)) {
        present.insert(name);
        std::string path = JoinPath(folder, name);
        files.push_back({std::move(name), std::move(path)});
    }
    // A file written over a staged one (a script) is the one in the folder.
    auto staged = staged_.find(FolderId(info.device, info.inode));
    if (staged != staged_.end()) {
        for (const WArchive::Member& file : staged->second) {
            if (!present.count(file.name))
                files.push_back(file);
        }
    }
    return files;
}

std::vector<WArchive::Member> WShipFiles::Members(const std::string& patterns,
                                                  const std::string& patternFolder) const {
    return WArchive::MatchPatterns(patterns, patternFolder,
                                   [this](const std::string& folder) { return FilesIn(folder); });
}

}  // namespace vantrel
