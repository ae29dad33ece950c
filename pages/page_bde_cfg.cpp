#include "pages/page_bde_cfg.h"

#include <QLabel>
#include <QVBoxLayout>

namespace vantrel {

WPageBDECfg::WPageBDECfg(WWizardApp& app, QWidget* parent)
    : WPage(app, QStringLiteral("BDE Configuration"), 1014, parent) {
    auto* layout = new QVBoxLayout(Body());
    auto* text = new QLabel(
        QStringLiteral("Choose the Borland Database Engine configuration file that is merged on "
                       "the target machine and the SQL Links drivers that the setup installs."),
        Body());
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch(1);
}

}  // namespace vantrel
