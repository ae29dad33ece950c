#include "app/support/wizard_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "app/qt_text.h"
#include "pages/page_list.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/system_folders.h"

namespace vantrel::test {

bool ScriptedProjectFiles::Save() {
    ++saves;
    const bool result = saveResults.isEmpty() ? true : saveResults.takeFirst();
    if (result)
        app_.SetModified(0);
    return result;
}

bool ScriptedProjectFiles::Load(const std::string& path) {
    loaded.push_back(path);
    return loadResult;
}

bool CopyTree(const QString& from, const QString& to) {
    QDir source(from);
    if (!source.exists() || !QDir().mkpath(to))
        return false;
    for (const QFileInfo& info :
         source.entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = to + QLatin1Char('/') + info.fileName();
        if (info.isDir() ? !CopyTree(info.filePath(), target)
                         : !QFile::copy(info.filePath(), target))
            return false;
    }
    return true;
}

std::string ComponentLine(const std::string& name, const std::string& dependencies) {
    return name + ",111,<D>,0,0,,0," + name + ",,,,," + dependencies + ",0,,,,\r\n";
}

WizardFixture::WizardFixture(const Setup& setup) {
    QVERIFY(dir_.isValid());
    const QString root = dir_.path();
    QDir(root).mkpath(QStringLiteral("install/Comps"));
    QDir(root).mkpath(QStringLiteral("install/MySetup"));
    QDir(root).mkpath(QStringLiteral("scratch"));
    Win1252Path(root + QStringLiteral("/install"), install_);
    for (const QString& script : setup.scripts) {
        QFile file(root + QStringLiteral("/install/Comps/") + script);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const std::string name = script.section(QLatin1Char('.'), 0, 0).toStdString();
        file.write("[Identification.0]\r\n");
        file.write(ComponentLine(name).c_str());
    }

    std::string machine, user;
    Win1252Path(root + QStringLiteral("/machine.reg"), machine);
    Win1252Path(root + QStringLiteral("/user.reg"), user);
    SetRegistry(std::make_unique<RegFileStore>(machine, user));
    TheRegistry().SetString(Hive::LocalMachine, WProjectData::kInstallKey,
                            WProjectData::kInstallValue, install_);
    ReloadSystemFolders();

    app_ = std::make_unique<WWizardApp>();
    auto dialogs = std::make_unique<ScriptedDialogs>();
    dialogs_ = dialogs.get();
    app_->SetDialogs(std::move(dialogs));
    if (!setup.engineFiles) {
        auto files = std::make_unique<ScriptedProjectFiles>(*app_);
        files_ = files.get();
        app_->SetProjectFiles(std::move(files));
    }
    if (!setup.deferStart)
        Start();
}

void WizardFixture::Start() {
    WWizardApp::Options options;
    options.addPages = &AddWizardPages;
    options.singleInstance = false;
    options.helpFolder = QStringLiteral(VANTREL_BINARY_DIR "/help");
    QVERIFY(app_->InitInstance(options));
    QVERIFY(Sheet());
    QCOMPARE(Sheet()->CurrentIndex(), 0);
}

WizardFixture::~WizardFixture() {
    app_.reset();
    SetRegistry(nullptr);
    ReloadSystemFolders();
}

std::string WizardFixture::Scratch(const std::string& name) const {
    std::string folder;
    Win1252Path(dir_.path() + QStringLiteral("/scratch"), folder);
    return JoinPath(folder, name);
}

std::string WizardFixture::WriteScratch(const std::string& name, const QByteArray& bytes) const {
    const std::string path = Scratch(name);
    QFile file(NativePath(path));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

bool WizardFixture::GoTo(int index) {
    while (Sheet()->CurrentIndex() < index) {
        const int before = Sheet()->CurrentIndex();
        Sheet()->OnNext();
        if (Sheet()->CurrentIndex() != before + 1) {
            qWarning("page %d refused Next: %s", before, qPrintable(Boxes().LastText()));
            return false;
        }
    }
    return Sheet()->CurrentIndex() == index;
}

}  // namespace vantrel::test
