#include "pages/page_finish.h"

#include <QLabel>
#include <QVBoxLayout>

#include "app/cp_sheet.h"
#include "app/dialogs.h"
#include "app/wizard_app.h"

namespace vantrel {

WPageFinish::WPageFinish(WWizardApp& app, QWidget* parent)
    : WPage(app, QStringLiteral("Create Distribution Media"), 1015, parent) {
    auto* layout = new QVBoxLayout(Body());
    auto* text = new QLabel(
        QStringLiteral("Choose the folder that receives the distribution and the size of the "
                       "media, then save the project, create the media or test the setup."),
        Body());
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch(1);
}

bool WPageFinish::OnSetActive() {
    if (!WPage::OnSetActive())
        return false;
    if (Sheet())
        Sheet()->SetFinishMode(true);
    return true;
}

bool WPageFinish::OnKillActive() {
    if (CommitPage() == 0)
        return false;
    if (Sheet())
        Sheet()->SetFinishMode(false);
    return WPage::OnKillActive();
}

bool WPageFinish::OnWizardFinish() {
    if (!App().Modified())
        return true;
    switch (Boxes().Ask(QStringLiteral("Would you like to save your changes before exiting?"),
                        Dialogs::Buttons::YesNoCancel, Dialogs::Answer::Yes, this)) {
        case Dialogs::Answer::Yes:
            return CommitPage() != 0 && App().SaveProject();
        case Dialogs::Answer::No:
            return true;
        default:
            return false;
    }
}

}  // namespace vantrel
