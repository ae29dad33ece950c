// Project files through the engine: the save command with its save dialog,
// opening a project file and the recent-project list of the user hive.
#pragma once

#include "app/project_files.h"

namespace vantrel {

class WWizardApp;

class EngineProjectFiles : public ProjectFiles {
  public:
    explicit EngineProjectFiles(WWizardApp& app) : app_(app) {}

    bool Save() override;
    bool Load(const std::string& path) override;
    std::vector<std::string> Recent() override;

  private:
    WWizardApp& app_;
};

}  // namespace vantrel
