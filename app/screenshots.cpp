#include "app/screenshots.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>

#include "app/cp_sheet.h"
#include "app/page.h"
#include "app/wizard_app.h"

namespace vantrel {

namespace {

void Settle() {
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Types a sample application into the application information page.
void FillSample(WPage* page) {
    const QPair<const char*, const char*> values[] = {
        {"applicationName", "Ledger"}, {"version", "2.1"}, {"companyName", "Acme Software"}};
    for (const auto& [name, text] : values) {
        if (auto* edit = page->findChild<QLineEdit*>(QString::fromLatin1(name))) {
            edit->setText(QString::fromLatin1(text));
            emit edit->textEdited(edit->text());
        }
    }
}

// Includes a short license text.
void FillLicense(WPage* page) {
    auto* include = page->findChild<QCheckBox*>(QStringLiteral("includeLicense"));
    auto* text = page->findChild<QPlainTextEdit*>(QStringLiteral("text"));
    if (!include || !text)
        return;
    if (!include->isChecked())
        include->click();
    text->setPlainText(QStringLiteral(
        "LEDGER LICENSE AGREEMENT\n\nThis software is licensed, not sold. You may install it on "
        "the computers of your own organisation.\n\nAcme Software provides it as is, without "
        "warranty of any kind."));
}

// Makes US English the default proofreading language.
void ChooseLanguage(WPage* page) {
    auto* list = page->findChild<QComboBox*>(QStringLiteral("defaultLanguage"));
    if (!list)
        return;
    const int index = list->findText(QStringLiteral("English - US"));
    if (index < 0)
        return;
    list->setCurrentIndex(index);
    emit list->activated(index);
}

}  // namespace

int TakeScreenshots(WWizardApp& app, const QString& folder) {
    CPSheet* sheet = app.Sheet();
    if (!sheet || !QDir().mkpath(folder))
        return 0;
    int written = 0;
    for (int index = 0; index < sheet->PageCount(); ++index) {
        if (sheet->CurrentIndex() != index)
            break;
        WPage* page = sheet->CurrentPage();
        if (index == 1)
            FillSample(page);
        if (index == 3)
            FillLicense(page);
        if (index == 4)
            ChooseLanguage(page);
        Settle();
        QString name = page->Caption().toLower();
        name.replace(QLatin1Char(' '), QLatin1Char('-'));
        const QString file = QDir(folder).filePath(
            QStringLiteral("%1-%2.png").arg(index + 1, 2, 10, QLatin1Char('0')).arg(name));
        if (sheet->grab().save(file))
            ++written;
        if (index + 1 < sheet->PageCount())
            sheet->OnNext();
    }
    return written;
}

}  // namespace vantrel
