// What the private temporary folder gives on every system.
#include "platform/temp_folder.h"

#include <atomic>
#include <string>

#include "platform/files.h"
#include "platform/paths.h"

namespace vantrel {

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
