#include "app/page.h"

#include <QAbstractSpinBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/cp_sheet.h"
#include "app/dialogs.h"
#include "app/qt_text.h"
#include "app/wizard_app.h"
#include "platform/files.h"

namespace vantrel {

namespace {

// Captions of this many characters or more get the narrowed bold font.
constexpr int kLongCaption = 44;
// Height of the caption font in dialog units (a dialog unit is an eighth of
// the dialog font's height).
constexpr int kCaptionDialogUnits = 13;

}  // namespace

WPage::WPage(WWizardApp& app, const QString& caption, int helpContext, QWidget* parent)
    : QWidget(parent), app_(app), helpContext_(helpContext), caption_(caption) {
    auto* outer = new QHBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(12);

    pictureLabel_ = new QLabel(this);
    pictureLabel_->setObjectName(QStringLiteral("picture"));
    pictureLabel_->setPixmap(QPixmap(QStringLiteral(":/vantrel/side.png")));
    pictureLabel_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    pictureLabel_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    outer->addWidget(pictureLabel_);

    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    captionLabel_ = new QLabel(this);
    captionLabel_->setObjectName(QStringLiteral("caption"));
    captionLabel_->setWordWrap(false);
    column->addWidget(captionLabel_);
    body_ = new QWidget(this);
    body_->setObjectName(QStringLiteral("body"));
    column->addWidget(body_, 1);
    outer->addLayout(column, 1);
}

WPage::~WPage() = default;

Dialogs& WPage::Boxes() const {
    return app_.GetDialogs();
}

void WPage::SetModified() {
    app_.SetModified(1);
}

void WPage::EnsureInitialised() {
    if (initialised_)
        return;
    initialised_ = true;
    OnInitDialog();
}

bool WPage::OnInitDialog() {
    SetCaption(caption_, captionLabel_);
    return true;
}

bool WPage::OnSetActive() {
    app_.SetHelpContext(helpContext_);
    if (sheet_) {
        QPushButton* help = sheet_->Button(CPSheet::Help);
        help->setVisible(!hideHelp_);
        help->setEnabled(!hideHelp_);
        if (firstPage_) {
            QPushButton* back = sheet_->Button(CPSheet::Back);
            back->setVisible(true);
            back->setEnabled(false);
        }
        sheet_->RearrangeButtonsOnce();
    }
    if (!mayActivate_)
        return false;
    FocusFirstField();
    if (postOnActivate_) {
        QPointer<WPage> self(this);
        QTimer::singleShot(0, this, [self] {
            if (self)
                self->OnActivated();
        });
    }
    return true;
}

void WPage::FocusFirstField() {
    // The focus chain runs through the whole window; the body's part of it
    // is in tab order.
    for (QWidget* w = body_->nextInFocusChain(); w && w != body_; w = w->nextInFocusChain()) {
        if (!body_->isAncestorOf(w) || !w->isEnabled() || !w->isVisibleTo(this) ||
            !(w->focusPolicy() & Qt::TabFocus))
            continue;
        const auto* line = qobject_cast<const QLineEdit*>(w);
        const auto* plain = qobject_cast<const QPlainTextEdit*>(w);
        const auto* spin = qobject_cast<const QAbstractSpinBox*>(w);
        if ((line && line->isReadOnly()) || (plain && plain->isReadOnly()) ||
            (spin && spin->isReadOnly()))
            continue;
        // Of a group of choices, the chosen one takes the focus, as tabbing
        // into the group does.
        if (auto* radio = qobject_cast<QRadioButton*>(w); radio && !radio->isChecked()) {
            for (QRadioButton* other :
                 radio->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly)) {
                if (other->isChecked() && other->autoExclusive() && other->isEnabled())
                    w = other;
            }
        }
        w->setFocus(Qt::TabFocusReason);
        return;
    }
}

bool WPage::OnKillActive() {
    if (firstPage_ && sheet_) {
        QPushButton* back = sheet_->Button(CPSheet::Back);
        back->setVisible(true);
        back->setEnabled(true);
    }
    return true;
}

bool WPage::OnQueryCancel() {
    QueryExit(true);
    return false;
}

bool WPage::QueryExit(bool askWhenUnchanged) {
    if (CommitPage() == 0)
        return false;
    bool end = false;
    if (app_.Modified()) {
        switch (Boxes().Ask(tr("Would you like to save your changes before exiting?"),
                            Dialogs::Buttons::YesNoCancel, Dialogs::Answer::Yes, this)) {
            case Dialogs::Answer::Yes:
                end = app_.SaveProject();
                break;
            case Dialogs::Answer::No:
                end = true;
                break;
            default:
                break;
        }
    } else if (askWhenUnchanged) {
        end = Boxes().Ask(tr("Are you sure you want to exit?"), Dialogs::Buttons::YesNo,
                          Dialogs::Answer::Yes, this) == Dialogs::Answer::Yes;
    } else {
        end = true;
    }
    if (end && sheet_)
        sheet_->EndSheet();
    return end;
}

int WPage::OnWizardBack() {
    return 0;
}
int WPage::OnWizardNext() {
    return 0;
}
bool WPage::OnWizardFinish() {
    return true;
}
int WPage::CommitPage() {
    return 1;
}
bool WPage::FileExists(const std::string& path) {
    return IsFile(path);
}

void WPage::AddHelpPair(QWidget* control, int topic) {
    helpPairs_.insert(control, topic);
}

int WPage::HelpTopicFor(const QWidget* widget) const {
    for (const QWidget* w = widget; w && w != this; w = w->parentWidget()) {
        auto it = helpPairs_.find(w);
        if (it != helpPairs_.end())
            return it.value();
    }
    return 0;
}

void WPage::SetCaptionFace(const QString& charset, const QString& face) {
    charset_ = charset;
    face_ = face;
}

QFont WPage::CaptionFont(bool bold, int stretch) const {
    QFont font(face_.isEmpty() ? QStringLiteral("Times New Roman") : face_);
    const int dialogFontHeight = QFontMetrics(this->font()).height();
    font.setPixelSize(qMax(1, (kCaptionDialogUnits * dialogFontHeight + 4) / 8));
    font.setBold(bold);
    if (stretch != QFont::Unstretched)
        font.setStretch(stretch);
    return font;
}

void WPage::SetCaption(const QString& text, QLabel* control) {
    if (!control)
        return;
    if (text.size() < kLongCaption) {
        control->setFont(CaptionFont(false, QFont::Unstretched));
    } else {
        // Average character width of the control's width over the text
        // length plus five, at least one pixel: stretch the bold face to it.
        QFont bold = CaptionFont(true, QFont::Unstretched);
        const int width = control->width() > 1 ? control->width() : body_->sizeHint().width();
        const int wanted = qMax(1, width / (static_cast<int>(text.size()) + 5));
        const int average = qMax(1, QFontMetrics(bold).averageCharWidth());
        const int stretch = qBound(1, wanted * 100 / average, 4000);
        control->setFont(CaptionFont(true, stretch));
    }
    control->setText(text);
}

bool WPage::TakeText(QLineEdit* edit, const QString& field, std::string& out) {
    return TakeWin1252Text(Boxes(), this, edit, edit->text(), field, out);
}

bool WPage::TakeText(QPlainTextEdit* edit, const QString& field, std::string& out) {
    return TakeWin1252Text(Boxes(), this, edit, edit->toPlainText(), field, out);
}

bool WPage::TakeChosenPath(const QString& chosen, std::string& path) {
    if (Win1252Path(chosen, path))
        return true;
    Boxes().Message(UnstorableMessage(tr("The file name"), UnstorableCharacters(chosen)),
                    Dialogs::Icon::Exclamation, QString(), this);
    return false;
}

}  // namespace vantrel
