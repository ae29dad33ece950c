#include "pages/page_background.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/core_text.h"
#include "app/dialogs.h"
#include "app/qt_text.h"
#include "app/wizard_app.h"
#include "elements/setup_background.h"
#include "pages/background_preview.h"
#include "pages/colour_swatch.h"
#include "platform/registry.h"
#include "platform/strings.h"
#include "project/project_data.h"
#include "project/project_rules.h"

namespace vantrel {

namespace {

constexpr int kHelpContext = 1002;
const char* const kFontsKey = "SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTS";
const char* const kStyles[] = {"Normal", "Normal Italic", "Bold", "Bold Italic"};

QString Decimal(int value) {
    return QString::number(value);
}

int Component(const std::string& text) {
    return qBound(0, static_cast<int>(ToInt(text)), 255);
}

QColor ColourOf(const std::string& red, const std::string& green, const std::string& blue) {
    return QColor(Component(red), Component(green), Component(blue));
}

PaintColour Paint(const QColor& c) {
    return PaintColour{static_cast<uint8_t>(c.red()), static_cast<uint8_t>(c.green()),
                       static_cast<uint8_t>(c.blue())};
}

}  // namespace

WPageBackground::WPageBackground(WWizardApp& app, QWidget* parent)
    : WPage(app, tr("Configure Setup Background"), kHelpContext, parent) {
    auto* layout = new QVBoxLayout(Body());
    auto* grid = new QGridLayout;

    titleEdit_ = new QLineEdit(Body());
    titleEdit_->setObjectName(QStringLiteral("title"));
    fontList_ = new QComboBox(Body());
    fontList_->setObjectName(QStringLiteral("font"));
    fontList_->setAccessibleName(tr("Font"));
    fontList_->setEditable(true);
    fontList_->setInsertPolicy(QComboBox::NoInsert);
    sizeList_ = new QComboBox(Body());
    sizeList_->setObjectName(QStringLiteral("size"));
    sizeList_->setAccessibleName(tr("Font size"));
    sizeList_->setEditable(true);
    sizeList_->setInsertPolicy(QComboBox::NoInsert);
    for (int size = 20; size <= 72; size += 4)
        sizeList_->addItem(QString::number(size));
    styleList_ = new QComboBox(Body());
    styleList_->setObjectName(QStringLiteral("style"));
    styleList_->setAccessibleName(tr("Font style"));
    for (const char* style : kStyles)
        styleList_->addItem(QString::fromLatin1(style));
    alignList_ = new QComboBox(Body());
    alignList_->setObjectName(QStringLiteral("alignment"));
    alignList_->setAccessibleName(tr("Alignment"));
    alignList_->addItems(
        {QStringLiteral("LEFT"), QStringLiteral("RIGHT"), QStringLiteral("CENTER")});

    auto label = [&](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text, Body());
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label(tr("Setup &title:"), titleEdit_), 0, 0);
    grid->addWidget(titleEdit_, 0, 1, 1, 3);
    grid->addWidget(label(tr("&Font:"), fontList_), 1, 0);
    grid->addWidget(fontList_, 1, 1);
    grid->addWidget(label(tr("Si&ze:"), sizeList_), 1, 2);
    grid->addWidget(sizeList_, 1, 3);
    grid->addWidget(label(tr("St&yle:"), styleList_), 2, 0);
    grid->addWidget(styleList_, 2, 1);
    grid->addWidget(label(tr("Ali&gnment:"), alignList_), 2, 2);
    grid->addWidget(alignList_, 2, 3);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    auto* colours = new QHBoxLayout;
    titleSwatch_ = new ColourSwatch(Qt::black, Body());
    titleSwatch_->setObjectName(QStringLiteral("titleColour"));
    titleSwatch_->setToolTip(tr("Choose the colour of the title"));
    titleSwatch_->setAccessibleName(tr("Title colour"));
    redSwatch_ = new ColourSwatch(QColor(255, 0, 0), Body());
    redSwatch_->setObjectName(QStringLiteral("red"));
    redSwatch_->setAccessibleName(tr("Red gradient"));
    redSwatch_->setToolTip(redSwatch_->accessibleName());
    blueSwatch_ = new ColourSwatch(QColor(0, 0, 255), Body());
    blueSwatch_->setObjectName(QStringLiteral("blue"));
    blueSwatch_->setAccessibleName(tr("Blue gradient"));
    blueSwatch_->setToolTip(blueSwatch_->accessibleName());
    greenSwatch_ = new ColourSwatch(QColor(0, 255, 0), Body());
    greenSwatch_->setObjectName(QStringLiteral("green"));
    greenSwatch_->setAccessibleName(tr("Green gradient"));
    greenSwatch_->setToolTip(greenSwatch_->accessibleName());
    colours->addWidget(new QLabel(tr("Font colour:"), Body()));
    colours->addWidget(titleSwatch_);
    colours->addSpacing(16);
    colours->addWidget(new QLabel(tr("Background colour:"), Body()));
    colours->addWidget(redSwatch_);
    colours->addWidget(blueSwatch_);
    colours->addWidget(greenSwatch_);
    colours->addStretch(1);
    layout->addLayout(colours);

    preview_ = new WBackgroundPreview(Body());
    preview_->setObjectName(QStringLiteral("preview"));
    layout->addWidget(preview_, 1);

    auto* note =
        new QLabel(tr("To show a picture instead of the gradient, give the setup team 16- and "
                      "256-colour bitmaps for 640 x 480, 800 x 600, 1024 x 768, 1152 x 864 and "
                      "1280 x 1024."),
                   Body());
    note->setWordWrap(true);
    layout->addWidget(note);

    connect(titleEdit_, &QLineEdit::textEdited, this, &WPageBackground::OnTextChanged);
    connect(fontList_, &QComboBox::currentTextChanged, this, &WPageBackground::OnTextChanged);
    connect(sizeList_, &QComboBox::currentTextChanged, this, &WPageBackground::OnTextChanged);
    connect(alignList_, &QComboBox::currentTextChanged, this, &WPageBackground::OnTextChanged);
    connect(styleList_, &QComboBox::currentIndexChanged, this, &WPageBackground::OnStyleChanged);
    connect(titleSwatch_, &ColourSwatch::clicked, this, &WPageBackground::OnChooseTitleColour);
    for (ColourSwatch* swatch : {redSwatch_, blueSwatch_, greenSwatch_})
        connect(swatch, &ColourSwatch::clicked, this, [this, swatch] { OnSwatch(swatch); });
}

void WPageBackground::SelectText(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchFixedString);
    if (index >= 0)
        list->setCurrentIndex(index);
    if (list->isEditable())
        list->setEditText(text);
}

QString WPageBackground::DefaultFont() {
    static const char* const candidates[] = {"Arial",
                                             "Arial Bold",
                                             "Arial Italic",
                                             "Arial Bold Italic",
                                             "Courier New",
                                             "Courier Bold",
                                             "Courier Italic",
                                             "Courier Bold Italic",
                                             "Times New Roman",
                                             "Times New Roman Bold",
                                             "Times New Roman Italic",
                                             "Times New Roman Bold Italic"};
    Registry& registry = TheRegistry();
    for (const char* candidate : candidates) {
        std::string value;
        const std::string name = candidate;
        if ((registry.GetString(Hive::LocalMachine, kFontsKey, name, value) && !value.empty()) ||
            (registry.GetString(Hive::LocalMachine, kFontsKey, name + " (TrueType)", value) &&
             !value.empty()))
            return QString::fromLatin1(candidate);
    }
    return QString::fromLatin1(kDefaultTitleFont);
}

bool WPageBackground::OnInitDialog() {
    WPage::OnInitDialog();
    filling_ = true;
    fontList_->clear();
    fontList_->addItems({QStringLiteral("Arial"), QStringLiteral("Courier New"),
                         QStringLiteral("Times New Roman")});
    const WProjectData* project = Project();
    SelectText(alignList_, project->BackTitleAlign.empty() ? QStringLiteral("LEFT")
                                                           : FromWin1252(project->BackTitleAlign));
    SelectText(sizeList_, project->BackTitleFontHeight.empty()
                              ? QString::fromLatin1(kDefaultTitleFontHeight)
                              : FromWin1252(project->BackTitleFontHeight));
    redSwatch_->SetColour(QColor(255, 0, 0));
    blueSwatch_->SetColour(QColor(0, 0, 255));
    greenSwatch_->SetColour(QColor(0, 255, 0));
    filling_ = false;
    return true;
}

bool WPageBackground::OnSetActive() {
    const WProjectData* project = Project();
    filling_ = true;
    titleEdit_->setText(FromWin1252(BackgroundTitleOf(*project)));
    SelectText(sizeList_, project->BackTitleFontHeight.empty()
                              ? QString::fromLatin1(kDefaultTitleFontHeight)
                              : FromWin1252(project->BackTitleFontHeight));
    SelectText(fontList_, project->BackTitleFont.empty() ? DefaultFont()
                                                         : FromWin1252(project->BackTitleFont));
    SelectText(alignList_, project->BackTitleAlign.empty() ? QStringLiteral("LEFT")
                                                           : FromWin1252(project->BackTitleAlign));
    styleList_->setCurrentIndex((project->BackTitleBold ? 2 : 0) +
                                (project->BackTitleItalic ? 1 : 0));

    const auto& work = project->BackWorkValues;
    background_ = ColourOf(work[0], work[1], work[2]);
    second_ = ColourOf(work[3], work[4], work[5]);
    titleColour_ = ColourOf(project->TitleTextRed, project->TitleTextGreen, project->TitleTextBlue);
    titleSwatch_->SetColour(titleColour_);

    // The colour the setup will use: an empty or unknown colour is blue there.
    const WSetupBackground shown = project->SetupBackground();
    const std::string& gradient = shown.GetGradientColor();
    dropShadow_ = shown.dropShadow;
    ColourSwatch* swatch = EqualsNoCase(gradient, "RED")     ? redSwatch_
                           : EqualsNoCase(gradient, "GREEN") ? greenSwatch_
                                                             : blueSwatch_;
    SelectSwatch(swatch);
    filling_ = false;

    UpdatePreview();
    return WPage::OnSetActive();
}

void WPageBackground::SelectSwatch(ColourSwatch* swatch) {
    for (ColourSwatch* s : {redSwatch_, blueSwatch_, greenSwatch_})
        s->SetHighlighted(s == swatch);
    background_ = swatch->Colour();
}

void WPageBackground::UpdatePreview() {
    BackgroundPreview preview;
    preview.from = Paint(background_);
    // The setup's gradient fades from the full colour to black; so does the preview.
    preview.to = PaintColour{0, 0, 0};
    preview.titleColour = Paint(titleColour_);
    ToWin1252(titleEdit_->text(), preview.title);
    ToWin1252(fontList_->currentText(), preview.fontName);
    preview.fontHeight = static_cast<int>(ToInt(sizeList_->currentText().toStdString()));
    const int style = styleList_->currentIndex();
    preview.bold = style >= 2;
    preview.italic = style == 1 || style == 3;
    preview.align = alignList_->currentText().toStdString();
    preview.dropShadow = dropShadow_;
    preview_->SetPreview(preview);
}

void WPageBackground::OnSwatch(ColourSwatch* swatch) {
    SelectSwatch(swatch);
    WProjectData* project = Project();
    project->GradientColor = swatch == redSwatch_    ? "RED"
                             : swatch == blueSwatch_ ? "BLUE"
                                                     : "GREEN";
    project->BackWorkValues[0] = Decimal(background_.red()).toStdString();
    project->BackWorkValues[1] = Decimal(background_.green()).toStdString();
    project->BackWorkValues[2] = Decimal(background_.blue()).toStdString();
    SetModified();
    UpdatePreview();
}

void WPageBackground::OnChooseTitleColour() {
    QColor chosen;
    if (!Boxes().ChooseColour(titleColour_, chosen, this))
        return;
    titleColour_ = chosen;
    titleSwatch_->SetColour(chosen);
    WProjectData* project = Project();
    project->TitleTextRed = Decimal(chosen.red()).toStdString();
    project->TitleTextGreen = Decimal(chosen.green()).toStdString();
    project->TitleTextBlue = Decimal(chosen.blue()).toStdString();
    SetModified();
    UpdatePreview();
}

void WPageBackground::OnStyleChanged() {
    if (filling_ || !Project()) {
        UpdatePreview();
        return;
    }
    const int style = styleList_->currentIndex();
    WProjectData* project = Project();
    project->BackTitleItalic = (style == 1 || style == 3) ? 1 : 0;
    project->BackTitleBold = style >= 2 ? 1 : 0;
    project->BackFontStyle = styleList_->currentText().toStdString();
    SetModified();
    UpdatePreview();
}

void WPageBackground::OnTextChanged() {
    if (filling_ || !Project())
        return;
    SetModified();
    UpdatePreview();
}

int WPageBackground::CommitPage() {
    std::string title, font, size, align;
    if (!TakeText(titleEdit_, tr("The setup title"), title))
        return 0;
    if (!ToWin1252(fontList_->currentText(), font) || !ToWin1252(sizeList_->currentText(), size)) {
        Boxes().Message(tr("The font name and size may only hold characters of the "
                           "Western European (Windows-1252) character set."),
                        Dialogs::Icon::Exclamation, QString(), this);
        return 0;
    }
    ToWin1252(alignList_->currentText(), align);
    WProjectData* project = Project();
    project->TitleTextRed = Decimal(titleColour_.red()).toStdString();
    project->TitleTextGreen = Decimal(titleColour_.green()).toStdString();
    project->TitleTextBlue = Decimal(titleColour_.blue()).toStdString();
    // A value the rules refuse is not taken: the project keeps what it held,
    // so that a save made later never writes it.
    if (CheckBackgroundFont(font).empty())
        project->BackTitleFont = font;
    if (CheckBackgroundFontSize(size).empty())
        project->BackTitleFontHeight = size;
    project->BackTitleAlign = align;
    if (CheckBackgroundTitle(title).empty())
        project->BackTitle = title;
    return 1;
}

bool WPageBackground::OnKillActive() {
    bool ok = true;
    auto refuse = [&](const std::string& message, QWidget* focus) {
        if (message.empty())
            return false;
        Boxes().Message(CoreText(message), Dialogs::Icon::Exclamation, QString(), this);
        if (focus)
            focus->setFocus();
        ok = false;
        return true;
    };
    refuse(CheckBackgroundTitle(ToWin1252Lossy(titleEdit_->text())), titleEdit_);
    if (refuse(CheckBackgroundFont(ToWin1252Lossy(fontList_->currentText())), nullptr))
        SelectText(fontList_, QString::fromLatin1(kDefaultTitleFont));
    refuse(CheckBackgroundFontSize(ToWin1252Lossy(sizeList_->currentText())), sizeList_);
    // Written back also when a check failed.
    if (CommitPage() == 0)
        return false;
    return ok && WPage::OnKillActive();
}

}  // namespace vantrel
