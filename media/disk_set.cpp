#include "media/disk_set.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "archive/archive.h"
#include "archive/zip_archive.h"
#include "media/build_request.h"
#include "media/disk_set_job.h"
#include "media/file_copy.h"
#include "media/media_progress.h"
#include "media/ship_files.h"
#include "platform/file_handle.h"
#include "platform/files.h"
#include "platform/message_pump.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/wildcard.h"
#include "project/engine_limits.h"
#include "project/project_data.h"
#include "script/disk_utils.h"
#include "script/setup_log.h"

namespace vantrel {

namespace {

std::string DiskRange(int from, int to) {
    return " : disks " + std::to_string(from) + " to " + std::to_string(to);
}

// The engine's floppy start program in the installation.
std::string StartProgramOf(const WProjectData& project) {
    if (project.InstallLocation.empty())
        return {};
    return ResolveNoCase(
        JoinPath(JoinPath(JoinPath(project.InstallLocation, "Distrib"), "Setup"), "setup.exe"));
}

std::string Bytes(int64_t n) {
    return Format("%lld bytes", static_cast<long long>(n));
}

}  // namespace

int64_t WDiskSet::EntryCost(size_t nameLength, int64_t size) {
    return 30 + 46 + 2 * static_cast<int64_t>(nameLength) + 5 * (size / 8192 + 2);
}

std::string WDiskSet::FirstDiskProblem(const WProjectData& project, double mediaSize) {
    const std::string program = StartProgramOf(project);
    const int64_t size = program.empty() ? -1 : FileSizeOf(program);
    const int64_t capacity = static_cast<int64_t>(mediaSize);
    if (size < 0 || size + kArchiveEnd <= capacity)
        return {};
    return "the setup engine's floppy start program " + DisplayPath(program) + " has " +
           Bytes(size) + ", but the first disk holds only " + Bytes(capacity) +
           " with its archive: choose a larger medium";
}

std::vector<std::string> WDiskSet::MemberCountProblems(const WProjectData& project) {
    std::vector<std::string> problems;
    const WCreatorManager* components = project.Components();

    if (!components)
        return problems;
    for (int level = 0; level < WComponentManager::kLevelCount; ++level) {
        for (const WSetupComponent* c : components->Level(level)) {
            // The members are the distinct names the patterns give, no more
            // than the names given: only that many are told apart.
            const std::string patterns = MemberPatterns(*c);
            if (static_cast<size_t>(std::count(patterns.begin(), patterns.end(), ',')) <
                zip::kMaxEntries)
                continue;
            std::unordered_set<std::string> names;
            for (const std::string& name : Split(patterns, ','))
                names.insert(ToLower(Trim(name)));
            if (names.size() <= zip::kMaxEntries)
                continue;
            problems.push_back(
                Grouped(names.size()) + " files of component " + c->GetName() +
                " would go into one archive of the floppy set, which holds at most " +
                Grouped(zip::kMaxEntries) + ": a CD set holds them, as its files are not packed");
        }
    }
    return problems;
}

WDiskSet::WDiskSet(WDiskSetJob& job, WProjectData& project, const WBuildRequest& request,
                   std::string shipFolder)
    : job_(job),
      project_(project),
      shipFolder_(std::move(shipFolder)),
      mediaFolder_(request.mediaFolder),
      capacity_(static_cast<int64_t>(request.mediaSize)) {}

std::string WDiskSet::ThreeDigits(int n) {
    std::string digits = std::to_string(n);
    if (n >= 0 && n <= 99)
        digits.insert(0, n <= 9 ? 2 : 1, '0');
    return digits;
}

std::string WDiskSet::PieceName(int piece, std::string_view archiveFileName) {
    std::string name(1, '~');
    name += ThreeDigits(piece);
    name += '_';
    name += BaseNameUpToFirstDot(archiveFileName);
    name += kExtension;
    return name;
}

std::string WDiskSet::DiskFolder(int n) const {
    return JoinPath(mediaFolder_, kFolderPrefix + ThreeDigits(n));
}

void WDiskSet::MakeDiskCurrent(int n) {
    disk_ = n;
    used_ = kArchiveEnd;
    const std::string folder = DiskFolder(n);
    MakeFoldersBelow(mediaFolder_, folder);
    for (const std::string& name : MatchFilesInFolder(folder, std::string("*") + kExtension))
        RemoveFile(JoinPath(folder, name));
}

void WDiskSet::SetCurrentDisk(int n, int64_t used) {
    disk_ = n;
    used_ = used;
    MakeFoldersBelow(mediaFolder_, DiskFolder(n));
}

bool WDiskSet::Next(bool step) {
    PumpMessage();
    if (step)
        job_.Progress().Step();
    return !job_.CheckCancel();
}

bool WDiskSet::SplitArchive(const std::string& folder, const std::string& fileName) {
    const std::string path = JoinPath(folder, fileName);
    const int64_t total = FileSizeOf(path);
    // Every piece is a member of its disk's archive: it takes its header,
    // its bytes and the member's own room there.
    const size_t nameLength = PieceName(1, fileName).size();
    const int64_t body = capacity_ - kArchiveEnd - kHeaderLength - EntryCost(nameLength, capacity_);
    if (total < 0 || body <= 0)
        return false;
    FileHandle in;
    if (!in.Open(path, FileHandle::Mode::kRead))
        return false;

    const int64_t free = capacity_ - used_;
    const int64_t room = free - kHeaderLength - EntryCost(nameLength, free);
    int64_t first;
    if (room > 0) {
        first = std::min(total, room);
    } else {
        first = std::min(total, body);
        MakeDiskCurrent(disk_ + 1);
    }
    const int64_t rest = total - first;
    const int64_t pieces = 1 + (rest + body - 1) / body;
    const std::string count = ThreeDigits(static_cast<int>(pieces));

    std::string buffer(kChunkSize, '\0');
    bool kernel = true;
    int64_t copied = 0;
    piece_ = 1;
    for (int64_t want = first;; want = std::min(body, total - copied)) {
        if (job_.CheckCancel())
            return false;
        const std::string disk = DiskFolder(disk_);
        MakeFoldersBelow(mediaFolder_, disk);
        const std::string piecePath = JoinPath(disk, PieceName(piece_, fileName));
        FileHandle out;
        if (!out.Open(piecePath, FileHandle::Mode::kReplace, 0644))
            return false;
        const std::string header = ThreeDigits(piece_) + count;
        if (!out.WriteAll(header.data(), header.size()))
            return false;
        int64_t left = want;
        // The piece's body is copied inside the kernel where the file system
        // allows it, else through the buffer.
        while (kernel && left > 0) {
            const int64_t n = in.CopyRangeTo(out, static_cast<uint64_t>(left));
            if (n <= 0) {
                if (n == 0)
                    return false;  // the archive is shorter than it was
                kernel = false;
                break;
            }
            left -= n;
            copied += n;
        }
        while (left > 0) {
            const size_t chunk = static_cast<size_t>(std::min<int64_t>(left, kChunkSize));
            size_t n = 0;
            if (!in.ReadFull(buffer.data(), chunk, n) || n == 0 || !out.WriteAll(buffer.data(), n))
                return false;
            left -= static_cast<int64_t>(n);
            copied += static_cast<int64_t>(n);
        }
        if (!out.Close())
            return false;
        const int64_t pieceSize = static_cast<int64_t>(header.size()) + want;
        job_.StepBytes(want);
        if (copied >= total) {
            used_ += pieceSize + EntryCost(nameLength, pieceSize);
            return true;
        }
        MakeDiskCurrent(disk_ + 1);
        ++piece_;
    }
}

void WDiskSet::Place(const WArchive& archive, bool created) {
    const std::string& path = archive.GetArchivePath();
    const std::string name = FileNameOf(path);
    const int64_t size = std::max<int64_t>(FileSizeOf(path), 0);
    WSetupLog& log = job_.Log();
    if (!created) {
        ok_ = false;
        job_.NoteFailure("cannot make " + name + ": " + archive.GetStatusText());
    }
    const int64_t cost = size + EntryCost(name.size(), size);
    if (used_ + cost < capacity_) {
        used_ += cost;
        std::string line =
            std::string(created ? "Successfully compressed" : "Error compressing") + " : " + name;
        if (!created)
            line += " (" + archive.GetStatusText() + ")";
        log.Log(line + "\r\n\t" + name + DiskRange(disk_, disk_));
        return;
    }
    const int before = disk_;
    const std::string folder = FolderOf(path);
    const bool split = SplitArchive(folder, name);
    RemoveFile(path);
    if (!split && job_.Cancelled()) {
        piece_ = 1;
        return;  // not a failure of its own: the set is taken away
    }
    log.Log(std::string(split ? "Successfully split" : "Error splitting") + " : " + name +
            "\r\n\t" + name + DiskRange(before, disk_));
    if (!split) {
        ok_ = false;
        job_.NoteFailure("cannot split " + name);
    }
    piece_ = 1;
}

std::string WDiskSet::MemberPatterns(const WSetupComponent& component) {
    std::vector<std::string> names;
    auto add = [&names](const std::string& name) {
        if (!Trim(name).empty())
            names.push_back(name);
    };
    for (int type : {kElementFile, kElementTTFFile, kElementProfile}) {
        for (const auto& e : component.Elements(type))
            add(e->GetSourceName());
    }
    for (int type : {kElementExecute, kElementCustomDll}) {
        for (const auto& e : component.Elements(type))
            add(e->GetTargetName());
    }
    return Join(names, ",");
}

bool WDiskSet::Pack(WArchive& archive, const std::string& baseName, const std::string& patterns,
                    const std::string& patternFolder) {
    return archive.CreateFrom(6, baseName, job_.ShipFiles().Members(patterns, patternFolder),
                              DiskFolder(disk_), true);
}

void WDiskSet::CopyStartProgram() {
    const std::string source = StartProgramOf(project_);
    const std::string destination = JoinPath(DiskFolder(1), "setup.exe");
    std::string why;
    const bool copied =
        !source.empty() && CopyFileData(source, destination, &why) == CopyOutcome::kCopied;
    job_.Log().Log(std::string(copied ? "Succesfully copied file" : "Error copying file") +
                   " : setup.exe\r\n\tsetup.exe" + DiskRange(disk_, disk_));
    if (!copied) {
        ok_ = false;
        job_.NoteFailure(why.empty() ? "cannot copy setup.exe" : "cannot copy " + why);
    }
    used_ += std::max<int64_t>(FileSizeOf(destination), 0);
}

bool WDiskSet::Packed(int64_t bytes) {
    job_.StepBytes(bytes);
    PumpMessage();
    return !job_.CheckCancel();
}

void WDiskSet::PackDisks() {
    const int count = disk_;
    WArchive archive(kExtension);
    archive.SetProgress([this](int64_t bytes) { return Packed(bytes); });
    for (int n = 1; n <= count; ++n) {
        const std::string folder = DiskFolder(n);
        const std::string own = FileNameOf(folder) + kExtension;
        std::vector<std::string> files;
        for (std::string& name : MatchFilesInFolder(folder, std::string("*") + kExtension)) {
            if (!EqualsNoCase(name, own))
                files.push_back(std::move(name));
        }
        const bool made =
            archive.Create(0, FileNameOf(folder), false, Join(files, ","), folder, folder, true);
        if (job_.Cancelled())
            return;
        if (made) {
            for (const std::string& name : files)
                RemoveFile(JoinPath(folder, name));
        } else {
            // The disk's archives stay, so nothing of the set is lost.
            job_.Log().Log("Error archiving disk " + FileNameOf(folder) + " (" +
                           archive.GetStatusText() + ")");
            ok_ = false;
            job_.NoteFailure("cannot make " + own + ": " + archive.GetStatusText());
        }
        // The bar moves after each third of the disks.
        const bool third = (3 * n) / count != (3 * (n - 1)) / count;
        if (!Next(third))
            return;
    }
}

bool WDiskSet::Create() {
    ok_ = true;
    if (job_.CheckCancel())
        return false;
    if (capacity_ <= kHeaderLength + kArchiveEnd) {
        job_.NoteFailure("the medium size is too small");
        return false;
    }
    const std::string distrib = ResolveNoCase(JoinPath(project_.InstallLocation, "Distrib"));
    WArchive archive(kExtension);
    // Packing moves the bar by the bytes packed and stops within a member
    // of Cancel.
    archive.SetProgress([this](int64_t bytes) { return Packed(bytes); });

    MakeDiskCurrent(1);
    job_.Progress().SetOperation(
        "Creating file : " +
        ShortenPath(JoinPath(DiskFolder(1), FileNameOf(DiskFolder(1)) + kExtension),
                    WDiskSetJob::kPathDisplayLength));
    if (!Next())
        return false;

    CopyStartProgram();
    if (!Next())
        return false;

    bool made =
        archive.Create(9, "swintl", false, "Setup\\swintl*.dll", DiskFolder(disk_), distrib, true);
    if (job_.Cancelled())
        return false;
    Place(archive, made);
    if (!Next())
        return false;

    made = Pack(archive, kSetupArchive, "Setup\\*.*,Setup*.exe,Uninst*.exe", shipFolder_);
    if (job_.Cancelled())
        return false;
    Place(archive, made);
    if (!Next())
        return false;

    if (WCreatorManager* components = project_.Components()) {
        components->Gather();
        for (int level = 0; level < WComponentManager::kLevelCount; ++level) {
            for (const WSetupComponent* c : components->Level(level)) {
                job_.Progress().SetFile(c->GetName());
                made = Pack(archive, c->GetName(), MemberPatterns(*c), shipFolder_);
                if (job_.Cancelled())
                    return false;
                Place(archive, made);
                if (!Next())
                    return false;
            }
        }
    }

    if (capacity_ - used_ <= 0)
        MakeDiskCurrent(disk_ + 1);
    made = Pack(archive, "ComponentList", "Setup.Log,comp.kvz", JoinPath(shipFolder_, "Setup"));
    if (job_.Cancelled())
        return false;
    Place(archive, made);
    if (!Next())
        return false;

    PackDisks();
    if (job_.Cancelled())
        return false;
    if (ok_)
        job_.Log().Log("Creation of floppies completed successfully");
    Next();
    return ok_;
}

}  // namespace vantrel
