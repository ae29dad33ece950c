#include "platform/files.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/file_checks.h"
#include "platform/file_handle.h"
#include "platform/files_native.h"
#include "platform/paths.h"
#include "platform/strings.h"

namespace fs = std::filesystem;

namespace vantrel {

namespace {

void SetError(std::string* error, std::string text) {
    if (error)
        *error = std::move(text);
}

bool InfoOf(std::string_view path, FileInfo& info) {
    return !path.empty() && GetFileInfo(path, info);
}

}  // namespace

std::string ErrnoText(std::string_view path) {
    return DisplayPath(path) + ": " + std::strerror(errno);
}

bool SameFileVersion(const FileInfo& before, const FileInfo& now) {
    return before.device == now.device && before.inode == now.inode && before.size == now.size &&
           before.modifiedNs == now.modifiedNs;
}

bool PathExists(std::string_view path) {
    FileInfo info;
    return InfoOf(path, info);
}

bool IsFile(std::string_view path) {
    FileInfo info;
    return InfoOf(path, info) && info.isFile;
}

bool IsFolder(std::string_view path) {
    FileInfo info;
    return InfoOf(path, info) && info.isFolder;
}

long long FileSizeOf(std::string_view path) {
    FileInfo info;
    if (!InfoOf(path, info) || !info.isFile)
        return -1;
    return static_cast<long long>(info.size);
}

bool ReadFileAtMost(std::string_view path, size_t limit, std::string& out, bool& tooLarge,
                    std::string* error) {
    out.clear();
    tooLarge = false;
    if (IsFolder(path)) {
        SetError(error, DisplayPath(path) + ": is a folder, not a file");
        return false;
    }
    FILE* f = OpenCFile(path, "rb");
    if (!f) {
        SetError(error, ErrnoText(path));
        return false;
    }
    char buf[65536];
    size_t n;
    while (out.size() <= limit &&
           (n = std::fread(buf, 1, std::min(sizeof buf, limit + 1 - out.size()), f)) > 0)
        out.append(buf, n);
    bool ok = !std::ferror(f);
    if (!ok)
        SetError(error, ErrnoText(path));
    std::fclose(f);
    if (ok && out.size() > limit) {
        out.clear();
        tooLarge = true;
        SetError(error, DisplayPath(path) + ": is larger than " + std::to_string(limit) + " bytes");
        return false;
    }
    return ok;
}

bool ReadWholeFile(std::string_view path, std::string& out, std::string* error) {
    bool tooLarge = false;
    return ReadFileAtMost(path, SIZE_MAX - 1, out, tooLarge, error);
}

namespace {

constexpr int kTemporarySuffixLength = 6;

// When this program started: temporary files older than that are no
// longer being written by it.
const std::time_t kRunStart = std::time(nullptr);

// A name for the new contents of `path`, hidden beside it: "." + the file's
// name + "." + six random letters or digits.
std::string TemporaryNameFor(std::string_view path) {
    static constexpr char kChars[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<size_t> pick(0, sizeof kChars - 2);
    std::string name(1, '.');
    name.append(FileNameOf(path));
    name.push_back('.');
    for (int i = 0; i < kTemporarySuffixLength; ++i)
        name.push_back(kChars[pick(random)]);
    return JoinPath(FolderOf(path), name);
}

bool IsTemporaryNameFor(const std::string& entry, const std::string& file) {
    const std::string prefix = "." + file + ".";
    if (entry.size() != prefix.size() + kTemporarySuffixLength ||
        entry.compare(0, prefix.size(), prefix) != 0)
        return false;
    return std::all_of(entry.begin() + static_cast<std::ptrdiff_t>(prefix.size()), entry.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// Removes what an interrupted write of `path` left: regular files of this
// user named as TemporaryNameFor names them, last written before this
// program started and at least a minute ago.
void RemoveStaleTemporaries(std::string_view path) {
    const std::string folder = FolderOf(path);
    const std::string file = FileNameOf(path);
    const std::time_t before = std::min<std::time_t>(kRunStart, std::time(nullptr) - 60);
    for (const std::string& entry : ListFolder(folder.empty() ? "." : folder, true, false)) {
        if (!IsTemporaryNameFor(entry, file))
            continue;
        const std::string stale = JoinPath(folder, entry);
        FileInfo info;
        if (GetFileInfo(stale, info, false) && info.isFile && OwnedByThisUser(stale) &&
            info.modified < before)
            RemoveFile(stale);
    }
}

}  // namespace

std::string FollowLinks(std::string_view path) {
    std::string current(path);
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        const fs::path native = ToNative(current);
        if (!fs::is_symlink(fs::symlink_status(native, ec)))
            return current;
        fs::path next = fs::read_symlink(native, ec);
        std::string text;
        if (ec || !FromNative(next, text))
            return current;
        current = next.is_absolute() ? text : JoinPath(FolderOf(current), text);
    }
    return std::string(path);
}

bool WriteFileAtomic(std::string_view givenPath, std::string_view data, std::string* error,
                     ReadOnlyFile readOnly, LinkAtPath link) {
    // Through a link the file it leads to is replaced and the link stays;
    // or the new file is renamed over the link itself.
    const std::string real =
        link == LinkAtPath::kFollow ? FollowLinks(givenPath) : std::string(givenPath);
    if (link == LinkAtPath::kReplace) {
        FileInfo own;
        if (GetFileInfo(real, own, false) && own.isFolder) {
            SetError(error, DisplayPath(givenPath) + ": is a folder, not a file");
            return false;
        }
    }
    const std::string_view path = real;
    if (link == LinkAtPath::kFollow && IsFolder(path)) {
        SetError(error, DisplayPath(givenPath) + ": is a folder, not a file");
        return false;
    }
    if (readOnly == ReadOnlyFile::kRefuse && IsReadOnlyFile(path)) {
        SetError(error, DisplayPath(givenPath) +
                            ": the file is read-only; it was not replaced (make it writable to "
                            "save over it)");
        errno = EACCES;
        return false;
    }
    RemoveStaleTemporaries(path);
    std::string temp;
    FileHandle file;
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = TemporaryNameFor(path);
        if (file.Open(temp, FileHandle::Mode::kCreateNew, 0600) || errno != EEXIST)
            break;
    }
    if (!file.IsOpen()) {
        SetError(error, ErrnoText(path));
        return false;
    }
    bool ok = file.WriteAll(data.data(), data.size()) && file.Sync();
    if (!ok)
        SetError(error, ErrnoText(path));
    file.SetPermissions(ReplacementPermissions(path, link == LinkAtPath::kFollow));
    if (!file.Close() && ok) {
        ok = false;
        SetError(error, ErrnoText(path));
    }
    if (ok && !RenameFile(temp, path)) {
        ok = false;
        SetError(error, ErrnoText(path));
    }
    if (!ok) {
        const int saved = errno;
        RemoveFile(temp);
        errno = saved;
    }
    return ok;
}

std::string RealPath(std::string_view path) {
    std::error_code ec;
    const fs::path real = fs::weakly_canonical(ToNative(path), ec);
    std::string out;
    if (ec || !FromNative(real, out))
        return std::string(path);
    return StripTrailingSeparators(out);
}

bool IsSameOrBelow(std::string_view inner, std::string_view outer) {
    const std::string_view o =
        outer.size() > 1 && outer.back() == '/' ? outer.substr(0, outer.size() - 1) : outer;
    if (inner.size() < o.size() || inner.substr(0, o.size()) != o)
        return false;
    return inner.size() == o.size() || o == "/" || inner[o.size()] == '/';
}

bool MakeFoldersBelow(std::string_view root, std::string_view folder) {
    auto slashes = [](std::string_view p) {
        std::string out = StripTrailingSeparators(p);
        std::replace(out.begin(), out.end(), '\\', '/');
        return out;
    };
    const std::string top = slashes(root);
    const std::string path = slashes(folder);
    if (!IsSameOrBelow(path, top)) {
        errno = EINVAL;
        return false;
    }
    if (!IsFolder(top) && !MakeFolders(top))
        return false;
    std::string current = top;
    for (const std::string& part : Split(path.substr(top.size()), '/')) {
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            errno = EINVAL;
            return false;
        }
        current = JoinPath(current, part);
        FileInfo info;
        if (GetFileInfo(current, info, false)) {
            if (info.isFolder)
                continue;
            if (!info.isLink) {
                errno = ENOTDIR;
                return false;
            }
            // A link where a folder goes: the link goes, a folder comes.
            if (!RemoveFile(current))
                return false;
        } else if (errno != ENOENT) {
            return false;
        }
        if (!MakeFolder(current) && errno != EEXIST)
            return false;
        if (!GetFileInfo(current, info, false) || !info.isFolder) {
            errno = ENOTDIR;
            return false;
        }
    }
    return true;
}

bool RemoveLinkAt(std::string_view path) {
    FileInfo info;
    if (!GetFileInfo(path, info, false) || !info.isLink)
        return true;
    return RemoveFile(path);
}

bool CopyOneFile(std::string_view from, std::string_view to, std::string* error) {
    std::error_code ec;
    fs::copy_file(ToNative(from), ToNative(to), fs::copy_options::overwrite_existing, ec);
    if (ec) {
        SetError(error, DisplayPath(from) + " -> " + DisplayPath(to) + ": " + ec.message());
        return false;
    }
    return true;
}

bool MakeFolders(std::string_view path, std::string* error) {
    std::error_code ec;
    fs::create_directories(ToNative(path), ec);
    if (IsFolder(path))
        return true;
    SetError(error, DisplayPath(path) + ": " + (ec ? ec.message() : "cannot create the folder"));
    return false;
}

std::string FindInFolderNoCase(std::string_view folder, std::string_view name) {
    std::string exact = JoinPath(folder, name);
    if (PathExists(exact))
        return exact;
    std::error_code ec;
    fs::path dir = folder.empty() ? fs::path(".") : ToNative(folder);
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string entry;
        if (!FromNative(it->path().filename(), entry))
            continue;
        if (EqualsNoCase(entry, name))
            return JoinPath(folder, entry);
    }
    return {};
}

std::string ResolveNoCase(std::string_view path) {
    if (path.empty() || PathExists(path))
        return std::string(path);
    std::string folder = FolderOf(path);
    std::string name = FileNameOf(path);
    if (name.empty())
        return std::string(path);
    std::string resolvedFolder = folder.empty() ? folder : ResolveNoCase(folder);
    if (!folder.empty() && !IsFolder(resolvedFolder))
        return std::string(path);
    std::string found = FindInFolderNoCase(resolvedFolder, name);
    return found.empty() ? std::string(path) : found;
}

std::vector<std::string> ListFolder(std::string_view folder, bool files, bool folders) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(ToNative(folder), ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code ec2;
        bool dir = it->is_directory(ec2);
        if ((dir && !folders) || (!dir && !files))
            continue;
        std::string entry;
        if (FromNative(it->path().filename(), entry))
            names.push_back(entry);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace vantrel
