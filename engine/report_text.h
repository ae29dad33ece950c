// Text helpers of the setup engine's listings.
#pragma once

#include <string>
#include <string_view>

namespace vantrel {

// A stored script text as a person reads it: "%name%" string references
// replaced from the string file, folder macros in their long form
// ("<D>\app.exe" shows as "<Target Folder>\app.exe").
std::string Shown(std::string_view stored);

// Windows-1252 text for the terminal (UTF-8). Scripts are
// untrusted input: control characters, and the bytes that Windows-1252
// leaves undefined (they would reach the terminal as C1 controls), are shown
// as "?", so that a script cannot send escape sequences to the terminal.
std::string ForTerminal(std::string_view win1252Text);

}  // namespace vantrel
