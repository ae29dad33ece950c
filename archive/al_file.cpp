#include "archive/al_file.h"

#include <cerrno>

#include "platform/build_time.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"

namespace vantrel {

namespace {

constexpr int kTemporaryNames = 1000;

bool SameName(const std::string& a, const std::string& b, bool caseSensitive) {
    return caseSensitive ? a == b : EqualsNoCase(a, b);
}

}  // namespace

ALFile::ALFile(std::string name, std::string path, size_t bufferSize)
    : ALStorage(std::move(name), bufferSize), path_(path.empty() ? name_ : std::move(path)) {}

ALFile::~ALFile() = default;

void ALFile::SetFolder(const FileHandle& folder, std::string leaf) {
    folder_ = &folder;
    path_ = std::move(leaf);
}

bool ALFile::OpenFile(const std::string& path, FileHandle::Mode mode) {
    return folder_ ? file_.OpenIn(*folder_, path, mode) : file_.Open(path, mode);
}

int ALFile::Open() {
    if (IsOpen())
        Close();
    int rc = StartIo(Mode::kReading, "Open()");
    if (rc < 0)
        return rc;
    // Regular files only, and a FIFO that a pattern happens to name is
    // refused without blocking the open.
    FileInfo st;
    const bool opened = folder_ ? file_.OpenIn(*folder_, path_, FileHandle::Mode::kReadFileOnly)
                                : file_.OpenFileOnly(path_, st);
    if (!opened) {
        int e = errno;
        EndIo();
        return status_.SetError(al::kCantOpenFile,
                                "File open failure.  Open of %s returned errno = %d", path_.c_str(),
                                e);
    }
    if (folder_ && !file_.Info(st)) {
        int e = errno;
        Close();
        return status_.SetError(
            al::kCantOpenFile, "Couldn't get time, date, and size information for %s.  errno = %d.",
            path_.c_str(), e);
    }
    // A file that one read of the buffer takes needs no read-ahead advice.
    if (st.size > static_cast<int64_t>(bufferSize_))
        file_.HintSequential();
    size_ = st.size;
    // A reproducible build fixes every member's time.
    int64_t fixed = 0;
    timeDate =
        ALTimeDate::FromUnix(static_cast<time_t>(FixedBuildTime(fixed) ? fixed : st.modified));
    // Files here carry no archive bit; every file counts as changed since its
    // last backup, as a freshly copied file on Windows does.
    attributes = al_attr::kArchive;
    if ((st.permissions & 0200) == 0)
        attributes |= al_attr::kReadOnly;
    return al::kSuccess;
}

int ALFile::OpenForWriting(const std::string& path) {
    bool opened = OpenFile(path, FileHandle::Mode::kWrite);
    if (!opened && !folder_ && errno == ENOENT && !FolderOf(path).empty()) {
        MakeFolders(FolderOf(path));
        opened = OpenFile(path, FileHandle::Mode::kWrite);
    }
    if (!opened) {
        int e = errno;
        EndIo();
        return status_.SetError(al::kCantOpenFile,
                                "File creation failure.  Open of %s returned errno = %d",
                                path.c_str(), e);
    }
    return al::kSuccess;
}

int ALFile::CreateTemporary() {
    std::string tried;
    for (int n = 0; n < kTemporaryNames; ++n) {
        std::string leaf = Format("~al~%03d.tmp", n);
        std::string path = folder_ || tempFolder_.empty() ? leaf : JoinPath(tempFolder_, leaf);
        tried = path;
        if (OpenFile(path, FileHandle::Mode::kCreateNew)) {
            path_ = path;
            if (name_.empty())
                name_ = path;
            return al::kSuccess;
        }
        if (errno == EEXIST || errno == EACCES)
            continue;
        int e = errno;
        EndIo();
        return status_.SetError(al::kCantOpenFile,
                                "Temporary file creation failure.  Open of %s returned errno = %d",
                                path.c_str(), e);
    }
    EndIo();
    return status_.SetError(al::kCantOpenFile,
                            "Temporary file creation failure.  Tried %d times to open %s (or a "
                            "name something like that).",
                            kTemporaryNames, tried.c_str());
}

int ALFile::Create() {
    if (IsOpen())
        Close();
    int rc = StartIo(Mode::kWriting, "Open()");
    if (rc < 0)
        return rc;
    return path_.empty() ? CreateTemporary() : OpenForWriting(path_);
}

int ALFile::Close() {
    if (!file_.IsOpen()) {
        EndIo();
        return status_.GetStatusCode();
    }
    bool writing = mode_ == Mode::kWriting;
    ALStorage::Close();
    if (writing && stampOnClose_ && status_.Ok()) {
        time_t t = timeDate.ToUnix();
        if (t != -1)
            file_.SetModified(t);
        FileInfo st;
        if ((attributes & al_attr::kReadOnly) && file_.Info(st))
            file_.SetPermissions(st.permissions & 07555);
    }
    if (!file_.Close() && writing && status_.Ok()) {
        status_.SetError(al::kWriteError, "Write failure on %s.  result = %d, errno = %d",
                         path_.c_str(), -1, errno);
    }
    return status_.GetStatusCode();
}

int ALFile::LoadBuffer(int64_t address) {
    size_t got = 0;
    const bool ok = file_.ReadFullAt(address, buffer_.data(), buffer_.size(), got);
    valid_ = got;
    if (!ok) {
        return status_.SetError(al::kReadError, "Read failure on %s.  errno = %d", path_.c_str(),
                                errno);
    }
    return al::kSuccess;
}

int ALFile::FlushBuffer() {
    if (!file_.WriteAllAt(bufferStart_, buffer_.data(), index_)) {
        return status_.SetError(al::kWriteError, "Write failure on %s.  result = %d, errno = %d",
                                path_.c_str(), -1, errno);
    }
    return al::kSuccess;
}

int ALFile::Rename(const std::string& newName) {
    if (IsOpen())
        Close();
    std::string target = newName;
    if (!folder_ && newName.find_first_of("\\/") == std::string::npos && !FolderOf(path_).empty()) {
        target = JoinPath(FolderOf(path_), newName);
    }
    if (SameName(path_, target, caseSensitive_)) {
        return status_.SetError(
            al::kRenameError,
            "Error attempting to rename %s to %s.  Can't rename to the same name!", path_.c_str(),
            target.c_str());
    }
    // The rename below replaces an existing file in one step; only a folder
    // in the way cannot be replaced, and is reported as the failure to
    // delete it first.
    FileInfo st;
    if ((folder_ ? folder_->InfoIn(target, st) : GetFileInfo(target, st, false)) && st.isFolder) {
        return status_.SetError(al::kRenameError,
                                "Error deleting %s before renaming %s.  errno = %d", target.c_str(),
                                path_.c_str(), EISDIR);
    }
    if (!(folder_ ? folder_->RenameIn(path_, target) : RenameFile(path_, target))) {
        return status_.SetError(al::kRenameError, "Error renaming %s to %s.  errno = %d",
                                path_.c_str(), target.c_str(), errno);
    }
    if (name_ == path_) {
        name_ = target;
    } else {
        name_ = newName;
    }
    path_ = target;
    return al::kSuccess;
}

int ALFile::RenameToBackup() {
    size_t sep = path_.find_last_of("\\/");
    size_t dot = path_.find_last_of('.');
    std::string target = path_;
    if (dot != std::string::npos && (sep == std::string::npos || dot > sep))
        target.resize(dot);
    target += ".bak";
    int rc = Rename(target);
    if (rc < 0) {
        std::string detail = status_.GetStatusDetail();
        return status_.SetError(al::kBackupFailure, "%s", detail.c_str());
    }
    return rc;
}

int ALFile::Delete() {
    if (IsOpen())
        Close();
    if (!(folder_ ? folder_->RemoveIn(path_) : RemoveFile(path_))) {
        return status_.SetError(al::kDeleteError, "Error deleting file %s, errno = %d",
                                path_.c_str(), errno);
    }
    return al::kSuccess;
}

}  // namespace vantrel
