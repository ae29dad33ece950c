#include "script/disk_utils.h"

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <random>

#include "platform/file_handle.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/strings.h"
#include "platform/text_file.h"
#include "platform/volumes.h"

namespace vantrel {

namespace {

std::mutex g_shareMutex;
std::vector<std::string> g_shareRoots;

// A file of our own for a write test or a copy: created only when no file of
// that name exists, so nothing of the user's is ever overwritten.
bool CreateNewFile(std::string_view path) {
    FileHandle file;
    return file.Open(path, FileHandle::Mode::kCreateNew, 0600);
}

bool CopyToNewFile(std::string_view from, std::string_view to) {
    std::string data;
    if (!ReadWholeFile(from, data))
        return false;
    FileHandle file;
    if (!file.Open(to, FileHandle::Mode::kCreateNew))
        return false;
    bool ok = file.WriteAll(data.data(), data.size());
    if (!file.Close())
        ok = false;
    if (!ok)
        RemoveFile(to);
    return ok;
}

std::mt19937& Random() {
    thread_local std::mt19937 engine{std::random_device{}()};
    return engine;
}

}  // namespace

std::string ShortenPath(std::string_view path, int length) {
    if (length < 0)
        length = 0;
    if (path.size() < static_cast<size_t>(length))
        return std::string(path);
    const bool slash =
        path.find('/') != std::string_view::npos && path.find('\\') == std::string_view::npos;
    const char sep = slash ? '/' : '\\';
    std::string_view head = path.substr(0, static_cast<size_t>(length));
    // Drop the partly cut name, then one more part, so that "\...\" stands
    // for at least one whole folder.
    for (int cut = 0; cut < 2; ++cut) {
        size_t p = head.rfind(sep);
        head = p == std::string_view::npos ? std::string_view() : head.substr(0, p);
    }
    size_t last = path.rfind(sep);
    std::string_view name = last == std::string_view::npos ? path : path.substr(last + 1);
    std::string out(head);
    out += sep;
    out += "...";
    out += sep;
    out += name;
    return out;
}

std::string FormatSizeDecimal(double bytes) {
    const double kb = bytes / 1000.0;
    const double mb = kb / 1000.0;
    const double gb = mb / 1000.0;
    const double tb = gb / 1000.0;
    const struct {
        double value;
        const char* unit;
    } units[] = {{tb, "TB"}, {gb, "GB"}, {mb, "MB"}};
    for (auto& u : units) {
        if (u.value >= 1.0) {
            return Format(u.value >= 10.0 ? "%0.1f %s" : "%0.2f %s", u.value, u.unit);
        }
    }
    return Format("%0.0f KB", kb);
}

std::string FormatSizeBinary(double bytes) {
    const double mb = bytes / 1024.0 / 1024.0;
    if (mb >= 10.0)
        return Format("%0.0f MB", mb);
    if (mb >= 1.0)
        return Format("%0.1f MB", mb);
    return Format("%0.0f KB", bytes / 1024.0);
}

double GetFreeSpace(std::string_view path) {
    return static_cast<double>(FreeBytesOf(path));
}

std::string GetPathRoot(std::string_view path) {
    std::string p = Trim(path);
    std::replace(p.begin(), p.end(), '/', '\\');
    if (StartsWith(p, "\\\\")) {
        {
            std::lock_guard<std::mutex> lock(g_shareMutex);
            for (auto& root : g_shareRoots) {
                // The root must end where a part of the path ends: "\\srv\sh"
                // is not the root of "\\srv\shared".
                if (StartsWithNoCase(p, root) &&
                    (p.size() == root.size() || p[root.size()] == '\\')) {
                    return root;
                }
            }
        }
        // No share can be connected from here to find a deeper root, so the
        // share itself is taken.
        std::vector<std::string> parts = Split(p, '\\');
        if (parts.size() > 3 && !parts[2].empty() && !parts[3].empty()) {
            return "\\\\" + parts[2] + "\\" + parts[3];
        }
        return {};
    }
    // A local path of this host: its volume's mount point.
    if (StartsWith(p, "\\"))
        return MountPointOf(Trim(path));
    size_t colon = p.find(':');
    if (colon == 1 && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'))) {
        return p.substr(0, 2);
    }
    return {};
}

void RememberShareRoot(std::string_view root) {
    std::string r = Trim(root);
    std::replace(r.begin(), r.end(), '/', '\\');
    while (r.size() > 2 && r.back() == '\\')
        r.pop_back();
    if (!StartsWith(r, "\\\\") || r.size() <= 2)
        return;
    std::lock_guard<std::mutex> lock(g_shareMutex);
    for (auto& known : g_shareRoots) {
        if (EqualsNoCase(known, r))
            return;
    }
    g_shareRoots.push_back(r);
}

void ForgetShareRoots() {
    std::lock_guard<std::mutex> lock(g_shareMutex);
    g_shareRoots.clear();
}

bool FileExists(std::string_view path) {
    if (path.empty() || !IsFile(path))
        return false;
    FileHandle file;
    return file.Open(path, FileHandle::Mode::kRead);
}

bool CreateFolderPath(std::string_view path, std::vector<std::string>* created) {
    if (created)
        created->clear();
    std::string p = StripTrailingSeparators(Trim(path));
    if (p.empty())
        return false;
    // The folder and its missing parents, innermost first.
    std::vector<std::string> missing;
    for (std::string f = p; !f.empty() && !PathExists(f);) {
        missing.push_back(f);
        std::string parent = FolderOf(f);
        if (parent == f)
            break;
        f = parent;
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        if (!MakeFolder(*it) && !IsFolder(*it))
            return IsFolder(p);
        if (created)
            created->push_back(*it);
    }
    return IsFolder(p);
}

bool CanWriteToFolder(std::string_view folder) {
    std::string dir = StripTrailingSeparators(Trim(folder));
    if (dir.empty())
        return false;
    std::vector<std::string> created;
    if (!IsFolder(dir) && !CreateFolderPath(dir, &created)) {
        for (auto it = created.rbegin(); it != created.rend(); ++it)
            RemoveEmptyFolder(*it);
        return false;
    }
    // "1234567890.tmp" is the test file; a file of that name that is already
    // there belongs to someone else and is left alone.
    bool ok = false;
    for (int i = 0; i < 100 && !ok; ++i) {
        std::string name = i == 0 ? "1234567890.tmp" : Format("1234567890-%d.tmp", i);
        std::string probe = JoinPath(dir, name);
        if (CreateNewFile(probe)) {
            ok = true;
            RemoveFile(probe);
        } else if (errno != EEXIST) {
            break;
        }
    }
    for (auto it = created.rbegin(); it != created.rend(); ++it)
        RemoveEmptyFolder(*it);
    return ok;
}

std::string MakeUniqueName(std::string_view base) {
    std::uniform_int_distribution<int> digits(0, 99999);
    for (int i = 0; i < 100; ++i) {
        std::string name = std::string(base) + Format("%05d", digits(Random()));
        if (!PathExists(name))
            return name;
    }
    return {};
}

std::string MakeTempFolderName(std::string_view parent) {
    for (int n = 0; n < 100; ++n) {
        std::string name = JoinPath(parent, Format("~ZLT0%02d", n));
        if (!PathExists(name))
            return name;
    }
    return JoinPath(parent, "~ZLTXXX");
}

std::string CreateTempFolder(std::string_view parent) {
    for (int n = 0; n < 100; ++n) {
        std::string name = JoinPath(parent, Format("~ZLT0%02d", n));
        if (MakeFolder(name))
            return name;
        if (errno != EEXIST)
            return {};
    }
    return MakeUniqueFolder(parent, "~ZLT");
}

bool ReplaceFileAtRestart(std::string_view, std::string_view, std::string* why) {
    if (why)
        *why = kNoRestartOperations;
    return false;
}

bool DeleteFileAtRestart(std::string_view path, std::string* why) {
    return ReplaceFileAtRestart({}, path, why);
}

bool AppendToWininitRename(std::string_view wininitPath, const std::vector<std::string>& lines) {
    std::vector<std::string> file;
    if (PathExists(wininitPath) && !ReadTextLines(wininitPath, file))
        return false;
    // Where the section's lines end: after its last line that is not blank.
    size_t insertAt = std::string::npos;
    for (size_t i = 0; i < file.size(); ++i) {
        if (!EqualsNoCase(Trim(file[i]), "[rename]"))
            continue;
        insertAt = i + 1;
        for (size_t j = i + 1; j < file.size() && !StartsWith(TrimLeft(file[j]), "["); ++j) {
            if (!Trim(file[j]).empty())
                insertAt = j + 1;
        }
        break;
    }
    if (insertAt == std::string::npos) {
        file.push_back("[rename]");
        insertAt = file.size();
    }
    file.insert(file.begin() + static_cast<long>(insertAt), lines.begin(), lines.end());
    return WriteFileAtomic(wininitPath, JoinLinesCrLf(file, true));
}

bool ScheduleDeleteInWininit(std::string_view windowsFolder, std::string_view path) {
    if (Trim(path).empty())
        return false;
    return AppendToWininitRename(JoinPath(windowsFolder, "WININIT.INI"),
                                 {"NUL=" + std::string(path)});
}

bool ScheduleReplaceInWininit(std::string_view windowsFolder, std::string_view source,
                              std::string_view target) {
    if (Trim(target).empty() || !FileExists(source))
        return false;
    std::string folder = FolderOf(target);
    if (!folder.empty() && !CreateFolderPath(folder))
        return false;
    std::string copy;
    for (int tries = 0; tries < 3 && copy.empty(); ++tries) {
        std::string candidate = MakeUniqueName(JoinPath(folder, "~ZL"));
        if (!candidate.empty() && CopyToNewFile(source, candidate))
            copy = candidate;
    }
    if (copy.empty())
        return false;
    std::string t(target);
    if (!AppendToWininitRename(JoinPath(windowsFolder, "WININIT.INI"),
                               {"NUL=" + t, t + "=" + copy})) {
        RemoveFile(copy);
        return false;
    }
    return true;
}

}  // namespace vantrel
