// Every control a user can reach with Tab has a name that a screen reader
// can say, on every page and in every dialog, as Qt's accessibility
// interface reports it.
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QtTest>

#include "app/folder_browser.h"
#include "app/page.h"
#include "app/support/wizard_fixture.h"
#include "elements/setup_cust_file.h"
#include "elements/setup_profile_string.h"
#include "elements/setup_reg_entry.h"
#include "elements/setup_shortcut.h"
#include "pages/ini_entry_dialog.h"
#include "pages/reg_key_dialog.h"
#include "pages/shortcut_dialog.h"
#include "pages/text_replacement_dialog.h"

using namespace vantrel;
using namespace vantrel::test;

namespace {

// The focusable controls below `root` whose accessible name says nothing
// (empty, or no letter in it, such as ">").
QStringList Nameless(QWidget* root) {
    QStringList found;
    for (QWidget* w : root->findChildren<QWidget*>()) {
        if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(root))
            continue;
        // The parts of a combined control are named with it.
        if (qobject_cast<QComboBox*>(w->parentWidget()) ||
            qobject_cast<QAbstractSpinBox*>(w->parentWidget()))
            continue;
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
        QString name = face ? face->text(QAccessible::Name) : QString();
        // Here a combo box's name is its value; its label comes by relation.
        if (face && qobject_cast<QComboBox*>(w)) {
            name.clear();
            for (const auto& [label, relation] : face->relations(QAccessible::Labelled))
                name += label->text(QAccessible::Name);
            name += w->accessibleName();
        }
        bool letter = false;
        for (const QChar c : name)
            letter = letter || c.isLetter();
        if (!letter)
            found << QStringLiteral("%1 %2 \"%3\"")
                         .arg(QString::fromLatin1(w->metaObject()->className()), w->objectName(),
                              name);
    }
    return found;
}

}  // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

  private slots:
    void everyPageNamesItsControls() {
        WizardFixture w;
        QStringList found;
        for (int index = 0; index < w.Sheet()->PageCount(); ++index) {
            QVERIFY(w.GoTo(index));
            for (const QString& control : Nameless(w.Sheet()))
                found << w.Sheet()->CurrentPage()->Caption() + QStringLiteral(": ") + control;
        }
        found.removeDuplicates();
        for (const QString& control : found)
            qWarning("no name: %s", qPrintable(control));
        QVERIFY(found.isEmpty());
    }

    void everyDialogNamesItsControls() {
        WizardFixture w;
        WSetupRegEntry key;
        WSetupProfileString ini;
        WSetupCustFile replacement;
        WSetupShortcut shortcut;
        WRegKeyDialog keys(key, w.Boxes());
        WIniEntryDialog entries(ini, w.Boxes());
        WTextReplacementDialog texts(replacement, w.Boxes());
        WShortcutDialog shortcuts(shortcut, w.Boxes());
        WFolderBrowser browser(w.Boxes());
        Dialogs::FolderRequest request;
        request.startFolder = QDir::tempPath();
        browser.Setup(request);
        QStringList found;
        for (QDialog* dialog :
             std::initializer_list<QDialog*>{&keys, &entries, &texts, &shortcuts, &browser}) {
            for (const QString& control : Nameless(dialog))
                found << dialog->windowTitle() + QStringLiteral(": ") + control;
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }
};

VANTREL_WIZARD_TEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
