#include "app/dialogs.h"

namespace vantrel {

QString Dialogs::ProgramTitle() {
    return QStringLiteral("Tessary 9 Vantrel");
}

}  // namespace vantrel
