// INI entries through the system's profile functions, which also keep the
// file's own encoding (ANSI or UTF-16).
#include "platform/encoding.h"
#include "platform/ini_file.h"
#include "platform/paths.h"
#include "platform/win_native.h"

namespace vantrel {

namespace {

std::wstring Wide(std::string_view win1252) {
    return Utf8ToWide(Cp1252ToUtf8(std::string(win1252)));
}

// `value` null removes the entry.
bool WriteProfile(std::string_view path, std::string_view section, std::string_view key,
                  const std::wstring* value, std::string* error) {
    if (::WritePrivateProfileStringW(Wide(section).c_str(), Wide(key).c_str(),
                                     value ? value->c_str() : nullptr, WidePath(path).c_str()))
        return true;
    FailWithLastError();
    if (error)
        *error = ErrnoText(path);
    return false;
}

}  // namespace

bool WriteIniEntry(std::string_view path, std::string_view section, std::string_view key,
                   std::string_view value, std::string* error) {
    const std::wstring wide = Wide(value);
    return WriteProfile(path, section, key, &wide, error);
}

bool RemoveIniEntry(std::string_view path, std::string_view section, std::string_view key,
                    std::string* error) {
    if (!PathExists(path))
        return true;
    return WriteProfile(path, section, key, nullptr, error);
}

}  // namespace vantrel
