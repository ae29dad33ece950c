// The files that every set gets besides the application's and the
// components': the setup engine's files and the license and release texts.
// The media builder and the test run make them the same way.
#pragma once

#include <cstddef>
#include <string>

namespace vantrel {

class WProjectData;

// Where the setup engine's file EngineFiles[index] goes in the set at
// `setFolder`: its root for the files up to EngineRootLast, its "Setup"
// folder for the rest; the file keeps its name.
std::string EngineFileDestination(const WProjectData& project, size_t index,
                                  const std::string& setFolder);

enum class SetText { kLicense, kRelease };

// The project shows the text, so the set carries it.
bool SetCarriesText(const WProjectData& project, SetText text);
// Writes the text into the set's "Setup" folder as license.txt or
// release.txt with CR LF line ends; the release notes are made read-only.
// False when the file cannot be written.
bool WriteSetText(const WProjectData& project, SetText text, const std::string& setupFolder);

}  // namespace vantrel
