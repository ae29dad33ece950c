// File elements for the application's own files, made the way the files
// page makes them when a file is moved into a target folder.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "elements/setup_file.h"
#include "elements/setup_ttf_file.h"

namespace vantrel {

class WSetupComponent;

// Whether the file is a Windows program or library that carries a version
// resource (a "VS_VERSION_INFO" block); such files are installed with the
// "Check Version" rule.
bool HasVersionInfo(std::string_view path);

// The file's attributes as the six-position mask of a file element (Normal,
// Archive, Hidden, Read-only, System, Temporary). A file with exactly one
// attribute gets that position; on this host a file is hidden when its name
// starts with "." and read-only when its owner may not write it. A file with
// none or several keeps "100000".
std::string FileAttributesMask(std::string_view path);

// A new file element for the file `sourceFile` (engine path): source folder
// the file's folder, `sourceName` its path below the source folder of the
// project, target folder `targetDir` (short macro form) and `targetName`
// (the file name, behind the target subfolder when there is one). Size,
// overwrite rule ("Check Version" for files with version information, else
// "Always") and attributes come from the file; check value empty, extra
// value 0, every system and selection bit set.
//
// A TrueType font (IsFontFileName) placed in the fonts folder ("<F>") becomes
// a font element (WSetupTTFFile) that carries the face name read from the
// file, so that the setup registers it. A font whose name cannot be read
// stays a plain file element: the setup copies it without registering it
// under an empty name.
std::unique_ptr<WSetupFile> NewFileElement(const std::string& sourceFile,
                                           const std::string& sourceName,
                                           const std::string& targetDir,
                                           const std::string& targetName);

// Whether `targetDir` (short or long macro form) is the fonts folder.
bool IsFontsFolder(std::string_view targetDir);

// The file or font element of `component` that installs to `targetDir` and
// `targetName` (both compared without regard to case, "\" and "/" alike);
// null when there is none.
const WSetupElement* FindTargetFile(const WSetupComponent& component, std::string_view targetDir,
                                    std::string_view targetName);

}  // namespace vantrel
