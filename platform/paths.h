// Paths as the engine holds them: 8-bit Windows-1252 text in which both "\"
// and "/" separate folders (scripts keep the Windows form, local folders on
// this host arrive with "/"). Conversion to a native path happens only here,
// where a path touches the disk.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace vantrel {

bool IsPathSeparator(char c);

// Native path for an engine path: backslashes become "/" and the text is
// converted to the file system's encoding.
std::filesystem::path ToNative(std::string_view enginePath);

// Engine path for a native path; false when a name holds a character that
// Windows-1252 cannot hold (such names are refused, never mangled).
bool FromNative(const std::filesystem::path& native, std::string& out);

// For messages only: the path with the native separators, as the user would
// type it, still in the engine's character set like the rest of a message
// (the caller converts the whole message once, where it is shown).
std::string DisplayPath(std::string_view enginePath);

// Joins with exactly one separator between the parts. The separator is "/"
// when `folder` already uses "/" only, else "\" (the Windows form).
std::string JoinPath(std::string_view folder, std::string_view name);

// The text with every "/" turned into "\", the separator of paths in
// scripts and records.
std::string SlashesAsBackslashes(std::string_view text);
// Text after the last separator (the whole text when there is none).
std::string FileNameOf(std::string_view path);
// Text before the last separator (empty when there is none).
std::string FolderOf(std::string_view path);
// The path without trailing separators (a lone root separator is kept).
std::string StripTrailingSeparators(std::string_view path);
// File name up to its first "." ("Uninstall.kvz" -> "Uninstall").
std::string BaseNameUpToFirstDot(std::string_view path);

// Absolute form of a local path (relative to the current folder), engine form.
std::string AbsolutePath(std::string_view path);

}  // namespace vantrel
