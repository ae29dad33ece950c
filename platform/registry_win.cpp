// The Windows registry behind the Registry interface. Names and values are
// the engine's Windows-1252 text and UTF-16 at the API; key paths may use
// "/" or "\" and blanks or separators at either end, as in the hive files.
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/encoding.h"
#include "platform/registry.h"
#include "platform/strings.h"
#include "platform/win_native.h"

namespace vantrel {

namespace {

HKEY RootOf(Hive hive) {
    return hive == Hive::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

std::wstring Wide(std::string_view win1252) {
    return Utf8ToWide(Cp1252ToUtf8(std::string(win1252)));
}

// The key path in the registry's form: "\" between the parts, none at the ends.
std::wstring KeyPath(std::string_view key) {
    std::string k(key);
    for (char& c : k) {
        if (c == '/')
            c = '\\';
    }
    k = Trim(k);
    while (!k.empty() && k.back() == '\\')
        k.pop_back();
    while (!k.empty() && k.front() == '\\')
        k.erase(k.begin());
    return Wide(k);
}

// An open key, closed when the object goes away.
class Key {
  public:
    Key() = default;
    ~Key() {
        if (key_)
            ::RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;

    bool Open(Hive hive, std::string_view path, REGSAM access) {
        return ::RegOpenKeyExW(RootOf(hive), KeyPath(path).c_str(), 0, access, &key_) ==
               ERROR_SUCCESS;
    }
    bool Create(Hive hive, std::string_view path) {
        return ::RegCreateKeyExW(RootOf(hive), KeyPath(path).c_str(), 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key_,
                                 nullptr) == ERROR_SUCCESS;
    }
    HKEY get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

// Reads the value `name` of `key` with its type; false when it is missing.
bool ReadValue(Hive hive, std::string_view key, std::string_view name, DWORD& type,
               std::wstring& data) {
    Key k;
    if (!k.Open(hive, key, KEY_QUERY_VALUE))
        return false;
    const std::wstring wideName = Wide(name);
    DWORD size = 0;
    if (::RegQueryValueExW(k.get(), wideName.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return false;
    // Room for a terminator the stored string may lack.
    std::wstring buffer(size / sizeof(wchar_t) + 2, L'\0');
    size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(k.get(), wideName.c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        return false;
    buffer.resize(size / sizeof(wchar_t));
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        while (!buffer.empty() && buffer.back() == L'\0')
            buffer.pop_back();
    }
    data = std::move(buffer);
    return true;
}

bool WriteValue(Hive hive, std::string_view key, std::string_view name, DWORD type,
                const void* data, DWORD size) {
    Key k;
    if (!k.Create(hive, key))
        return false;
    return ::RegSetValueExW(k.get(), Wide(name).c_str(), 0, type, static_cast<const BYTE*>(data),
                            size) == ERROR_SUCCESS;
}

// The registry of Windows. Values of HKEY_LOCAL_MACHINE that it lacks are
// read from `machineFile` when one is given: the hive file that a program
// tree unpacked anywhere carries beside itself ("Install Location").
class WindowsRegistry : public Registry {
  public:
    explicit WindowsRegistry(std::string machineFile) {
        if (!machineFile.empty())
            fallback_ = std::make_unique<RegFileStore>(std::move(machineFile), std::string());
    }

    bool GetString(Hive hive, std::string_view key, std::string_view name,
                   std::string& out) override {
        DWORD type = 0;
        std::wstring data;
        if (ReadValue(hive, key, name, type, data) && (type == REG_SZ || type == REG_EXPAND_SZ))
            return Utf8ToCp1252(WideToUtf8(data), out);
        return Fallback(hive) && fallback_->GetString(hive, key, name, out);
    }
    bool SetString(Hive hive, std::string_view key, std::string_view name,
                   std::string_view value) override {
        const std::wstring wide = Wide(value);
        return WriteValue(hive, key, name, REG_SZ, wide.c_str(),
                          static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
    }
    bool GetDword(Hive hive, std::string_view key, std::string_view name, uint32_t& out) override {
        DWORD type = 0;
        std::wstring data;
        if (ReadValue(hive, key, name, type, data) && type == REG_DWORD &&
            data.size() * sizeof(wchar_t) >= sizeof(uint32_t)) {
            std::memcpy(&out, data.data(), sizeof(uint32_t));
            return true;
        }
        return Fallback(hive) && fallback_->GetDword(hive, key, name, out);
    }
    bool SetDword(Hive hive, std::string_view key, std::string_view name, uint32_t value) override {
        const DWORD data = value;
        return WriteValue(hive, key, name, REG_DWORD, &data, sizeof(data));
    }
    bool DeleteValue(Hive hive, std::string_view key, std::string_view name) override {
        Key k;
        return k.Open(hive, key, KEY_SET_VALUE) &&
               ::RegDeleteValueW(k.get(), Wide(name).c_str()) == ERROR_SUCCESS;
    }
    std::vector<std::string> ValueNames(Hive hive, std::string_view key) override {
        std::vector<std::string> names;
        Key k;
        if (k.Open(hive, key, KEY_QUERY_VALUE)) {
            // Value names are at most 16383 characters long.
            std::wstring name(16384, L'\0');
            for (DWORD i = 0;; ++i) {
                DWORD length = static_cast<DWORD>(name.size());
                if (::RegEnumValueW(k.get(), i, name.data(), &length, nullptr, nullptr, nullptr,
                                    nullptr) != ERROR_SUCCESS)
                    break;
                std::string text;
                if (Utf8ToCp1252(WideToUtf8(std::wstring_view(name.data(), length)), text))
                    names.push_back(std::move(text));
            }
        } else if (Fallback(hive)) {
            names = fallback_->ValueNames(hive, key);
        }
        return names;
    }
    bool KeyExists(Hive hive, std::string_view key) override {
        Key k;
        return k.Open(hive, key, KEY_QUERY_VALUE);
    }
    bool RemoveKeyIfEmpty(Hive hive, std::string_view key) override {
        Key k;
        if (!k.Open(hive, key, KEY_QUERY_VALUE))
            return true;
        DWORD subKeys = 0, values = 0;
        if (::RegQueryInfoKeyW(k.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr,
                               &values, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS ||
            subKeys != 0 || values != 0)
            return false;
        return ::RegDeleteKeyW(RootOf(hive), KeyPath(key).c_str()) == ERROR_SUCCESS;
    }
    bool IsThisMachine() const override { return true; }

  private:
    bool Fallback(Hive hive) const { return fallback_ && hive == Hive::LocalMachine; }

    std::unique_ptr<RegFileStore> fallback_;
};

}  // namespace

std::unique_ptr<Registry> SystemRegistry() {
    // Hive files named in the environment stand in for the registry (tests,
    // scripts that keep their settings apart).
    const char* machine = std::getenv("VANTREL_MACHINE_REG");
    const char* user = std::getenv("VANTREL_USER_REG");
    if ((machine && *machine) || (user && *user)) {
        return std::make_unique<RegFileStore>(RegFileStore::DefaultMachineFile(),
                                              RegFileStore::DefaultUserFile());
    }
    std::string machineFile = RegFileStore::DefaultMachineFile();
    if (!IsFile(machineFile))
        machineFile.clear();
    return std::make_unique<WindowsRegistry>(std::move(machineFile));
}

}  // namespace vantrel
