// A wizard for tests: a scratch installation folder and registry, an
// application started on them (hidden from the user's own files, without
// the single-instance guard) and a scripted dialog service.
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/cp_sheet.h"
#include "app/project_files.h"
#include "app/support/scripted_dialogs.h"
#include "app/wizard_app.h"
#include "project/project_data.h"

namespace vantrel::test {

// Project files for tests that are not about files: Save answers from a
// queue (true when empty) and clears Modified on success, the recent list
// is what the test puts there.
class ScriptedProjectFiles : public ProjectFiles {
  public:
    explicit ScriptedProjectFiles(WWizardApp& app) : app_(app) {}
    bool Save() override;
    bool Load(const std::string& path) override;
    std::vector<std::string> Recent() override { return recent; }

    QList<bool> saveResults;
    int saves = 0;
    std::vector<std::string> recent;
    std::vector<std::string> loaded;
    bool loadResult = true;

  private:
    WWizardApp& app_;
};

// Copies the folder `from` with all it holds to `to`.
bool CopyTree(const QString& from, const QString& to);

// A component script line for a standard component.
std::string ComponentLine(const std::string& name, const std::string& dependencies = "");

class WizardFixture {
  public:
    struct Setup {
        // Component scripts in "Comps" (file names); each gets a line for the
        // component named after the file.
        QStringList scripts;
        // Use the engine's project files instead of ScriptedProjectFiles.
        bool engineFiles = false;
        // Do not start the application (a test adds files first and calls Start()).
        bool deferStart = false;
    };

    WizardFixture() : WizardFixture(Setup{}) {}
    explicit WizardFixture(const Setup& setup);
    ~WizardFixture();

    void Start();

    // Engine path of the scratch installation folder and of a file in the
    // scratch folder (outside the installation).
    std::string Install() const { return install_; }
    std::string Scratch(const std::string& name) const;
    // Writes a file into the scratch folder and returns its engine path.
    std::string WriteScratch(const std::string& name, const QByteArray& bytes) const;

    WWizardApp& App() { return *app_; }
    CPSheet* Sheet() const { return app_->Sheet(); }
    WProjectData* Project() const { return app_->Project(); }
    ScriptedDialogs& Boxes() const { return *dialogs_; }
    ScriptedProjectFiles* Files() const { return files_; }

    // The page in front, cast to its class.
    template <typename T>
    T* Current() const {
        return qobject_cast<T*>(Sheet()->CurrentPage());
    }
    // Presses Next until page `index` is in front; fails the test when a page
    // refuses.
    bool GoTo(int index);

  private:
    QTemporaryDir dir_;
    std::string install_;
    std::unique_ptr<WWizardApp> app_;
    ScriptedDialogs* dialogs_ = nullptr;
    ScriptedProjectFiles* files_ = nullptr;
};

}  // namespace vantrel::test

// A Qt Test main that runs offscreen unless a platform was chosen.
#define VANTREL_WIZARD_TEST_MAIN(TestClass)                 \
    int main(int argc, char** argv) {                       \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) \
            qputenv("QT_QPA_PLATFORM", "offscreen");        \
        QApplication app(argc, argv);                       \
        TestClass test;                                     \
        return QTest::qExec(&test, argc, argv);             \
    }
