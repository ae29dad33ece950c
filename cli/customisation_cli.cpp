#include "cli/customisation_cli.h"

#include "cli/project_cli.h"
#include "platform/strings.h"

namespace vantrel::cli {

namespace {

constexpr const char* kSystemNames[] = {"95", "nt4", "98", "2000"};

// The position (1-based) `argument` gives in a list of `count` entries:
// kOk with `index` (0-based), kFailure after a message naming `what` when
// the number is out of range. False (and nothing printed) when `argument`
// is not a number.
bool TakeNumber(const std::string& argument, size_t count, const char* what, size_t& index,
                int& status) {
    long long number = 0;
    if (!ParseInt(argument, number))
        return false;
    if (number < 1 || number > static_cast<long long>(count)) {
        status = Fail(Format("the project has no %s %lld (it has %zu)", what, number, count));
        return true;
    }
    index = static_cast<size_t>(number - 1);
    status = kOk;
    return true;
}
// The one entry of `matches`: kOk with `found`, else kFailure after a
// message that `argument` names no `what` or several of them.
int PickOne(const std::vector<const WSetupElement*>& matches, const char* what,
            const std::string& argument, const WSetupElement*& found) {
    if (matches.size() == 1) {
        found = matches.front();
        return kOk;
    }
    if (matches.empty())
        return Fail(std::string("the project has no ") + what + " for " + argument);
    return Fail(Format("%s matches %zu %ss; give its number (see list) or say more",
                       argument.c_str(), matches.size(), what));
}

}  // namespace

bool ParseSystems(const std::string& text, TargetSystems& systems) {
    systems = {false, false, false, false};
    for (const std::string& word : SplitTrimmed(text, ',')) {
        bool known = false;
        for (size_t i = 0; i < systems.size(); ++i) {
            if (EqualsNoCase(word, kSystemNames[i]))
                systems[i] = known = true;
        }
        if (!known)
            return false;
    }
    return AnySystem(systems);
}

int FindFileArg(const WProjectData& project, const std::string& argument,
                const WSetupElement*& file) {
    std::string text, error;
    if (!Win1252Arg(argument, text, "the file name"))
        return kFailure;
    file = FindCustomisableFile(project, text, error);
    return file ? kOk : Fail(Out(error));
}

int FindEntryArg(const WProjectData& project, const std::string& argument, bool filtered,
                 const std::vector<const WSetupElement*>& entries, const char* what,
                 const std::function<bool(const WSetupElement&)>& keep,
                 const WSetupElement*& found) {
    size_t index = 0;
    int status = kOk;
    if (!filtered && TakeNumber(argument, entries.size(), what, index, status)) {
        if (status == kOk)
            found = entries[index];
        return status;
    }
    const WSetupElement* file = nullptr;
    if (int rc = FindFileArg(project, argument, file); rc != kOk)
        return rc;
    std::vector<const WSetupElement*> matches;
    for (const WSetupElement* e : entries) {
        if (e->GetTargetDir() == file->GetTargetDir() &&
            e->GetTargetName() == file->GetTargetName() && keep(*e))
            matches.push_back(e);
    }
    return PickOne(matches, what, argument, found);
}

}  // namespace vantrel::cli
