#include "app/screenshots.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "app/cp_sheet.h"
#include "app/page.h"
#include "app/qt_dialogs.h"
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

// Boxes as usual, with a folder browser that picks one folder at once.
class ChosenFolderDialogs : public QtDialogs {
  public:
    explicit ChosenFolderDialogs(QString folder) : folder_(std::move(folder)) {}
    bool ChooseFolder(const FolderRequest&, QString& chosen, QWidget*) override {
        chosen = folder_;
        return true;
    }

  private:
    QString folder_;
};

QTreeWidgetItem* ItemNamed(QTreeWidget* tree, const QString& path) {
    QTreeWidgetItem* item = nullptr;
    for (const QString& name : path.split(QLatin1Char('/'))) {
        QTreeWidgetItem* next = nullptr;
        const int count = item ? item->childCount() : tree->topLevelItemCount();
        for (int i = 0; i < count && !next; ++i) {
            QTreeWidgetItem* child = item ? item->child(i) : tree->topLevelItem(i);
            if (child->text(0) == name)
                next = child;
        }
        if (!next)
            return nullptr;
        item = next;
    }
    return item;
}

// Picks a sample application folder on the files page and places a few of
// its files and folders.
void PlaceSampleFiles(WWizardApp& app, WPage* page, const QString& folder) {
    const QStringList files = {"Ledger.exe",        "Ledger.hlp",      "readme.txt",
                               "Data/accounts.db",  "Data/ledger.ini", "Reports/monthly.rpt",
                               "Reports/yearly.rpt"};
    for (const QString& name : files) {
        QDir().mkpath(QFileInfo(folder + QLatin1Char('/') + name).path());
        QFile file(folder + QLatin1Char('/') + name);
        if (file.open(QIODevice::WriteOnly))
            file.write(name.toLatin1());
    }
    auto* browse = page->findChild<QPushButton*>(QStringLiteral("browse"));
    auto* add = page->findChild<QPushButton*>(QStringLiteral("add"));
    auto* source = page->findChild<QTreeWidget*>(QStringLiteral("sourceTree"));
    auto* target = page->findChild<QTreeWidget*>(QStringLiteral("targetTree"));
    if (!browse || !add || !source || !target)
        return;
    app.SetDialogs(std::make_unique<ChosenFolderDialogs>(folder));
    browse->click();
    app.SetDialogs(std::make_unique<QtDialogs>());
    const QString root = QFileInfo(folder).fileName();
    for (const char* name : {"Ledger.exe", "Ledger.hlp", "readme.txt", "Data"}) {
        target->setCurrentItem(ItemNamed(target, QStringLiteral("<Target Folder>")));
        source->setCurrentItem(ItemNamed(source, root + QLatin1Char('/') + QLatin1String(name)));
        add->click();
    }
    if (QTreeWidgetItem* data = ItemNamed(target, QStringLiteral("<Target Folder>/Data")))
        data->setExpanded(true);
    source->setCurrentItem(ItemNamed(source, root + QStringLiteral("/Reports")));
    target->setCurrentItem(ItemNamed(target, QStringLiteral("<Target Folder>")));
}

void Type(QWidget* dialog, const char* name, const QString& text) {
    if (auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(name))) {
        edit->setText(text);
        emit edit->textEdited(text);
    }
}

// Presses `button`, and once its dialog is open fills it in with `fill`,
// saves its picture as `file` and presses OK. False when no dialog came.
bool GrabDialog(QPushButton* button, const QString& file,
                const std::function<void(QDialog*)>& fill) {
    if (!button || !button->isEnabled())
        return false;
    bool grabbed = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || grabbed)
            return;
        grabbed = true;
        fill(dialog);
        Settle();
        dialog->grab().save(file);
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        if (QPushButton* ok = buttons ? buttons->button(QDialogButtonBox::Ok) : nullptr)
            ok->click();
        if (dialog->isVisible())
            dialog->reject();
    });
    poll.start(50);
    button->click();
    poll.stop();
    return grabbed;
}

// Two registry entries through the key dialog; the dialog's picture is
// "<folder>/<prefix>-registry-key.png".
int FillRegistry(WPage* page, const QString& folder, const QString& prefix) {
    const QStringList values[] = {
        {QStringLiteral("SOFTWARE\\Acme Software\\Ledger\\2.1"), QStringLiteral("DataFolder"),
         QStringLiteral("<Target Folder>\\Data")},
        {QStringLiteral("SOFTWARE\\Acme Software\\Ledger\\2.1"), QStringLiteral("Language"),
         QStringLiteral("English")}};
    int written = 0;
    for (const QStringList& value : values) {
        const QString file =
            written == 0 ? QDir(folder).filePath(prefix + QStringLiteral("-registry-key.png"))
                         : QString();
        const bool shown = GrabDialog(
            page->findChild<QPushButton*>(QStringLiteral("addKey")),
            file.isEmpty() ? QDir::temp().filePath(QStringLiteral("vantrel-shot.png")) : file,
            [&value](QDialog* dialog) {
                if (auto* root = dialog->findChild<QComboBox*>(QStringLiteral("rootKey")))
                    root->setCurrentIndex(2);
                Type(dialog, "key", value[0]);
                Type(dialog, "name", value[1]);
                Type(dialog, "value", value[2]);
            });
        if (shown && !file.isEmpty())
            ++written;
    }
    QFile::remove(QDir::temp().filePath(QStringLiteral("vantrel-shot.png")));
    return written;
}

// A shortcut to the application through the shortcut dialog; its picture
// is "<folder>/<prefix>-shortcut.png".
int FillShortcuts(WPage* page, const QString& folder, const QString& prefix) {
    auto* files = page->findChild<QListWidget*>(QStringLiteral("applicationFiles"));
    if (!files || files->count() == 0)
        return 0;
    for (int row = 0; row < files->count(); ++row) {
        if (files->item(row)->text().contains(QStringLiteral("Ledger.exe")))
            files->setCurrentRow(row);
    }
    const QString file = QDir(folder).filePath(prefix + QStringLiteral("-shortcut.png"));
    return GrabDialog(
               page->findChild<QPushButton*>(QStringLiteral("addShortcut")), file,
               [](QDialog* dialog) { Type(dialog, "shortcutName", QStringLiteral("Ledger")); })
               ? 1
               : 0;
}

}  // namespace

int TakeScreenshots(WWizardApp& app, const QString& folder) {
    CPSheet* sheet = app.Sheet();
    if (!sheet || !QDir().mkpath(folder))
        return 0;
    // The sample application's files stay until the last page is taken.
    QTemporaryDir sample;
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
        if (index == 5 && sample.isValid())
            PlaceSampleFiles(app, page, sample.filePath(QStringLiteral("Ledger")));
        QString name = page->Caption().toLower();
        name.replace(QLatin1Char(' '), QLatin1Char('-'));
        const QString prefix = QStringLiteral("%1").arg(index + 1, 2, 10, QLatin1Char('0'));
        if (index == 6)
            written += FillRegistry(page, folder, prefix);
        if (index == 7)
            written += FillShortcuts(page, folder, prefix);
        Settle();
        const QString file = QDir(folder).filePath(QStringLiteral("%1-%2.png").arg(prefix, name));
        if (sheet->grab().save(file))
            ++written;
        if (index + 1 < sheet->PageCount())
            sheet->OnNext();
    }
    return written;
}

}  // namespace vantrel
