// The core's texts in the user's language. The core has no Qt and writes
// its messages in English (vantrel-cli prints them as they are); before the
// wizard shows one, it goes through this catalogue: a fixed text is
// translated whole, a composed one by the pattern it follows, with the
// composed parts put back in (translated too where they are texts of the
// core, such as the reason in "The name "x" cannot be used: it is empty").
// A text the catalogue does not know is shown as the core wrote it.
#pragma once

#include <QString>
#include <QStringList>
#include <string_view>

namespace vantrel {

// `text` (Windows-1252, as the core keeps it) in the user's language.
QString CoreText(std::string_view text);

// The English patterns of the catalogue ("%1" where a composed part
// goes), messages and parts alike.
QStringList CoreTextPatterns();

}  // namespace vantrel
