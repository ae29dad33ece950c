// What the "Profile String Properties" dialog shows and edits for one INI
// entry: the file (shown only), section, key, value and the target systems.
#pragma once

#include <string>

#include "project/customisation_rules.h"

namespace vantrel {

inline constexpr const char* kIniEntryDialogTitle = "Profile String Properties";
inline constexpr const char* kIniMissingTextMessage =
    "You Must enter a Section, Key and Value to modify in your INI file.";
inline constexpr const char* kIniBracketMessage =
    "You should not enter either '[' or ']' in you section name.";

class WIniEntryProperties {
  public:
    // The values of `entry`: its file, section, key and value in long
    // folder-macro form and the first four OsMask positions.
    static WIniEntryProperties Load(const WSetupProfileString& entry);

    std::string file;  // shown only
    std::string section;
    std::string key;
    std::string value;
    TargetSystems systems = {true, true, true, true};

    // "" when OK may store the values, else the message to show: the
    // systems first, then the three texts, then the section's brackets, then
    // a text that a record field cannot hold.
    std::string Check() const;
    // Check, then stores OsMask (the four positions) and the three texts in
    // short macro form. "" on success; nothing changes otherwise.
    std::string Apply(WSetupProfileString& entry) const;
};

}  // namespace vantrel
