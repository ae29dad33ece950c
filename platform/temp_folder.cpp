#include "platform/temp_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "platform/files.h"
#include "platform/paths.h"

namespace vantrel {

namespace {

std::string g_folder;
std::once_flag g_once;
pid_t g_owner = 0;

void RemoveAtExit() {
    // A child made by fork must not remove its parent's folder.
    if (!g_folder.empty() && ::getpid() == g_owner)
        RemoveTree(g_folder);
}

void Create() {
    const char* base = std::getenv("TMPDIR");
    std::string tmpl = std::string(base && *base ? base : "/tmp") + "/vantrel-XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    if (::mkdtemp(name.data()) == nullptr)
        return;
    ::chmod(name.data(), 0700);
    std::string engine;
    if (!FromNative(name.data(), engine)) {
        ::rmdir(name.data());
        return;
    }
    g_folder = engine;
    g_owner = ::getpid();
    std::atexit(RemoveAtExit);
}

}  // namespace

const std::string& PrivateTempFolder() {
    std::call_once(g_once, Create);
    return g_folder;
}

std::string PrivateTempPath(const std::string& stem, const std::string& extension) {
    static std::atomic<unsigned> counter{0};
    const std::string& folder = PrivateTempFolder();
    if (folder.empty())
        return {};
    for (;;) {
        std::string name = stem + "-" + std::to_string(++counter) + extension;
        std::string path = JoinPath(folder, name);
        if (!PathExists(path))
            return path;
    }
}

}  // namespace vantrel
