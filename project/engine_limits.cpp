#include "project/engine_limits.h"

#include <vector>

#include "elements/setup_element.h"
#include "platform/strings.h"
#include "platform/text_file.h"
#include "project/file_name_rules.h"

namespace vantrel {

std::string Grouped(size_t n) {
    const std::string digits = std::to_string(n);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

namespace {

std::vector<std::string> PathPartsOf(std::string_view path) {
    return Split(ReplaceAll(std::string(path), "/", "\\"), '\\');
}

std::string PartProblem(const std::string& part) {
    std::string why = WindowsNameProblem(part);
    return why.empty() ? std::string() : "\"" + part + "\" " + why;
}

}  // namespace

std::string LineLengthProblem(size_t length) {
    if (length <= kMaxScriptLineLength)
        return {};
    return "is " + Grouped(length) + " characters long; the setup engine reads lines of at most " +
           Grouped(kMaxScriptLineLength) + " characters";
}

size_t RecordLineLength(std::string_view component, const WSetupElement& element) {
    return component.size() + element.WriteRecord().size();
}

std::string DestinationProblem(std::string_view destination) {
    if (destination.empty())  // a record that writes nowhere
        return {};
    const std::vector<std::string> parts = PathPartsOf(destination);
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        // The folder macro that begins it, or a drive; Windows reads a
        // doubled or final separator as one.
        if (part.empty())
            continue;
        if (i == 0 && ((StartsWith(part, "<") && EndsWith(part, ">")) ||
                       (part.size() == 2 && part[1] == ':')))
            continue;
        if (std::string why = PartProblem(part); !why.empty())
            return why;
    }
    return {};
}

std::string DestinationProblem(std::string_view targetDir, std::string_view targetName) {
    if (targetName.empty())
        return "it has no file name";
    return DestinationProblem(std::string(targetDir) + "\\" + std::string(targetName));
}

std::string DestinationChecker::Problem(const std::string& targetDir, std::string_view targetName) {
    if (targetName.empty())
        return "it has no file name";
    // The folder's parts come first in the path, so its problem is the
    // path's; else the first part of the name that has one.
    auto [folder, fresh] = folders_.try_emplace(targetDir);
    if (fresh)
        folder->second = DestinationProblem(targetDir.empty() ? std::string("\\") : targetDir);
    if (!folder->second.empty())
        return folder->second;
    // The name's parts as they stand (no copies: this runs once per file).
    for (std::string_view rest = targetName;;) {
        const size_t separator = rest.find_first_of("\\/");
        const std::string_view part = rest.substr(0, separator);
        if (!part.empty()) {
            if (std::string why = WindowsNameProblem(part); !why.empty())
                return "\"" + std::string(part) + "\" " + why;
        }
        if (separator == std::string_view::npos)
            return {};
        rest.remove_prefix(separator + 1);
    }
}

std::string ScriptLinesProblem(const std::string& path) {
    std::vector<std::string> lines;
    if (!ReadTextLines(path, lines))
        return {};
    ScriptLineChecker checker;
    for (const std::string& line : lines) {
        if (std::string why = checker.Next(line); !why.empty())
            return why;
    }
    return {};
}

std::string ScriptLineChecker::Next(const std::string& line) {
    ++number_;
    const bool header = StartsWith(line, "[") && line.find(']') != std::string::npos;
    std::string why = LineLengthProblem(line.size());
    if (why.empty()) {
        if (header)
            section_ = line.substr(1, line.find(']') - 1);
        return {};
    }
    std::string where = "line " + std::to_string(number_);
    const size_t eq = line.find('=');
    const size_t comma = line.find(',');
    if (header) {
        where += " (a section name)";
    } else if (eq != std::string::npos && (comma == std::string::npos || eq < comma)) {
        where += " ([" + section_ + "] " + line.substr(0, eq) + ")";
    } else {
        // A record: its longest field.
        std::vector<std::string> fields = Split(line, ',');
        size_t longest = 0;
        for (size_t f = 1; f < fields.size(); ++f) {
            if (fields[f].size() > fields[longest].size())
                longest = f;
        }
        where += " (the record in [" + section_ + "], its field " + std::to_string(longest + 1) +
                 " of " + Grouped(fields[longest].size()) + " characters)";
    }
    return where + " " + why;
}

}  // namespace vantrel
