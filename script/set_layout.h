// The names of a set's own files, matched without regard to case when read.
// A set's root holds the setup engine's start program and the folder "Setup"
// with the product script, the component script and its string file, the
// license and release texts and the engine's own files. The project file
// carries the same scripts and texts as its members.
#pragma once

namespace vantrel {

inline constexpr const char* kSetupFolder = "Setup";
inline constexpr const char* kProductScript = "project.kvz";
inline constexpr const char* kComponentScript = "comp.kvz";
inline constexpr const char* kStringFile = "string.str";
inline constexpr const char* kLicenseFile = "license.txt";
inline constexpr const char* kReleaseFile = "release.txt";
// The build log, in "Setup" while the set is made and kept beside it after.
inline constexpr const char* kSetupLog = "setup.log";

}  // namespace vantrel
