// The C library's numbers in German (decimal comma) for the life of the
// object, as the wizard's toolkit sets them under LANG=de_DE.UTF-8. The locale
// is compiled with localedef into a private folder, so the machine needs no
// generated locales; Available() is false where localedef or its sources are
// missing.
#pragma once

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace vantrel::test {

class CommaDecimalLocale {
  public:
    CommaDecimalLocale() {
        char folder[] = "/tmp/vantrel-locale-XXXXXX";
        if (!mkdtemp(folder))
            return;
        folder_ = folder;
        const std::string command =
            "localedef -i de_DE -f UTF-8 '" + folder_ + "/de_DE.UTF-8' >/dev/null 2>&1";
        if (std::system(command.c_str()) != 0)
            return;
        setenv("LOCPATH", folder_.c_str(), 1);
        const char* old = std::setlocale(LC_NUMERIC, nullptr);
        old_ = old ? old : "C";
        available_ = std::setlocale(LC_NUMERIC, "de_DE.UTF-8") != nullptr;
    }
    ~CommaDecimalLocale() {
        std::setlocale(LC_NUMERIC, old_.c_str());
        unsetenv("LOCPATH");
        std::error_code ec;
        if (!folder_.empty())
            std::filesystem::remove_all(folder_, ec);
    }
    bool Available() const { return available_; }

  private:
    std::string folder_;
    std::string old_ = "C";
    bool available_ = false;
};

}  // namespace vantrel::test
