#include "platform/files_below.h"

#include <cerrno>
#include <functional>

#include "platform/strings.h"

namespace vantrel {

namespace {

// errno for a part that could not be opened as a folder: a link or another
// kind of file is named as such.
void ExplainFailure(const FileHandle& parent, const std::string& name) {
    const int saved = errno;
    FileInfo info;
    if (parent.InfoIn(name, info)) {
        if (info.isLink) {
            errno = ELOOP;
            return;
        }
        if (!info.isFolder) {
            errno = ENOTDIR;
            return;
        }
    }
    errno = saved;
}

bool Replace(const FileHandle& folder, std::string_view name, unsigned permissions,
             const std::function<bool(FileHandle&)>& write) {
    FileInfo before;
    const bool existed = folder.InfoIn(name, before);
    if (existed && before.isLink) {
        errno = ELOOP;
        return false;
    }
    if (existed && !before.isFile) {
        errno = before.isFolder ? EISDIR : EINVAL;
        return false;
    }
    FileHandle out;
    std::string temp;
    for (int n = 1;; ++n) {
        temp = std::string(name) + Format(".~%d", n);
        if (out.OpenIn(folder, temp, FileHandle::Mode::kCreateNew, permissions))
            break;
        if (errno != EEXIST || n >= 100)
            return false;
    }
    bool ok = write(out) && (!existed || out.SetPermissions(before.permissions & 07777));
    int error = ok ? 0 : errno;
    if (!out.Close() && ok) {
        ok = false;
        error = errno;
    }
    // The name may have become a link since it was looked at; the rename
    // would replace that link, never write through it.
    if (ok && folder.RenameIn(temp, name))
        return true;
    if (ok)
        error = errno;
    folder.RemoveIn(temp);
    errno = error;
    return false;
}

}  // namespace

bool OpenFolderBelow(const FileHandle& root, std::string_view relative, FileHandle& folder,
                     std::vector<std::string>* made, std::string* failedAt) {
    std::vector<std::string> parts;
    if (!relative.empty())
        parts = Split(std::string(relative), '/');
    for (const std::string& p : parts) {
        if (p.empty() || p == "." || p == "..") {
            if (failedAt)
                *failedAt = std::string(relative);
            errno = EINVAL;
            return false;
        }
    }
    if (!folder.OpenIn(root, ".", FileHandle::Mode::kFolder))
        return false;
    std::string path;
    for (const std::string& part : parts) {
        path += (path.empty() ? "" : "/") + part;
        FileHandle next;
        bool ok = next.OpenIn(folder, part, FileHandle::Mode::kFolder);
        if (!ok && errno == ENOENT && made) {
            if (folder.MakeFolderIn(part)) {
                made->push_back(path);
            } else if (errno != EEXIST) {
                if (failedAt)
                    *failedAt = path;
                return false;
            }
            ok = next.OpenIn(folder, part, FileHandle::Mode::kFolder);
        }
        if (!ok) {
            ExplainFailure(folder, part);
            if (failedAt)
                *failedAt = path;
            folder.Close();
            return false;
        }
        folder = std::move(next);
    }
    return true;
}

bool ReadFileIn(const FileHandle& folder, std::string_view name, std::string& out) {
    out.clear();
    FileHandle in;
    if (!in.OpenIn(folder, name, FileHandle::Mode::kReadFileOnly))
        return false;
    char buffer[65536];
    for (;;) {
        size_t got = 0;
        if (!in.ReadFull(buffer, sizeof buffer, got))
            return false;
        out.append(buffer, got);
        if (got < sizeof buffer)
            return true;
    }
}

bool ReplaceFileIn(const FileHandle& folder, std::string_view name, std::string_view data,
                   unsigned permissions) {
    return Replace(folder, name, permissions,
                   [&](FileHandle& out) { return out.WriteAll(data.data(), data.size()); });
}

bool ReplaceFileIn(const FileHandle& folder, std::string_view name, FileHandle& source,
                   unsigned permissions) {
    return Replace(folder, name, permissions, [&](FileHandle& out) {
        char buffer[65536];
        for (;;) {
            size_t got = 0;
            if (!source.ReadFull(buffer, sizeof buffer, got) || !out.WriteAll(buffer, got))
                return false;
            if (got < sizeof buffer)
                return true;
        }
    });
}

}  // namespace vantrel
