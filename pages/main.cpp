// The wizard program. Without arguments it starts the wizard (or brings the
// running copy to the front); "vantrel PROJECT.zlt" starts it on that project. "--screenshot DIR"
// walks the pages of a new project and saves a picture of each into DIR, for the documentation.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/cp_sheet.h"
#include "app/screenshots.h"
#include "app/translation.h"
#include "app/wizard_app.h"
#include "pages/page_list.h"
#include "platform/message_pump.h"

namespace {

void PumpOneEvent() {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vantrel"));
    QApplication::setApplicationVersion(QStringLiteral(VANTREL_VERSION));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/vantrel/icon-256.png")));
    // The pages in the user's language (LANG, LC_ALL, LC_MESSAGES).
    vantrel::InstallTranslation(QLocale());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("The Tessary 9 Vantrel setup wizard."));
    parser.addHelpOption();
    parser.addVersionOption();
    QCommandLineOption screenshots(QStringLiteral("screenshot"),
                                   QStringLiteral("Save a picture of every page into <folder>."),
                                   QStringLiteral("folder"));
    parser.addOption(screenshots);
    parser.addPositionalArgument(QStringLiteral("project"),
                                 QStringLiteral("The project file (.zlt) to open."),
                                 QStringLiteral("[project]"));
    parser.process(qapp);
    const QStringList given = parser.positionalArguments();
    if (given.size() > 1) {
        std::fprintf(stderr, "vantrel: one project file at a time\n");
        return 2;
    }
    const QString projectFile = given.isEmpty() ? QString() : given.first();

    vantrel::SetPumpHook(&PumpOneEvent);

    vantrel::WWizardApp::Options options;
    options.addPages = &vantrel::AddWizardPages;
    const QString shotFolder = parser.value(screenshots);
    // The pictures show a new project: the user's recent projects and
    // settings stay out of them (and untouched), in a hive of their own.
    QTemporaryDir ownSettings;
    if (!shotFolder.isEmpty()) {
        options.singleInstance = false;
        if (ownSettings.isValid())
            qputenv("VANTREL_USER_REG",
                    QFile::encodeName(ownSettings.filePath(QStringLiteral("user.reg"))));
    }
    vantrel::WWizardApp app;
    if (!app.InitInstance(options)) {
        // Another copy runs and came to the front; it keeps the project it
        // has, which may hold unsaved work.
        if (!projectFile.isEmpty())
            std::fprintf(stderr, "vantrel: the wizard is running already; open %s there\n",
                         qPrintable(QDir::toNativeSeparators(projectFile)));
        return 0;
    }

    QObject::connect(&app, &vantrel::WWizardApp::finished, &qapp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    if (!projectFile.isEmpty() && shotFolder.isEmpty()) {
        // Once the window is up, so that a refusal's message has its owner.
        QTimer::singleShot(0, &app,
                           [&app, projectFile] { vantrel::OpenProjectAtStart(app, projectFile); });
    }
    if (!shotFolder.isEmpty()) {
        QTimer::singleShot(0, &app, [&app, shotFolder] {
            const int written = vantrel::TakeScreenshots(app, shotFolder);
            std::fprintf(stderr, "vantrel: %d pictures in %s\n", written,
                         qPrintable(QDir::toNativeSeparators(shotFolder)));
            QCoreApplication::exit(written > 0 ? 0 : 1);
        });
    }
    const int code = QApplication::exec();
    vantrel::SetPumpHook(nullptr);
    app.ExitInstance();
    return code;
}
