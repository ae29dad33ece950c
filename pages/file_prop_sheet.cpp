#include "pages/file_prop_sheet.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWhatsThis>

#include "app/core_text.h"
#include "app/dialogs.h"
#include "app/list_columns.h"
#include "app/qt_text.h"
#include "app/wizard_app.h"
#include "project/project_data.h"
#include "script/folder_macros.h"

namespace vantrel {

namespace {

// The last text of an edit that passed its check, taken back on a refusal.
constexpr const char* kAcceptedText = "acceptedText";

QLineEdit* ReadOnlyEdit(const QString& text, const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(true);
    return edit;
}

QLineEdit* Edit(const QString& text, const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setProperty(kAcceptedText, text);
    return edit;
}

// `text` and `label` below are marked for translation where they are given.
QCheckBox* Box(const char* text, const char* name, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(QCoreApplication::translate("vantrel::FilePropSheet", text), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setChecked(checked);
    return box;
}

// A row of a form with its label's mnemonic going to `field`.
void AddRow(QFormLayout* form, const char* label, QWidget* field) {
    auto* text = new QLabel(QCoreApplication::translate("vantrel::FilePropSheet", label),
                            field->parentWidget());
    text->setBuddy(field);
    form->addRow(text, field);
}

constexpr const char* kTypingNote = "typingNote";

// A hidden line below `edit` that says why a typed character was not taken.
void AddTypingNote(QFormLayout* form, QLineEdit* edit) {
    auto* note = new QLabel(edit->parentWidget());
    note->setObjectName(edit->objectName() + QStringLiteral("Note"));
    note->setWordWrap(true);
    note->hide();
    form->addRow(QString(), note);
    edit->setProperty(kTypingNote, QVariant::fromValue(static_cast<QObject*>(note)));
}

QLabel* TypingNoteOf(QLineEdit* edit) {
    return qobject_cast<QLabel*>(edit->property(kTypingNote).value<QObject*>());
}

}  // namespace

FilePropSheet::FilePropSheet(WWizardApp& app, WSetupFile* file, WRelocateFile relocate,
                             QWidget* parent)
    : QDialog(parent), app_(app), file_(file), relocate_(std::move(relocate)) {
    setObjectName(QStringLiteral("filePropSheet"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    if (file_ && app_.Project())
        props_ = WFileProperties::Load(*app_.Project(), *file_);
    setWindowTitle(tr("Properties for ") + FromWin1252(props_.TargetFileName()));
    KeepTitleWhole(this);

    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("tabs"));
    tabs_->setAccessibleName(tr("Property pages"));
    tabs_->addTab(BuildSource(), tr("Source"));
    tabs_->addTab(BuildDestination(), tr("Destination"));
    tabs_->addTab(BuildAttributes(), tr("Attributes"));
    tabs_->addTab(BuildAdvanced(), tr("Advanced"));
    layout->addWidget(tabs_, 1);

    buttons_ = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Help, this);
    buttons_->setObjectName(QStringLiteral("buttons"));
    layout->addWidget(buttons_);
    connect(buttons_, &QDialogButtonBox::accepted, this, &FilePropSheet::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &FilePropSheet::reject);
    connect(buttons_, &QDialogButtonBox::helpRequested, this, &FilePropSheet::ContextHelp);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, &FilePropSheet::ContextHelp);
    // Wide enough for the paths of a usual project.
    resize(sizeHint().expandedTo(QSize(520, 0)));
}

FilePropSheet::~FilePropSheet() = default;

Dialogs& FilePropSheet::Boxes() const {
    return app_.GetDialogs();
}

QWidget* FilePropSheet::BuildSource() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("sourcePage"));
    auto* form = new QFormLayout(page);
    AddRow(form, QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "&Source:"),
           ReadOnlyEdit(NativePath(props_.SourceFolder()), "sourceFolder", page));
    sourceDirectory_ = Edit(FromWin1252(props_.sourceDirectory), "sourceDirectory", page);
    AddRow(form, QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "Source &Directory on CD:"),
           sourceDirectory_);
    AddTypingNote(form, sourceDirectory_);
    AddRow(form, QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "Source &File:"),
           ReadOnlyEdit(FromWin1252(props_.SourceFileName()), "sourceFile", page));
    fullSourcePath_ = ReadOnlyEdit(NativePath(props_.FullSourcePath()), "fullSourcePath", page);
    AddRow(form, QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "Full Source &Path:"),
           fullSourcePath_);
    auto* size = new QLabel(CoreText(props_.SizeText()), page);
    size->setObjectName(QStringLiteral("size"));
    form->addRow(size);

    connect(sourceDirectory_, &QLineEdit::textEdited, this, [this] {
        OnTyped(sourceDirectory_, tr("Source Directory on CD"), &CheckSourceDirectory,
                props_.sourceDirectory);
    });
    return page;
}

QWidget* FilePropSheet::BuildDestination() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("destinationPage"));
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    destinationFolder_ = new QComboBox(page);
    destinationFolder_->setObjectName(QStringLiteral("destinationFolder"));
    destinationFolder_->setAccessibleName(tr("Destination folder"));
    for (const char* folder : DestinationFolders())
        destinationFolder_->addItem(QString::fromLatin1(folder));
    // A record may name a folder the list does not offer; it is shown and
    // kept as long as it is not changed.
    const QString current = FromWin1252(ExpandFolderMacros(props_.targetDir));
    int index = destinationFolder_->findText(current, Qt::MatchFixedString);
    if (index < 0) {
        destinationFolder_->addItem(current);
        index = destinationFolder_->count() - 1;
    }
    destinationFolder_->setCurrentIndex(index);
    AddRow(form, QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "&Destination Folder:"),
           destinationFolder_);

    destinationDirectory_ = Edit(FromWin1252(props_.targetDirectory), "destinationDirectory", page);
    AddRow(form, QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "De&stination Directory:"),
           destinationDirectory_);
    AddTypingNote(form, destinationDirectory_);
    AddRow(form, QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "&Filename:"),
           ReadOnlyEdit(FromWin1252(props_.TargetFileName()), "destinationFile", page));
    fullDestinationPath_ = ReadOnlyEdit(QString(), "fullDestinationPath", page);
    AddRow(form, QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "&Full Destination Path:"),
           fullDestinationPath_);
    ShowTargetPath();

    auto* group = new QGroupBox(tr("Operating Systems"), page);
    auto* grid = new QGridLayout(group);
    const std::pair<const char*, const char*> boxes[WSystemBoxes::kBoxCount] = {
        {"W&indows 95", "windows95"},
        {"&Windows 98", "windows98"},
        {"Windows &NT 4", "windowsNT4"},
        {"Win&dows 2000", "windows2000"}};
    for (int box = 0; box < WSystemBoxes::kBoxCount; ++box) {
        systems_[box] = Box(boxes[box].first, boxes[box].second,
                            props_.systems.IsChecked(static_cast<WSystemBoxes::Box>(box)), group);
        grid->addWidget(systems_[box], box / 2, box % 2);
        connect(systems_[box], &QCheckBox::clicked, this,
                [this, box](bool on) { OnSystemClicked(box, on); });
    }
    layout->addWidget(group);
    layout->addStretch(1);

    connect(destinationFolder_, &QComboBox::currentIndexChanged, this, [this] {
        std::string macro;
        ToWin1252(destinationFolder_->currentText(), macro);
        props_.targetDir = CompressFolderMacros(macro);
        ShowTargetPath();
    });
    connect(destinationDirectory_, &QLineEdit::textEdited, this, [this] {
        OnTyped(destinationDirectory_, tr("Destination Directory"), &CheckTargetDirectory,
                props_.targetDirectory);
        ShowTargetPath();
    });
    return page;
}

QWidget* FilePropSheet::BuildAttributes() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("attributesPage"));
    auto* layout = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    overwrite_ = new QComboBox(page);
    overwrite_->setObjectName(QStringLiteral("overwrite"));
    overwrite_->setAccessibleName(tr("Overwrite"));
    for (const char* text : OverwriteTexts())
        overwrite_->addItem(QString::fromLatin1(text));
    // An unknown rule shows no entry; OK then asks for one.
    overwrite_->setCurrentIndex(OverwriteText(props_.overwrite).empty() ? -1 : props_.overwrite);
    AddRow(form, QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "&Overwrite:"), overwrite_);
    connect(overwrite_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            props_.overwrite = index;
    });

    auto* group = new QGroupBox(tr("File Attributes"), page);
    auto* grid = new QGridLayout(group);
    const std::pair<const char*, const char*> boxes[WAttributeBoxes::kBoxCount] = {
        {QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "&Normal"), "normal"},
        {QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "&Archive"), "archive"},
        {QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "&Hidden"), "hidden"},
        {QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "&Read Only"), "readOnly"},
        {QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "&System"), "system"},
        {QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "&Temporary"), "temporary"}};
    for (int box = 0; box < WAttributeBoxes::kBoxCount; ++box) {
        attributes_[box] = Box(boxes[box].first, boxes[box].second, false, group);
        grid->addWidget(attributes_[box], box / 2, box % 2);
        connect(attributes_[box], &QCheckBox::clicked, this,
                [this, box](bool on) { OnAttributeClicked(box, on); });
    }
    ShowAttributes();
    layout->addWidget(group);
    layout->addStretch(1);
    return page;
}

QWidget* FilePropSheet::BuildAdvanced() {
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("advancedPage"));
    auto* layout = new QVBoxLayout(page);

    auto* font = new QGroupBox(tr("Font File"), page);
    font->setObjectName(QStringLiteral("fontFile"));
    auto* fontLayout = new QVBoxLayout(font);
    auto* form = new QFormLayout;
    fontLayout->addLayout(form);
    AddRow(form, QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "&Typeface name:"),
           ReadOnlyEdit(FromWin1252(props_.TypefaceName()), "typefaceName", font));
    // Why the name could not be read, when it could not.
    auto* error = new QLabel(CoreText(props_.FontError()), font);
    error->setObjectName(QStringLiteral("fontError"));
    error->setWordWrap(true);
    error->setVisible(!props_.FontError().empty());
    fontLayout->addWidget(error);
    registerFont_ = Box(QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "&Register Font"),
                        "registerFont", props_.registerFont, font);
    fontLayout->addWidget(registerFont_);
    font->setEnabled(props_.IsFont());
    layout->addWidget(font);

    mergeRegFile_ = Box(QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "&Merge Reg File"),
                        "mergeRegFile", props_.regFile, page);
    selfRegistering_ = Box(QT_TRANSLATE_NOOP("vantrel::FilePropSheet", "&Self registering file"),
                           "selfRegistering", props_.selfRegister, page);
    layout->addWidget(mergeRegFile_);
    layout->addWidget(selfRegistering_);
    layout->addStretch(1);

    connect(registerFont_, &QCheckBox::toggled, this,
            [this](bool on) { props_.registerFont = on; });
    connect(mergeRegFile_, &QCheckBox::toggled, this, [this](bool on) { props_.regFile = on; });
    connect(selfRegistering_, &QCheckBox::toggled, this,
            [this](bool on) { props_.selfRegister = on; });
    return page;
}

void FilePropSheet::OnTyped(QLineEdit* edit, const QString& field, Check check,
                            std::string& value) {
    const QString text = edit->text();
    std::string typed;
    QString message;
    if (!ToWin1252(text, typed))
        message = UnstorableMessage(field, UnstorableCharacters(text));
    else if (std::string refusal = check(typed); !refusal.empty())
        message = CoreText(refusal);
    if (message.isEmpty()) {
        value = std::move(typed);
        edit->setProperty(kAcceptedText, text);
        return;
    }
    // The refused character goes again; the caret stays where it was typed.
    // The reason shows below the field, not in a box that would take the
    // keys typed after it.
    const int cursor = edit->cursorPosition();
    const QString accepted = edit->property(kAcceptedText).toString();
    edit->setText(accepted);
    edit->setCursorPosition(qMax(0, cursor - static_cast<int>(text.size() - accepted.size())));
    // The note stays while the user types on, so that it is not missed.
    if (QLabel* note = TypingNoteOf(edit)) {
        note->setText(message);
        note->show();
    } else {
        Boxes().Message(message, Dialogs::Icon::Stop, QString(), this);
    }
    edit->setFocus();
}

void FilePropSheet::OnSystemClicked(int box, bool on) {
    const std::string refusal = props_.systems.Set(static_cast<WSystemBoxes::Box>(box), on);
    systems_[box]->setChecked(props_.systems.IsChecked(static_cast<WSystemBoxes::Box>(box)));
    if (!refusal.empty())
        Boxes().Message(CoreText(refusal), Dialogs::Icon::Exclamation, CoreText(kNoSystemCaption),
                        this);
}

void FilePropSheet::OnAttributeClicked(int box, bool on) {
    props_.attributes.Set(static_cast<WAttributeBoxes::Box>(box), on);
    ShowAttributes();
}

void FilePropSheet::ShowAttributes() {
    for (int box = 0; box < WAttributeBoxes::kBoxCount; ++box)
        attributes_[box]->setChecked(
            props_.attributes.IsChecked(static_cast<WAttributeBoxes::Box>(box)));
}

void FilePropSheet::ShowTargetPath() {
    fullDestinationPath_->setText(FromWin1252(props_.FullTargetPath()));
}

void FilePropSheet::ShowMessage(const std::string& text) {
    if (text == kNoSystemMessage)
        Boxes().Message(CoreText(text), Dialogs::Icon::Exclamation, CoreText(kNoSystemCaption),
                        this);
    else
        Boxes().Message(CoreText(text), Dialogs::Icon::Stop, QString(), this);
}

void FilePropSheet::accept() {
    WProjectData* project = app_.Project();
    if (!project || !file_) {
        ShowMessage(kSelectFileMessage);
        return;
    }
    if (std::string refusal = props_.Check(*project); !refusal.empty()) {
        ShowMessage(refusal);
        return;
    }
    if (std::string refusal = props_.Apply(*project, file_, relocate_); !refusal.empty()) {
        ShowMessage(refusal);
        return;
    }
    app_.SetModified(1);
    QDialog::accept();
}

void FilePropSheet::ContextHelp() {
    // Each tab has its topic: Source the sheet's own, Destination the
    // systems, Attributes the installation, Advanced the registration.
    static constexpr int kTabTopics[] = {1007, 1010, 1008, 1009};
    const int tab = tabs_->currentIndex();
    app_.ShowHelp(tab >= 0 && tab < 4 ? kTabTopics[tab] : kTabTopics[0]);
}

bool FilePropSheet::event(QEvent* event) {
    if (event->type() == QEvent::EnterWhatsThisMode) {
        // The "?" of the caption opens the same topic as F1.
        QTimer::singleShot(0, this, [this] {
            QWhatsThis::leaveWhatsThisMode();
            ContextHelp();
        });
        return true;
    }
    return QDialog::event(event);
}

bool EditFileProperties(WWizardApp& app, WSetupFile*& file, const WRelocateFile& relocate,
                        QWidget* parent) {
    if (!file) {
        app.GetDialogs().Message(CoreText(kSelectFileMessage), Dialogs::Icon::Exclamation,
                                 QString(), parent);
        return false;
    }
    FilePropSheet sheet(app, file, relocate, parent);
    if (sheet.exec() != QDialog::Accepted)
        return false;
    file = sheet.File();
    return true;
}

}  // namespace vantrel
