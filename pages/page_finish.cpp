#include "pages/page_finish.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/core_text.h"
#include "app/cp_sheet.h"
#include "app/dialogs.h"
#include "app/progress_dialog.h"
#include "app/qt_text.h"
#include "app/wizard_app.h"
#include "media/media_build.h"
#include "media/set_verifier.h"
#include "media/test_run.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "project/folder_path_rules.h"
#include "project/installation_rules.h"
#include "project/project_data.h"

namespace vantrel {

namespace {

constexpr int kHelpContext = 1015;
// Sizes from this one up are shown as a CD, smaller ones as a floppy.
constexpr double kCdIconBytes = 100000000.0;

// The wait cursor for the length of a command.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

// The page's side of a build: the progress dialog, shown while the builder
// runs, and the question about a setup already in the media folder.
class FinishProgress : public WProgressDialog {
  public:
    FinishProgress(Dialogs& boxes, QWidget* page)
        : WProgressDialog(boxes, page->window()), boxes_(boxes), page_(page) {}

    // No is the default: Enter keeps the earlier set.
    ExistingSetup AskExistingSetup(const std::string& question) override {
        switch (boxes_.Show(CoreText(question), Dialogs::Buttons::YesNoCancel,
                            Dialogs::Icon::Exclamation, Dialogs::Answer::No, QString(), page_)) {
            case Dialogs::Answer::Yes:
                return ExistingSetup::kRemove;
            case Dialogs::Answer::No:
                return ExistingSetup::kKeep;
            default:
                return ExistingSetup::kCancel;
        }
    }
    void StartAnimation() override {
        show();
        WProgressDialog::StartAnimation();
    }
    void StopAnimation() override {
        WProgressDialog::StopAnimation();
        hide();
    }

  private:
    Dialogs& boxes_;
    QWidget* page_;
};

}  // namespace

WPageFinish::WPageFinish(WWizardApp& app, QWidget* parent)
    : WPage(app, tr("Create Distribution Media"), kHelpContext, parent) {
    auto* layout = new QVBoxLayout(Body());

    layout->addWidget(new QLabel(tr("Media distribution folder:"), Body()));
    auto* folderRow = new QHBoxLayout;
    folderEdit_ = new QLineEdit(Body());
    folderEdit_->setObjectName(QStringLiteral("mediaFolder"));
    folderEdit_->setAccessibleName(tr("Media folder"));
    browseButton_ = new QPushButton(tr("Bro&wse..."), Body());
    browseButton_->setObjectName(QStringLiteral("browse"));
    folderRow->addWidget(folderEdit_, 1);
    folderRow->addWidget(browseButton_);
    layout->addLayout(folderRow);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Media size:"), Body()), 0, 0);
    sizeCombo_ = new QComboBox(Body());
    sizeCombo_->setObjectName(QStringLiteral("size"));
    sizeCombo_->setAccessibleName(tr("Size of the medium"));
    for (const WMediaSizeEntry& entry : MediaSizeEntries)
        sizeCombo_->addItem(CoreText(entry.text), entry.bytes);
    grid->addWidget(sizeCombo_, 0, 1);
    iconLabel_ = new QLabel(Body());
    iconLabel_->setObjectName(QStringLiteral("sizeIcon"));
    grid->addWidget(iconLabel_, 0, 2, 2, 1);

    grid->addWidget(new QLabel(tr("Custom size:"), Body()), 1, 0);
    auto* customRow = new QHBoxLayout;
    customEdit_ = new QLineEdit(Body());
    customEdit_->setObjectName(QStringLiteral("customSize"));
    customEdit_->setAccessibleName(tr("Custom size"));
    spinUp_ = new QToolButton(Body());
    spinUp_->setArrowType(Qt::UpArrow);
    spinUp_->setAutoRepeat(true);
    spinUp_->setAccessibleName(tr("Larger"));
    spinUp_->setToolTip(spinUp_->accessibleName());
    spinDown_ = new QToolButton(Body());
    spinDown_->setArrowType(Qt::DownArrow);
    spinDown_->setAutoRepeat(true);
    spinDown_->setAccessibleName(tr("Smaller"));
    spinDown_->setToolTip(spinDown_->accessibleName());
    unitCombo_ = new QComboBox(Body());
    unitCombo_->setObjectName(QStringLiteral("unit"));
    unitCombo_->setAccessibleName(tr("Unit of the custom size"));
    for (const WMediaSizeUnit& unit : MediaSizeUnits)
        unitCombo_->addItem(QString::fromLatin1(unit.text), unit.bytes);
    customRow->addWidget(customEdit_, 1);
    customRow->addWidget(spinUp_);
    customRow->addWidget(spinDown_);
    customRow->addWidget(unitCombo_);
    grid->addLayout(customRow, 1, 1);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    sizeLabel_ = new QLabel(Body());
    sizeLabel_->setObjectName(QStringLiteral("fileSetSize"));
    estimateLabel_ = new QLabel(Body());
    estimateLabel_->setObjectName(QStringLiteral("estimate"));
    descriptionLabel_ = new QLabel(Body());
    descriptionLabel_->setObjectName(QStringLiteral("description"));
    descriptionLabel_->setWordWrap(true);
    // What ships, from the plan the build uses.
    componentsLabel_ = new QLabel(Body());
    componentsLabel_->setObjectName(QStringLiteral("components"));
    componentsLabel_->setWordWrap(true);
    layout->addWidget(sizeLabel_);
    layout->addWidget(estimateLabel_);
    // The two texts can be long: in a small window they wrap and scroll
    // instead of being cut off mid-line.
    auto* texts = new QWidget;
    auto* textsLayout = new QVBoxLayout(texts);
    textsLayout->setContentsMargins(0, 0, 0, 0);
    textsLayout->addWidget(componentsLabel_);
    textsLayout->addWidget(descriptionLabel_);
    textsLayout->addStretch(1);
    textsArea_ = new QScrollArea(Body());
    textsArea_->setObjectName(QStringLiteral("texts"));
    textsArea_->setAccessibleName(tr("Components and description"));
    textsArea_->setFrameShape(QFrame::NoFrame);
    textsArea_->setWidgetResizable(true);
    textsArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    textsArea_->setWidget(texts);
    layout->addWidget(textsArea_, 1);

    auto* buttons = new QHBoxLayout;
    saveButton_ = new QPushButton(tr("&Save Project"), Body());
    saveButton_->setObjectName(QStringLiteral("save"));
    createButton_ = new QPushButton(tr("&Create Media"), Body());
    createButton_->setObjectName(QStringLiteral("createMedia"));
    testButton_ = new QPushButton(tr("&Test Setup"), Body());
    testButton_->setObjectName(QStringLiteral("testSetup"));
    buttons->addWidget(saveButton_);
    buttons->addWidget(createButton_);
    buttons->addWidget(testButton_);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    resultView_ = new QPlainTextEdit(Body());
    resultView_->setObjectName(QStringLiteral("result"));
    resultView_->setAccessibleName(tr("Result"));
    resultView_->setReadOnly(true);
    resultView_->setPlaceholderText(tr("The result of Create Media and Test Setup appears here."));
    layout->addWidget(resultView_, 1);
    auto* resultRow = new QHBoxLayout;
    openButton_ = new QPushButton(tr("&Open Media Folder"), Body());
    openButton_->setObjectName(QStringLiteral("openFolder"));
    openButton_->setEnabled(false);
    verifyButton_ = new QPushButton(tr("&Verify Media"), Body());
    verifyButton_->setObjectName(QStringLiteral("verifyMedia"));
    verifyButton_->setToolTip(
        tr("Check the media just created without installing them: the scripts, "
           "every file of the components with its size, and every archive"));
    verifyButton_->setEnabled(false);
    resultRow->addStretch(1);
    resultRow->addWidget(verifyButton_);
    resultRow->addWidget(openButton_);
    layout->addLayout(resultRow);

    connect(browseButton_, &QPushButton::clicked, this, &WPageFinish::OnBrowse);
    connect(folderEdit_, &QLineEdit::textEdited, this, [this] { SetModified(); });
    connect(sizeCombo_, &QComboBox::currentIndexChanged, this, &WPageFinish::OnSizeChanged);
    connect(unitCombo_, &QComboBox::currentIndexChanged, this, &WPageFinish::OnCustomChanged);
    connect(customEdit_, &QLineEdit::textChanged, this, &WPageFinish::OnCustomChanged);
    connect(spinUp_, &QToolButton::clicked, this, [this] { Spin(-1); });
    connect(spinDown_, &QToolButton::clicked, this, [this] { Spin(1); });
    connect(saveButton_, &QPushButton::clicked, this, &WPageFinish::OnSave);
    connect(createButton_, &QPushButton::clicked, this, &WPageFinish::OnCreateMedia);
    connect(testButton_, &QPushButton::clicked, this, &WPageFinish::OnTestSetup);
    connect(openButton_, &QPushButton::clicked, this, &WPageFinish::OnOpenFolder);
    connect(verifyButton_, &QPushButton::clicked, this, &WPageFinish::OnVerifyMedia);
}

bool WPageFinish::OnSetActive() {
    if (!WPage::OnSetActive())
        return false;
    if (Sheet())
        Sheet()->SetFinishMode(true);
    WProjectData* project = Project();
    if (!project)
        return true;
    filling_ = true;
    plan_.TakeFromProject(*project);
    folderEdit_->setText(NativePath(project->MediaDistributionDirectory));
    sizeCombo_->setCurrentIndex(plan_.Selection());
    customEdit_->setText(FromWin1252(plan_.CustomText()));
    unitCombo_->setCurrentIndex(plan_.CustomUnit() == "KB" ? 0 : 1);
    filling_ = false;
    plan_.Gather(*project);
    Recompute();
    folderEdit_->setFocus();
    return true;
}

bool WPageFinish::OnKillActive() {
    if (!ValidateSize() || CommitPage() == 0)
        return false;
    if (Sheet())
        Sheet()->SetFinishMode(false);
    return WPage::OnKillActive();
}

bool WPageFinish::OnWizardFinish() {
    if (!App().Modified())
        return true;
    switch (Boxes().Ask(tr("Would you like to save your changes before exiting?"),
                        Dialogs::Buttons::YesNoCancel, Dialogs::Answer::Yes, this)) {
        case Dialogs::Answer::Yes:
            return ValidateSize() && CommitPage() != 0 && App().SaveProject();
        case Dialogs::Answer::No:
            return true;
        default:
            return false;
    }
}

int WPageFinish::CommitPage() {
    WProjectData* project = Project();
    if (!project)
        return 1;
    std::string folder;
    if (!Win1252Path(folderEdit_->text(), folder)) {
        Boxes().Message(
            UnstorableMessage(tr("Media folder"), UnstorableCharacters(folderEdit_->text())),
            Dialogs::Icon::Stop, QString(), this);
        folderEdit_->setFocus();
        return 0;
    }
    TakeControls();
    StoreChoice(*project);
    project->MediaDistributionDirectory = folder;
    return 1;
}

void WPageFinish::StoreChoice(WProjectData& project) const {
    const WMediaPlan::SavedChoice saved = plan_.Saved();
    project.DiskSize = saved.diskSize;
    project.FloppyCustomSize = saved.floppyCustomSize;
    project.FloppySetSizeType = saved.floppySetSizeType;
}

void WPageFinish::TakeControls() {
    plan_.Select(sizeCombo_->currentIndex());
    plan_.SetCustom(ToWin1252Lossy(customEdit_->text().trimmed()),
                    unitCombo_->currentText().toStdString());
}

void WPageFinish::Recompute() {
    WProjectData* project = Project();
    if (!project)
        return;
    TakeControls();
    plan_.Recompute();
    // The page shows the kind of set and stores it; a custom size is kept
    // as typed, its range checked when the page is left.
    project->IsFloppySetup = plan_.Saved().isFloppySetup;
    if (plan_.Selection() == WMediaPlan::kCustomEntry)
        project->SetMediaSize(plan_.Capacity(), false);
    sizeLabel_->setText(CoreText(plan_.SizeText()));
    estimateLabel_->setText(CoreText(plan_.EstimateText()));
    componentsLabel_->setText(CoreText(plan_.ComponentsText()));
    descriptionLabel_->setText(CoreText(plan_.Description()));
    const bool custom = plan_.Selection() == WMediaPlan::kCustomEntry;
    customEdit_->setEnabled(custom);
    spinUp_->setEnabled(custom);
    spinDown_->setEnabled(custom);
    unitCombo_->setEnabled(custom);
    ShowIcon();
}

void WPageFinish::ShowIcon() {
    const bool cd = plan_.Capacity() >= kCdIconBytes;
    iconLabel_->setPixmap(
        QPixmap(cd ? QStringLiteral(":/vantrel/cd.png") : QStringLiteral(":/vantrel/floppy.png")));
    iconLabel_->setAccessibleName(cd ? tr("CD") : tr("Floppy disk"));
}

void WPageFinish::OnSizeChanged() {
    if (filling_)
        return;
    Recompute();
    SetModified();
}

void WPageFinish::OnCustomChanged() {
    if (filling_)
        return;
    Recompute();
    SetModified();
}

void WPageFinish::Spin(int delta) {
    const QString text = customEdit_->text().trimmed();
    if (!WMediaPlan::IsValidCustomText(ToWin1252Lossy(text)))
        return;
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    const QString whole = dot < 0 ? text : text.left(dot);
    const long long value = whole.isEmpty() ? 0 : whole.toLongLong();
    const long long next = value - delta;
    if (next < 0)
        return;
    customEdit_->setText(QString::number(next) + (dot < 0 ? QString() : text.mid(dot)));
}

bool WPageFinish::ValidateSize() {
    WProjectData* project = Project();
    if (!project)
        return true;
    TakeControls();
    const WMediaCheck check = plan_.ValidateMediaSize(*project);
    if (check.Ok())
        return project->SetMediaSize(plan_.Capacity(), true);
    Boxes().Message(CoreText(check.message), Dialogs::Icon::Stop, CoreText(check.caption), this);
    if (plan_.Selection() == WMediaPlan::kCustomEntry)
        customEdit_->setFocus();
    return false;
}

void WPageFinish::OnBrowse() {
    std::string current;
    QString start;
    if (Win1252Path(folderEdit_->text(), current) && IsFolder(current))
        start = folderEdit_->text();
    Dialogs::FolderRequest request;
    request.caption = tr("Please select a directory");
    request.startFolder = start;
    request.options = kMediaFolderOptions;
    request.acceptReadOnly = false;
    QString chosen;
    if (!Boxes().ChooseFolder(request, chosen, this))
        return;
    folderEdit_->setText(chosen);
    SetModified();
}

void WPageFinish::OnSave() {
    WaitCursor wait;
    if (!ValidateSize() || CommitPage() == 0)
        return;
    App().SaveProject();
}

void WPageFinish::OnCreateMedia() {
    WProjectData* project = Project();
    if (!project)
        return;
    std::string folder;
    if (!Win1252Path(folderEdit_->text(), folder)) {
        CommitPage();  // shows why the folder cannot be used
        return;
    }
    TakeControls();
    WMediaBuildOptions options;
    options.mediaFolder = folder;
    options.probe = &probe_;
    WMediaBuildResult result;
    {
        FinishProgress progress(Boxes(), this);
        result = BuildMedia(*project, plan_, options, progress);
    }
    Recompute();  // the file set as the build found it
    ShowBuildResult(result);
}

void WPageFinish::ShowBuildResult(const WMediaBuildResult& result) {
    using Stage = WMediaBuildResult::Stage;
    const QString media = NativePath(result.mediaFolder);
    switch (result.stage) {
        case Stage::kFolder:
        case Stage::kSize:
        case Stage::kInstallation:
            Boxes().Message(CoreText(result.message), Dialogs::Icon::Stop, CoreText(result.caption),
                            this);
            return;
        case Stage::kExistingSetup:
            if (result.existingKept) {
                Boxes().Message(tr("The existing setup in %1 is kept, so no media were "
                                   "created. Choose another folder for the new media.")
                                    .arg(media),
                                Dialogs::Icon::Information, QString(), this);
            } else if (!result.existingCancelled) {
                Boxes().Message(tr("The existing setup in %1 could not be removed "
                                   "completely.")
                                    .arg(media),
                                Dialogs::Icon::Stop, QString(), this);
            }
            return;
        case Stage::kBuild:
        case Stage::kVerify:
            break;
    }
    // The page's choices are what this build used.
    if (WProjectData* project = Project()) {
        project->MediaDistributionDirectory = result.mediaFolder;
        StoreChoice(*project);
        project->SetMediaSize(plan_.Capacity(), true);
    }
    folderEdit_->setText(media);
    window()->raise();
    window()->activateWindow();

    lastMediaFolder_ = result.mediaFolder;
    lastMedia_ = media;
    QString log;
    if (!result.logPath.empty() && IsFile(result.logPath))
        log = tr("\n\nLog: %1").arg(NativePath(result.logPath));
    if (result.ok) {
        ShowResult(tr("The media were created in %1.").arg(media) +
                       (result.floppy ? tr("\nCopy each numbered folder onto a "
                                           "disk of its own.")
                                      : QString()) +
                       log,
                   true);
    } else if (result.cancelled) {
        ShowResult(CoreText(result.cancelOutcome) + QStringLiteral(" (%1).").arg(media) + log,
                   IsFolder(result.mediaFolder));
    } else {
        ShowResult(
            tr("The media were not created completely: %1").arg(CoreText(result.message)) + log,
            IsFolder(result.mediaFolder));
    }
}

void WPageFinish::OnTestSetup() {
    WProjectData* project = Project();
    if (!project || CommitPage() == 0)
        return;
    const std::string folder = WTestRun::FolderFor(project->MediaDistributionDirectory);
    if (folder.empty() || IsFile(folder)) {
        Boxes().Message(tr("There is no folder for the test run."), Dialogs::Icon::Stop, QString(),
                        this);
        return;
    }
    const WBuildRequest request = WTestRun::RequestFor(*project, folder);
    WTestRun::Result result;
    {
        WaitCursor wait;
        result = WTestRun::Run(*project, request, true);
    }
    const QByteArray output = QByteArray::fromStdString(result.output);

    QString text;
    if (!result.started) {
        text = tr("The setup engine could not be started: there is no runnable %1 among the "
                  "engine files of %2.")
                   .arg(QString::fromLatin1(WTestRun::kEngineProgram),
                        NativePath(JoinPath(project->InstallLocation, "Distrib")));
    } else {
        text = tr("Test run of %1%2:\n\n")
                   .arg(QString::fromLatin1(WTestRun::kEngineProgram),
                        QString::fromLatin1(WTestRun::kCommandLine)) +
               QString::fromLocal8Bit(output).trimmed() +
               tr("\n\nThe setup engine ended with exit status %1.").arg(result.exitCode);
    }
    if (!result.removed) {
        text += tr("\nThe temporary folder %1 could not be removed completely.")
                    .arg(NativePath(result.folder));
    }
    ShowResult(text, false);
}

void WPageFinish::ShowResult(const QString& text, bool canOpen) {
    resultView_->setPlainText(text);
    openButton_->setEnabled(canOpen && !lastMedia_.isEmpty());
    verifyButton_->setEnabled(openButton_->isEnabled() && !lastMediaFolder_.empty());
}

void WPageFinish::OnVerifyMedia() {
    if (lastMediaFolder_.empty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    WSetVerifier verifier;
    const bool sound = verifier.Verify(lastMediaFolder_);
    QApplication::restoreOverrideCursor();
    const int files = verifier.FileCount();
    QString text = tr("\n\nVerify: ");
    if (sound) {
        text += tr("the set is sound (%1 file record%2 checked).")
                    .arg(files)
                    .arg(files == 1 ? QString() : QStringLiteral("s"));
    } else {
        const auto& problems = verifier.Problems();
        text += tr("%1 problem%2 found:")
                    .arg(problems.size())
                    .arg(problems.size() == 1 ? QString() : QStringLiteral("s"));
        for (const std::string& problem : problems)
            text += QStringLiteral("\n  ") + FromWin1252(problem);
    }
    resultView_->setPlainText(resultView_->toPlainText() + text);
}

void WPageFinish::OnOpenFolder() {
    if (!lastMedia_.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(lastMedia_));
}

}  // namespace vantrel
