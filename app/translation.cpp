#include "app/translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace vantrel {

namespace {

std::unique_ptr<QTranslator>& Own() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

std::unique_ptr<QTranslator>& Standard() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

void Replace(std::unique_ptr<QTranslator>& slot, std::unique_ptr<QTranslator> next) {
    if (slot)
        QCoreApplication::removeTranslator(slot.get());
    slot = std::move(next);
    if (slot)
        QCoreApplication::installTranslator(slot.get());
}

}  // namespace

bool InstallTranslation(const QLocale& locale) {
    // The translations are compiled in (qt_add_translations in
    // app/CMakeLists.txt) as ":/vantrel/translations/vantrel_<lang>.qm".
    auto own = std::make_unique<QTranslator>();
    const bool found = locale.language() != QLocale::English &&
                       own->load(locale, QStringLiteral("vantrel"), QStringLiteral("_"),
                                 QStringLiteral(":/vantrel/translations"));
    Replace(Own(), found ? std::move(own) : nullptr);
    auto qt = std::make_unique<QTranslator>();
    const bool qtFound = found && qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    Replace(Standard(), qtFound ? std::move(qt) : nullptr);
    return found;
}

}  // namespace vantrel
