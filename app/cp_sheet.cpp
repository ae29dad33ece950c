#include "app/cp_sheet.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWhatsThis>

#include "app/dialogs.h"
#include "app/page.h"
#include "app/wizard_app.h"

namespace vantrel {

namespace {

// Help topics of the sheet's own buttons.
constexpr int kBackTopic = 1019;
constexpr int kNextTopic = 1018;
constexpr int kCancelTopic = 1017;
constexpr int kHelpTopic = 1016;

}  // namespace

CPSheet::CPSheet(WWizardApp& app, QWidget* parent) : QDialog(parent), app_(app) {
    setObjectName(QStringLiteral("sheet"));
    setWindowTitle(Dialogs::ProgramTitle());
    setWindowIcon(QIcon(QStringLiteral(":/vantrel/icon.png")));
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    setWindowFlag(Qt::WindowMinimizeButtonHint, true);
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    stack_ = new QStackedWidget(this);
    layout->addWidget(stack_, 1);
    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    // The row as a property sheet first lays it out, Help at the right end;
    // RearrangeButtonsOnce moves Help to the left on the first activation.
    buttonRow_ = new QHBoxLayout;
    buttonRow_->addStretch(1);
    const char* names[] = {"back", "next", "finish", "cancel", "help"};
    const QString texts[] = {tr("< &Back"), tr("&Next >"), tr("&Finish"), tr("Cancel"), tr("Help")};
    for (int i = 0; i < 5; ++i) {
        buttons_[i] = new QPushButton(texts[i], this);
        buttons_[i]->setObjectName(QString::fromLatin1(names[i]));
        buttons_[i]->setAutoDefault(false);
        buttonRow_->addWidget(buttons_[i]);
    }
    buttons_[Next]->setDefault(true);
    buttons_[Finish]->hide();
    layout->addLayout(buttonRow_);

    connect(buttons_[Back], &QPushButton::clicked, this, &CPSheet::OnBack);
    connect(buttons_[Next], &QPushButton::clicked, this, &CPSheet::OnNext);
    connect(buttons_[Finish], &QPushButton::clicked, this, &CPSheet::OnFinish);
    connect(buttons_[Cancel], &QPushButton::clicked, this, &CPSheet::OnCancel);
    connect(buttons_[Help], &QPushButton::clicked, this, &CPSheet::OnHelp);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, [this] { ContextHelp(QApplication::focusWidget()); });

    auto* save = new QShortcut(QKeySequence::Save, this);
    save->setObjectName(QStringLiteral("saveShortcut"));
    save->setContext(Qt::WindowShortcut);
    connect(save, &QShortcut::activated, this, &CPSheet::SaveCommand);
    connect(&app_, &WWizardApp::projectStateChanged, this, &CPSheet::UpdateTitle);
}

CPSheet::~CPSheet() = default;

void CPSheet::AddPage(WPage* page) {
    page->SetSheet(this);
    pages_.push_back(page);
    stack_->addWidget(page);
}

void CPSheet::FitToPages() {
    resize(sizeHint().expandedTo(QSize(700, 480)));
}

WPage* CPSheet::Page(int index) const {
    return index >= 0 && index < pages_.size() ? pages_[index] : nullptr;
}

void CPSheet::Start() {
    if (current_ < 0)
        SetActivePage(0);
}

bool CPSheet::SetActivePage(int index) {
    WPage* next = Page(index);
    if (!next)
        return false;
    WPage* old = CurrentPage();
    if (old == next)
        return true;
    if (old && !old->OnKillActive())
        return false;
    next->EnsureInitialised();
    if (!next->OnSetActive()) {
        // The page refused: the old one stays in front.
        if (old)
            old->OnSetActive();
        return false;
    }
    current_ = index;
    stack_->setCurrentWidget(next);
    // Opening a project on the first page changes the file without a save.
    UpdateTitle();
    emit pageChanged(index);
    return true;
}

bool CPSheet::SaveCommand() {
    if (ended_)
        return false;
    WPage* page = CurrentPage();
    if (page && page->CommitPage() == 0)
        return false;
    return app_.SaveProject();
}

void CPSheet::UpdateTitle() {
    QString title = Dialogs::ProgramTitle();
    const QString file = app_.ProjectFileName();
    if (!file.isEmpty())
        title += QStringLiteral(" - ") + file;
    if (app_.Modified())
        title += QLatin1Char('*');
    setWindowTitle(title);
}

void CPSheet::SetFinishMode(bool finish) {
    buttons_[Next]->setVisible(!finish);
    buttons_[Finish]->setVisible(finish);
    buttons_[Finish]->setEnabled(finish);
    buttons_[Next]->setDefault(!finish);
    buttons_[Finish]->setDefault(finish);
}

void CPSheet::RearrangeButtonsOnce() {
    if (!layoutPending_)
        return;
    layoutPending_ = false;
    ++rearrangements_;
    QPushButton* help = buttons_[Help];
    help->setText(QLatin1Char('&') + help->text());
    buttonRow_->removeWidget(help);
    buttonRow_->insertWidget(0, help);
}

void CPSheet::EndSheet() {
    if (ended_)
        return;
    ended_ = true;
    hide();
    emit ended();
}

void CPSheet::ContextHelp(QWidget* widget) {
    int topic = 0;
    if (widget == buttons_[Back])
        topic = kBackTopic;
    else if (widget == buttons_[Next])
        topic = kNextTopic;
    else if (widget == buttons_[Cancel])
        topic = kCancelTopic;
    else if (widget == buttons_[Help])
        topic = kHelpTopic;
    else if (WPage* page = CurrentPage())
        topic = page->HelpTopicFor(widget);
    app_.ShowHelp(topic ? topic : app_.HelpContext());
}

void CPSheet::OnBack() {
    WPage* page = CurrentPage();
    if (!page || current_ == 0)
        return;
    if (page->OnWizardBack() == -1)
        return;
    SetActivePage(current_ - 1);
}

void CPSheet::OnNext() {
    WPage* page = CurrentPage();
    if (!page || current_ + 1 >= PageCount())
        return;
    if (page->OnWizardNext() == -1)
        return;
    SetActivePage(current_ + 1);
}

void CPSheet::OnFinish() {
    WPage* page = CurrentPage();
    if (page && page->OnWizardFinish())
        EndSheet();
}

void CPSheet::OnCancel() {
    WPage* page = CurrentPage();
    if (!page)
        return;
    if (page->OnQueryCancel())
        EndSheet();
}

void CPSheet::OnHelp() {
    app_.ShowHelp(app_.HelpContext());
}

void CPSheet::reject() {
    OnCancel();
}

void CPSheet::closeEvent(QCloseEvent* event) {
    if (ended_) {
        event->accept();
        return;
    }
    // Closing from the title bar ends the program at once when nothing is
    // unsaved; with unsaved changes it asks the same save question as Cancel
    // rather than dropping the user's work.
    event->ignore();
    if (WPage* page = CurrentPage())
        page->QueryExit(false);
    else
        EndSheet();
    if (ended_)
        event->accept();
}

bool CPSheet::event(QEvent* event) {
    if (event->type() == QEvent::EnterWhatsThisMode) {
        // The "?" of the caption: open the page's help topic.
        QTimer::singleShot(0, this, [this] {
            QWhatsThis::leaveWhatsThisMode();
            app_.ShowHelp(app_.HelpContext());
        });
        return true;
    }
    return QDialog::event(event);
}

}  // namespace vantrel
