#include "app/support/scripted_dialogs.h"

#include "app/folder_browser.h"

namespace vantrel::test {

Dialogs::Answer ScriptedDialogs::Show(const QString& text, Buttons buttons, Icon icon,
                                      Answer defaultAnswer, const QString& caption, QWidget*) {
    shown.append(
        {text, caption.isEmpty() ? ProgramTitle() : caption, buttons, icon, defaultAnswer});
    if (!answers.isEmpty())
        return answers.takeFirst();
    return defaultAnswer;
}

Dialogs::FileResult ScriptedDialogs::NextFile(const FileRequest& request, bool save,
                                              QString& chosen) {
    fileDialogs.append({save, request});
    const QString next = files.isEmpty() ? QString() : files.takeFirst();
    if (next == QLatin1String("?failed"))
        return FileResult::Failed;
    if (next.isEmpty())
        return FileResult::Cancel;
    chosen = next;
    return FileResult::Ok;
}

Dialogs::FileResult ScriptedDialogs::OpenFile(const FileRequest& request, QString& chosen,
                                              QWidget*) {
    return NextFile(request, false, chosen);
}

Dialogs::FileResult ScriptedDialogs::SaveFile(const FileRequest& request, QString& chosen,
                                              QWidget*) {
    return NextFile(request, true, chosen);
}

bool ScriptedDialogs::ChooseFolder(const FolderRequest& request, QString& chosen, QWidget* owner) {
    folderDialogs.append(request);
    if (folderBrowser) {
        WFolderBrowser browser(*this, owner);
        browser.Setup(request);
        folderBrowser(browser);
        if (browser.result() != QDialog::Accepted)
            return false;
        chosen = browser.Path();
        return true;
    }
    const QString next = folders.isEmpty() ? QString() : folders.takeFirst();
    if (next.isEmpty())
        return false;
    chosen = next;
    return true;
}

bool ScriptedDialogs::ChooseColour(const QColor& initial, QColor& chosen, QWidget*) {
    ++colourDialogs;
    lastInitialColour = initial;
    const QColor next = colours.isEmpty() ? QColor() : colours.takeFirst();
    if (!next.isValid())
        return false;
    chosen = next;
    return true;
}

QStringList ScriptedDialogs::Texts() const {
    QStringList texts;
    for (const Shown& s : shown)
        texts << s.text;
    return texts;
}

void ScriptedDialogs::Forget() {
    shown.clear();
    fileDialogs.clear();
    folderDialogs.clear();
    colourDialogs = 0;
}

}  // namespace vantrel::test
