// "Test Setup": runs the generated setup on this machine without building
// media. A temporary folder "~ZLT000" ... "~ZLT099" ("~ZLTXXX" when all are
// taken) inside the media folder receives the engine's files, the three
// scripts and the license and release texts, but none of the application's
// or the components' files; then "setup32.exe" in it is started with the
// command line " /nocopy" (the engine copies nothing), the call waits until
// it ends, and the folder is removed with whatever the engine left in it.
#pragma once

#include <string>

namespace vantrel {

class WProjectData;

class WTestSetup {
  public:
    struct Result {
        std::string folder;    // the temporary folder that was used
        bool started = false;  // the engine could be started
        int exitCode = -1;     // its exit status (128 + signal when a signal ended it)
        bool removed = false;  // the temporary folder is gone again
    };

    // The project must have its EngineFiles and EngineRootLast set (see
    // WMediaPlan::ApplyEngineFiles). Nothing is reported to the user: copies
    // that fail and an engine that cannot be started leave their trace only
    // in the result.
    static Result Run(WProjectData& project, const std::string& mediaFolder);

    // Fills `folder` as the test run does, without starting anything.
    static void Prepare(WProjectData& project, const std::string& folder);

    static constexpr const char* kEngineProgram = "setup32.exe";
    static constexpr const char* kCommandLine = " /nocopy";
};

}  // namespace vantrel
