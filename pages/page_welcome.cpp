#include "pages/page_welcome.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "app/cp_sheet.h"
#include "app/dialogs.h"
#include "app/project_files.h"
#include "app/qt_text.h"
#include "app/wizard_app.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "project/project_data.h"

namespace vantrel {

namespace {

constexpr int kHelpContext = 1000;
const char* const kProjectFilter = "Tessary Vantrel (*.zlt)|*.zlt|";

}  // namespace

WPageWelcome::WPageWelcome(WWizardApp& app, QWidget* parent)
    : WPage(app, tr("Welcome to the Tessary 9 Vantrel"), kHelpContext, parent) {
    auto* layout = new QVBoxLayout(Body());
    auto* intro =
        new QLabel(tr("This wizard builds the installation set of your Tessary application. "
                      "Start a new project, open a project you saved before, or continue "
                      "with the project you are working on."),
                   Body());
    intro->setWordWrap(true);
    layout->addWidget(intro);
    layout->addSpacing(12);

    newRadio_ = new QRadioButton(tr("&Start a New Project"), Body());
    openRadio_ = new QRadioButton(tr("&Open an Existing Project"), Body());
    continueRadio_ = new QRadioButton(tr("&Continue Current Project"), Body());
    newRadio_->setObjectName(QStringLiteral("newProject"));
    openRadio_->setObjectName(QStringLiteral("openProject"));
    continueRadio_->setObjectName(QStringLiteral("continueProject"));

    pathBox_ = new QComboBox(Body());
    pathBox_->setObjectName(QStringLiteral("projectPath"));
    pathBox_->setAccessibleName(tr("Project file"));
    pathBox_->setEditable(true);
    pathBox_->setInsertPolicy(QComboBox::NoInsert);
    pathBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    pathBox_->setMinimumContentsLength(30);
    selectButton_ = new QPushButton(tr("Selec&t..."), Body());
    selectButton_->setObjectName(QStringLiteral("select"));

    layout->addWidget(newRadio_);
    layout->addWidget(openRadio_);
    auto* pathRow = new QHBoxLayout;
    pathRow->setContentsMargins(24, 0, 0, 0);
    pathRow->addWidget(pathBox_, 1);
    pathRow->addWidget(selectButton_);
    layout->addLayout(pathRow);
    layout->addWidget(continueRadio_);
    layout->addStretch(1);

    connect(newRadio_, &QRadioButton::clicked, this, &WPageWelcome::OnNewProject);
    connect(openRadio_, &QRadioButton::clicked, this, &WPageWelcome::OnOpenProject);
    connect(continueRadio_, &QRadioButton::clicked, this, &WPageWelcome::OnContinueProject);
    connect(selectButton_, &QPushButton::clicked, this, &WPageWelcome::OnSelect);

    AddHelpPair(newRadio_, 1021);
    AddHelpPair(openRadio_, 1022);
    AddHelpPair(pathBox_, 1023);
    AddHelpPair(continueRadio_, 1024);
    AddHelpPair(selectButton_, 1076);
}

void WPageWelcome::TakeControls() {
    if (newRadio_->isChecked())
        mode_ = Mode::New;
    else if (openRadio_->isChecked())
        mode_ = Mode::Open;
    else if (continueRadio_->isChecked())
        mode_ = Mode::Continue;
    selectedPath_ = pathBox_->currentText();
}

void WPageWelcome::PutControls() {
    newRadio_->setChecked(mode_ == Mode::New);
    openRadio_->setChecked(mode_ == Mode::Open);
    continueRadio_->setChecked(mode_ == Mode::Continue);
    if (pathBox_->currentText() != selectedPath_)
        pathBox_->setEditText(selectedPath_);
}

void WPageWelcome::SetMode(Mode mode) {
    mode_ = mode;
    const bool open = mode == Mode::Open;
    pathBox_->setEnabled(open);
    selectButton_->setEnabled(open);
}

bool WPageWelcome::OnInitDialog() {
    WPage::OnInitDialog();
    Project()->ProjectStarted = 0;
    return true;
}

bool WPageWelcome::OnSetActive() {
    App().SetHelpContext(kHelpContext);

    std::vector<std::string> recent = App().Files().Recent();
    pathBox_->clear();
    for (const std::string& path : recent)
        pathBox_->addItem(NativePath(path));

    if (recent.empty()) {
        mode_ = Mode::New;
    } else {
        mode_ = Mode::Open;
        if (pathBox_->currentIndex() < 0)
            pathBox_->setCurrentIndex(0);
    }
    continueRadio_->setEnabled(false);
    if (pathBox_->currentIndex() >= 0)
        selectedPath_ = pathBox_->currentText();
    SetMode(mode_);
    PutControls();

    if (Project()->ProjectStarted == 1) {
        continueRadio_->setEnabled(true);
        continueRadio_->setChecked(true);
        OnContinueProject();
    }
    return WPage::OnSetActive();
}

bool WPageWelcome::OnKillActive() {
    // Leaving the first page gives the sheet its Back button back.
    return WPage::OnKillActive();
}

void WPageWelcome::OnNewProject() {
    TakeControls();
    SetMode(Mode::New);
    WProjectData* project = Project();
    project->NewProjectMode = 1;
    project->OpenProjectMode = 0;
    project->ContinueProjectMode = 0;
    project->DefaultFolder.clear();
    PutControls();
}

void WPageWelcome::OnOpenProject() {
    TakeControls();
    SetMode(Mode::Open);
    WProjectData* project = Project();
    project->NewProjectMode = 0;
    project->OpenProjectMode = 1;
    project->ContinueProjectMode = 0;
    PutControls();
}

void WPageWelcome::OnContinueProject() {
    TakeControls();
    SetMode(Mode::Continue);
    WProjectData* project = Project();
    project->NewProjectMode = 0;
    project->OpenProjectMode = 0;
    project->ContinueProjectMode = 1;
    PutControls();
}

void WPageWelcome::OnSelect() {
    Dialogs::FileRequest request;
    request.filter = QString::fromLatin1(kProjectFilter);
    request.defaultSuffix = QStringLiteral("zlt");
    request.overwritePrompt = true;

    const QString typed = pathBox_->currentText().trimmed();
    const QFileInfo info(typed);
    if (!typed.isEmpty() && info.exists()) {
        request.folder = info.absolutePath();
        request.fileName = info.fileName();
    } else {
        const std::string mySetup = ResolveNoCase(JoinPath(Project()->InstallLocation, "MySetup"));
        request.folder = !Project()->InstallLocation.empty() && IsFolder(mySetup)
                             ? NativePath(mySetup)
                             : QDir::currentPath();
        request.fileName = QStringLiteral(".zlt");
    }

    QString chosen;
    if (Boxes().OpenFile(request, chosen, this) == Dialogs::FileResult::Ok) {
        pathBox_->setEditText(QDir::toNativeSeparators(chosen));
        selectedPath_ = pathBox_->currentText();
    }
    App().SetHelpContext(kHelpContext);
}

bool WPageWelcome::OpenGivenProject(const QString& path) {
    if (!Sheet() || Sheet()->CurrentPage() != this)
        return false;
    openRadio_->setEnabled(true);
    openRadio_->setChecked(true);
    OnOpenProject();
    pathBox_->setEditText(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    selectedPath_ = pathBox_->currentText();
    Sheet()->OnNext();
    return Sheet()->CurrentPage() != this;
}

void WPageWelcome::LockControls(bool locked) {
    if (Sheet()) {
        Sheet()->Button(CPSheet::Next)->setEnabled(!locked);
        Sheet()->Button(CPSheet::Cancel)->setEnabled(!locked);
    }
    pathBox_->setEnabled(!locked && mode_ == Mode::Open);
    selectButton_->setEnabled(!locked && mode_ == Mode::Open);
    openRadio_->setEnabled(!locked);
    newRadio_->setEnabled(!locked);
}

void WPageWelcome::ShowWaitDialog() {
    waitDialog_ = new QDialog(this, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    waitDialog_->setObjectName(QStringLiteral("wait"));
    waitDialog_->setWindowTitle(Dialogs::ProgramTitle());
    waitDialog_->setModal(false);
    auto* row = new QHBoxLayout(waitDialog_);
    auto* icon = new QLabel(waitDialog_);
    icon->setPixmap(QPixmap(QStringLiteral(":/vantrel/icon.png")));
    row->addWidget(icon);
    row->addWidget(new QLabel(tr("Please wait reading your project file."), waitDialog_));
    waitDialog_->adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->availableGeometry();
        waitDialog_->move(area.center() - waitDialog_->rect().center());
    }
    waitDialog_->show();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void WPageWelcome::CloseWaitDialog() {
    if (waitDialog_) {
        waitDialog_->close();
        delete waitDialog_;
        waitDialog_ = nullptr;
    }
    QApplication::restoreOverrideCursor();
}

int WPageWelcome::OnWizardNext() {
    TakeControls();
    WProjectData* project = Project();

    if (project->ProjectStarted == 1 && mode_ != Mode::Continue && App().Modified()) {
        const Dialogs::Answer answer =
            Boxes().Ask(tr("You may have changed some settings in your current project.  "
                           "Would you like to save your settings before continuing?"),
                        Dialogs::Buttons::YesNo, Dialogs::Answer::Yes, this);
        // A save that was cancelled or failed keeps the user here with the
        // changes still marked, rather than dropping them with the project.
        if (answer == Dialogs::Answer::Yes && !App().SaveProject())
            return -1;
        App().SetModified(0);
    }

    if (mode_ == Mode::Open) {
        const QString typed = selectedPath_.trimmed();
        if (typed.isEmpty()) {
            Boxes().Message(tr("You must choose a distribution project file to continue."),
                            Dialogs::Icon::Exclamation, QString(), this);
            return -1;
        }
        std::string path;
        if (!Win1252Path(typed, path)) {
            Boxes().Message(UnstorableMessage(tr("The project path"), UnstorableCharacters(typed)),
                            Dialogs::Icon::Exclamation, QString(), this);
            return -1;
        }
        if (!FileExists(path)) {
            Boxes().Message(tr("Unable to open the previous project file. Try again."),
                            Dialogs::Icon::Exclamation, QString(), this);
            return -1;
        }

        LockControls(true);
        ShowWaitDialog();
        project->Clear();
        project->Reset();
        project->NewProjectMode = 0;
        project->OpenProjectMode = 1;
        project->HasProjectFile = 1;
        project->ContinueProjectMode = 0;
        project->ShortcutFolderSet = 1;
        project->ProductNameSet = 1;
        project->ProjectFile = path;

        if (!App().Files().Load(path)) {
            CloseWaitDialog();
            Boxes().Message(tr("There was a problem in reading the Project. Try Again."),
                            Dialogs::Icon::Exclamation, QString(), this);
            LockControls(false);
            project->Clear();
            project->Reset();
            return -1;
        }
        project->OpenProjectMode = 1;
        project->ProjectFile = path;
        CloseWaitDialog();
    } else if (mode_ == Mode::New) {
        if (project->ProjectStarted == 1) {
            project->Clear();
            project->Reset();
        }
        project->NewProjectMode = 1;
        project->OpenProjectMode = 0;
        project->HasProjectFile = 0;
        project->ContinueProjectMode = 0;
        project->ShortcutFolderSet = 0;
        project->ProductNameSet = 0;
    }

    LockControls(false);
    project->ProjectStarted = 1;
    return 0;
}

}  // namespace vantrel
