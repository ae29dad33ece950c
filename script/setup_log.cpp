#include "script/setup_log.h"

#include <cstdio>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/system_folders.h"

namespace vantrel {

WSetupLog::WSetupLog()
    : path_(JoinPath(JoinPath(TheSystemFolders().WindowsFolder(), "Oxbel"), "Setup.log")) {}

void WSetupLog::SetPath(std::string_view path, bool append) {
    if (!path.empty()) {
        path_ = std::string(path);
        held_.Close();
    }
    append_ = append;
}

bool WSetupLog::Log(std::string_view text, int level) {
    if (level < threshold_)
        return false;
    return Write(text);
}

bool WSetupLog::Log(std::string_view text) {
    return Write(text);
}

void WSetupLog::Release() {
    hold_ = false;
    held_.Close();
}

bool WSetupLog::Write(std::string_view text) {
    const bool first = openCount_ == 0;
    if (first) {
        std::string folder = FolderOf(path_);
        if (!folder.empty())
            MakeFolders(folder);
    }
    if (hold_) {
        if (!held_.IsOpen()) {
            const auto mode =
                first && !append_ ? FileHandle::Mode::kReplace : FileHandle::Mode::kAppend;
            if (!held_.Open(path_, mode))
                return false;
            ++openCount_;
        }
        std::string line;
        line.reserve(text.size() + 2);
        line.append(text).append("\r\n");
        return held_.WriteAll(line.data(), line.size());
    }
    FILE* f = OpenCFile(path_, first && !append_ ? "wb" : "ab");
    if (!f)
        return false;
    ++openCount_;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size() &&
              std::fwrite("\r\n", 1, 2, f) == 2 && std::fflush(f) == 0;
    if (std::fclose(f) != 0)
        ok = false;
    return ok;
}

}  // namespace vantrel
