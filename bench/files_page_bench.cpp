// The wizard's "Files for Distribution" page at scale, offscreen: starts the
// wizard on a project, presses Next up to the files page as a user would and
// waits until the page has painted its target tree. Prints the time from the
// start of the program to that point, the steps on the way and the peak
// resident size, then ends without tearing the wizard down (not measured).
//
//   files_page_bench --install-location DIR [PROJECT.zlt] [--expand]
//
// Without a project the wizard's new project is shown. --expand also opens
// every folder of the target tree afterwards, then the folders directly below
// the source folder, and prints what each took: the cost of a user walking
// the whole tree.
//
// The registry is a private one in a temporary folder that names DIR as the
// install location; the user's hives are neither read nor written. Message
// boxes are printed to stderr instead of shown, and answered with their
// default button; a page that refuses Next ends the bench with status 1.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <sys/resource.h>

#include "app/cp_sheet.h"
#include "app/dialogs.h"
#include "app/qt_text.h"
#include "app/wizard_app.h"
#include "pages/files_page.h"
#include "pages/page_list.h"
#include "platform/registry.h"
#include "platform/system_folders.h"
#include "project/project_data.h"
#include "project/target_tree.h"

namespace {

using namespace vantrel;

class PrintedDialogs : public Dialogs {
  public:
    Answer Show(const QString& text, Buttons, Icon, Answer defaultAnswer, const QString&,
                QWidget*) override {
        std::fprintf(stderr, "files_page_bench: message: %s\n", qPrintable(text));
        return defaultAnswer;
    }
    FileResult OpenFile(const FileRequest&, QString&, QWidget*) override {
        return FileResult::Cancel;
    }
    FileResult SaveFile(const FileRequest&, QString&, QWidget*) override {
        return FileResult::Cancel;
    }
    bool ChooseFolder(const FolderRequest&, QString&, QWidget*) override { return false; }
    bool ChooseColour(const QColor&, QColor&, QWidget*) override { return false; }
};

// Notes the first paint of a widget.
class PaintWatch : public QObject {
  public:
    bool painted = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

size_t FilesBelow(const WTargetNode& node) {
    size_t files = node.IsFolder() ? 0 : 1;
    for (const auto& child : node.Children())
        files += FilesBelow(*child);
    return files;
}

long PeakKb() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Processor seconds so far, user and system: steadier than the wall clock on
// a busy machine.
double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: files_page_bench --install-location DIR [PROJECT.zlt] [--expand]\n");
    return 2;
}

// Processes events until `watch` saw a paint; false after 60 s without.
bool WaitForPaint(PaintWatch& watch) {
    QElapsedTimer waited;
    waited.start();
    while (!watch.painted && waited.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return watch.painted;
}

}  // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);

    QString install, projectFile;
    bool expand = false;
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--install-location") && i + 1 < args.size())
            install = args[++i];
        else if (args[i] == QLatin1String("--expand"))
            expand = true;
        else if (!args[i].startsWith(QLatin1String("--")) && projectFile.isEmpty())
            projectFile = args[i];
        else
            return Usage();
    }
    std::string installPath, machine, user;
    QTemporaryDir hives;
    if (install.isEmpty() || !hives.isValid() || !Win1252Path(install, installPath) ||
        !Win1252Path(hives.filePath(QStringLiteral("machine.reg")), machine) ||
        !Win1252Path(hives.filePath(QStringLiteral("user.reg")), user))
        return Usage();
    SetRegistry(std::make_unique<RegFileStore>(machine, user));
    TheRegistry().SetString(Hive::LocalMachine, WProjectData::kInstallKey,
                            WProjectData::kInstallValue, installPath);
    ReloadSystemFolders();

    auto* app = new WWizardApp;  // not deleted: the teardown is not measured
    app->SetDialogs(std::make_unique<PrintedDialogs>());
    WWizardApp::Options options;
    options.addPages = &AddWizardPages;
    options.singleInstance = false;
    if (!app->InitInstance(options))
        return 1;
    CPSheet* sheet = app->Sheet();
    const double started = clock.nsecsElapsed() / 1e9;

    if (!projectFile.isEmpty() && !OpenProjectAtStart(*app, projectFile)) {
        std::fprintf(stderr, "files_page_bench: could not open %s\n", qPrintable(projectFile));
        return 1;
    }
    const double opened = clock.nsecsElapsed() / 1e9;
    const long peakOpened = PeakKb();

    int filesIndex = -1;
    for (int i = 0; i < sheet->PageCount() && filesIndex < 0; ++i) {
        if (qobject_cast<WFilesPage*>(sheet->Page(i)))
            filesIndex = i;
    }
    while (sheet->CurrentIndex() < filesIndex) {
        const int before = sheet->CurrentIndex();
        sheet->OnNext();
        if (sheet->CurrentIndex() != before + 1) {
            std::fprintf(stderr, "files_page_bench: page %d refused Next\n", before);
            return 1;
        }
    }
    auto* page = qobject_cast<WFilesPage*>(sheet->CurrentPage());
    if (!page || !page->Tree()) {
        std::fprintf(stderr, "files_page_bench: the files page is not shown\n");
        return 1;
    }
    const double switched = clock.nsecsElapsed() / 1e9;
    PaintWatch watch;
    page->TargetTree()->viewport()->installEventFilter(&watch);
    page->TargetTree()->viewport()->update();
    if (!WaitForPaint(watch)) {
        std::fprintf(stderr, "files_page_bench: the target tree was never painted\n");
        return 1;
    }
    const double ready = clock.nsecsElapsed() / 1e9;
    const long peakReady = PeakKb();
    const double cpuReady = CpuSeconds();
    size_t files = 0;
    for (const auto& root : page->Tree()->Roots())
        files += FilesBelow(*root);

    std::printf(
        "files page ready: %.3f s (wizard up %.3f s, project opened %.3f s, page switched %.3f s, "
        "painted %.3f s; processor %.3f s), peak %.1f MB (%.1f MB with the project open), "
        "%zu files in the target tree\n",
        ready, started, opened - started, switched - opened, ready - switched, cpuReady,
        peakReady / 1024.0, peakOpened / 1024.0, files);

    if (expand) {
        QTreeWidget* tree = page->TargetTree();
        size_t shown = 0;
        // Folders open one by one, as by the "*" key: each makes its items.
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            tree->expandRecursively(tree->model()->index(i, 0));
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            ++shown;
        watch.painted = false;
        tree->viewport()->update();
        WaitForPaint(watch);
        std::printf("every folder open: %.3f s more, %zu items, peak %.1f MB\n",
                    clock.nsecsElapsed() / 1e9 - ready, shown, PeakKb() / 1024.0);

        // The folders directly below the source folder, opened: each is read
        // from the disk.
        QTreeWidget* source = page->SourceTree();
        const double before = clock.nsecsElapsed() / 1e9;
        size_t listed = 0;
        if (QTreeWidgetItem* top = source->topLevelItem(0)) {
            for (int i = 0; i < top->childCount(); ++i) {
                top->child(i)->setExpanded(true);
                listed += static_cast<size_t>(top->child(i)->childCount());
            }
        }
        PaintWatch sourceWatch;
        source->viewport()->installEventFilter(&sourceWatch);
        source->viewport()->update();
        WaitForPaint(sourceWatch);
        std::printf("source folders open: %.3f s more, %zu entries, peak %.1f MB\n",
                    clock.nsecsElapsed() / 1e9 - before, listed, PeakKb() / 1024.0);
    }
    std::fflush(stdout);
    hives.remove();  // _Exit runs no destructors
    std::_Exit(0);
}
