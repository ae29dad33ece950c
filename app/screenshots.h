// Pictures of the wizard's pages for the documentation.
#pragma once

#include <QString>

namespace vantrel {

class WWizardApp;

// Walks the sheet of a freshly started application from the first page to
// the last with Next, filling in a sample application on the way, and saves
// each page as "<folder>/NN-<page>.png". Returns the number of pictures.
int TakeScreenshots(WWizardApp& app, const QString& folder);

}  // namespace vantrel
