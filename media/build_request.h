// What one build of the media makes, fixed before it starts. WMediaPlan
// works it out from the project and the installation; the media builder, the
// floppy set and the test run read it. A build takes the project's
// components and generated scripts from the project and everything else from
// here, so nothing of a build is written back into the project.
#pragma once

#include <string>
#include <vector>

namespace vantrel {

struct WBuildRequest {
    // The media folder, cleaned and absolute.
    std::string mediaFolder;
    // A set of numbered floppy folders; else one folder for a CD or disk.
    bool floppy = false;
    // The medium's capacity in bytes.
    double mediaSize = 0;
    // Full paths of the setup engine's files: "Distrib" first, then
    // "Distrib\Setup".
    std::vector<std::string> engineFiles;
    // Index of the last engineFiles entry that goes to the set's root; -1
    // when none does.
    int engineRootLast = -1;
    // The display names of the components that ship, in the order the build
    // copies them.
    std::vector<std::string> components;
    // The user's own database-engine configuration file is shipped, as
    // Bde501\idapi.cnf (and Sql501\idapi.cnf with an SQL driver): the project
    // uses a configuration other than the default one. A file that is gone
    // fails its copy, which names it.
    bool shipUserConfig = false;
    std::string userConfig;

    // The engine's files that go to the set's root.
    std::vector<std::string> RootEngineFiles() const;
    // Where engineFiles[index] goes in the set at `setFolder`: its root for
    // the files up to engineRootLast, its "Setup" folder for the rest; the
    // file keeps its name.
    std::string EngineFileDestination(size_t index, const std::string& setFolder) const;
};

}  // namespace vantrel
