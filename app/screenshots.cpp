#include "app/screenshots.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>

#include "app/cp_sheet.h"
#include "app/page.h"
#include "app/wizard_app.h"

namespace vantrel {

namespace {

void Settle() {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
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

}  // namespace

int TakeScreenshots(WWizardApp& app, const QString& folder) {
    CPSheet* sheet = app.Sheet();
    if (!sheet || !QDir().mkpath(folder)) return 0;
    sheet->resize(sheet->sizeHint().expandedTo(QSize(640, 420)));
    int written = 0;
    for (int index = 0; index < sheet->PageCount(); ++index) {
        if (sheet->CurrentIndex() != index) break;
        WPage* page = sheet->CurrentPage();
        if (index == 1) FillSample(page);
        Settle();
        QString name = page->Caption().toLower();
        name.replace(QLatin1Char(' '), QLatin1Char('-'));
        const QString file =
            QDir(folder).filePath(QStringLiteral("%1-%2.png").arg(index + 1, 2, 10, QLatin1Char('0')).arg(name));
        if (sheet->grab().save(file)) ++written;
        if (index + 1 < sheet->PageCount()) sheet->OnNext();
    }
    return written;
}

}  // namespace vantrel
