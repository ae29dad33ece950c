// The "Registry Key Properties" dialog: root key, key, value name, value,
// data type and the systems of one registry entry. The checks and the
// storing are the core's (project/registry_keys.h); a refusal is shown
// through the dialog service and keeps the dialog open.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace vantrel {

class Dialogs;
class WSetupRegEntry;

class WRegKeyDialog : public QDialog {
    Q_OBJECT

  public:
    WRegKeyDialog(WSetupRegEntry& entry, Dialogs& boxes, QWidget* parent = nullptr);

    QComboBox* RootKeyList() const { return rootKey_; }
    QLineEdit* KeyEdit() const { return key_; }
    QLineEdit* NameEdit() const { return name_; }
    QLineEdit* ValueEdit() const { return value_; }
    QComboBox* TypeList() const { return type_; }
    // Windows 95, Windows NT 4, Windows 98, Windows 2000.
    QCheckBox* SystemBox(int index) const { return systems_[index]; }

    // A further test of the values OK would store (given as an entry that
    // holds them): "" or the refusal, shown while the dialog stays open.
    using Check = std::function<std::string(const WSetupRegEntry&)>;
    void SetCheck(Check check) { check_ = std::move(check); }

  public slots:
    // Checks and stores; closes with OK only when the core accepts.
    void OnOk();

  private:
    Check check_;
    WSetupRegEntry& entry_;
    Dialogs& boxes_;
    QComboBox* rootKey_ = nullptr;
    QLineEdit* key_ = nullptr;
    QLineEdit* name_ = nullptr;
    QLineEdit* value_ = nullptr;
    QComboBox* type_ = nullptr;
    std::array<QCheckBox*, 4> systems_{};
};

}  // namespace vantrel
