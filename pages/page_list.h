// The wizard's pages in page order, from "Welcome" to "Create Distribution
// Media". The sheet knows only the page base; this list is the one place
// that knows every page.
#pragma once

class QString;

namespace vantrel {

class CPSheet;
class WWizardApp;

// Adds the eleven pages to `sheet`; hand it to WWizardApp::Options::addPages.
void AddWizardPages(CPSheet& sheet, WWizardApp& app);

// Opens the project file `path` given when the program was started, as the
// Welcome page opens one; false (after the page's message) when it cannot.
bool OpenProjectAtStart(WWizardApp& app, const QString& path);

}  // namespace vantrel
