// The folders of the machine a sandbox install stands for. The folder macros
// of the scripts ("<D>", "<W>", "<WPF>", ...) become Windows paths of that
// machine (what registry values, INI entries and shortcuts record), and a
// Windows path becomes a path below the sandbox root (what is written):
//
//   C:\Windows\Fonts\sans.ttf   ->  ROOT/Windows/Fonts/sans.ttf
//   D:\Data\x.txt               ->  ROOT/D/Data/x.txt
//
// The Windows folders are the platform layer's (see system_folders.h), read
// from the sandbox's own registry so that the host's settings play no part.
//
// Without a sandbox root the folders are those of the machine the program
// runs on (`registry` is then the system's), and a Windows path on the
// Windows folder's drive is that path itself ("C:/Program Files/Acme");
// the root is then that drive's ("C:/").
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace vantrel {

class Registry;

class WTargetFolders {
  public:
    // `destination` is the product's target folder (macros allowed); an
    // empty `sandboxRoot` stands for this machine.
    WTargetFolders(std::string sandboxRoot, Registry& registry, const std::string& destination);

    // `text` with every folder macro the sandbox knows replaced by its
    // Windows folder ("<D>\bin" -> "C:\Program Files\Acme\bin"); macros of
    // the user's data ("<N>", "<C>") are left as they stand.
    std::string Expand(std::string_view text) const;
    // The sandbox path of a Windows path (after Expand); empty for a path
    // that is not absolute or climbs out with "..", and on this machine for
    // a path on another drive than the root's.
    std::string InSandbox(std::string_view windowsPath) const;
    const std::string& Root() const { return root_; }

  private:
    std::string root_;
    bool thisMachine_ = false;
    // Short macro -> Windows folder (every macro ends in ">", so none is
    // part of another and the order of replacement does not matter).
    std::map<std::string, std::string> folders_;
};

}  // namespace vantrel
