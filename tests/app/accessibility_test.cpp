// Every control a user can reach with Tab has a name that a screen reader
// can say, on every page, in every dialog and on every tab of a dialog, as
// Qt's accessibility interface reports it.
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QtTest>

#include "app/page.h"
#include "app/support/every_dialog.h"
#include "app/support/wizard_fixture.h"

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

    // Each dialog, the File Properties sheet on each of its tabs, and the
    // help window.
    void everyDialogNamesItsControls() {
        WizardFixture w;
        EveryDialog dialogs(w);
        QStringList found, seen;
        dialogs.ForEachView([&](const QString& name, QWidget* window) {
            seen << name;
            for (const QString& control : Nameless(window))
                found << name + QStringLiteral(": ") + control;
        });
        QVERIFY2(seen.size() >= 10, qPrintable(seen.join(QLatin1Char('\n'))));
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
    }
};

VANTREL_WIZARD_TEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
