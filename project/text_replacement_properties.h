// What the "Text File Customization Properties" dialog shows and edits for
// one text replacement: the file (shown only), the text searched for, its
// replacement and the target systems.
#pragma once

#include <string>

#include "project/customisation_rules.h"

namespace vantrel {

inline constexpr const char* kTextReplacementDialogTitle = "Text File Customization Properties";
inline constexpr const char* kReplaceMissingTextMessage =
    "You Must enter a Search and Replace string to be modified in your text file.";

class WTextReplacementProperties {
  public:
    // The values of `entry`: its file, both texts in long folder-macro form
    // and the first four OsMask positions.
    static WTextReplacementProperties Load(const WSetupCustFile& entry);

    std::string file;  // shown only
    std::string search;
    std::string replace;
    TargetSystems systems = {true, true, true, true};

    // "" when OK may store the values, else the message to show: the
    // systems first, then the two texts, then a text that a record field
    // cannot hold.
    std::string Check() const;
    // Check, then stores OsMask (the four positions) and both texts in short
    // macro form. "" on success; nothing changes otherwise.
    std::string Apply(WSetupCustFile& entry) const;
};

}  // namespace vantrel
