#include "pages/page_reg_keys.h"

#include <QLabel>
#include <QVBoxLayout>

namespace vantrel {

WPageRegKeys::WPageRegKeys(WWizardApp& app, QWidget* parent)
    : WPage(app, QStringLiteral("Registry Settings"), 1011, parent) {
    auto* layout = new QVBoxLayout(Body());
    auto* text =
        new QLabel(QStringLiteral("Enter the registry keys and values that the setup writes on the "
                                  "target machine, or import them from a registry file."),
                   Body());
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch(1);
}

}  // namespace vantrel
