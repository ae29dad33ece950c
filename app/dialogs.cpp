#include "app/dialogs.h"

#include <QWidget>

#include "app/qt_text.h"

namespace vantrel {

QString Dialogs::ProgramTitle() {
    return QStringLiteral("Tessary 9 Vantrel");
}

bool TakeWin1252Text(Dialogs& boxes, QWidget* parent, QWidget* edit, const QString& text,
                     const QString& field, std::string& out) {
    if (ToWin1252(text, out))
        return true;
    boxes.Message(UnstorableMessage(field, UnstorableCharacters(text)), Dialogs::Icon::Exclamation,
                  QString(), parent);
    edit->setFocus();
    return false;
}

}  // namespace vantrel
