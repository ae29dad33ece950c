#include "platform/paths.h"

#include "platform/encoding.h"

namespace vantrel {

bool IsPathSeparator(char c) {
    return c == '\\' || c == '/';
}

std::filesystem::path ToNative(std::string_view enginePath) {
    std::string p(enginePath);
    for (auto& c : p) {
        if (c == '\\')
            c = '/';
    }
    const std::string utf8 = Cp1252ToUtf8(p);
    // Built from UTF-8 explicitly: on Windows a narrow string would be read
    // in the ANSI code page, and the wide form is what the system calls take.
    std::filesystem::path native(std::u8string(utf8.begin(), utf8.end()));
    native.make_preferred();
    return native;
}

bool FromNative(const std::filesystem::path& native, std::string& out) {
    const std::u8string utf8 = native.generic_u8string();
    return Utf8ToCp1252(std::string(utf8.begin(), utf8.end()), out);
}

std::string DisplayPath(std::string_view enginePath) {
    // Still Windows-1252 text: messages are converted once, where they are shown.
    std::string p(enginePath);
    for (auto& c : p) {
        if (c == '\\')
            c = '/';
    }
    return p;
}

std::string StripTrailingSeparators(std::string_view path) {
    size_t e = path.size();
    while (e > 1 && IsPathSeparator(path[e - 1]))
        --e;
    return std::string(path.substr(0, e));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    if (folder.empty())
        return std::string(name);
    bool slash =
        folder.find('/') != std::string_view::npos && folder.find('\\') == std::string_view::npos;
    char sep = slash ? '/' : '\\';
    size_t e = folder.size();
    while (e > 0 && IsPathSeparator(folder[e - 1]))
        --e;
    size_t b = 0;
    while (b < name.size() && IsPathSeparator(name[b]))
        ++b;
    std::string r(folder.substr(0, e));
    r += sep;
    r += name.substr(b);
    return r;
}

static size_t LastSeparator(std::string_view path) {
    return path.find_last_of("\\/");
}

std::string SlashesAsBackslashes(std::string_view text) {
    std::string r(text);
    for (auto& c : r) {
        if (c == '/')
            c = '\\';
    }
    return r;
}

std::string FileNameOf(std::string_view path) {
    size_t p = LastSeparator(path);
    return std::string(p == std::string_view::npos ? path : path.substr(p + 1));
}

std::string FolderOf(std::string_view path) {
    size_t p = LastSeparator(path);
    if (p == std::string_view::npos)
        return {};
    if (p == 0)
        return std::string(path.substr(0, 1));
    return std::string(path.substr(0, p));
}

std::string BaseNameUpToFirstDot(std::string_view path) {
    std::string name = FileNameOf(path);
    size_t dot = name.find('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string AbsolutePath(std::string_view path) {
    std::error_code ec;
    auto abs = std::filesystem::absolute(ToNative(path), ec);
    if (ec)
        return std::string(path);
    std::string out;
    if (!FromNative(abs.lexically_normal(), out))
        return std::string(path);
    return StripTrailingSeparators(out);
}

}  // namespace vantrel
