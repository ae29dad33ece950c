// The rules of the database-engine configuration, written once for the
// wizard page and the command-line tool: the SQL Links drivers and the
// component scripts that install them, the configuration file merged on the
// client, and the engine's administrator program.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace vantrel {

class WProjectData;
struct SqlLinksDriver;

// The seven drivers of SqlLinksDriverTable in the page's order.
extern const std::array<const SqlLinksDriver*, 7> SqlLinksDrivers;

// The component script of the database engine that every driver needs.
inline constexpr const char* kDatabaseEngineScript = "OnDmndBDE.kvz";
// The administrator program in the engine's folder.
inline constexpr const char* kDatabaseAdministrator = "BDEADMIN.EXE";

// The message for an own configuration file that cannot be used: the path
// is empty or names no file.
inline constexpr const char* kConfigFileInvalid = "The path to the CFG file is invalid.";

// The empty text when the project may use `path` as its own configuration
// file, else kConfigFileInvalid.
std::string CheckConfigFile(std::string_view path);

// Stores the configuration-file choice: the default file, or the own file
// `path`, which is then shipped with the setup (ShipUserConfig). False, and
// nothing stored, when the own file fails CheckConfigFile.
bool TakeConfigFile(WProjectData& project, bool useDefault, const std::string& path);

// What the driver flags bring: while any driver is selected the database
// engine is installed ("BDEComponent" set), and the components are selected
// again from the flags (each driver's exactly when its flag is set).
void ApplySqlLinksDrivers(WProjectData& project);

// The database engine's folder on this machine: "Bde501" below the
// installation folder, where the default configuration file is too.
std::string DatabaseEngineFolder(const WProjectData& project);
// The administrator program as found there (the name matched without regard
// to case); the path it would have when it is missing.
std::string DatabaseAdministratorPath(const WProjectData& project);
// Why the program at `path` cannot be started on this machine (missing, or a
// Windows program without wine); empty when it can.
std::string WhyProgramCannotStart(const std::string& path);

}  // namespace vantrel
