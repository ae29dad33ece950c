// What the setup engine can read and use, as rules for the records and
// lines a project holds: a script line must stay shorter than the engine's
// line buffer, and a file's destination must be a path the engine can make
// below its folder. Loading a project, the registry dialog and the registry
// import check these, so that nothing the engine would refuse gets in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "scriptfile/script_header.h"

namespace vantrel {

class WSetupElement;

// The longest script line the setup engine reads whole.
inline constexpr size_t kMaxScriptLineLength = WScriptHeader::kLongLineLength - 1;

// 3012 -> "3,012".
std::string Grouped(size_t n);

// "" when a script line of `length` characters can be read, else why not
// ("is 3,012 characters long; the setup engine reads lines of at most
// 2,045 characters").
std::string LineLengthProblem(size_t length);

// The line that `element` makes in a component script of `component`.
size_t RecordLineLength(std::string_view component, const WSetupElement& element);

// "" when the setup engine can use `destination`, a path on the target
// machine in folder-macro form ("<D>\\bin\\app.exe", "\\" or "/"), else why
// not: a part that is "." or "..", a device name (CON, NUL, COM1, ...), or a
// name Windows cannot hold otherwise (a control character, "*", a final dot,
// ...). The loader, the build and the set checker all apply this rule.
std::string DestinationProblem(std::string_view destination);
// The same for a file installed at `targetDir` under `targetName`, which
// must not be empty.
std::string DestinationProblem(std::string_view targetDir, std::string_view targetName);

// DestinationProblem(targetDir, targetName) for many files, each folder
// checked once: a project's files share a few folders.
class DestinationChecker {
  public:
    std::string Problem(const std::string& targetDir, std::string_view targetName);

  private:
    std::unordered_map<std::string, std::string> folders_;
};

// Every line of the script file at `path` checked with LineLengthProblem:
// "" when all can be read, else the first long line, named by its number,
// its section and key or its record's field ("line 12 ([BOXID] CompanyName)
// is 3,012 characters long; ..."). A file that cannot be read passes (its
// reader reports that).
std::string ScriptLinesProblem(const std::string& path);

// The same check a line at a time, for a reader that goes through the
// script's lines anyway: Next() is given each line in turn.
class ScriptLineChecker {
  public:
    std::string Next(const std::string& line);

  private:
    size_t number_ = 0;
    std::string section_;
};

}  // namespace vantrel
