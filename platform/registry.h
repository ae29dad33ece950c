// The registry as the program uses it: a few string and number values under
// HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER. On Linux each hive is a text file
// in the .reg export format (see RegFileStore); on Windows it is the system's
// registry (see SystemRegistry).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/strings.h"

namespace vantrel {

enum class Hive { LocalMachine, CurrentUser };

class Registry {
  public:
    virtual ~Registry() = default;
    virtual bool GetString(Hive hive, std::string_view key, std::string_view name,
                           std::string& out) = 0;
    virtual bool SetString(Hive hive, std::string_view key, std::string_view name,
                           std::string_view value) = 0;
    virtual bool GetDword(Hive hive, std::string_view key, std::string_view name,
                          uint32_t& out) = 0;
    virtual bool SetDword(Hive hive, std::string_view key, std::string_view name,
                          uint32_t value) = 0;
    virtual bool DeleteValue(Hive hive, std::string_view key, std::string_view name) = 0;
    // Names of the values of a key, in stored order (empty when absent).
    virtual std::vector<std::string> ValueNames(Hive hive, std::string_view key) = 0;
    // Whether the key is there (also without values of its own).
    virtual bool KeyExists(Hive hive, std::string_view key) = 0;
    // Removes the key when it holds neither values nor keys; true when it is
    // gone (also when it was not there).
    virtual bool RemoveKeyIfEmpty(Hive hive, std::string_view key) = 0;
    // Whether this is the registry of the machine the program runs on (and
    // not a stand-in, such as hive files for a test or a sandbox).
    virtual bool IsThisMachine() const { return false; }
};

// The registry of this system: on Windows the real one, whose machine hive
// values missing there are read from the hive file beside the program
// (RegFileStore::DefaultMachineFile(), a program tree unpacked anywhere);
// with $VANTREL_MACHINE_REG or $VANTREL_USER_REG set, and on other systems,
// a RegFileStore on the default hive files.
std::unique_ptr<Registry> SystemRegistry();

// The registry of this process: SystemRegistry() unless a test or the
// caller installed another one.
Registry& TheRegistry();
void SetRegistry(std::unique_ptr<Registry> registry);

// Hive files in the Windows .reg text format ("Windows Registry Editor
// Version 5.00", [HKEY_...\key] lines, "name"="value" with \\ and \" escaped,
// "name"=dword:0000002a). Bytes are kept as they are (Windows-1252), lines end
// in CR LF. Every call reads the file afresh and every change rewrites it
// atomically, so two programs sharing a hive see each other's changes.
class RegFileStore : public Registry {
  public:
    RegFileStore(std::string machineFile, std::string userFile);

    // $VANTREL_MACHINE_REG, else etc/vantrel/machine.reg beside the program's
    // prefix; $VANTREL_USER_REG, else $XDG_CONFIG_HOME/vantrel/user.reg.
    static std::string DefaultMachineFile();
    static std::string DefaultUserFile();

    bool GetString(Hive hive, std::string_view key, std::string_view name,
                   std::string& out) override;
    bool SetString(Hive hive, std::string_view key, std::string_view name,
                   std::string_view value) override;
    bool GetDword(Hive hive, std::string_view key, std::string_view name, uint32_t& out) override;
    bool SetDword(Hive hive, std::string_view key, std::string_view name, uint32_t value) override;
    bool DeleteValue(Hive hive, std::string_view key, std::string_view name) override;
    std::vector<std::string> ValueNames(Hive hive, std::string_view key) override;
    // A key is there when the file has its section or a section below it.
    bool KeyExists(Hive hive, std::string_view key) override;
    bool RemoveKeyIfEmpty(Hive hive, std::string_view key) override;

    const std::string& FileOf(Hive hive) const;

    struct Value {
        std::string name;  // "" is the key's default value ("@")
        bool isDword = false;
        std::string text;
        uint32_t dword = 0;
    };
    struct Key {
        std::string path;  // without the hive name
        std::vector<Value> values;
    };
    // Parses a hive file's text; keys of another hive are ignored. Public for tests.
    static std::vector<Key> Parse(std::string_view text, std::string_view hiveName);
    static std::string Serialize(const std::vector<Key>& keys, std::string_view hiveName);

  private:
    std::vector<Key> Load(Hive hive);
    bool Store(Hive hive, const std::vector<Key>& keys);
    const Value* FindValue(const std::vector<Key>& keys, std::string_view key,
                           std::string_view name) const;
    // Applies `change` to the key and stores the hive; false, with nothing
    // written, when the key or value name cannot be stored (a line break, or
    // "[" or "]" in the key) or `change` gives false.
    template <typename Change>
    bool Modify(Hive hive, std::string_view key, std::string_view name, Change change);

    std::string machineFile_;
    std::string userFile_;
};

}  // namespace vantrel
