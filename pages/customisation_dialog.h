// What the two customisation dialogs share: the read-only file name, a form
// of text fields, the four operating systems in the order of an element's
// OsMask positions, OK and Cancel. OK takes the typed texts (refusing those
// that Windows-1252 cannot hold) and shows the core's refusal, if any,
// through the dialog service; the dialog stays open then.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "project/customisation_rules.h"

class QCheckBox;
class QFormLayout;
class QLineEdit;

namespace vantrel {

class Dialogs;

class WCustomisationDialog : public QDialog {
    Q_OBJECT

  public:
    QLineEdit* FileEdit() const { return file_; }
    // Windows 95, Windows NT 4, Windows 98, Windows 2000.
    QCheckBox* SystemBox(int index) const { return systems_[index]; }

    // A further test of the values OK would store (given as an entry that
    // holds them): "" or the refusal, shown with `caption` (empty: the
    // program title) while the dialog stays open.
    using Check = std::function<std::string(const WSetupElement&)>;
    void SetCheck(Check check, QString caption = QString()) {
        check_ = std::move(check);
        checkCaption_ = std::move(caption);
    }

  public slots:
    // Checks and stores; closes with OK only when the core accepts.
    virtual void OnOk() = 0;

  protected:
    WCustomisationDialog(const char* title, Dialogs& boxes, QWidget* parent);

    // A text field below the file name.
    QLineEdit* AddField(const QString& label, const char* objectName);
    // Shows the file and the systems and adds the systems and the buttons
    // below the fields; call once, after the fields.
    void Finish(const std::string& file, const TargetSystems& systems);

    // Each edit's text into its engine string, with the field's name for a
    // message; false after the message for a text that cannot be stored.
    bool TakeTexts(const std::vector<std::pair<QLineEdit*, std::string*>>& fields,
                   const std::vector<QString>& names);
    TargetSystems Systems() const;
    // Accepts for an empty `refused`; otherwise shows it and stays open.
    void Conclude(const std::string& refused, const QString& caption = QString());
    // Stores `p` into `entry` when it passes the dialog's Check as well, then
    // concludes.
    template <class Properties, class Entry>
    void Store(const Properties& p, Entry& entry) {
        Entry trial(entry);
        std::string refused = p.Apply(trial);
        if (refused.empty() && check_) {
            if (std::string duplicate = check_(trial); !duplicate.empty()) {
                Conclude(duplicate, checkCaption_);
                return;
            }
        }
        Conclude(refused.empty() ? p.Apply(entry) : refused);
    }

  private:
    Check check_;
    QString checkCaption_;
    Dialogs& boxes_;
    QFormLayout* form_ = nullptr;
    QLineEdit* file_ = nullptr;
    std::array<QCheckBox*, 4> systems_{};
};

}  // namespace vantrel
