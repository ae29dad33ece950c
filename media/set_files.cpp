#include "media/set_files.h"

#include "media/file_copy.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/text_file.h"
#include "project/project_data.h"
#include "script/disk_utils.h"
#include "script/set_layout.h"

namespace vantrel {

bool SetCarriesText(const WProjectData& project, SetText text) {
    return text == SetText::kLicense ? project.DisplayLicense != 0 : project.DisplayRelease != 0;
}

bool WriteSetText(const WProjectData& project, SetText text, const std::string& setupFolder) {
    // A link at the name is replaced by the text, never written through.
    if (text == SetText::kLicense)
        return WriteFileAtomic(JoinPath(setupFolder, kLicenseFile), ToCrLf(project.LicenseText),
                               nullptr, ReadOnlyFile::kReplace, LinkAtPath::kReplace);
    const std::string path = JoinPath(setupFolder, kReleaseFile);
    return WriteFileAtomic(path, ToCrLf(project.ReleaseText), nullptr, ReadOnlyFile::kReplace,
                           LinkAtPath::kReplace) &&
           SetReadOnly(path, true);
}

}  // namespace vantrel
