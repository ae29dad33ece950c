// "Test Setup": runs the generated setup on this machine without building
// media. A new temporary folder inside the media folder (see
// CreateTempFolder) receives the engine's files, the three
// scripts and the license and release texts, but none of the application's
// or the components' files; then "setup32.exe" in it is started with the
// command line " /nocopy" (the engine copies nothing), the call waits until
// it ends, and the folder is removed with whatever the engine left in it.
#pragma once

#include <string>

#include "media/build_request.h"
#include "project/installation_rules.h"

namespace vantrel {

class WProjectData;

class WTestRun {
  public:
    struct Result {
        std::string folder;    // the temporary folder that was used
        bool started = false;  // the engine could be started
        int exitCode = -1;     // its exit status (128 + signal when a signal ended it)
        bool removed = false;  // the temporary folder is gone again
        std::string output;    // what the engine printed, when it was collected
    };

    // The folder a test run uses for the requested media folder: cleaned and
    // made absolute, or the private temporary folder when none is given.
    // Empty when there is none.
    static std::string FolderFor(const std::string& mediaFolder);
    // The request of a test run in `folder` (see FolderFor): the setup
    // engine's files as a media plan finds them in the installation.
    static WBuildRequest RequestFor(WProjectData& project, const std::string& folder);

    // Runs in a new temporary folder inside the request's media folder.
    // Nothing is reported to the user: copies that fail and an engine that
    // cannot be started leave their trace only in the result.
    // With `collectOutput`, what the engine prints is kept in the result
    // instead of going to this program's output.
    static Result Run(WProjectData& project, const WBuildRequest& request,
                      bool collectOutput = false);

    // Fills `folder` as the test run does, without starting anything.
    static void Prepare(WProjectData& project, const WBuildRequest& request,
                        const std::string& folder);

    static constexpr const char* kEngineProgram = kEngineStartProgram;
    static constexpr const char* kCommandLine = " /nocopy";
};

}  // namespace vantrel
