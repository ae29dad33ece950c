// Inside the platform layer only, on Windows: wide-character paths and the
// translation of the system's error codes into errno values, so that the
// Windows forms of the platform calls report as the POSIX ones do.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace vantrel {

// The wide (UTF-16) form of an engine path, as the system calls take it.
std::wstring WidePath(std::string_view enginePath);
// UTF-8 <-> UTF-16.
std::wstring Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::wstring_view text);
// The engine path (Windows-1252, "/" between the parts) of a wide path;
// false when a name holds a character that Windows-1252 cannot hold.
bool EnginePathOf(std::wstring_view wide, std::string& out);

// errno for a system error code; the second form sets errno from
// GetLastError() and gives false, for `return FailWithLastError();`.
int ErrnoOf(DWORD error);
bool FailWithLastError();

// What the system says about the file at `wide`; with `followLinks`
// false a link (reparse point) is described itself.
bool WideFileInfo(const std::wstring& wide, FileInfo& info, bool followLinks);
// FileInfo of an open handle.
bool HandleFileInfo(HANDLE handle, FileInfo& info);
// Removes a file; a read-only one too, as unlink() does.
bool RemoveWideFile(const std::wstring& wide);
// The path of an open file or folder, without the "\\?\" prefix; empty on
// failure.
std::wstring PathOfHandle(HANDLE handle);

}  // namespace vantrel
