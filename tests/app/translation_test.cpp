// The wizard in German: the translation built into the program is found for
// a German locale, and no page or dialog shows a text left in English; the texts the
// setup engine reads stay as they are.
#include <QAbstractButton>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QTabBar>
#include <QTreeWidget>
#include <QtTest>

#include "app/page.h"
#include "app/support/every_dialog.h"
#include "app/support/wizard_fixture.h"
#include "app/translation.h"
#include "project/project_data.h"

using namespace vantrel;
using namespace vantrel::test;

namespace {

// Texts that are the same in both languages: names of products and parts,
// and words German took over.
const QStringList kSame = {"OK", "CD", "SQL Links", "Text", "&Version:", "Tessary Vantrel",
                           "Tessary 9 Vantrel", "= <Target Folder>",
                           // the SQL Links drivers
                           "Sybase &DB Lib", "Sybase &CT Lib", "&Oracle", "MS S&QL", "&Informix",
                           // file attributes, and the systems (any mnemonic)
                           "&Normal", "&System", "Windows 95", "Windows 98", "Windows NT 4",
                           "Windows 2000"};

// The visible texts of `window`, in the order of its controls, each with
// the place (`where` and the control) it belongs to.
void AddTexts(QWidget* window, const QString& where, QList<QPair<QString, QString>>& texts) {
    for (QWidget* control : window->findChildren<QWidget*>()) {
        if (!control->isVisibleTo(window))
            continue;
        const QString name = where + QLatin1Char(' ') + control->objectName();
        if (auto* label = qobject_cast<QLabel*>(control))
            texts << qMakePair(name, label->text());
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            texts << qMakePair(name, button->text()) << qMakePair(name, button->toolTip());
        else if (auto* group = qobject_cast<QGroupBox*>(control))
            texts << qMakePair(name, group->title());
        else if (auto* tree = qobject_cast<QTreeWidget*>(control); tree && !tree->isHeaderHidden())
            for (int c = 0; c < tree->columnCount(); ++c)
                texts << qMakePair(name, tree->headerItem()->text(c));
        else if (auto* tabs = qobject_cast<QTabBar*>(control))
            for (int t = 0; t < tabs->count(); ++t)
                texts << qMakePair(name, tabs->tabText(t));
        if (!control->accessibleName().isEmpty())
            texts << qMakePair(name, control->accessibleName());
    }
}

// The visible texts of every page, then of every dialog.
QList<QPair<QString, QString>> PageTexts() {
    WizardFixture w;
    QList<QPair<QString, QString>> texts;
    for (int index = 0; index < w.Sheet()->PageCount(); ++index) {
        if (!w.GoTo(index))
            return {};
        WPage* page = w.Sheet()->CurrentPage();
        const QString where = QString::number(index);
        texts << qMakePair(where + QStringLiteral(" caption"), page->Caption());
        AddTexts(w.Sheet(), where, texts);
    }
    EveryDialog dialogs(w);
    int view = 0;
    dialogs.ForEachView([&texts, &view](const QString&, QWidget* window) {
        const QString where = QStringLiteral("dialog %1").arg(view++);
        texts << qMakePair(where + QStringLiteral(" title"), window->windowTitle());
        AddTexts(window, where, texts);
    });
    return texts;
}

bool HasWords(const QString& text) {
    int letters = 0;
    for (const QChar c : text)
        letters = c.isLetter() ? letters + 1 : 0;
    return text.contains(QLatin1Char(' ')) || letters >= 3;
}

}  // namespace

class TranslationTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { InstallTranslation(QLocale(QLocale::English)); }

    void everyPageIsGerman() {
        QVERIFY(!InstallTranslation(QLocale(QLocale::English)));
        const auto english = PageTexts();
        QVERIFY(InstallTranslation(QLocale(QLocale::German, QLocale::Germany)));
        const auto german = PageTexts();
        QCOMPARE(german.size(), english.size());
        QStringList untranslated;
        for (int i = 0; i < english.size(); ++i) {
            const QString& text = english[i].second;
            if (text == german[i].second && HasWords(text) && !kSame.contains(text) &&
                !kSame.contains(QString(text).remove(QLatin1Char('&'))) &&
                !text.contains(QLatin1Char('/')))
                untranslated << english[i].first + QStringLiteral(": ") + text;
        }
        for (const QString& text : untranslated)
            qWarning("untranslated: %s", qPrintable(text));
        QVERIFY(untranslated.isEmpty());
        QVERIFY(german.contains(
            qMakePair(QStringLiteral("5 caption"), QStringLiteral("Dateien für die Verteilung"))));
    }

    // What the project stores and the setup engine reads keeps its words.
    void storedTextsStayEnglish() {
        QVERIFY(InstallTranslation(QLocale(QLocale::German)));
        WizardFixture w;
        QVERIFY(w.GoTo(2));
        QVERIFY(w.GoTo(3));
        QCOMPARE(w.Project()->BackTitleAlign, std::string("LEFT"));
        QCOMPARE(w.Project()->BackTitleFont, std::string("Times New Roman"));
    }
};

VANTREL_WIZARD_TEST_MAIN(TranslationTest)
#include "translation_test.moc"
