#include "archive/al_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

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

ALFile::~ALFile() {
    if (fd_ >= 0)
        ::close(fd_);
}

void ALFile::SetFolder(int folderFd, std::string leaf) {
    folderFd_ = folderFd;
    path_ = std::move(leaf);
}

std::string ALFile::NativeOf(const std::string& path) const {
    return ToNative(path).string();
}

int ALFile::Open() {
    if (IsOpen())
        Close();
    int rc = StartIo(Mode::kReading, "Open()");
    if (rc < 0)
        return rc;
    // O_NONBLOCK keeps a FIFO that a pattern happens to name from blocking
    // the open; such files are refused below.
    int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK;
    std::string native = NativeOf(path_);
    fd_ = folderFd_ >= 0 ? ::openat(folderFd_, native.c_str(), flags | O_NOFOLLOW)
                         : ::open(native.c_str(), flags);
    if (fd_ < 0) {
        int e = errno;
        EndIo();
        return status_.SetError(al::kCantOpenFile,
                                "File open failure.  Open of %s returned errno = %d", path_.c_str(),
                                e);
    }
    struct stat st;
    if (::fstat(fd_, &st) != 0) {
        int e = errno;
        Close();
        return status_.SetError(
            al::kCantOpenFile, "Couldn't get time, date, and size information for %s.  errno = %d.",
            path_.c_str(), e);
    }
    if (!S_ISREG(st.st_mode)) {
        Close();
        return status_.SetError(al::kCantOpenFile,
                                "File open failure.  Open of %s returned errno = %d", path_.c_str(),
                                S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    size_ = static_cast<int64_t>(st.st_size);
    timeDate = ALTimeDate::FromUnix(st.st_mtime);
    // Files here carry no archive bit; every file counts as changed since its
    // last backup, as a freshly copied file on Windows does.
    attributes = al_attr::kArchive;
    if ((st.st_mode & S_IWUSR) == 0)
        attributes |= al_attr::kReadOnly;
    return al::kSuccess;
}

int ALFile::OpenForWriting(const std::string& path) {
    int flags = O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    std::string native = NativeOf(path);
    if (folderFd_ >= 0) {
        fd_ = ::openat(folderFd_, native.c_str(), flags | O_NOFOLLOW, 0666);
    } else {
        fd_ = ::open(native.c_str(), flags, 0666);
        if (fd_ < 0 && errno == ENOENT && !FolderOf(path).empty()) {
            MakeFolders(FolderOf(path));
            fd_ = ::open(native.c_str(), flags, 0666);
        }
    }
    if (fd_ < 0) {
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
        std::string path =
            folderFd_ >= 0 || tempFolder_.empty() ? leaf : JoinPath(tempFolder_, leaf);
        tried = path;
        int flags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW;
        std::string native = NativeOf(path);
        fd_ = folderFd_ >= 0 ? ::openat(folderFd_, native.c_str(), flags, 0666)
                             : ::open(native.c_str(), flags, 0666);
        if (fd_ >= 0) {
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
    if (fd_ < 0) {
        EndIo();
        return status_.GetStatusCode();
    }
    bool writing = mode_ == Mode::kWriting;
    ALStorage::Close();
    if (writing && stampOnClose_ && status_.Ok()) {
        time_t t = timeDate.ToUnix();
        if (t != -1) {
            struct timespec times[2] = {{t, 0}, {t, 0}};
            ::futimens(fd_, times);
        }
        struct stat st;
        if ((attributes & al_attr::kReadOnly) && ::fstat(fd_, &st) == 0) {
            ::fchmod(fd_, st.st_mode & 07555);
        }
    }
    if (::close(fd_) != 0 && writing && status_.Ok()) {
        status_.SetError(al::kWriteError, "Write failure on %s.  result = %d, errno = %d",
                         path_.c_str(), -1, errno);
    }
    fd_ = -1;
    return status_.GetStatusCode();
}

int ALFile::LoadBuffer(int64_t address) {
    size_t got = 0;
    while (got < buffer_.size()) {
        ssize_t n = ::pread(fd_, buffer_.data() + got, buffer_.size() - got,
                            static_cast<off_t>(address) + static_cast<off_t>(got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            valid_ = got;
            return status_.SetError(al::kReadError, "Read failure on %s.  errno = %d",
                                    path_.c_str(), errno);
        }
        if (n == 0)
            break;
        got += static_cast<size_t>(n);
    }
    valid_ = got;
    return al::kSuccess;
}

int ALFile::FlushBuffer() {
    size_t done = 0;
    while (done < index_) {
        ssize_t n = ::pwrite(fd_, buffer_.data() + done, index_ - done,
                             static_cast<off_t>(bufferStart_) + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            return status_.SetError(al::kWriteError,
                                    "Write failure on %s.  result = %d, errno = %d", path_.c_str(),
                                    static_cast<int>(n), n < 0 ? errno : ENOSPC);
        }
        done += static_cast<size_t>(n);
    }
    return al::kSuccess;
}

int ALFile::Rename(const std::string& newName) {
    if (IsOpen())
        Close();
    std::string target = newName;
    if (folderFd_ < 0 && newName.find_first_of("\\/") == std::string::npos &&
        !FolderOf(path_).empty()) {
        target = JoinPath(FolderOf(path_), newName);
    }
    if (SameName(path_, target, caseSensitive_)) {
        return status_.SetError(
            al::kRenameError,
            "Error attempting to rename %s to %s.  Can't rename to the same name!", path_.c_str(),
            target.c_str());
    }
    std::string from = NativeOf(path_), to = NativeOf(target);
    int dirFd = folderFd_ >= 0 ? folderFd_ : AT_FDCWD;
    // The rename below replaces an existing file in one step; only a folder
    // in the way cannot be replaced, and is reported as the failure to
    // delete it first.
    struct stat st;
    if (::fstatat(dirFd, to.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode)) {
        return status_.SetError(al::kRenameError,
                                "Error deleting %s before renaming %s.  errno = %d", target.c_str(),
                                path_.c_str(), EISDIR);
    }
    if (::renameat(dirFd, from.c_str(), dirFd, to.c_str()) != 0) {
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
    std::string native = NativeOf(path_);
    int rc = folderFd_ >= 0 ? ::unlinkat(folderFd_, native.c_str(), 0) : ::unlink(native.c_str());
    if (rc != 0) {
        return status_.SetError(al::kDeleteError, "Error deleting file %s, errno = %d",
                                path_.c_str(), errno);
    }
    return al::kSuccess;
}

}  // namespace vantrel
