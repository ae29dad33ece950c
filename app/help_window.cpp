#include "app/help_window.h"

#include <QFileInfo>
#include <QIcon>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "app/dialogs.h"

namespace vantrel {

WHelpWindow::WHelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("help"));
    setWindowTitle(Dialogs::ProgramTitle() + tr(" Help"));
    setWindowIcon(QIcon(QStringLiteral(":/vantrel/icon.png")));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    browser_ = new QTextBrowser(this);
    browser_->setAccessibleName(tr("Help topic"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(false);
    layout->addWidget(browser_);
    resize(520, 440);
    // Closed from the keyboard as other windows are.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* close = new QShortcut(keys, this);
        close->setContext(Qt::WindowShortcut);
        connect(close, &QShortcut::activated, this, &QWidget::close);
    }
}

void WHelpWindow::ShowTopic(const QString& path, int context) {
    context_ = context;
    path_ = path;
    if (QFileInfo(path).isFile()) {
        browser_->setSource(QUrl::fromLocalFile(path));
    } else {
        browser_->setHtml(tr("<h2>%1</h2><p>The help topic %2 could not be found.</p>"
                             "<p>The help pages are installed in the folder "
                             "<tt>help/Zlt9en.hlp</tt> beside the program.</p>")
                              .arg(Dialogs::ProgramTitle())
                              .arg(context));
    }
    show();
    raise();
    activateWindow();
}

}  // namespace vantrel
