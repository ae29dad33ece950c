#include "app/progress_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/core_text.h"
#include "app/dialogs.h"
#include "app/qt_text.h"

namespace vantrel {

namespace {

// A sheet of paper travelling from the folder to the disk.
constexpr const char* kFrames[] = {
    "[#]  .    .    [ ]",
    "[ ]  #    .    [ ]",
    "[ ]  .    #    [ ]",
    "[ ]  .    .    [#]",
};
constexpr int kFrameCount = sizeof(kFrames) / sizeof(kFrames[0]);
constexpr int kFrameMs = 150;

}  // namespace

WProgressDialog::WProgressDialog(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setWindowTitle(tr("Creating Media"));
    setWindowModality(Qt::ApplicationModal);
    setMinimumWidth(460);

    auto* layout = new QVBoxLayout(this);
    animation_ = new QLabel(QString::fromLatin1(kFrames[0]), this);
    animation_->setObjectName(QStringLiteral("animation"));
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    animation_->setFont(mono);
    animation_->setAlignment(Qt::AlignCenter);
    layout->addWidget(animation_);

    operation_ = new QLabel(this);
    operation_->setObjectName(QStringLiteral("operation"));
    operation_->setTextFormat(Qt::PlainText);
    file_ = new QLabel(this);
    file_->setObjectName(QStringLiteral("file"));
    file_->setTextFormat(Qt::PlainText);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 1);
    bar_->setValue(0);
    layout->addWidget(operation_);
    layout->addWidget(file_);
    layout->addWidget(bar_);

    auto* row = new QHBoxLayout;
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancel"));
    row->addStretch(1);
    row->addWidget(cancel_);
    layout->addLayout(row);
    connect(cancel_, &QPushButton::clicked, this, &WProgressDialog::reject);

    timer_ = new QTimer(this);
    timer_->setInterval(kFrameMs);
    connect(timer_, &QTimer::timeout, this, &WProgressDialog::Animate);
}

void WProgressDialog::StartAnimation() {
    timer_->start();
}

void WProgressDialog::StopAnimation() {
    timer_->stop();
}

void WProgressDialog::Animate() {
    frame_ = (frame_ + 1) % kFrameCount;
    animation_->setText(QString::fromLatin1(kFrames[frame_]));
}

void WProgressDialog::SetOperation(const std::string& text) {
    operation_->setText(CoreText(text));
}

void WProgressDialog::SetFile(const std::string& text) {
    file_->setText(FromWin1252(text));
}

void WProgressDialog::SetRange(int upper) {
    bar_->setRange(0, upper > 0 ? upper : 1);
    bar_->setValue(0);
}

void WProgressDialog::Step() {
    if (bar_->value() < bar_->maximum())
        bar_->setValue(bar_->value() + 1);
}

void WProgressDialog::ShowError(const std::string& caption, const std::string& text) {
    dialogs_.Message(CoreText(text), Dialogs::Icon::Stop, CoreText(caption), this);
}

void WProgressDialog::reject() {
    // The dialog stays until the job has stopped; the page closes it.
    cancelled_ = true;
    cancel_->setEnabled(false);
    operation_->setText(tr("Cancelling..."));
}

}  // namespace vantrel
