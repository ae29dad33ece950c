#include "app/wizard_app.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "app/cp_sheet.h"
#include "app/engine_project_files.h"

#include "app/page.h"
#include "app/qt_dialogs.h"
#include "app/qt_text.h"
#include "app/single_instance.h"
#include "project/project_data.h"

// The pictures and icons are compiled into the wizard's static library; a
// static library's resources must be registered by hand.
static void InitWizardResources() {
    Q_INIT_RESOURCE(vantrel);
}

namespace vantrel {

WWizardApp* WWizardApp::instance_ = nullptr;

WWizardApp::WWizardApp() : dialogs_(std::make_unique<QtDialogs>()) {
    InitWizardResources();
    instance_ = this;
    files_ = std::make_unique<EngineProjectFiles>(*this);
}

WWizardApp::~WWizardApp() {
    ExitInstance();
    if (instance_ == this)
        instance_ = nullptr;
}

bool WWizardApp::InitInstance(const Options& options) {
    title_ = Dialogs::ProgramTitle();
    helpFolder_ = options.helpFolder;

    if (options.singleInstance) {
        guard_ = std::make_unique<SingleInstance>(options.instanceFolder);
        if (!guard_->Acquire()) {
            guard_.reset();
            return false;
        }
        connect(guard_.get(), &SingleInstance::activationRequested, this,
                &WWizardApp::BringToFront);
    }

    project_ = std::make_unique<WProjectData>();
    project_->Reset();

    sheet_ = std::make_unique<CPSheet>(*this);
    if (options.addPages)
        options.addPages(*sheet_, *this);
    sheet_->FitToPages();
    for (int i = 0; i < sheet_->PageCount(); ++i) {
        WPage* page = sheet_->Page(i);
        page->SetFirstPage(i == 0);
        page->SetProject(project_.get());
    }
    connect(sheet_.get(), &CPSheet::ended, this, &WWizardApp::finished);
    if (options.show)
        sheet_->show();
    sheet_->Start();
    return true;
}

int WWizardApp::ExitInstance() {
    if (help_)
        delete help_.data();
    sheet_.reset();
    project_.reset();
    guard_.reset();
    return 0;
}

void WWizardApp::SetDialogs(std::unique_ptr<Dialogs> dialogs) {
    if (dialogs)
        dialogs_ = std::move(dialogs);
}

void WWizardApp::SetProjectFiles(std::unique_ptr<ProjectFiles> files) {
    if (files)
        files_ = std::move(files);
}

void WWizardApp::SetModified(int modified) {
    modified_ = modified ? 1 : 0;
    emit projectStateChanged();
}

bool WWizardApp::SaveProject() {
    const bool saved = files_->Save();
    // A save may have chosen the project's first file.
    emit projectStateChanged();
    return saved;
}

QString WWizardApp::ProjectFileName() const {
    if (!project_ || !project_->HasProjectFile || project_->ProjectFile.empty())
        return QString();
    return QFileInfo(NativePath(project_->ProjectFile)).fileName();
}

void WWizardApp::BringToFront() {
    if (!sheet_ || sheet_->IsEnded())
        return;
    sheet_->setWindowState((sheet_->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    sheet_->show();
    sheet_->raise();
    sheet_->activateWindow();
}

QString WWizardApp::HelpTopicPath(int context) const {
    QStringList roots;
    if (!helpFolder_.isEmpty()) {
        roots << helpFolder_;
    } else {
        const QString dir = QCoreApplication::applicationDirPath();
        roots << dir + QStringLiteral("/help") << dir + QStringLiteral("/../share/vantrel/help");
    }
    const QString contents = QStringLiteral("index.html");
    const QString topic = context ? QStringLiteral("%1.html").arg(context) : contents;
    for (const QString& root : roots) {
        const QDir book(root + QStringLiteral("/Zlt9en.hlp"));
        if (QFileInfo(book.filePath(topic)).isFile())
            return book.filePath(topic);
        if (QFileInfo(book.filePath(contents)).isFile())
            return book.filePath(contents);
    }
    return QDir(roots.first() + QStringLiteral("/Zlt9en.hlp")).filePath(topic);
}

void WWizardApp::ShowHelp(int context) {
    if (!help_)
        help_ = new WHelpWindow;
    help_->ShowTopic(HelpTopicPath(context), context);
}

}  // namespace vantrel
