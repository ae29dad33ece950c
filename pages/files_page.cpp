#include "pages/files_page.h"

#include <QLabel>
#include <QVBoxLayout>

namespace vantrel {

WFilesPage::WFilesPage(WWizardApp& app, QWidget* parent)
    : WPage(app, QStringLiteral("Files for Distribution"), 1006, parent) {
    auto* layout = new QVBoxLayout(Body());
    auto* text = new QLabel(
        QStringLiteral(
            "Choose the files of your application and the folders on the target machine they are "
            "installed to. The files you add here are packed into the distribution media."),
        Body());
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch(1);
}

}  // namespace vantrel
