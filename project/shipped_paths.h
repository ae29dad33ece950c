// Who puts which file into a set. Every file of a set sits at a path below
// the set's root: the application's files and those of the standard
// components at their source name ("bin\app.exe", "Runtime\readme.txt"),
// the setup engine's files at the root ("setup32.exe") or in "Setup", and
// the set's own scripts, texts and log in "Setup". Two suppliers of one path
// would leave only one of the files in the set, so the files page refuses an
// application file whose path someone else supplies, and the media builder
// reports one that a project made earlier still has.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/strings.h"

namespace vantrel {

class WProjectData;
class WSetupElement;

class WShippedPaths {
  public:
    // What the set gets besides the application's own files: the set's own
    // files, the setup engine's files ("Distrib" and "Distrib\Setup" of the
    // installation, as a media plan finds them), the user's database-engine configuration when it
    // is shipped, and the files of the selected standard components ("Distrib" always, as the build
    // ships it).
    explicit WShippedPaths(const WProjectData& project);

    // Who else supplies the path `shipPath` of the set ("\" or "/", any
    // case), in words: "the setup engine's file setup32.exe", "the file
    // Runtime\readme.txt of the standard component TY9Run_Program"; empty
    // when nobody does.
    std::string Supplier(std::string_view shipPath) const;

    // The message that refuses an application file `shown` whose path
    // `shipPath` has the supplier `supplier`.
    static std::string CollisionMessage(std::string_view shown, std::string_view shipPath,
                                        std::string_view supplier);

    // The path of a set that `sourceName` gives, as the key the lookups use.
    static std::string Key(std::string_view shipPath);

  private:
    void Add(std::string_view shipPath, std::string supplier);

    std::map<std::string, std::string> suppliers_;
};

// One message per application file of `project` whose path in the set
// another supplier fills too.
std::vector<std::string> ShippedPathCollisions(const WProjectData& project);

}  // namespace vantrel
