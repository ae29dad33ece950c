#include "pages/customisation_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/core_text.h"
#include "app/dialogs.h"
#include "app/list_columns.h"
#include "app/qt_text.h"

namespace vantrel {

namespace {

constexpr const char* kSystemLabels[] = {"&Windows 95", "Windows &NT 4", "Wind&ows 98",
                                         "Win&dows 2000"};
constexpr const char* kSystemNames[] = {"windows95", "windowsNT4", "windows98", "windows2000"};

}  // namespace

WCustomisationDialog::WCustomisationDialog(const char* title, Dialogs& boxes, QWidget* parent)
    : QDialog(parent), boxes_(boxes) {
    setWindowTitle(tr(title));
    KeepTitleWhole(this);
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    form_ = new QFormLayout;
    layout->addLayout(form_);
    file_ = new QLineEdit(this);
    file_->setObjectName(QStringLiteral("file"));
    file_->setReadOnly(true);
    form_->addRow(tr("Filename:"), file_);
}

QLineEdit* WCustomisationDialog::AddField(const QString& label, const char* objectName) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(objectName));
    form_->addRow(label, edit);
    return edit;
}

void WCustomisationDialog::Finish(const std::string& file, const TargetSystems& systems) {
    file_->setText(FromWin1252(file));
    file_->setMinimumWidth(file_->fontMetrics().horizontalAdvance(file_->text()) + 16);
    auto* group = new QGroupBox(tr("Operating systems"), this);
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < 4; ++i) {
        systems_[i] = new QCheckBox(QString::fromLatin1(kSystemLabels[i]), group);
        systems_[i]->setObjectName(QString::fromLatin1(kSystemNames[i]));
        systems_[i]->setChecked(systems[i]);
        grid->addWidget(systems_[i], i / 2, i % 2);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout()->addWidget(group);
    layout()->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &WCustomisationDialog::OnOk);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool WCustomisationDialog::TakeTexts(const std::vector<std::pair<QLineEdit*, std::string*>>& fields,
                                     const std::vector<QString>& names) {
    for (size_t i = 0; i < fields.size(); ++i) {
        QLineEdit* edit = fields[i].first;
        if (!TakeWin1252Text(boxes_, this, edit, edit->text(), names[i], *fields[i].second))
            return false;
    }
    return true;
}

TargetSystems WCustomisationDialog::Systems() const {
    TargetSystems systems{};
    for (int i = 0; i < 4; ++i)
        systems[i] = systems_[i]->isChecked();
    return systems;
}

void WCustomisationDialog::Conclude(const std::string& refused, const QString& caption) {
    if (refused.empty()) {
        accept();
        return;
    }
    boxes_.Message(CoreText(refused), Dialogs::Icon::Exclamation, caption, this);
}

}  // namespace vantrel
