#include "media/media_builder.h"

#include <algorithm>
#include <cctype>
#include <ctime>
#include <set>

#include "archive/zip_archive.h"
#include "media/disk_set.h"
#include "media/file_copy.h"
#include "media/media_lock.h"
#include "media/set_files.h"
#include "media/set_verifier.h"
#include "platform/build_time.h"
#include "platform/file_checks.h"
#include "platform/files.h"
#include "platform/local_time.h"
#include "platform/message_pump.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/text_file.h"
#include "project/installation_rules.h"
#include "project/project_data.h"
#include "project/shipped_paths.h"
#include "script/disk_utils.h"
#include "script/set_layout.h"

namespace vantrel {

namespace {

constexpr const char* kCopied = "Succesfully copied file";
constexpr const char* kCopyFailed = "Error copying file";
constexpr const char* kUserConfig = "idapi.cnf";

bool AnySqlDriver(const WProjectData& p) {
    return p.IsInterBaseSelected || p.IsDB2Selected || p.IsInformixSelected || p.IsMSSQLSelected ||
           p.IsOracleSelected || p.IsSybaseCTLibSelected || p.IsSybaseDBLibSelected;
}

// Removes `path`, a file or a folder with everything in it, never following
// a link; what cannot go is added to `stayed` with the reason.
void RemoveNoting(const std::string& path, std::vector<std::string>& stayed) {
    FileInfo info;
    if (!GetFileInfo(path, info, false))
        return;
    if (!(info.isFolder ? RemoveTreeForced(path) : RemoveFile(path)))
        stayed.push_back(ErrnoText(path));
}

// The folders between `path` and `root` (neither of them), for
// RemoveFoldersLeftEmpty.
void NoteFoldersUpTo(const std::string& path, const std::string& root,
                     std::set<std::string>& folders) {
    for (std::string up = FolderOf(path); up.size() > root.size(); up = FolderOf(up))
        folders.insert(up);
}

// Removes those of `folders` that are empty now, innermost first.
void RemoveFoldersLeftEmpty(const std::set<std::string>& folders) {
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
        if (IsFolder(*it) && ListFolder(*it, true, true).empty())
            RemoveEmptyFolder(*it);
    }
}

// Whether two sources name one file: the same path, or the same device and
// inode.
bool SameSourceFile(const std::string& a, const std::string& b) {
    if (a == b)
        return true;
    FileInfo ia, ib;
    return GetFileInfo(a, ia) && GetFileInfo(b, ib) && ia.device == ib.device &&
           ia.inode == ib.inode;
}

std::string PathKey(const std::string& path) {
    std::string key = ToLower(path);
    for (char& c : key) {
        if (c == '\\')
            c = '/';
    }
    return key;
}

}  // namespace

WMediaBuilder::WMediaBuilder(WProjectData& project, WBuildRequest request, WMediaProgress& progress)
    : project_(project),
      request_(std::move(request)),
      progress_(progress),
      freeSpace_([](std::string_view path) { return GetFreeSpace(path); }) {}

std::string WMediaBuilder::LogTimeText(std::time_t time) {
    // English names whatever the process's locale, as the engine's logs have.
    static const char* const kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
    static const char* const kMonths[] = {"January",   "February", "March",    "April",
                                          "May",       "June",     "July",     "August",
                                          "September", "October",  "November", "December"};
    std::tm tm{};
    LocalTimeOf(time, tm);
    return Format("%s, %s %02d, %04d, %02d:%02d:%02d", kDays[tm.tm_wday % 7],
                  kMonths[tm.tm_mon % 12], tm.tm_mday, tm.tm_year + 1900, tm.tm_hour, tm.tm_min,
                  tm.tm_sec);
}

bool WMediaBuilder::RelativeParts(std::string_view relative, std::vector<std::string>& parts) {
    parts.clear();
    if (!relative.empty() && IsPathSeparator(relative[0]))
        return false;
    for (std::string& part : Split(ReplaceAll(std::string(relative), "/", "\\"), '\\')) {
        if (part.empty() || part == ".")
            continue;
        if (part == ".." || part.find(':') != std::string::npos)
            return false;
        parts.push_back(std::move(part));
    }
    return !parts.empty();
}

std::string WMediaBuilder::PathInside(std::string_view folder, std::string_view relative) {
    std::vector<std::string> parts;
    if (!RelativeParts(relative, parts))
        return {};
    std::string path(folder);
    bool resolving = true;
    for (const std::string& part : parts) {
        std::string next = JoinPath(path, part);
        if (resolving && !PathExists(next)) {
            std::string found = FindInFolderNoCase(path, part);
            if (!found.empty())
                next = found;
            else
                resolving = false;
        }
        path = std::move(next);
    }
    return path;
}

std::string WMediaBuilder::ShipPath(std::string_view relative) {
    std::vector<std::string> parts;
    if (!RelativeParts(relative, parts))
        return {};
    std::string path = shipFolder_;
    for (const std::string& part : parts) {
        auto listed = listings_.find(path);
        if (listed == listings_.end()) {
            std::unordered_map<std::string, std::string> names;
            for (std::string& name : ListFolder(path, true, true))
                names.emplace(ToLower(name), std::move(name));
            listed = listings_.emplace(path, std::move(names)).first;
        }
        // A name not there yet is about to be made with this spelling.
        auto name = listed->second.emplace(ToLower(part), part).first;
        path = JoinPath(path, name->second);
    }
    return path;
}

void WMediaBuilder::MarkWritten(const std::string& path) {
    written_.try_emplace(PathKey(path));
}

bool WMediaBuilder::WasWritten(const std::string& path) const {
    return written_.count(PathKey(path)) != 0;
}

bool WMediaBuilder::CheckCancel() {
    if (!cancelled_ && progress_.CancelRequested()) {
        cancelled_ = true;
        if (errorText_.empty())
            errorText_ = "cancelled";
    }
    return cancelled_;
}

void WMediaBuilder::NoteFailure(const std::string& what) {
    ++failedSteps_;
    if (errorText_.empty())
        errorText_ = what;
}

void WMediaBuilder::StepBytes(int64_t bytes) {
    unsteppedBytes_ += bytes > 0 ? bytes : 0;
    while (unsteppedBytes_ >= kBytesPerStep) {
        unsteppedBytes_ -= kBytesPerStep;
        progress_.Step();
    }
}

void WMediaBuilder::TakeBackCancelledSet(const std::string& media, bool floppy) {
    std::vector<std::string> stayed;
    if (!floppy) {
        // The log leaves "Setup" first, so that it tells what happened.
        log_.Release();
        if (!KeepLog(media))
            stayed.push_back(DisplayPath(log_.Path()));
    }
    std::set<std::string> folders;
    for (const std::string& path : copiedPaths_) {
        RemoveNoting(path, stayed);
        NoteFoldersUpTo(path, media, folders);
    }
    for (const std::string& name : ListFolder(media, false, true)) {
        if (IsDiskFolderName(name) || (!floppy && EqualsNoCase(name, kSetupFolder)))
            RemoveNoting(JoinPath(media, name), stayed);
    }
    RemoveFoldersLeftEmpty(folders);
    if (stayed.empty()) {
        cancelOutcome_ = "Creating the media was cancelled; what was written is removed again";
    } else {
        cancelOutcome_ = "Creating the media was cancelled; the set in " + DisplayPath(media) +
                         " is incomplete and must not be used (left: " + Join(stayed, "; ") + ")";
    }
    log_.Log(cancelOutcome_);
}

void WMediaBuilder::StepAndPump() {
    PumpMessage();
    progress_.Step();
}

bool WMediaBuilder::FreeSpaceFor(uint64_t bytes, const std::string& destination) {
    const double needed = static_cast<double>(bytes);
    if (knownFree_ < 0 || needed > knownFree_ - writtenSinceAsked_) {
        knownFree_ = freeSpace_(destination);
        writtenSinceAsked_ = 0;
        if (needed > knownFree_) {
            progress_.ShowError(kNoSpaceCaption, kNoSpaceMessage);
            if (errorText_.empty() || errorText_ == "cancelled")
                errorText_ = kNoSpaceMessage;
            return false;
        }
    }
    writtenSinceAsked_ += needed;
    return true;
}

bool WMediaBuilder::MakeShipFolder(const std::string& folder) {
    if (madeFolders_.count(PathKey(folder)))
        return true;
    // A copy into a folder where this run put a file fails; so does a file
    // staged there.
    for (std::string up = folder; up.size() > shipFolder_.size() && FolderOf(up).size() < up.size();
         up = FolderOf(up)) {
        if (WasWritten(up)) {
            errno = ENOTDIR;
            return false;
        }
    }
    // A folder that cannot be made is left to the copy, which fails with the
    // system's reason. A link where a folder goes is replaced by the folder.
    if (!MakeFoldersBelow(shipFolder_, folder))
        return true;
    for (std::string up = folder;
         up.size() >= shipFolder_.size() && madeFolders_.insert(PathKey(up)).second &&
         FolderOf(up).size() < up.size();
         up = FolderOf(up)) {
    }
    return true;
}

bool WMediaBuilder::ShipFile(const std::string& source, const std::string& destination,
                             bool stage) {
    CopySource from;
    std::string why;
    if (from.Open(source, &why) != CopyOutcome::kCopied) {
        log_.Log(std::string(kCopyFailed) + " : " + destination);
        NoteFailure("cannot copy " + why);
        return true;
    }
    if (!FreeSpaceFor(static_cast<uint64_t>(from.info.size), destination))
        return false;
    if (!stage)
        return CopyAndLog(from, destination);
    shippedSize_ = from.info.size;
    // Found and readable: packed from the source later, where a copy would
    // have been packed from the ship folder.
    bool staged = false;
    if (madeFolders_.count(PathKey(destination)))
        errno = EISDIR;
    else
        staged = shipFiles_.Stage(destination, source);
    if (!staged)
        why = ErrnoText(destination);
    log_.Log(std::string(staged ? kCopied : kCopyFailed) + " : " + destination);
    if (staged)
        MarkWritten(destination);
    else
        NoteFailure("cannot copy " + why);
    return true;
}

bool WMediaBuilder::CopyAndLog(CopySource& source, const std::string& destination) {
    std::string why;
    uint64_t bytes = 0;
    const CopyOutcome outcome = CopyFileData(source, destination, &why, &bytes);
    const bool copied = outcome == CopyOutcome::kCopied;
    log_.Log(std::string(copied ? kCopied : kCopyFailed) + " : " + destination);
    if (copied) {
        shippedSize_ = static_cast<int64_t>(bytes);
        copiedPaths_.push_back(destination);
        MarkWritten(destination);
        return true;
    }
    if (outcome == CopyOutcome::kNoSpace) {
        // The volume filled up during the copy: as the check before it.
        progress_.ShowError(kNoSpaceCaption, kNoSpaceMessage);
        errorText_ = kNoSpaceMessage;
        ++failedSteps_;
        return false;
    }
    NoteFailure("cannot copy " + why);
    return true;
}

void WMediaBuilder::WriteLogHeader(bool floppy) {
    log_.Log(LogTimeText(BuildTime()));
    log_.Log("Source Folder : " + project_.InstallLocation);
    log_.Log("CD Setup Destination Folder : " + shipFolder_);
    if (floppy)
        log_.Log("Floppy Setup Destination Folder : " + request_.mediaFolder);
    log_.Log(std::string("Install type : ") + (floppy ? "floppy" : "CD"));
}

void WMediaBuilder::ResetRun() {
    cancelled_ = false;
    cancelOutcome_.clear();
    errorText_.clear();
    failedSteps_ = 0;
    written_.clear();
    copiedPaths_.clear();
    unsteppedBytes_ = 0;
    listings_.clear();
    madeFolders_.clear();
    shipFiles_.Clear();
    knownFree_ = -1;
    writtenSinceAsked_ = 0;
}

bool WMediaBuilder::ClaimMediaFolder(WMediaLock& lock, bool floppy, bool& ok) {
    const std::string& media = request_.mediaFolder;
    const int64_t runStart = static_cast<int64_t>(std::time(nullptr));
    if (!CreateFolderPath(media)) {
        ok = false;
        NoteFailure("cannot create the folder " + DisplayPath(media) +
                    (IsFile(media) ? ": it is a file" : ""));
        return true;
    }
    if (!lock.Acquire(media) || (floppy && RefuseFilesTooLargeToPack()) ||
        RefuseWhatTheEngineCannotUse(floppy)) {
        // Another build owns the folder, a file could be packed only to
        // fail at its end, or the set would be one the setup engine refuses:
        // nothing is written, not even a log.
        if (!lock.Error().empty())
            NoteFailure(lock.Error());
        return false;
    }
    RemoveStaleShipFolders(media, runStart);
    // What an earlier set left goes first, so that the folder never holds
    // parts of two sets; when some of it cannot be removed nothing is built.
    std::string stayed;
    if (!RemoveEarlierSet(media, request_.RootEngineFiles(), &stayed)) {
        NoteFailure("cannot remove the earlier set in " + DisplayPath(media) + ": " + stayed);
        return false;
    }
    return true;
}

bool WMediaBuilder::MakeFloppyShipFolder(const WMediaLock& lock, WMediaLock& shipLock, bool& ok) {
    const std::string& media = request_.mediaFolder;
    // A new name made in one step: never a folder of another run.
    shipFolder_ = lock.Held() ? CreateTempFolder(media) : std::string();
    if (!shipFolder_.empty()) {
        shipLock.Acquire(shipFolder_);
        return true;
    }
    if (lock.Held()) {
        ok = false;
        NoteFailure("cannot create a temporary folder in " + ErrnoText(media));
    }
    shipFolder_ = MakeTempFolderName(media);
    return false;
}

void WMediaBuilder::OpenLog(bool floppy) {
    // The log goes into a real "Setup" folder, never through a link there.
    if (IsFolder(shipFolder_))
        MakeFoldersBelow(shipFolder_, JoinPath(shipFolder_, kSetupFolder));
    log_.SetPath(JoinPath(JoinPath(shipFolder_, kSetupFolder), kSetupLog), false);
    log_.SetLevel(0);
    // One opening for the whole job; every line is still written at once.
    log_.Hold();
    WriteLogHeader(floppy);
}

int WMediaBuilder::CountSteps(bool floppy) const {
    int steps = static_cast<int>(request_.engineFiles.size());
    double packBytes = 0;
    if (const WCreatorManager* components = project_.Components()) {
        for (int level = 0; level < WComponentManager::kLevelCount; ++level) {
            for (const WSetupComponent* c : components->Level(level)) {
                steps += static_cast<int>(c->Elements(kElementFile).size() +
                                          c->Elements(kElementTTFFile).size());
                if (floppy)
                    ++steps;
                for (int type : kFileElementTypes) {
                    for (const auto& element : c->Elements(type))
                        packBytes += element->GetSize();
                }
            }
        }
    }
    // A floppy set's time goes into packing the files, placing (splitting)
    // the archives and packing the disks: the bar moves by the bytes each
    // phase handles, counted as if nothing shrank.
    if (floppy)
        steps += 7 + static_cast<int>(std::min(3 * packBytes / kBytesPerStep, 1e8));
    return steps;
}

bool WMediaBuilder::MakeDisks(bool shipFolderMade, WMediaLock& shipLock) {
    const std::string& media = request_.mediaFolder;
    bool ok = true;
    WDiskSet disks(*this, project_, request_, shipFolder_);
    if (!disks.Create())
        ok = false;
    // The log would leave with the temporary folder: move it beside the
    // disks. A rename needs no space, so a full volume keeps it too.
    if (!KeepLog(media)) {
        ok = false;
        NoteFailure("cannot keep the log " + DisplayPath(log_.Path()) +
                    " in the media folder; the temporary folder stays");
        return false;
    }
    if (!shipFolderMade)
        return ok;
    // An open handle on a folder keeps Windows from removing it (the removal
    // waits for the handle's end), so the hold goes first; the media folder's
    // lock still keeps other builds away.
    shipLock.Release();
    if (!RemoveTreeForced(shipFolder_)) {
        ok = false;
        NoteFailure("cannot remove the temporary folder " + DisplayPath(shipFolder_));
    }
    return ok;
}

bool WMediaBuilder::Run() {
    progress_.StartAnimation();
    ResetRun();
    WCreatorManager* components = project_.Components();
    if (components) {
        components->Gather();
        if (WSetupComponent* distrib = components->Find("Distrib"))
            distrib->Select(WSetupComponent::kSelected);
    }

    const bool floppy = request_.floppy;
    const std::string& media = request_.mediaFolder;
    shipFolder_ = media;
    bool ok = true;
    // The media folder for the job; the temporary ship folder for as long as
    // it exists, so that the tidying of a later job passes it over.
    WMediaLock lock, shipLock;
    if (!ClaimMediaFolder(lock, floppy, ok)) {
        if (components)
            components->ReleaseGathered();
        progress_.StopAnimation();
        return false;
    }
    // Only a folder this run made is removed at its end.
    const bool shipFolderMade = floppy && MakeFloppyShipFolder(lock, shipLock, ok);
    packFromSources_ = floppy;
    OpenLog(floppy);
    progress_.SetRange(CountSteps(floppy));

    if (!AssembleShipFolder(shipFolder_))
        ok = false;
    // What told the ship folder's paths apart while it was assembled is not
    // needed to pack it.
    written_ = decltype(written_)();
    madeFolders_ = decltype(madeFolders_)();
    if (floppy && !MakeDisks(shipFolderMade, shipLock))
        ok = false;

    if (cancelled_)
        TakeBackCancelledSet(media, floppy);
    if (cancelled_ || failedSteps_ > 0)
        ok = false;
    if (ok)
        log_.Log("Successfully create media");
    log_.Release();
    shipFiles_.Clear();
    packFromSources_ = false;
    if (components)
        components->ReleaseGathered();
    progress_.StopAnimation();
    return ok;
}

bool WMediaBuilder::IsShipFolderName(std::string_view name) {
    if (name.size() < 7 || name.substr(0, 4) != "~ZLT")
        return false;
    const std::string_view rest = name.substr(4);
    auto all = [&](auto test) {
        for (char c : rest) {
            if (!test(static_cast<unsigned char>(c)))
                return false;
        }
        return true;
    };
    if (rest.size() == 3)  // "~ZLT000" ... "~ZLT099", "~ZLTXXX"
        return rest == "XXX" || (rest[0] == '0' && all([](int c) { return std::isdigit(c); }));
    return rest.size() == 6 && all([](int c) { return std::isalnum(c); });
}

int WMediaBuilder::RemoveStaleShipFolders(const std::string& media, int64_t runStart) {
    int removed = 0;
    for (const std::string& name : ListFolder(media, false, true)) {
        if (!IsShipFolderName(name))
            continue;
        const std::string path = JoinPath(media, name);
        FileInfo info;
        // Ours only: made by this user, holding what a job puts there first,
        // older than this run, and not held by a test run that is going on.
        if (!GetFileInfo(path, info, false) || !info.isFolder || info.modified >= runStart ||
            !OwnedByThisUser(path) || FindInFolderNoCase(path, kSetupFolder).empty())
            continue;
        WMediaLock live;
        if (!live.Acquire(path))
            continue;
        live.Release();
        if (RemoveTreeForced(path))
            ++removed;
    }
    return removed;
}

bool WMediaBuilder::IsDiskFolderName(std::string_view name) {
    if (name.size() < 7 || !EqualsNoCase(name.substr(0, 4), "disk"))
        return false;
    for (char c : name.substr(4)) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

bool WMediaBuilder::RemoveEarlierSet(const std::string& media,
                                     const std::vector<std::string>& rootFiles,
                                     std::string* failed) {
    std::vector<std::string> stayed;
    // The files an earlier CD set copied, as its log names them below the
    // folder it was built in.
    std::set<std::string> folders;
    // Only a real folder's own log: a link could name anything.
    auto realFolder = [](const std::string& path) {
        FileInfo info;
        return !path.empty() && GetFileInfo(path, info, false) && info.isFolder;
    };
    const std::string setupFolder = FindInFolderNoCase(media, kSetupFolder);
    std::string log =
        realFolder(setupFolder) ? FindInFolderNoCase(setupFolder, kSetupLog) : std::string();
    if (FileInfo info; !log.empty() && !(GetFileInfo(log, info, false) && info.isFile))
        log.clear();
    std::vector<std::string> lines;
    if (!log.empty() && ReadTextLines(log, lines)) {
        const std::string destinationTag = "CD Setup Destination Folder : ";
        const std::string copiedTag = std::string(kCopied) + " : ";
        const std::string failedTag = std::string(kCopyFailed) + " : ";
        std::string builtIn;
        for (const std::string& line : lines) {
            if (StartsWith(line, destinationTag)) {
                builtIn = line.substr(destinationTag.size());
                continue;
            }
            const size_t tag = StartsWith(line, copiedTag)   ? copiedTag.size()
                               : StartsWith(line, failedTag) ? failedTag.size()
                                                             : 0;
            if (tag == 0 || builtIn.empty())
                continue;
            const std::string path = line.substr(tag);
            if (path.size() <= builtIn.size() + 1 ||
                path.compare(0, builtIn.size(), builtIn) != 0 ||
                !IsPathSeparator(path[builtIn.size()]))
                continue;
            std::vector<std::string> parts;
            if (!RelativeParts(path.substr(builtIn.size() + 1), parts))
                continue;
            // Never through a link on the way: only what lies in the folder.
            std::string target = media;
            bool inside = true;
            for (size_t i = 0; i < parts.size(); ++i) {
                target = JoinPath(target, parts[i]);
                if (i + 1 < parts.size() && !realFolder(target))
                    inside = false;
            }
            FileInfo info;
            if (!inside || !GetFileInfo(target, info, false) || info.isFolder)
                continue;  // a folder there is not a file the set copied
            RemoveNoting(target, stayed);
            NoteFoldersUpTo(target, media, folders);
        }
    }
    // The engine's files at the root are taken for the set's only beside a
    // CD set's "Setup" folder.
    const bool cdSet = realFolder(setupFolder);
    for (const std::string& name : ListFolder(media, true, true)) {
        const std::string path = JoinPath(media, name);
        FileInfo info;
        if (!GetFileInfo(path, info, false))
            continue;
        bool ours = false;
        if (info.isFolder)
            ours = IsDiskFolderName(name) || EqualsNoCase(name, kSetupFolder);
        else if (info.isFile || !EqualsNoCase(name, kSetupFolder))
            ours = EqualsNoCase(name, kSetupLog) || EqualsNoCase(name, kEngineStartProgram) ||
                   (cdSet &&
                    std::any_of(rootFiles.begin(), rootFiles.end(), [&](const std::string& file) {
                        return EqualsNoCase(name, FileNameOf(file));
                    }));
        else
            ours = true;  // a link in place of the "Setup" folder
        if (ours)
            RemoveNoting(path, stayed);
    }
    RemoveFoldersLeftEmpty(folders);
    if (failed)
        *failed = Join(stayed, "; ");
    return stayed.empty();
}

bool WMediaBuilder::KeepLog(const std::string& media) {
    if (!IsFile(log_.Path()))
        return true;  // nothing was logged (the folder could not be made)
    const std::string kept = JoinPath(media, kSetupLog);
    bool moved = RenameFile(log_.Path(), kept);
    // Something that is not a file of ours holds the name: keep the log
    // under a free one ("setup-1.log") rather than lose it.
    std::string other = kept;
    for (int n = 1; !moved && n < 100; ++n) {
        other = JoinPath(media, Format("setup-%d.log", n));
        moved = RenameNoReplace(log_.Path(), other);
    }
    if (moved)
        log_.SetPath(other, true);
    return moved;
}

bool WMediaBuilder::AssembleShipFolder(const std::string& shipFolder) {
    shipFolder_ = shipFolder;
    const std::string setup = JoinPath(shipFolder, kSetupFolder);
    if (!MakeFoldersBelow(shipFolder, setup) && IsFolder(shipFolder))
        NoteFailure("cannot create the folder " + DisplayPath(setup));
    MakeShipFolder(setup);
    // A project made before such paths were refused may still have them.
    for (const std::string& collision : ShippedPathCollisions(project_)) {
        log_.Log(collision);
        NoteFailure(collision);
    }

    if (!CopyEngineFiles() || !CopyComponentFiles())
        return false;
    WriteScripts(setup);
    WriteTexts(setup);
    if (request_.shipUserConfig && !ShipUserConfig())
        return false;
    progress_.Step();
    return true;
}

bool WMediaBuilder::CopyEngineFiles() {
    const auto& files = request_.engineFiles;
    for (size_t i = 0; i < files.size(); ++i) {
        const std::string& source = files[i];
        progress_.SetOperation("Copying file : " + ShortenPath(source, kPathDisplayLength));
        progress_.SetFile(FileNameOf(source));
        const std::string destination = request_.EngineFileDestination(i, shipFolder_);
        if (!ShipFile(source, destination, false))
            return false;
        if (CheckCancel())
            return false;
        StepAndPump();
    }
    return true;
}

std::string WMediaBuilder::SourceOf(const WSetupComponent& component,
                                    const WSetupElement& element) const {
    const std::string& name = element.GetSourceName();
    if (component.IsApplicationComponent())
        return JoinPath(element.GetSourceDir(), FileNameOf(name));
    if (!project_.InstallLocation.empty())
        return ResolveNoCase(JoinPath(project_.InstallLocation, name));
    return {};
}

bool WMediaBuilder::RefuseWhatTheEngineCannotUse(bool floppy) {
    std::vector<std::string> problems = WSetVerifier::CheckProject(project_);
    if (floppy) {
        if (std::string why = WDiskSet::FirstDiskProblem(project_, request_.mediaSize);
            !why.empty())
            problems.push_back(std::move(why));
        for (std::string& why : WDiskSet::MemberCountProblems(project_))
            problems.push_back(std::move(why));
    }
    if (problems.empty())
        return false;
    // One text for the caller's one line: the first faults, and how many more.
    constexpr size_t kNamed = 5;
    std::vector<std::string> named(problems.begin(),
                                   problems.begin() + std::min(problems.size(), kNamed));
    std::string text = "the setup engine could not use this set: " + Join(named, "; ");
    if (problems.size() > kNamed)
        text += Format("; and %zu more", problems.size() - kNamed);
    NoteFailure(text);
    return true;
}

bool WMediaBuilder::RefuseFilesTooLargeToPack() {
    std::vector<std::string> sources = request_.engineFiles;
    if (WCreatorManager* components = project_.Components()) {
        for (int level = 0; level < WComponentManager::kLevelCount; ++level) {
            for (const WSetupComponent* c : components->Level(level)) {
                for (int type : kFileElementTypes) {
                    for (const auto& element : c->Elements(type))
                        sources.push_back(SourceOf(*c, *element));
                }
            }
        }
    }
    bool refused = false;
    for (const std::string& source : sources) {
        const std::string why = zip::MemberSizeProblem(source);
        if (!why.empty()) {
            NoteFailure(why);
            refused = true;
        }
    }
    return refused;
}

bool WMediaBuilder::CopyComponentFiles() {
    WCreatorManager* components = project_.Components();
    if (!components)
        return true;
    components->Gather();
    for (int level = 0; level < WComponentManager::kLevelCount; ++level) {
        for (const WSetupComponent* c : components->Level(level)) {
            for (int type : kFileElementTypes) {
                for (const auto& element : c->Elements(type)) {
                    const std::string& name = element->GetSourceName();
                    std::string destination = ShipPath(name);
                    progress_.SetOperation(
                        "Copying file : " +
                        ShortenPath(destination.empty() ? name : destination, kPathDisplayLength));
                    progress_.SetFile(FileNameOf(name));
                    const std::string source = SourceOf(*c, *element);
                    if (destination.empty()) {
                        // A source name that would leave the ship folder is
                        // never written.
                        log_.Log(std::string(kCopyFailed) + " : " + name);
                        NoteFailure("the source name " + name + " leaves the ship folder");
                    } else {
                        const bool application = c->IsApplicationComponent();
                        shippedSize_ = -1;
                        if (WasWritten(destination)) {
                            // An earlier component of this build supplied it:
                            // the first supplier wins. The same file again
                            // (one application file installed in two places)
                            // is that one copy; another application file, or
                            // the application's and another's, cannot share
                            // the path, since one of them would be lost.
                            auto first = written_.find(PathKey(destination));
                            if (first != written_.end() && !first->second.shipped)
                                first = written_.end();
                            const bool same = first != written_.end() &&
                                              SameSourceFile(first->second.source, source);
                            const bool clash =
                                !same && (application ||
                                          (first != written_.end() && first->second.application));
                            log_.Log(std::string(clash ? kCopyFailed : kCopied) + " : " +
                                     destination);
                            if (clash) {
                                NoteFailure("two files have the path " + destination +
                                            " in the set: " +
                                            (first != written_.end()
                                                 ? DisplayPath(first->second.source) + " and "
                                                 : std::string()) +
                                            DisplayPath(source));
                            } else if (same && first->second.size >= 0) {
                                element->SetSize(static_cast<double>(first->second.size));
                            }
                        } else if (!MakeShipFolder(FolderOf(destination))) {
                            const std::string why = ErrnoText(destination);
                            log_.Log(std::string(kCopyFailed) + " : " + destination);
                            NoteFailure("cannot copy " + why);
                        } else if (!ShipFile(source, destination, packFromSources_)) {
                            return false;
                        } else {
                            // Only a file that is in the set supplies its path.
                            auto written = written_.find(PathKey(destination));
                            if (written != written_.end() && !written->second.shipped)
                                written->second = {true, application, shippedSize_, source};
                            // The scripts record the size of the file the set
                            // holds, not the one seen when it was added.
                            if (shippedSize_ >= 0)
                                element->SetSize(static_cast<double>(shippedSize_));
                        }
                    }
                    if (CheckCancel())
                        return false;
                    StepAndPump();
                }
            }
        }
    }
    return true;
}

void WMediaBuilder::WriteScripts(const std::string& setupFolder) {
    const bool comp = project_.WriteComponentScripts(setupFolder);
    log_.Log(comp ? "Comp.kvz successfully created" : "Error creating comp.kvz");
    if (!comp) {
        const std::string& why = project_.WriteError();
        NoteFailure("cannot write comp.kvz in " + DisplayPath(setupFolder) +
                    (why.empty() ? "" : " (" + why + ")"));
    }
    // Script generation gathers and releases the groups; the job keeps them.
    if (WCreatorManager* components = project_.Components())
        components->Gather();
    const bool product =
        project_.WriteProductScript(shipFolder_) && IsFile(JoinPath(setupFolder, kProductScript));
    log_.Log(product ? "Project.kvz successfully created" : "Error creating project.kvz");
    if (!product)
        NoteFailure("cannot write project.kvz in " + DisplayPath(setupFolder));
}

void WMediaBuilder::WriteTexts(const std::string& setupFolder) {
    if (SetCarriesText(project_, SetText::kLicense)) {
        const bool ok = WriteSetText(project_, SetText::kLicense, setupFolder);
        log_.Log(ok ? "License.txt successfully created " : "Error writing license.txt");
        if (!ok)
            NoteFailure("cannot write license.txt in " + DisplayPath(setupFolder));
    }
    if (SetCarriesText(project_, SetText::kRelease)) {
        const bool ok = WriteSetText(project_, SetText::kRelease, setupFolder);
        log_.Log(ok ? "Release.txt created successfully" : "Error writing release notes");
        if (!ok)
            NoteFailure("cannot write release.txt in " + DisplayPath(setupFolder));
    }
}

bool WMediaBuilder::ShipUserConfig() {
    const std::string& source = request_.userConfig;
    auto copyTo = [&](const char* folderName, const char* what) {
        const std::string folder = ShipPath(folderName);
        MakeFoldersBelow(shipFolder_, folder);
        // A component's file of that name, in any case, is replaced: on disk,
        // or staged under the name its copy would have had.
        std::string destination = packFromSources_
                                      ? ShipPath(std::string(folderName) + "\\" + kUserConfig)
                                      : FindInFolderNoCase(folder, kUserConfig);
        if (destination.empty())
            destination = JoinPath(folder, kUserConfig);
        std::string why;
        const bool ok = CopyFileData(source, destination, &why) == CopyOutcome::kCopied;
        log_.Log(std::string(ok ? "Successfully copied" : "Error copying") +
                 " the user's CFG file to the " + what + " directory");
        if (!ok)
            NoteFailure("cannot copy " + why);
    };
    if (AnySqlDriver(project_)) {
        if (!FreeSpaceFor(SizeOfTree(source), shipFolder_))
            return false;
        copyTo("Sql501", "SQL");
    }
    if (project_.BDEComponent)
        copyTo("Bde501", "BDE");
    return true;
}

}  // namespace vantrel
