// The .reg reader and the registry store's hive files: any bytes parse
// without harm, every reported line lies inside the text, and a hive read,
// written and read again holds the same keys and values and writes the same
// text. A value that the store accepts reads back as it was given, and
// later values stay readable.
#include <algorithm>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/paths.h"
#include "platform/reg_text.h"
#include "platform/registry.h"
#include "platform/strings.h"

using namespace vantrel;

namespace {

bool SameKeys(const std::vector<RegFileStore::Key>& a, const std::vector<RegFileStore::Key>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].path != b[i].path || a[i].values.size() != b[i].values.size())
            return false;
        for (size_t j = 0; j < a[i].values.size(); ++j) {
            const auto& x = a[i].values[j];
            const auto& y = b[i].values[j];
            if (x.name != y.name || x.isDword != y.isDword ||
                (x.isDword ? x.dword != y.dword : x.text != y.text))
                return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes = fuzz::AsText(data, size);

    std::vector<int> unstorable;
    const std::string text = RegText::DecodeFile(bytes, unstorable);
    const RegText read = RegText::Parse(text);
    const int lineCount = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    for (const auto& key : read.Keys()) {
        FUZZ_CHECK(key.line >= 1 && key.line <= lineCount, key.path);
        for (const auto& value : key.values)
            FUZZ_CHECK(value.line >= key.line && value.line <= lineCount, value.name);
    }
    for (const auto& problem : read.Problems())
        FUZZ_CHECK(problem.line >= 1 && problem.line <= lineCount, problem.text);

    // A quoted text reads back as itself.
    for (const auto& key : read.Keys()) {
        for (const auto& value : key.values) {
            if (value.kind != RegText::Value::Kind::kString)
                continue;
            const RegText again = RegText::Parse("[K]\r\n" + RegText::Quote(value.name) + "=" +
                                                 RegText::Quote(value.text) + "\r\n");
            FUZZ_CHECK(again.Keys().size() == 1 && again.Keys()[0].values.size() == 1, value.text);
            FUZZ_CHECK(again.Keys()[0].values[0].name == value.name, value.name);
            FUZZ_CHECK(again.Keys()[0].values[0].text == value.text, value.text);
        }
    }

    for (const char* hive : {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"}) {
        const auto keys = RegFileStore::Parse(bytes, hive);
        const std::string written = RegFileStore::Serialize(keys, hive);
        const auto back = RegFileStore::Parse(written, hive);
        FUZZ_CHECK(SameKeys(keys, back), written);
        FUZZ_CHECK(RegFileStore::Serialize(back, hive) == written, written);
    }

    // The input split at its first two NULs: key, name, value.
    const size_t a = bytes.find('\0');
    const size_t b = a == std::string_view::npos ? a : bytes.find('\0', a + 1);
    if (b != std::string_view::npos) {
        const std::string_view key = bytes.substr(0, a);
        const std::string_view name = bytes.substr(a + 1, b - a - 1);
        const std::string_view value = bytes.substr(b + 1);
        const std::string scratch = fuzz::CleanScratchFolder();
        RegFileStore store(JoinPath(scratch, "machine.reg"), JoinPath(scratch, "user.reg"));
        const bool stored = store.SetString(Hive::CurrentUser, key, name, value);
        FUZZ_CHECK(store.SetString(Hive::CurrentUser, "Software\\Later", "Later", "kept"), "Later");
        std::string out;
        if (stored && !EqualsNoCase(name, "Later")) {
            FUZZ_CHECK(store.GetString(Hive::CurrentUser, key, name, out), name);
            FUZZ_CHECK(out == value, out);
        }
        FUZZ_CHECK(store.GetString(Hive::CurrentUser, "Software\\Later", "Later", out), out);
        FUZZ_CHECK(out == "kept", out);
    }
    return 0;
}
