#include "platform/registry.h"

#if !defined(_WIN32)
#include <unistd.h>
#endif

#include <cstdlib>
#include <mutex>
#include <string>

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/reg_text.h"
#include "platform/text_file.h"

namespace vantrel {

namespace {

std::unique_ptr<Registry> g_registry;
std::mutex g_registryMutex;

const char* HiveName(Hive hive) {
    return hive == Hive::LocalMachine ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER";
}

// The key as the hive file holds it: "/" as "\\", no separators and no
// blanks at either end. The blanks are trimmed again after the separators
// are stripped (" \\ X" is "X"), as reading the file back trims them.
std::string NormalizeKey(std::string_view key) {
    std::string k(key);
    for (auto& c : k) {
        if (c == '/')
            c = '\\';
    }
    for (std::string last; last != k;) {
        last = k;
        k = Trim(k);
        while (!k.empty() && k.back() == '\\')
            k.pop_back();
        while (!k.empty() && k.front() == '\\')
            k.erase(k.begin());
    }
    return k;
}

// Whether a key or value name can be written into a hive file and read back
// the same: a line break would end its line, and a key line ends at "]".
bool Storable(std::string_view key, std::string_view name) {
    return key.find_first_of("\r\n[]") == std::string_view::npos &&
           name.find_first_of("\r\n") == std::string_view::npos;
}

}  // namespace

Registry& TheRegistry() {
    std::lock_guard<std::mutex> lock(g_registryMutex);
    if (!g_registry)
        g_registry = SystemRegistry();
    return *g_registry;
}

#if !defined(_WIN32)
std::unique_ptr<Registry> SystemRegistry() {
    return std::make_unique<RegFileStore>(RegFileStore::DefaultMachineFile(),
                                          RegFileStore::DefaultUserFile());
}
#endif

void SetRegistry(std::unique_ptr<Registry> registry) {
    std::lock_guard<std::mutex> lock(g_registryMutex);
    g_registry = std::move(registry);
}

RegFileStore::RegFileStore(std::string machineFile, std::string userFile)
    : machineFile_(std::move(machineFile)), userFile_(std::move(userFile)) {}

std::string RegFileStore::DefaultMachineFile() {
    if (const char* env = std::getenv("VANTREL_MACHINE_REG"); env && *env)
        return env;
    std::string folder = RunningProgramFolder();
    const std::string rel = VANTREL_DEFAULT_MACHINE_REG_REL;
    // Build tree: <build>/vantrel-cli with <build>/etc/...; an installed
    // program finds the hive in the configuration folder by the way from its
    // own folder there (/usr/bin -> /etc/vantrel, /usr/local/bin ->
    // /usr/local/etc/vantrel), so that a copy moved as a whole (a package
    // unpacked elsewhere) still finds its own; a tree installed with another
    // prefix keeps it one folder above the program's.
    const std::string prefix = FolderOf(folder);
    // The /usr prefix keeps its configuration in /etc, beside it.
    const std::string usrEtc =
        FileNameOf(prefix) == "usr" ? JoinPath(FolderOf(prefix), rel) : std::string();
    const std::string candidates[] = {JoinPath(folder, rel),
                                      JoinPath(folder, VANTREL_MACHINE_REG_FROM_BIN), usrEtc,
                                      JoinPath(prefix, rel)};
    for (const std::string& candidate : candidates) {
        if (!candidate.empty() && IsFile(candidate))
            return candidate;
    }
    return VANTREL_SYSCONF_MACHINE_REG;
}

std::string RegFileStore::DefaultUserFile() {
    if (const char* env = std::getenv("VANTREL_USER_REG"); env && *env)
        return env;
    std::string base;
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
        base = xdg;
#if defined(_WIN32)
    } else if (const char* appData = std::getenv("APPDATA"); appData && *appData) {
        // Windows keeps a user's settings in the roaming application data.
        base = appData;
#endif
    } else if (const std::string home = UserHomeFolder(); !home.empty()) {
        base = JoinPath(home, ".config");
    } else {
        // No home at all (no HOME and no entry in the user database): a
        // folder named after this user's id, never one shared by every user.
#if defined(_WIN32)
        const char* temp = std::getenv("TEMP");
        base = JoinPath(temp && *temp ? temp : "C:\\", "vantrel-" + UserLoginName());
#else
        base = JoinPath("/tmp", "vantrel-" + std::to_string(::geteuid()));
#endif
    }
    return JoinPath(JoinPath(base, "vantrel"), "user.reg");
}

const std::string& RegFileStore::FileOf(Hive hive) const {
    return hive == Hive::LocalMachine ? machineFile_ : userFile_;
}

std::vector<RegFileStore::Key> RegFileStore::Parse(std::string_view text,
                                                   std::string_view hiveName) {
    std::vector<Key> keys;
    const std::string prefix = std::string(hiveName) + "\\";
    // A hive holds strings and numbers only; lines it cannot use are passed over.
    const RegText read = RegText::Parse(text);
    for (const RegText::Key& section : read.Keys()) {
        if (section.remove)
            continue;
        if (!StartsWithNoCase(section.path, prefix) && !EqualsNoCase(section.path, hiveName))
            continue;
        std::string key = NormalizeKey(
            section.path.size() > prefix.size() ? section.path.substr(prefix.size()) : "");
        Key* current = nullptr;
        for (auto& k : keys) {
            if (EqualsNoCase(k.path, key))
                current = &k;
        }
        if (!current) {
            keys.push_back(Key{key, {}});
            current = &keys.back();
        }
        for (const RegText::Value& read : section.values) {
            if (read.kind != RegText::Value::Kind::kString &&
                read.kind != RegText::Value::Kind::kDword)
                continue;
            Value v{read.name, read.kind == RegText::Value::Kind::kDword, read.text, read.dword};
            bool replaced = false;
            for (auto& existing : current->values) {
                if (EqualsNoCase(existing.name, v.name)) {
                    existing = v;
                    replaced = true;
                }
            }
            if (!replaced)
                current->values.push_back(std::move(v));
        }
    }
    return keys;
}

std::string RegFileStore::Serialize(const std::vector<Key>& keys, std::string_view hiveName) {
    std::vector<std::string> lines{"Windows Registry Editor Version 5.00"};
    for (auto& key : keys) {
        lines.emplace_back();
        std::string section(1, '[');
        section += hiveName;
        if (!key.path.empty()) {
            section += '\\';
            section += key.path;
        }
        section += ']';
        lines.push_back(std::move(section));
        for (auto& v : key.values) {
            std::string name = v.name.empty() ? "@" : RegText::Quote(v.name);
            lines.push_back(name + "=" +
                            (v.isDword ? Format("dword:%08x", v.dword) : RegText::Quote(v.text)));
        }
    }
    return JoinLinesCrLf(lines, true);
}

std::vector<RegFileStore::Key> RegFileStore::Load(Hive hive) {
    std::string text;
    if (!ReadWholeFile(FileOf(hive), text))
        return {};
    return Parse(text, HiveName(hive));
}

bool RegFileStore::Store(Hive hive, const std::vector<Key>& keys) {
    const std::string& file = FileOf(hive);
    if (file.empty())
        return false;
    std::string folder = FolderOf(file);
    if (!folder.empty() && !MakeFolders(folder))
        return false;
    return WriteFileAtomic(file, Serialize(keys, HiveName(hive)));
}

const RegFileStore::Value* RegFileStore::FindValue(const std::vector<Key>& keys,
                                                   std::string_view key,
                                                   std::string_view name) const {
    std::string k = NormalizeKey(key);
    for (auto& entry : keys) {
        if (!EqualsNoCase(entry.path, k))
            continue;
        for (auto& v : entry.values) {
            if (EqualsNoCase(v.name, name))
                return &v;
        }
    }
    return nullptr;
}

template <typename Change>
bool RegFileStore::Modify(Hive hive, std::string_view key, std::string_view name, Change change) {
    if (!Storable(key, name))
        return false;
    std::vector<Key> keys = Load(hive);
    std::string k = NormalizeKey(key);
    Key* target = nullptr;
    for (auto& entry : keys) {
        if (EqualsNoCase(entry.path, k))
            target = &entry;
    }
    if (!target) {
        keys.push_back(Key{k, {}});
        target = &keys.back();
    }
    if (!change(*target))
        return false;
    return Store(hive, keys);
}

bool RegFileStore::GetString(Hive hive, std::string_view key, std::string_view name,
                             std::string& out) {
    auto keys = Load(hive);
    const Value* v = FindValue(keys, key, name);
    if (!v || v->isDword)
        return false;
    out = v->text;
    return true;
}

bool RegFileStore::GetDword(Hive hive, std::string_view key, std::string_view name, uint32_t& out) {
    auto keys = Load(hive);
    const Value* v = FindValue(keys, key, name);
    if (!v || !v->isDword)
        return false;
    out = v->dword;
    return true;
}

bool RegFileStore::SetString(Hive hive, std::string_view key, std::string_view name,
                             std::string_view value) {
    // A line break cannot be stored in a hive file's value line.
    if (value.find_first_of("\r\n") != std::string_view::npos)
        return false;
    return Modify(hive, key, name, [&](Key& k) {
        for (auto& v : k.values) {
            if (EqualsNoCase(v.name, name)) {
                v.isDword = false;
                v.text = std::string(value);
                return true;
            }
        }
        k.values.push_back(Value{std::string(name), false, std::string(value), 0});
        return true;
    });
}

bool RegFileStore::SetDword(Hive hive, std::string_view key, std::string_view name,
                            uint32_t value) {
    return Modify(hive, key, name, [&](Key& k) {
        for (auto& v : k.values) {
            if (EqualsNoCase(v.name, name)) {
                v.isDword = true;
                v.dword = value;
                return true;
            }
        }
        k.values.push_back(Value{std::string(name), true, {}, value});
        return true;
    });
}

bool RegFileStore::DeleteValue(Hive hive, std::string_view key, std::string_view name) {
    return Modify(hive, key, name, [&](Key& k) {
        size_t before = k.values.size();
        std::erase_if(k.values, [&](const Value& v) { return EqualsNoCase(v.name, name); });
        return k.values.size() != before;
    });
}

std::vector<std::string> RegFileStore::ValueNames(Hive hive, std::string_view key) {
    std::vector<std::string> names;
    auto keys = Load(hive);
    std::string k = NormalizeKey(key);
    for (auto& entry : keys) {
        if (!EqualsNoCase(entry.path, k))
            continue;
        for (auto& v : entry.values)
            names.push_back(v.name);
    }
    return names;
}

namespace {

// Whether the hive file's key `path` is `key` or lies below it.
bool AtOrBelow(const std::string& path, const std::string& key) {
    return EqualsNoCase(path, key) ||
           (key.empty() ? !path.empty()
                        : path.size() > key.size() && path[key.size()] == '\\' &&
                              StartsWithNoCase(path, key));
}

}  // namespace

bool RegFileStore::KeyExists(Hive hive, std::string_view key) {
    const std::string k = NormalizeKey(key);
    for (const Key& entry : Load(hive)) {
        if (AtOrBelow(entry.path, k))
            return true;
    }
    return false;
}

bool RegFileStore::RemoveKeyIfEmpty(Hive hive, std::string_view key) {
    const std::string k = NormalizeKey(key);
    std::vector<Key> keys = Load(hive);
    bool found = false;
    for (const Key& entry : keys) {
        if (!AtOrBelow(entry.path, k))
            continue;
        if (!EqualsNoCase(entry.path, k) || !entry.values.empty())
            return false;
        found = true;
    }
    if (!found)
        return true;
    std::erase_if(keys, [&](const Key& entry) { return EqualsNoCase(entry.path, k); });
    return Store(hive, keys);
}

}  // namespace vantrel
