// The wizard's texts in the user's language: the translations built into
// the program (German so far) and Qt's own for its standard buttons.
#pragma once

#include <QLocale>

namespace vantrel {

// Installs the translation for `locale` into the application, replacing one
// installed before; English needs none. True when the wizard's own texts
// are translated for it.
bool InstallTranslation(const QLocale& locale);

}  // namespace vantrel
