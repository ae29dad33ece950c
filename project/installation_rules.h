// What an installation folder must hold for the work asked of it: its
// "Comps" folder (the standard component scripts) for any project, and for
// building media also the setup engine, "setup32.exe" in "Distrib". Written
// once for the wizard and the command-line tool, so that neither makes a set
// without an engine or components and calls it a success.
#pragma once

#include <string>

namespace vantrel {

// The setup engine's start program, at the root of "Distrib" and of a set.
inline constexpr const char* kEngineStartProgram = "setup32.exe";

enum class InstallationUse {
    kProjects,  // opening, editing and saving projects
    kMedia,     // building media or a test run: the engine is needed too
};

// The empty text when `installLocation` can serve `use`, else what is
// missing, in words that name the folder or file.
std::string InstallationProblem(const std::string& installLocation, InstallationUse use);

}  // namespace vantrel
