#include "platform/wildcard.h"

#include "platform/files.h"
#include "platform/strings.h"

namespace vantrel {

namespace {

// "*" and "?" matching without regard to case; "*" backtracks to the last
// star only, which is enough because a later star can absorb any run that an
// earlier one could.
bool GlobMatch(std::string_view pattern, std::string_view name) {
    size_t p = 0, n = 0;
    size_t starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || ToLowerChar(pattern[p]) == ToLowerChar(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

}  // namespace

bool HasWildcards(std::string_view text) {
    return text.find_first_of("*?") != std::string_view::npos;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    if (name.empty())
        return pattern.empty() || pattern.find_first_not_of('*') == std::string_view::npos;
    if (GlobMatch(pattern, name))
        return true;
    if (pattern.size() >= 2 && EndsWith(pattern, ".*")) {
        // "readme.*" also names "readme"; "*.*" names everything.
        return GlobMatch(pattern.substr(0, pattern.size() - 2), name);
    }
    if (pattern.size() >= 2 && pattern.back() == '.' && name.find('.') == std::string_view::npos) {
        // "*." and "make*." name files without an extension.
        return GlobMatch(pattern.substr(0, pattern.size() - 1), name);
    }
    return false;
}

std::vector<std::string> MatchFilesInFolder(std::string_view folder, std::string_view pattern) {
    std::vector<std::string> out;
    for (auto& name : ListFolder(folder, true, false)) {
        if (WildcardMatch(pattern, name))
            out.push_back(name);
    }
    return out;
}

}  // namespace vantrel
