#include "app/support/every_dialog.h"

#include <QDir>
#include <QTabWidget>

#include "app/folder_browser.h"
#include "app/qt_text.h"
#include "app/support/wizard_fixture.h"
#include "elements/setup_cust_file.h"
#include "elements/setup_profile_string.h"
#include "elements/setup_reg_entry.h"
#include "elements/setup_shortcut.h"
#include "pages/file_prop_sheet.h"
#include "pages/ini_entry_dialog.h"
#include "pages/reg_key_dialog.h"
#include "pages/shortcut_dialog.h"
#include "pages/text_replacement_dialog.h"
#include "platform/paths.h"
#include "project/file_elements.h"
#include "script/setup_component.h"

namespace vantrel::test {

struct EveryDialog::Dialogs {
    WSetupRegEntry key;
    WSetupProfileString ini;
    WSetupCustFile replacement;
    WSetupShortcut shortcut;
    std::unique_ptr<WRegKeyDialog> keys;
    std::unique_ptr<WIniEntryDialog> entries;
    std::unique_ptr<WTextReplacementDialog> texts;
    std::unique_ptr<WShortcutDialog> shortcuts;
    std::unique_ptr<WFolderBrowser> browser;
    std::unique_ptr<FilePropSheet> properties;
};

EveryDialog::EveryDialog(WizardFixture& w) : d_(std::make_unique<Dialogs>()), w_(w) {
    d_->keys = std::make_unique<WRegKeyDialog>(d_->key, w.Boxes());
    d_->entries = std::make_unique<WIniEntryDialog>(d_->ini, w.Boxes());
    d_->texts = std::make_unique<WTextReplacementDialog>(d_->replacement, w.Boxes());
    d_->shortcuts = std::make_unique<WShortcutDialog>(d_->shortcut, w.Boxes());
    d_->browser = std::make_unique<WFolderBrowser>(w.Boxes());
    vantrel::Dialogs::FolderRequest request;
    request.startFolder = QDir::tempPath();
    d_->browser->Setup(request);
    // A file of the project, as the files page opens its properties.
    QDir().mkpath(NativePath(w.Scratch("src/bin")));
    w.Project()->DefaultFolder = w.Scratch("src");
    auto* file =
        static_cast<WSetupFile*>(w.Project()->ProgramFilesComponent()->AddElement(NewFileElement(
            w.WriteScratch("src/bin/a.dll", "library"), "bin/a.dll", "<D>", "bin\\a.dll")));
    d_->properties = std::make_unique<FilePropSheet>(w.App(), file, WRelocateFile{});
}

EveryDialog::~EveryDialog() {
    if (w_.App().HelpWindow())
        w_.App().HelpWindow()->close();
}

void EveryDialog::ForEachView(
    const std::function<void(const QString& name, QWidget* window)>& visit) {
    const auto show = [&visit](const QString& name, QWidget* window) {
        window->show();
        window->activateWindow();
        QCoreApplication::processEvents();
        visit(name, window);
    };
    for (QWidget* dialog :
         std::initializer_list<QWidget*>{d_->keys.get(), d_->entries.get(), d_->texts.get(),
                                         d_->shortcuts.get(), d_->browser.get()}) {
        show(dialog->windowTitle(), dialog);
        dialog->hide();
    }
    QTabWidget* tabs = d_->properties->Tabs();
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        show(QStringLiteral("File Properties: ") + tabs->tabText(tab), d_->properties.get());
    }
    d_->properties->hide();
    w_.App().ShowHelp(1000);
    show(w_.App().HelpWindow()->windowTitle(), w_.App().HelpWindow());
}

}  // namespace vantrel::test
