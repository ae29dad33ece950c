// Titles of pages and dialogs that the core defines (its rules and messages
// name them) and the wizard shows through tr(): listed here under the
// classes that show them, so that the translation tools find them.
#include <QtGlobal>

namespace {

[[maybe_unused]] const char* const kShownTitles[] = {
    QT_TRANSLATE_NOOP("vantrel::WCustPage", "Text File Customization"),
    QT_TRANSLATE_NOOP("vantrel::WPageRegKeys", "Registry Settings"),
    QT_TRANSLATE_NOOP("vantrel::WPageShortCuts", "Shortcuts and Shortcut Folder"),
    QT_TRANSLATE_NOOP("vantrel::WRegKeyDialog", "Registry Key Properties"),
    QT_TRANSLATE_NOOP("vantrel::WShortcutDialog", "Shortcut Properties"),
    QT_TRANSLATE_NOOP("vantrel::WCustomisationDialog", "Profile String Properties"),
    QT_TRANSLATE_NOOP("vantrel::WCustomisationDialog", "Text File Customization Properties"),
};

}  // namespace
