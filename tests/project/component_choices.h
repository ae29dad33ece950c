// Setting every component choice of a project at once, for the tests.
#pragma once

#include "project/project_data.h"

namespace vantrel::test {

// Every choice of the setup options and of the drivers set to `on`; with
// `on`, every proofreading language is chosen, else none. The selection
// follows.
inline void ChooseEveryComponent(WProjectData& p, bool on = true) {
    const int flag = on ? 1 : 0;
    p.UninstallComponent = p.RuntimeComponent = p.FrameworkComponent = p.BDEComponent = flag;
    p.AreWritingToolsSelected = flag;
    p.WritingToolLanguages.clear();
    if (on) {
        for (const auto& row : WritingToolLanguageTable)
            p.WritingToolLanguages.push_back(row.code);
    }
    for (const SqlLinksDriver& driver : SqlLinksDriverTable)
        p.*driver.flag = flag;
    p.ApplyComponentSelection();
}

}  // namespace vantrel::test
