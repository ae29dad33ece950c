#include "pages/cust_page.h"

#include <QLabel>
#include <QVBoxLayout>

namespace vantrel {

WCustPage::WCustPage(WWizardApp& app, QWidget* parent)
    : WPage(app, QStringLiteral("Text File Customization"), 1013, parent) {
    auto* layout = new QVBoxLayout(Body());
    auto* text = new QLabel(QStringLiteral("Describe the changes that the setup makes to INI files "
                                           "and text files on the target machine."),
                            Body());
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch(1);
}

}  // namespace vantrel
