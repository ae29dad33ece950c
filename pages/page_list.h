// The wizard's pages in page order, from "Welcome" to "Create Distribution
// Media". The sheet knows only the page base; this list is the one place
// that knows every page.
#pragma once

namespace vantrel {

class CPSheet;
class WWizardApp;

// Adds the eleven pages to `sheet`; hand it to WWizardApp::Options::addPages.
void AddWizardPages(CPSheet& sheet, WWizardApp& app);

}  // namespace vantrel
