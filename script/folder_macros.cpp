#include "script/folder_macros.h"

#include <string_view>
#include <utility>

#include "platform/strings.h"

namespace vantrel {

namespace {

struct Row {
    const char* from;
    const char* to;
};

// A group of rows, applied only when the text holds `test` (exact case).
// Nested groups are gated by their own test in addition to the outer one.
struct Group {
    const char* test;
    std::vector<Row> rows;
    std::vector<Group> inner;
};

// Short to long, in the order in which the tokens are tried.
const std::vector<Group>& ExpandGroups() {
    static const std::vector<Group> groups = {
        {"<S",
         {{"<S>", "<Source Folder>"},
          {"<S2>", "<Source Folder Dbl Slash>"},
          {"<SDL>", "<Source Drive Letter:>"},
          {"<SDL:>", "<Source Drive Letter:>"},
          {"<SND>", "<Source Folder No Drive Letter>"},
          {"<SND2>", "<Source Folder No Drive Letter Dbl Slash>"},
          {"<SF>", "<Shared Folder>"},
          {"<SF2>", "<Shared Folder Dbl Slash>"},
          {"<SFR>", "<Shared Folder Residual>"},
          {"<SFR2>", "<Shared Folder Residual Dbl Slash>"},
          {"<SFDL>", "<Shared Drive Letter>"},
          {"<SFDL:>", "<Shared Drive Letter:>"}},
         {}},
        {"<D",
         {{"<D>", "<Target Folder>"},
          {"<D2>", "<Target Folder Dbl Slash>"},
          {"<DR>", "<Target Folder Residual>"},
          {"<DR2>", "<Target Folder Residual Dbl Slash>"},
          {"<DL>", "<Target Drive Letter>"},
          {"<DL:>", "<Target Drive Letter:>"}},
         {}},
        {"<W",
         {{"<W>", "<Windows Folder>"},
          {"<W2>", "<Windows Folder Dbl Slash>"},
          {"<WR>", "<Windows Folder Residual>"},
          {"<WR2>", "<Windows Folder Residual Dbl Slash>"},
          {"<WDL:>", "<Windows Drive Letter:>"},
          {"<WDL>", "<Windows Drive Letter>"},
          {"<WPF>", "<Windows Program Files Folder>"},
          {"<WPF_R>", "<Windows Program Files Folder Residual>"},
          {"<WPF_2>", "<Windows Program Files Folder Dbl Slash>"},
          {"<WPF_R2>", "<Windows Program Files Folder Residual Dbl Slash>"}},
         {}},
        {"<Q", {{"<QS9>", "<Quill Script 9 Destination Folder>"}}, {}},
        {"<F",
         {{"<F>", "<Fonts Folder>"},
          {"<F2>", "<Fonts Folder Dbl Slash>"},
          {"<FR>", "<Fonts Folder Residual>"},
          {"<FR2>", "<Fonts Folder Residual Dbl Slash>"}},
         {}},
        {"<Y",
         {{"<Y>", "<Windows System Folder>"},
          {"<Y2>", "<Windows System Folder Dbl Slash>"},
          {"<YR>", "<Windows System Folder Residual>"},
          {"<YR2>", "<Windows System Folder Residual Dbl Slash>"}},
         {}},
        {"<T",
         {{"<T>", "<Temporary Folder>"},
          {"<T2>", "<Temporary Folder Dbl Slash>"},
          {"<TR>", "<Temporary Folder Residual>"},
          {"<TR2>", "<Temporary Folder Residual Dbl Slash>"}},
         {}},
        {"<N",
         {{"<N>", "<User's Name>"},
          {"<ND>", "<Target Folder No Drive Letter>"},
          {"<ND2>", "<Target Folder No Drive Letter Dbl Slash>"}},
         {}},
        {"<P",
         {{"<P>", "<Personal Folder>"},
          {"<P_2>", "<Personal Folder Dbl Slash>"},
          {"<PRT>", "<Tessary Runtime Folder>"},
          {"<PN>", "<User's phone number>"}},
         {}},
        {"<B", {{"<BDE>", "<BDE Folder>"}}, {}},
        {"<C", {{"<C>", "<User's Company>"}}, {}},
        {"<L", {{"<L>", "<User's Log file>"}}, {}},
        {"<K", {{"<K>", "<Desktop Folder>"}}, {}},
        {"<U", {{"<U>", "<Startup Folder>"}}, {}},
        {"<R", {{"<R>", "<Start Menu Folder>"}}, {}},
        {"<O", {{"<O>", "<Start Menu Programs Folder>"}}, {}},
        {"<G", {{"<G>", "<Project Shortcut Folder>"}}, {}},
        {"<CU", {{"<CUSTOM>", "<Custom Destination>"}}, {}},
    };
    return groups;
}

// Long to short, grouped by the long forms' beginnings.
const std::vector<Group>& CompressGroups() {
    static const std::vector<Group> groups = {
        {"<S",
         {},
         {{"<So",
           {{"<Source Folder>", "<S>"},
            {"<Source Folder Dbl Slash>", "<S2>"},
            {"<Source Drive Letter:>", "<SDL>"},
            {"<Source Folder No Drive Letter>", "<SND>"},
            {"<Source Folder No Drive Letter Dbl Slash>", "<SND2>"}},
           {}},
          {"<Sh",
           {{"<Shared Folder>", "<SF>"},
            {"<Shared Folder Dbl Slash>", "<SF2>"},
            {"<Shared Folder Residual>", "<SFR>"},
            {"<Shared Folder Residual Dbl Slash>", "<SFR2>"},
            {"<Shared Drive Letter>", "<SFDL>"},
            {"<Shared Drive Letter:>", "<SFDL:>"}},
           {}},
          {"<St",
           {{"<Start Menu Folder>", "<R>"},
            {"<Startup Folder>", "<U>"},
            {"<Start Menu Programs Folder>", "<O>"}},
           {}}}},
        {"<T",
         {},
         {{"<Ta",
           {{"<Target Folder>", "<D>"},
            {"<Target Folder Dbl Slash>", "<D2>"},
            {"<Target Folder Residual>", "<DR>"},
            {"<Target Folder Residual Dbl Slash>", "<DR2>"},
            {"<Target Drive Letter>", "<DL>"},
            {"<Target Drive Letter:>", "<DL:>"},
            {"<Target Folder No Drive Letter>", "<ND>"},
            {"<Target Folder No Drive Letter Dbl Slash>", "<ND2>"}},
           {}},
          {"<Te",
           {{"<Temporary Folder>", "<T>"},
            {"<Temporary Folder Dbl Slash>", "<T2>"},
            {"<Temporary Folder Residual>", "<TR>"},
            {"<Temporary Folder Residual Dbl Slash>", "<TR2>"}},
           {}}}},
        {"<W",
         {{"<Windows Folder>", "<W>"},
          {"<Windows Folder Dbl Slash>", "<W2>"},
          {"<Windows Folder Residual>", "<WR>"},
          {"<Windows Folder Residual Dbl Slash>", "<WR2>"},
          {"<Windows Drive Letter:>", "<WDL:>"},
          {"<Windows Drive Letter>", "<WDL>"},
          {"<Windows System Folder>", "<Y>"},
          {"<Windows System Folder Dbl Slash>", "<Y2>"},
          {"<Windows System Folder Residual>", "<YR>"},
          {"<Windows System Folder Residual Dbl Slash>", "<YR2>"},
          {"<Windows Program Files Folder>", "<WPF>"},
          {"<Windows Program Files Folder Residual>", "<WPF_R>"},
          {"<Windows Program Files Folder Dbl Slash>", "<WPF_2>"},
          {"<Windows Program Files Folder Residual Dbl Slash>", "<WPF_R2>"}},
         {}},
        {"<Qu", {{"<Quill Script 9 Destination Folder>", "<QS9>"}}, {}},
        {"<F",
         {{"<Fonts Folder>", "<F>"},
          {"<Fonts Folder Dbl Slash>", "<F2>"},
          {"<Fonts Folder Residual>", "<FR>"},
          {"<Fonts Folder Residual Dbl Slash>", "<FR2>"}},
         {}},
        {"<Tes", {{"<Tessary Runtime Folder>", "<PRT>"}}, {}},
        {"<P",
         {{"<Personal Folder>", "<P>"},
          {"<Personal Folder Dbl Slash>", "<P_2>"},
          {"<Project Shortcut Folder>", "<G>"}},
         {}},
        {"<B", {{"<BDE Folder>", "<BDE>"}}, {}},
        {"<U",
         {{"<User's Name>", "<N>"},
          {"<User's phone number>", "<PN>"},
          {"<User's Company>", "<C>"},
          {"<User's Log file>", "<L>"}},
         {}},
        {"<D", {{"<Desktop Folder>", "<K>"}}, {}},
        {"<C", {{"<Custom Destination>", "<CUSTOM>"}}, {}},
    };
    return groups;
}

// Every occurrence of the macro `from`, in any case, replaced by `to`. A
// macro starts with "<", which has no other case, so only the places of a
// "<" are compared; a text without the macro is left untouched (no copy).
void ReplaceMacro(std::string& text, std::string_view from, std::string_view to) {
    size_t at = text.find('<');
    while (at != std::string::npos &&
           !EqualsNoCase(std::string_view(text).substr(at, from.size()), from)) {
        at = text.find('<', at + 1);
    }
    if (at == std::string::npos)
        return;
    std::string out(text, 0, at);
    size_t copied = at;
    while (at != std::string::npos) {
        if (EqualsNoCase(std::string_view(text).substr(at, from.size()), from)) {
            out.append(text, copied, at - copied);
            out.append(to);
            copied = at + from.size();
            at = text.find('<', copied);
        } else {
            at = text.find('<', at + 1);
        }
    }
    out.append(text, copied, std::string::npos);
    text = std::move(out);
}

// Expansion gates on the exact case of the short form's start: "<d>" alone
// stays as it is. Compression gates without regard to case, so that a long
// form typed in any case ("<target folder>") is stored in short form.
void Apply(const Group& group, std::string& text, bool gateIgnoresCase) {
    bool open = gateIgnoresCase ? FindNoCase(text, group.test) != std::string::npos
                                : text.find(group.test) != std::string::npos;
    if (!open)
        return;
    for (auto& row : group.rows)
        ReplaceMacro(text, row.from, row.to);
    for (auto& inner : group.inner)
        Apply(inner, text, gateIgnoresCase);
}

}  // namespace

std::string ReplaceAllNoCase(std::string_view text, std::string_view search,
                             std::string_view replacement) {
    if (search.empty())
        return std::string(text);
    std::string out;
    size_t from = 0;
    while (true) {
        size_t at = FindNoCase(text, search, from);
        if (at == std::string_view::npos)
            break;
        out.append(text.substr(from, at - from));
        out.append(replacement);
        from = at + search.size();
    }
    out.append(text.substr(from));
    return out;
}

std::string ExpandFolderMacros(std::string_view text) {
    std::string out(text);
    if (out.find('<') == std::string::npos)
        return out;
    for (auto& group : ExpandGroups())
        Apply(group, out, false);
    return out;
}

std::string CompressFolderMacros(std::string_view text) {
    std::string out(text);
    if (out.find('<') == std::string::npos)
        return out;
    for (auto& group : CompressGroups())
        Apply(group, out, true);
    return out;
}

const std::vector<FolderMacro>& FolderMacroTable() {
    static const std::vector<FolderMacro> table = [] {
        std::vector<FolderMacro> t;
        for (auto& group : ExpandGroups()) {
            for (auto& row : group.rows)
                t.push_back({row.from, row.to});
        }
        return t;
    }();
    return table;
}

}  // namespace vantrel
