// Disk and file helpers shared by the script engine, the elements, the pages
// and the media builder. None of them shows a message: failures come back as
// false, 0 or an empty text, and nothing created for a test is left behind.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/message_pump.h"  // PumpMessage(): long loops call it once per step

namespace vantrel {

// A path for display in `length` characters: returned as it is when it is
// shorter than `length`; otherwise (a path of exactly `length` characters
// too, since the caller leaves no room beside it) its leading folders and
// its file name with "\...\" between them ("C:\Program Files\...\file.txt"). The result may still
// be longer than `length`. Paths written with "/" only are shortened with "/.../".
std::string ShortenPath(std::string_view path, int length);

// Byte counts for display. Decimal units (1000): "1.50 MB", "25.0 MB",
// "10.0 GB", "1 KB". Binary units (1024): "1.3 MB", "12 MB", "640 KB".
std::string FormatSizeDecimal(double bytes);
std::string FormatSizeBinary(double bytes);

// Bytes available to the user on the volume that holds `path`; 0 when unknown.
double GetFreeSpace(std::string_view path);

// The root of a path: its drive ("C:") when the text before the first colon is
// one letter; for a network path ("\\server\share\dir") the share root
// remembered for it (see RememberShareRoot), else "\\server\share"; for a
// local path of this host ("/home/ann/x") the mount point of its volume.
// Empty when none of these applies ("ab:\x", "\\server").
std::string GetPathRoot(std::string_view path);
// Adds a network share root ("\\server\share\sub") to the roots that
// GetPathRoot finds again for paths below it. Kept until the program ends.
void RememberShareRoot(std::string_view root);
void ForgetShareRoots();

// A non-empty path naming a file that can be opened for reading (a folder is
// not a file).
bool FileExists(std::string_view path);

// Creates the folder and every missing parent; true when the folder exists
// afterwards. `created` (when given) receives the folders that were made,
// outermost first.
bool CreateFolderPath(std::string_view path, std::vector<std::string>* created = nullptr);

// True when a file can be created in `folder`. The test creates and deletes
// "1234567890.tmp" (another free name when a file of that name is already
// there, which stays untouched). A missing folder is created for the test
// and removed again with every parent that had to be made.
bool CanWriteToFolder(std::string_view folder);

// `base` followed by five random digits ("C:\tmp\zl" -> "C:\tmp\zl04711")
// naming nothing that exists yet; empty after 100 taken names.
std::string MakeUniqueName(std::string_view base);

// The first of "~ZLT000" ... "~ZLT099" under `parent` that does not exist
// yet; "~ZLTXXX" under it when all are taken.
std::string MakeTempFolderName(std::string_view parent);
// Creates the first free one of "~ZLT000" ... "~ZLT099" under `parent`, each
// name tried by creating it (so two runs never get the same folder), and
// "~ZLT" with six random characters when all are taken. Its path, or empty
// with errno set when no folder can be made.
std::string CreateTempFolder(std::string_view parent);

// Replace `target` by `source`, or delete `path`, at the next restart of
// Windows. This host has no such mechanism: both return false, change
// nothing and put kNoRestartOperations into `why`.
inline constexpr const char* kNoRestartOperations =
    "replacing or deleting a file at the next restart is not supported on this system";
bool ReplaceFileAtRestart(std::string_view source, std::string_view target,
                          std::string* why = nullptr);
bool DeleteFileAtRestart(std::string_view path, std::string* why = nullptr);

// The Windows 95 way of the two calls above, writing the "[rename]" section
// of WININIT.INI in `windowsFolder` (which Windows processes at its next
// start). Replace copies `source` beside `target` under a unique name and
// adds "NUL=<target>" (delete the old file) and "<target>=<copy>"; Delete adds
// "NUL=<path>". Lines already in the section are kept; other sections are
// untouched. False (and the copy removed again) on any failure.
bool ScheduleReplaceInWininit(std::string_view windowsFolder, std::string_view source,
                              std::string_view target);
bool ScheduleDeleteInWininit(std::string_view windowsFolder, std::string_view path);
// Appends `lines` to the section "[rename]" of `wininitPath` (creating the
// file or the section when missing); CR LF line ends.
bool AppendToWininitRename(std::string_view wininitPath, const std::vector<std::string>& lines);

}  // namespace vantrel
