#include "pages/page_license.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/dialogs.h"
#include "app/qt_text.h"
#include "app/wizard_app.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/text_file.h"
#include "project/project_data.h"
#include "project/text_import.h"

namespace vantrel {

namespace {

constexpr int kHelpContext = 1003;
constexpr int kLicense = 0;
constexpr int kRelease = 1;

}  // namespace

WPageLicense::WPageLicense(WWizardApp& app, QWidget* parent)
    : WPage(app, tr("License Agreement and Release Notes"), kHelpContext, parent) {
    auto* layout = new QVBoxLayout(Body());
    selector_ = new QComboBox(Body());
    selector_->setObjectName(QStringLiteral("selector"));
    selector_->setAccessibleName(tr("Text shown"));
    selector_->addItem(QStringLiteral("View License Agreement"));
    selector_->addItem(QStringLiteral("View Release Notes"));
    layout->addWidget(selector_);

    licenseBox_ = new QCheckBox(tr("Include &License Agreement"), Body());
    licenseBox_->setObjectName(QStringLiteral("includeLicense"));
    releaseBox_ = new QCheckBox(tr("Include &Release Notes"), Body());
    releaseBox_->setObjectName(QStringLiteral("includeRelease"));
    layout->addWidget(licenseBox_);
    layout->addWidget(releaseBox_);

    edit_ = new QPlainTextEdit(Body());
    edit_->setObjectName(QStringLiteral("text"));
    edit_->setAccessibleName(tr("Text"));
    edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit_->installEventFilter(this);
    layout->addWidget(edit_, 1);

    auto* row = new QHBoxLayout;
    importButton_ = new QPushButton(tr("Import &Text File..."), Body());
    importButton_->setObjectName(QStringLiteral("import"));
    row->addStretch(1);
    row->addWidget(importButton_);
    layout->addLayout(row);

    connect(selector_, &QComboBox::currentIndexChanged, this, &WPageLicense::OnSelectionChanged);
    connect(licenseBox_, &QCheckBox::clicked, this, &WPageLicense::OnLicenseClicked);
    connect(releaseBox_, &QCheckBox::clicked, this, &WPageLicense::OnReleaseClicked);
    connect(importButton_, &QPushButton::clicked, this, &WPageLicense::OnImport);
}

bool WPageLicense::OnInitDialog() {
    WPage::OnInitDialog();
    selector_->setCurrentIndex(kLicense);
    return true;
}

int WPageLicense::SelectedIndex() const {
    const int index = selector_->currentIndex();
    return index == kRelease ? kRelease : kLicense;
}

QString WPageLicense::EditText() const {
    QString text = edit_->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

bool WPageLicense::StoreEditText() {
    if (shownIndex_ < 0)
        return true;
    std::string text;
    if (!ToWin1252(EditText(), text))
        return false;
    std::string& field = shownIndex_ == kRelease ? Project()->ReleaseText : Project()->LicenseText;
    if (field != text) {
        field = text;
        SetModified();
    }
    return true;
}

bool WPageLicense::StoreEditTextOrExplain() {
    if (StoreEditText())
        return true;
    Boxes().Message(UnstorableMessage(shownIndex_ == kRelease ? QStringLiteral("The release notes")
                                                              : tr("The license agreement"),
                                      UnstorableCharacters(EditText())),
                    Dialogs::Icon::Exclamation, QString(), this);
    edit_->setFocus();
    return false;
}

void WPageLicense::ShowSelectedText() {
    const int index = SelectedIndex();
    const bool license = index == kLicense;
    licenseBox_->setVisible(license);
    releaseBox_->setVisible(!license);
    licenseBox_->setChecked(displayLicense_ != 0);
    releaseBox_->setChecked(displayRelease_ != 0);
    const WProjectData* project = Project();
    // The edit shows the stored text with its line feeds as line breaks.
    edit_->setPlainText(FromWin1252(license ? project->LicenseText : project->ReleaseText));
    shownIndex_ = index;
    const bool enabled = (license ? project->DisplayLicense : project->DisplayRelease) != 0;
    edit_->setEnabled(enabled);
    importButton_->setEnabled(enabled);
}

bool WPageLicense::OnSetActive() {
    displayLicense_ = Project()->DisplayLicense;
    displayRelease_ = Project()->DisplayRelease;
    shownIndex_ = -1;
    ShowSelectedText();
    return WPage::OnSetActive();
}

void WPageLicense::OnSelectionChanged() {
    if (!Project())
        return;
    if (!StoreEditTextOrExplain()) {
        // The edit keeps the text it holds, so the selector shows it again.
        const QSignalBlocker block(selector_);
        selector_->setCurrentIndex(shownIndex_);
        return;
    }
    ShowSelectedText();
}

void WPageLicense::OnLicenseClicked() {
    if (!StoreEditTextOrExplain()) {
        licenseBox_->setChecked(displayLicense_ != 0);
        return;
    }
    displayLicense_ = licenseBox_->isChecked() ? 1 : 0;
    Project()->DisplayLicense = displayLicense_;
    ShowSelectedText();
    SetModified();
}

void WPageLicense::OnReleaseClicked() {
    if (!StoreEditTextOrExplain()) {
        releaseBox_->setChecked(displayRelease_ != 0);
        return;
    }
    displayRelease_ = releaseBox_->isChecked() ? 1 : 0;
    Project()->DisplayRelease = displayRelease_;
    ShowSelectedText();
    SetModified();
}

bool WPageLicense::eventFilter(QObject* watched, QEvent* event) {
    if (watched == edit_ && event->type() == QEvent::FocusOut && Project())
        StoreEditText();
    return WPage::eventFilter(watched, event);
}

void WPageLicense::OnImport() {
    Dialogs::FileRequest request;
    request.defaultSuffix = QStringLiteral("txt");
    request.filter = tr("Text Files (*.txt) | *.txt| All Files (*.*)|*.*|");
    request.mustExist = true;
    QString chosen;
    const Dialogs::FileResult result = Boxes().OpenFile(request, chosen, this);
    if (result == Dialogs::FileResult::Cancel)
        return;
    const QString notText = QStringLiteral(
        "The selected file does not appear to be a text file. \n\nPlease select a text file.");
    if (result == Dialogs::FileResult::Failed) {
        Boxes().Message(notText, Dialogs::Icon::Stop, QString(), this);
        return;
    }

    std::string path;
    if (!TakeChosenPath(chosen, path))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const WTextImport imported = ImportTextFile(path);
    QApplication::restoreOverrideCursor();
    switch (imported.status) {
        case WTextImport::kOk:
            break;
        case WTextImport::kTooLarge:
            Boxes().Message(
                QStringLiteral(
                    "Error:  File cannot exceed 64KB in size.\n\nPlease select another file."),
                Dialogs::Icon::Exclamation, QString(), this);
            return;
        case WTextImport::kUnreadable:
            Boxes().Message(
                tr("The file could not be read.\n\n%1").arg(FromWin1252(imported.detail)),
                Dialogs::Icon::Stop, QString(), this);
            return;
        case WTextImport::kNotText:
            // A zero byte ends the text where the setup reads it.
            Boxes().Message(notText, Dialogs::Icon::Stop, QString(), this);
            return;
        case WTextImport::kUnstorable:
            Boxes().Message(
                UnstorableMessage(tr("The file"),
                                  QString::fromStdString(imported.detail).remove(QLatin1Char(' '))),
                Dialogs::Icon::Exclamation, QString(), this);
            return;
    }
    const std::string& text = imported.text;
    WProjectData* project = Project();
    (SelectedIndex() == kRelease ? project->ReleaseText : project->LicenseText) = text;
    edit_->setPlainText(FromWin1252(text));
    shownIndex_ = SelectedIndex();
    SetModified();
}

int WPageLicense::CommitPage() {
    return StoreEditTextOrExplain() ? 1 : 0;
}

bool WPageLicense::OnKillActive() {
    if (CommitPage() == 0)
        return false;
    WProjectData* project = Project();
    const bool noLicense = licenseBox_->isChecked() && project->LicenseText.empty();
    const bool noRelease = releaseBox_->isChecked() && project->ReleaseText.empty();
    if (noLicense || noRelease) {
        QString what;
        if (noLicense && noRelease)
            what = tr("License Agreement or Release Notes");
        else
            what = noLicense ? tr("License Agreement") : tr("Release Notes");
        const Dialogs::Answer answer = Boxes().Show(
            tr("You have not entered any text for the %1.\n\n"
               "Would you like to continue anyways?")
                .arg(what),
            Dialogs::Buttons::YesNo, Dialogs::Icon::Question, Dialogs::Answer::No, QString(), this);
        if (answer != Dialogs::Answer::Yes)
            return false;
        if (noLicense) {
            displayLicense_ = 0;
            project->DisplayLicense = 0;
            licenseBox_->setChecked(false);
        }
        if (noRelease) {
            displayRelease_ = 0;
            project->DisplayRelease = 0;
            releaseBox_->setChecked(false);
        }
        importButton_->setEnabled(false);
        edit_->setEnabled(false);
        SetModified();
    }
    return WPage::OnKillActive();
}

}  // namespace vantrel
