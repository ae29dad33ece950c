#include "media/ship_files.h"

#include <algorithm>
#include <cerrno>
#include <set>
#include <unordered_set>

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

}  // namespace

void WShipFiles::Clear() {
    folders_.clear();
    ids_.clear();
    resolved_.clear();
    staged_ = 0;
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
    Folder& staged = folders_[id->second];
    staged.staged.push_back({FileNameOf(path), std::move(source)});
    staged.listed = false;
    resolved_.clear();
    ++staged_;
    return true;
}

WShipFiles::Folder* WShipFiles::Listed(const std::string& path) {
    auto cached = resolved_.find(path);
    if (cached == resolved_.end()) {
        // A pattern's folder in another case is the folder on disk, as for
        // the archive's own patterns.
        const std::string real = ResolveNoCase(path);
        FileInfo info;
        Folder* folder = nullptr;
        if (GetFileInfo(real, info) && info.isFolder) {
            folder = &folders_[FolderId(info.device, info.inode)];
            if (!folder->listed) {
                folder->files.clear();
                folder->byName.clear();
                std::unordered_set<std::string> present;
                for (std::string& name : ListFolder(real, true, false)) {
                    present.insert(name);
                    std::string file = JoinPath(real, name);
                    folder->files.push_back({std::move(name), std::move(file)});
                }
                for (const File& file : folder->staged) {
                    if (!present.count(file.name))
                        folder->files.push_back(file);
                }
                std::sort(folder->files.begin(), folder->files.end(),
                          [](const File& a, const File& b) { return a.name < b.name; });
                for (size_t i = 0; i < folder->files.size(); ++i)
                    folder->byName.emplace(ToLower(folder->files[i].name), i);
                folder->listed = true;
            }
        }
        cached = resolved_.emplace(path, folder).first;
    }
    return cached->second;
}

void WShipFiles::Match(const Folder& folder, const std::string& pattern, std::vector<size_t>& out) {
    const size_t first = out.size();
    if (HasWildcards(pattern)) {
        for (size_t i = 0; i < folder.files.size(); ++i) {
            if (WildcardMatch(pattern, folder.files[i].name))
                out.push_back(i);
        }
        return;
    }
    // A plain name is looked up rather than matched against every file: it
    // names the files of that name in any case and, when it ends in ".",
    // the file of that name without the dot.
    auto add = [&](const std::string& key, bool withoutDot) {
        auto [from, to] = folder.byName.equal_range(key);
        for (auto it = from; it != to; ++it) {
            if (!withoutDot || folder.files[it->second].name.find('.') == std::string::npos)
                out.push_back(it->second);
        }
    };
    add(ToLower(pattern), false);
    if (pattern.size() >= 2 && pattern.back() == '.')
        add(ToLower(std::string_view(pattern).substr(0, pattern.size() - 1)), true);
    std::sort(out.begin() + static_cast<std::ptrdiff_t>(first), out.end());
}

std::vector<WArchive::Member> WShipFiles::Members(const std::string& patterns,
                                                  const std::string& patternFolder) {
    std::vector<WArchive::Member> members;
    std::set<std::string, LessNoCase> seen;
    std::vector<size_t> found;
    for (const std::string& pattern : SplitTrimmed(patterns, ',')) {
        const size_t sep = pattern.find_last_of("\\/");
        const std::string prefix =
            sep == std::string::npos ? std::string() : pattern.substr(0, sep + 1);
        const std::string wildcard = pattern.substr(prefix.size());
        if (wildcard.empty())
            continue;
        std::string folder = patternFolder;
        if (!prefix.empty()) {
            std::string part = StripTrailingSeparators(prefix);
            folder = IsAbsolute(prefix) ? part : JoinPath(patternFolder, part);
        }
        const Folder* listed = Listed(folder.empty() ? std::string(".") : folder);
        if (!listed)
            continue;
        found.clear();
        Match(*listed, wildcard, found);
        for (size_t i : found) {
            const File& file = listed->files[i];
            std::string name = prefix + file.name;
            if (seen.insert(name).second)
                members.push_back({std::move(name), file.path});
        }
    }
    return members;
}

}  // namespace vantrel
