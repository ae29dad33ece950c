#include "engine/set_folder.h"

#include <algorithm>

#include "media/set_unpacker.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "script/set_layout.h"

namespace vantrel {

namespace {

constexpr const char* kArchiveExtension = ".cfi";

}  // namespace

long WSetFolder::DiskNumberOf(const std::string& name) {
    return WSetUnpacker::DiskNumberOf(name);
}

bool WSetFolder::HoldsDiskArchive(const std::string& folder) {
    const size_t ext = std::char_traits<char>::length(kArchiveExtension);
    for (const std::string& name : ListFolder(folder, true, false)) {
        if (name.size() > ext && EqualsNoCase(name.substr(name.size() - ext), kArchiveExtension) &&
            DiskNumberOf(name.substr(0, name.size() - ext)) >= 0) {
            return true;
        }
    }
    return false;
}

bool WSetFolder::HoldsProductScript(const std::string& folder) {
    std::string setup = FindInFolderNoCase(folder, kSetupFolder);
    return !setup.empty() && IsFolder(setup) &&
           !FindInFolderNoCase(setup, kProductScript).empty() &&
           IsFile(FindInFolderNoCase(setup, kProductScript));
}

void WSetFolder::Locate(const std::vector<std::string>& candidates) {
    kind_ = kNone;
    root_.clear();
    diskFolder_.clear();
    looked_.clear();
    for (const std::string& c : candidates) {
        if (c.empty())
            continue;
        std::string folder = StripTrailingSeparators(c);
        if (std::find(looked_.begin(), looked_.end(), folder) == looked_.end())
            looked_.push_back(folder);
    }

    for (const std::string& folder : looked_) {
        if (!IsFolder(folder))
            continue;
        if (HoldsProductScript(folder)) {
            kind_ = kScripts;
            root_ = folder;
            return;
        }
        // The floppy start program of a CD set lies in its "Setup" folder
        // beside the scripts: the set is the folder above.
        std::string script = FindInFolderNoCase(folder, kProductScript);
        if (EqualsNoCase(FileNameOf(folder), kSetupFolder) && !script.empty() && IsFile(script) &&
            !FolderOf(folder).empty()) {
            kind_ = kScripts;
            root_ = FolderOf(folder);
            return;
        }
        if (HoldsDiskArchive(folder)) {
            kind_ = kFloppy;
            diskFolder_ = folder;
            return;
        }
    }
    for (const std::string& folder : looked_) {
        std::string setup = FindInFolderNoCase(folder, kSetupFolder);
        if (!setup.empty() && IsFolder(setup)) {
            kind_ = kMissingScripts;
            root_ = folder;
            return;
        }
    }
}

std::string WSetFolder::SetupFolder() const {
    std::string found = FindInFolderNoCase(root_, kSetupFolder);
    return found.empty() ? JoinPath(root_, kSetupFolder) : found;
}

std::string WSetFolder::Script(const std::string& name) const {
    std::string setup = SetupFolder();
    std::string found = FindInFolderNoCase(setup, name);
    return found.empty() ? JoinPath(setup, name) : found;
}

std::vector<std::string> WSetFolder::Disks() const {
    if (diskFolder_.empty())
        return {};
    std::string parent = FolderOf(diskFolder_);
    if (DiskNumberOf(FileNameOf(diskFolder_)) < 0 || parent.empty())
        return {diskFolder_};
    return WSetUnpacker::DiskFolders(parent);
}

}  // namespace vantrel
