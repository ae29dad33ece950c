#include "media/build_request.h"

#include "platform/paths.h"
#include "script/set_layout.h"

namespace vantrel {

std::vector<std::string> WBuildRequest::RootEngineFiles() const {
    std::vector<std::string> root;
    for (int i = 0; i <= engineRootLast && i < static_cast<int>(engineFiles.size()); ++i)
        root.push_back(engineFiles[i]);
    return root;
}

std::string WBuildRequest::EngineFileDestination(size_t index, const std::string& setFolder) const {
    const std::string& source = engineFiles.at(index);
    const bool root = static_cast<int>(index) <= engineRootLast;
    return JoinPath(root ? setFolder : JoinPath(setFolder, kSetupFolder), FileNameOf(source));
}

}  // namespace vantrel
