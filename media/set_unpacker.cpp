#include "media/set_unpacker.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <map>
#include <unordered_set>
#include <utility>

#include "archive/al_entry.h"
#include "archive/al_status.h"
#include "archive/al_storage.h"
#include "archive/zip_reader.h"
#include "media/disk_set.h"
#include "platform/file_handle.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"

namespace vantrel {

namespace {

// The archive of the scripts' list, packed from the ship folder's "Setup"
// folder without a folder part in its members' names.
constexpr const char* kComponentList = "ComponentList.cfi";

bool IsArchiveName(const std::string& name) {
    return EndsWithNoCase(name, WDiskSet::kExtension);
}

// "~002_Setup.cfi" -> 2 and "Setup.cfi"; 0 for a name that is no piece.
int PieceNumberOf(const std::string& name, std::string& archive) {
    if (name.size() < 6 || name[0] != '~' || name[4] != '_' || !IsArchiveName(name))
        return 0;
    int n = 0;
    for (int i = 1; i <= 3; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return 0;
        n = n * 10 + (name[i] - '0');
    }
    archive = name.substr(5);
    return n;
}

// The piece's header: its number and the number of pieces; false when the
// header is not two runs of three digits.
bool ReadPieceHeader(FileHandle& in, int& number, int& count) {
    char header[WDiskSet::kHeaderLength];
    size_t n = 0;
    if (!in.ReadFull(header, sizeof header, n) || n != sizeof header)
        return false;
    number = count = 0;
    for (int i = 0; i < WDiskSet::kHeaderLength; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(header[i])))
            return false;
        int& field = i < 3 ? number : count;
        field = field * 10 + (header[i] - '0');
    }
    return true;
}

// Failures of the expansion that are the destination's, not the archive's:
// a folder or file that cannot be made or written there.
bool IsWriteFailure(int code) {
    return code == al::kCantOpenFile || code == al::kWriteError || code == al::kRenameError ||
           code == al::kDeleteError;
}

// A member's name as a folder on Windows tells names apart: separators
// either way, "." parts dropped, no regard to case.
std::string MemberKey(const std::string& name) {
    std::vector<std::string> folders;
    std::string file;
    if (!SplitMemberName(name, folders, file))
        return ToLower(name);
    folders.push_back(file);
    return ToLower(Join(folders, "/"));
}

}  // namespace

long WSetUnpacker::DiskNumberOf(const std::string& name) {
    const std::string prefix = WDiskSet::kFolderPrefix;
    if (name.size() <= prefix.size() || name.size() - prefix.size() > 9 ||
        !EqualsNoCase(name.substr(0, prefix.size()), prefix)) {
        return -1;
    }
    long number = 0;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (!std::isdigit(c))
            return -1;
        number = number * 10 + (c - '0');
    }
    return number;
}

std::vector<std::string> WSetUnpacker::DiskFolders(const std::string& mediaFolder) {
    std::vector<std::pair<long, std::string>> numbered;
    for (const std::string& name : ListFolder(mediaFolder, false, true)) {
        const long n = DiskNumberOf(name);
        if (n >= 0)
            numbered.emplace_back(n, name);
    }
    std::sort(numbered.begin(), numbered.end());
    std::vector<std::string> disks;
    for (auto& [n, name] : numbered)
        disks.push_back(JoinPath(mediaFolder, name));
    return disks;
}

bool WSetUnpacker::Unpack(const std::vector<std::string>& disks, const std::string& workFolder,
                          const std::string& setFolder) {
    problems_.clear();
    archives_.clear();
    temporaryFolderFailed_ = false;
    std::string why;
    for (const std::string& folder : {workFolder, setFolder}) {
        if (!MakeFolders(folder, &why)) {
            CannotWrite(folder, why);
            return false;
        }
    }
    if (disks.empty()) {
        problems_.push_back("the set has no disk folders");
        return false;
    }
    long expected = 1;
    for (const std::string& disk : disks) {
        ExpandDisk(disk, expected, workFolder);
        if (temporaryFolderFailed_)
            return false;
        expected = std::max(expected, DiskNumberOf(FileNameOf(disk))) + 1;
    }
    JoinPieces(workFolder);
    if (temporaryFolderFailed_)
        return false;
    std::vector<std::string> names;
    for (const std::string& name : ListFolder(workFolder, true, false)) {
        std::string archive;
        if (IsArchiveName(name) && PieceNumberOf(name, archive) == 0)
            names.push_back(name);
    }
    for (const std::string& name : names) {
        ExpandArchive(workFolder, name, setFolder);
        if (temporaryFolderFailed_)
            return false;
    }
    return problems_.empty();
}

void WSetUnpacker::CannotWrite(const std::string& folder, const std::string& why) {
    temporaryFolderFailed_ = true;
    problems_.push_back("cannot write to the temporary folder " + DisplayPath(folder) + ": " + why);
}

bool WSetUnpacker::Expand(const std::string& path, const std::string& shown,
                          const std::string& destination) {
    ALZipReader reader(path);
    ALEntryList list;
    if (reader.ReadDirectory(list) < 0) {
        problems_.push_back(shown + " is damaged: " + reader.Status().GetStatusDetail());
        return false;
    }
    std::unordered_set<std::string> names;
    for (const auto& entry : list) {
        const std::string& name = entry->GetStorage()->GetName();
        if (!names.insert(MemberKey(name)).second) {
            problems_.push_back(shown + " is damaged: it holds the member " + name +
                                " more than once");
            return false;
        }
    }
    if (reader.Extract(list, destination) < 0) {
        const ALStatus& status = reader.Status();
        if (IsWriteFailure(status.GetStatusCode())) {
            CannotWrite(destination, status.SystemError() != 0 ? std::strerror(status.SystemError())
                                                               : status.GetStatusDetail());
            return false;
        }
        problems_.push_back(shown + " is damaged: " + status.GetStatusDetail());
        return false;
    }
    return true;
}

void WSetUnpacker::ExpandDisk(const std::string& disk, long expected,
                              const std::string& workFolder) {
    const std::string name = FileNameOf(disk);
    const long number = DiskNumberOf(name);
    if (number > expected) {
        std::string gap =
            WDiskSet::kFolderPrefix + WDiskSet::ThreeDigits(static_cast<int>(expected));
        if (number - 1 > expected)
            gap += " to " + std::string(WDiskSet::kFolderPrefix) +
                   WDiskSet::ThreeDigits(static_cast<int>(number - 1));
        problems_.push_back("the set has no " + gap);
    }
    // A disk copied to the root of a floppy is not named after its number;
    // its archive tells the number.
    std::string own = number >= 0 ? name + WDiskSet::kExtension : std::string();
    if (number < 0) {
        const size_t extension = std::char_traits<char>::length(WDiskSet::kExtension);
        for (const std::string& file : ListFolder(disk, true, false)) {
            if (IsArchiveName(file) && DiskNumberOf(file.substr(0, file.size() - extension)) >= 0) {
                own = file;
                break;
            }
        }
    }
    const std::string archive = own.empty() ? std::string() : FindInFolderNoCase(disk, own);
    if (archive.empty() || !IsFile(archive)) {
        problems_.push_back(DisplayPath(disk) + " holds no disk archive" +
                            (own.empty() ? std::string() : " " + own));
        return;
    }
    Expand(archive, DisplayPath(archive), workFolder);
}

void WSetUnpacker::JoinPieces(const std::string& workFolder) {
    // Archive name -> piece number -> piece file.
    std::map<std::string, std::map<int, std::string>, LessNoCase> split;
    for (const std::string& name : ListFolder(workFolder, true, false)) {
        std::string archive;
        if (int n = PieceNumberOf(name, archive); n > 0)
            split[archive][n] = JoinPath(workFolder, name);
    }
    for (const auto& [archive, pieces] : split) {
        const std::string joined = JoinPath(workFolder, archive);
        FileHandle out;
        if (!out.Open(joined, FileHandle::Mode::kWrite, 0644)) {
            CannotWrite(workFolder, std::strerror(errno));
            return;
        }
        bool whole = true;
        // Every piece's header gives the number of pieces; the first one
        // found says how many to look for, also when piece 1 is missing.
        int count = -1;
        if (FileHandle first; first.Open(pieces.begin()->second, FileHandle::Mode::kRead)) {
            int number = 0, total = 0;
            if (ReadPieceHeader(first, number, total) && total >= 1)
                count = total;
        }
        for (int expected = 1; count < 0 || expected <= count; ++expected) {
            auto it = pieces.find(expected);
            if (it == pieces.end()) {
                problems_.push_back(Format("piece %d of %s is missing (%s)", expected,
                                           archive.c_str(),
                                           WDiskSet::PieceName(expected, archive).c_str()));
                whole = false;
                if (count < 0)
                    break;
                continue;
            }
            FileHandle in;
            int number = 0, total = 0;
            if (!in.Open(it->second, FileHandle::Mode::kRead) ||
                !ReadPieceHeader(in, number, total) || number != expected || total < 1 ||
                (count >= 0 && total != count)) {
                problems_.push_back(DisplayPath(FileNameOf(it->second)) +
                                    " is not a sound piece of " + archive +
                                    " (its header is damaged)");
                whole = false;
                break;
            }
            count = total;
            std::string buffer(WDiskSet::kChunkSize, '\0');
            for (;;) {
                size_t n = 0;
                if (!in.ReadFull(buffer.data(), buffer.size(), n)) {
                    problems_.push_back("cannot read " + ErrnoText(it->second));
                    whole = false;
                    break;
                }
                if (n > 0 && !out.WriteAll(buffer.data(), n)) {
                    CannotWrite(workFolder, std::strerror(errno));
                    out.Close();
                    RemoveFile(joined);
                    return;
                }
                if (n < buffer.size())
                    break;
            }
        }
        if (!out.Close()) {
            CannotWrite(workFolder, std::strerror(errno));
            RemoveFile(joined);
            return;
        }
        if (!whole)
            RemoveFile(joined);
    }
}

void WSetUnpacker::ExpandArchive(const std::string& workFolder, const std::string& name,
                                 const std::string& setFolder) {
    // The scripts' list was packed from the "Setup" folder.
    const std::string destination =
        EqualsNoCase(name, kComponentList) ? JoinPath(setFolder, "Setup") : setFolder;
    if (Expand(JoinPath(workFolder, name), name, destination))
        archives_.push_back(name);
}

}  // namespace vantrel
