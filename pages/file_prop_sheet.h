// The properties of one distributed file: a modal sheet of four tabs
// (Source, Destination, Attributes, Advanced) over WFileProperties. Every
// check and message comes from the core; the sheet only shows them, through
// the application's dialog service.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "project/file_properties.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace vantrel {

class Dialogs;
class WProjectData;
class WSetupFile;
class WWizardApp;

class FilePropSheet : public QDialog {
    Q_OBJECT

  public:
    // Edits `file`, an element of the project's "Program_files". A new
    // destination is handed to `relocate`, which moves the file in the
    // target tree.
    FilePropSheet(WWizardApp& app, WSetupFile* file, WRelocateFile relocate,
                  QWidget* parent = nullptr);
    ~FilePropSheet() override;

    // The element that stands for the file: after OK it may be another one
    // (moved, or turned into a font element and back).
    WSetupFile* File() const { return file_; }
    // The values as the controls hold them now.
    const WFileProperties& Properties() const { return props_; }

    QTabWidget* Tabs() const { return tabs_; }
    QDialogButtonBox* ButtonBox() const { return buttons_; }

  public slots:
    // Checks and stores the values; a refusal keeps the sheet open.
    void accept() override;

  protected:
    bool event(QEvent* event) override;

  private:
    QWidget* BuildSource();
    QWidget* BuildDestination();
    QWidget* BuildAttributes();
    QWidget* BuildAdvanced();

    // A typed text: stored through `store` when it converts and `check`
    // accepts it, else the message is shown and the edit gets its last
    // accepted text back, with the focus.
    using Check = std::string (*)(std::string_view);
    void OnTyped(QLineEdit* edit, const QString& field, Check check, std::string& value);
    void OnSystemClicked(int box, bool on);
    void OnAttributeClicked(int box, bool on);
    void ShowAttributes();
    void ShowTargetPath();
    void ShowMessage(const std::string& text);
    void ContextHelp();
    Dialogs& Boxes() const;

    WWizardApp& app_;
    WSetupFile* file_;
    WRelocateFile relocate_;
    WFileProperties props_;

    QTabWidget* tabs_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    QLineEdit* sourceDirectory_ = nullptr;
    QLineEdit* fullSourcePath_ = nullptr;
    QComboBox* destinationFolder_ = nullptr;
    QLineEdit* destinationDirectory_ = nullptr;
    QLineEdit* fullDestinationPath_ = nullptr;
    std::array<QCheckBox*, WSystemBoxes::kBoxCount> systems_ = {};
    QComboBox* overwrite_ = nullptr;
    std::array<QCheckBox*, WAttributeBoxes::kBoxCount> attributes_ = {};
    QCheckBox* registerFont_ = nullptr;
    QCheckBox* mergeRegFile_ = nullptr;
    QCheckBox* selfRegistering_ = nullptr;
};

// Opens the properties of `file` for the files page: "Please select a file"
// and no sheet when `file` is null (a folder is selected). True when the
// user pressed OK and the values were stored; `file` is then the element
// that stands for the file.
bool EditFileProperties(WWizardApp& app, WSetupFile*& file, const WRelocateFile& relocate,
                        QWidget* parent = nullptr);

}  // namespace vantrel
