#include "archive/archive.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "archive/al_entry.h"
#include "archive/al_file.h"
#include "archive/zip_archive.h"
#include "archive/zip_reader.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/wildcard.h"

namespace vantrel {

namespace {

bool IsAbsolute(const std::string& path) {
    if (!path.empty() && IsPathSeparator(path[0]))
        return true;
    return path.size() >= 2 && path[1] == ':';
}

struct FileId {
    uint64_t dev = 0;
    uint64_t ino = 0;
    bool valid = false;
};

FileId IdOf(const std::string& path) {
    FileId id;
    FileInfo info;
    if (GetFileInfo(path, info)) {
        id.dev = info.device;
        id.ino = info.inode;
        id.valid = true;
    }
    return id;
}

// The files one folder offers, listed once: sorted by byte value for
// wildcards, and by lower-case name for names without wildcards.
class FolderIndex {
  public:
    explicit FolderIndex(std::vector<WArchive::Member> files) : files_(std::move(files)) {
        std::sort(
            files_.begin(), files_.end(),
            [](const WArchive::Member& a, const WArchive::Member& b) { return a.name < b.name; });
    }

    // The files `pattern` names, sorted by byte value, as
    // MatchFilesInFolder gives them.
    std::vector<const WArchive::Member*> Match(const std::string& pattern) {
        std::vector<const WArchive::Member*> out;
        if (HasWildcards(pattern)) {
            for (const auto& file : files_) {
                if (WildcardMatch(pattern, file.name))
                    out.push_back(&file);
            }
            return out;
        }
        // A literal name matches the names equal to it without regard to
        // case; one ending in "." also names those files without a dot.
        if (byLower_.empty() && !files_.empty()) {
            for (size_t i = 0; i < files_.size(); ++i)
                byLower_[ToLower(files_[i].name)].push_back(i);
        }
        std::vector<size_t> hits;
        auto add = [&](const std::string& key) {
            auto it = byLower_.find(key);
            if (it != byLower_.end())
                hits.insert(hits.end(), it->second.begin(), it->second.end());
        };
        std::string key = ToLower(pattern);
        add(key);
        if (key.size() >= 2 && key.back() == '.') {
            key.pop_back();
            add(key);
        }
        std::sort(hits.begin(), hits.end());
        hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
        for (size_t i : hits) {
            if (WildcardMatch(pattern, files_[i].name))
                out.push_back(&files_[i]);
        }
        return out;
    }

  private:
    std::vector<WArchive::Member> files_;
    std::unordered_map<std::string, std::vector<size_t>> byLower_;
};

// The regular files in `folder`.
std::vector<WArchive::Member> FilesIn(const std::string& folder) {
    std::vector<WArchive::Member> files;
    for (std::string& name : ListFolder(folder, true, false)) {
        std::string path = JoinPath(folder, name);
        files.push_back({std::move(name), std::move(path)});
    }
    return files;
}

}  // namespace

WArchive::WArchive(std::string extension) : extension_(std::move(extension)) {}

bool WArchive::PrepareArchive(const std::string& base, const std::string& outputFolder,
                              bool deleteExisting) {
    status_.Clear();
    members_.clear();
    archivePath_ =
        outputFolder.empty() ? base + extension_ : JoinPath(outputFolder, base + extension_);
    if (deleteExisting && PathExists(archivePath_)) {
        ALFile old(archivePath_);
        if (old.Delete() < 0) {
            status_.Adopt(old.Status(), "");
            return false;
        }
    }
    return true;
}

bool WArchive::Write(int level, const std::vector<Member>& members) {
    members_.reserve(members.size());
    for (const Member& member : members)
        members_.push_back(member.name);
    ALZipArchive zip(archivePath_);
    zip.SetThreads(threads_);
    zip.SetProgress(progress_);
    if (zip.Create(members, ALEngineFactory::Deflate(level)) < 0) {
        status_ = zip.Status();
        return false;
    }
    return true;
}

bool WArchive::Create(int level, const std::string& baseName, bool stripExtension,
                      const std::string& patterns, const std::string& outputFolder,
                      const std::string& patternFolder, bool deleteExisting) {
    std::string base = baseName;
    if (stripExtension) {
        size_t dot = base.find_last_of('.');
        size_t sep = base.find_last_of("\\/");
        if (dot != std::string::npos && (sep == std::string::npos || dot > sep))
            base.resize(dot);
    }
    if (!PrepareArchive(base, outputFolder, deleteExisting))
        return false;
    // An archive written into a folder its patterns search must not pack
    // itself.
    FileId self = IdOf(archivePath_);

    std::vector<Member> members = MatchPatterns(patterns, patternFolder);
    if (self.valid) {
        std::erase_if(members, [&](const Member& member) {
            FileId id = IdOf(member.path);
            return id.valid && id.dev == self.dev && id.ino == self.ino;
        });
    }
    return Write(level, members);
}

std::vector<WArchive::Member> WArchive::MatchPatterns(const std::string& patterns,
                                                      const std::string& patternFolder,
                                                      const FolderLister& lister) {
    std::vector<Member> members;
    std::unordered_set<std::string> seen;         // names in lower case
    std::map<std::string, std::string> resolved;  // folder as spelt -> on disk
    std::map<std::string, FolderIndex> folders;   // by folder on disk
    for (const auto& pattern : SplitTrimmed(patterns, ',')) {
        size_t sep = pattern.find_last_of("\\/");
        std::string prefix = sep == std::string::npos ? std::string() : pattern.substr(0, sep + 1);
        std::string wildcard = pattern.substr(prefix.size());
        if (wildcard.empty())
            continue;
        std::string folder = patternFolder;
        if (!prefix.empty()) {
            std::string part = StripTrailingSeparators(prefix);
            folder = IsAbsolute(prefix) ? part : JoinPath(patternFolder, part);
        }
        auto onDisk = resolved.find(folder);
        if (onDisk == resolved.end()) {
            std::string path = ResolveNoCase(folder.empty() ? std::string(".") : folder);
            onDisk = resolved.emplace(folder, std::move(path)).first;
        }
        auto index = folders.find(onDisk->second);
        if (index == folders.end()) {
            const std::string& path = onDisk->second;
            index = folders.emplace(path, FolderIndex(lister ? lister(path) : FilesIn(path))).first;
        }
        for (const Member* file : index->second.Match(wildcard)) {
            std::string name = prefix + file->name;
            if (seen.insert(ToLower(name)).second)
                members.push_back({std::move(name), file->path});
        }
    }
    return members;
}

bool WArchive::CreateFrom(int level, const std::string& baseName,
                          const std::vector<Member>& members, const std::string& outputFolder,
                          bool deleteExisting) {
    return PrepareArchive(baseName, outputFolder, deleteExisting) && Write(level, members);
}

bool WArchive::Extract(const std::string& fileName, const std::string& folder,
                       const std::string& destination) {
    status_.Clear();
    std::string path =
        folder.empty() || IsAbsolute(fileName) ? fileName : JoinPath(folder, fileName);
    ALZipReader reader(path);
    ALEntryList list;
    if (reader.ReadDirectory(list) < 0 || reader.Extract(list, destination) < 0) {
        status_ = reader.Status();
        return false;
    }
    return true;
}

}  // namespace vantrel
