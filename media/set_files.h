// The texts that every set gets besides the application's and the
// components' files and the setup engine's (see WBuildRequest): the license
// and release texts. The media builder and the test run make them the same
// way.
#pragma once

#include <string>

namespace vantrel {

class WProjectData;

enum class SetText { kLicense, kRelease };

// The project shows the text, so the set carries it.
bool SetCarriesText(const WProjectData& project, SetText text);
// Writes the text into the set's "Setup" folder as license.txt or
// release.txt with CR LF line ends; the release notes are made read-only.
// False when the file cannot be written.
bool WriteSetText(const WProjectData& project, SetText text, const std::string& setupFolder);

}  // namespace vantrel
