#include "pages/page_short_cuts.h"

#include <QLabel>
#include <QVBoxLayout>

namespace vantrel {

WPageShortCuts::WPageShortCuts(WWizardApp& app, QWidget* parent)
    : WPage(app, QStringLiteral("Shortcuts and Shortcut Folder"), 1012, parent) {
    auto* layout = new QVBoxLayout(Body());
    auto* text = new QLabel(QStringLiteral("Choose the Start menu folder for your application and "
                                           "the shortcuts that the setup creates in it."),
                            Body());
    text->setWordWrap(true);
    layout->addWidget(text);
    layout->addStretch(1);
}

}  // namespace vantrel
