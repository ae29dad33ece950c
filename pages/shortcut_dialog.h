// The "Shortcut Properties" dialog: the folder of one shortcut (one of four
// Start-menu and desktop folders and the folders below it), its name and its
// command-line parameters. The checks and the storing are the core's
// (project/shortcut_rules.h); a refusal is shown through the dialog service
// and keeps the dialog open.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;

namespace vantrel {

class Dialogs;
class WSetupShortcut;

class WShortcutDialog : public QDialog {
    Q_OBJECT

  public:
    WShortcutDialog(WSetupShortcut& shortcut, Dialogs& boxes, QWidget* parent = nullptr);

    QLineEdit* TargetEdit() const { return target_; }
    QComboBox* FolderList() const { return folder_; }
    QLineEdit* AdditionalEdit() const { return additional_; }
    QLineEdit* NameEdit() const { return name_; }
    QLabel* ParametersLabel() const { return parametersLabel_; }
    QLineEdit* ParametersEdit() const { return parameters_; }

    // A further test of the values OK would store (given as a shortcut that
    // holds them): "" or the refusal, shown with `caption` (empty: the
    // program title) while the dialog stays open.
    using Check = std::function<std::string(const WSetupShortcut&)>;
    void SetCheck(Check check, QString caption = QString()) {
        check_ = std::move(check);
        checkCaption_ = std::move(caption);
    }

  public slots:
    // Checks and stores; closes with OK only when the core accepts.
    void OnOk();

  private:
    Check check_;
    QString checkCaption_;
    WSetupShortcut& shortcut_;
    Dialogs& boxes_;
    QLineEdit* target_ = nullptr;
    QComboBox* folder_ = nullptr;
    QLineEdit* additional_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLabel* parametersLabel_ = nullptr;
    QLineEdit* parameters_ = nullptr;
};

}  // namespace vantrel
