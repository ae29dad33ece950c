#include "app/qt_dialogs.h"

#include "app/folder_browser.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStringList>

namespace vantrel {

namespace {

QMessageBox::StandardButton ToQt(Dialogs::Answer answer) {
    switch (answer) {
        case Dialogs::Answer::Yes:
            return QMessageBox::Yes;
        case Dialogs::Answer::No:
            return QMessageBox::No;
        case Dialogs::Answer::Cancel:
            return QMessageBox::Cancel;
        case Dialogs::Answer::Ok:
            break;
    }
    return QMessageBox::Ok;
}

// Gives the focus back to the control that had it when a dialog opened
// (the button that opened it, a field whose check failed), once the dialog
// has closed.
class FocusReturn {
  public:
    FocusReturn() : focus_(QApplication::focusWidget()) {}
    ~FocusReturn() {
        if (!focus_ || !focus_->isVisible() || !focus_->isEnabled())
            return;
        focus_->window()->activateWindow();
        focus_->setFocus(Qt::OtherFocusReason);
    }
    FocusReturn(const FocusReturn&) = delete;
    FocusReturn& operator=(const FocusReturn&) = delete;

  private:
    QPointer<QWidget> focus_;
};

QString StartPath(const Dialogs::FileRequest& request) {
    if (request.folder.isEmpty())
        return request.fileName;
    return QDir(request.folder).filePath(request.fileName);
}

}  // namespace

Dialogs::Answer QtDialogs::Show(const QString& text, Buttons buttons, Icon icon,
                                Answer defaultAnswer, const QString& caption, QWidget* owner) {
    const FocusReturn focus;
    QMessageBox box(owner);
    box.setWindowTitle(caption.isEmpty() ? ProgramTitle() : caption);
    box.setText(text);
    switch (icon) {
        case Icon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case Icon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case Icon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case Icon::Stop:
            box.setIcon(QMessageBox::Critical);
            break;
        case Icon::Question:
            box.setIcon(QMessageBox::Question);
            break;
    }
    switch (buttons) {
        case Buttons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Buttons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        case Buttons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    if (box.button(ToQt(defaultAnswer)))
        box.setDefaultButton(ToQt(defaultAnswer));
    const int result = box.exec();
    switch (result) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            break;
    }
    // A box closed from its title bar counts as its "no" answer.
    if (buttons == Buttons::YesNoCancel)
        return Answer::Cancel;
    if (buttons == Buttons::YesNo)
        return Answer::No;
    return Answer::Ok;
}

Dialogs::FileResult QtDialogs::OpenFile(const FileRequest& request, QString& chosen,
                                        QWidget* owner) {
    const FocusReturn focus;
    QFileDialog dialog(owner, request.title, StartPath(request), QtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return FileResult::Cancel;
    chosen = dialog.selectedFiles().first();
    return FileResult::Ok;
}

Dialogs::FileResult QtDialogs::SaveFile(const FileRequest& request, QString& chosen,
                                        QWidget* owner) {
    const FocusReturn focus;
    QFileDialog dialog(owner, request.title, StartPath(request), QtFilter(request.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (!request.overwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return FileResult::Cancel;
    chosen = dialog.selectedFiles().first();
    return FileResult::Ok;
}

bool QtDialogs::ChooseFolder(const FolderRequest& request, QString& chosen, QWidget* owner) {
    const FocusReturn focus;
    WFolderBrowser browser(*this, owner);
    browser.Setup(request);
    if (browser.exec() != QDialog::Accepted)
        return false;
    chosen = browser.Path();
    return true;
}

bool QtDialogs::ChooseColour(const QColor& initial, QColor& chosen, QWidget* owner) {
    const FocusReturn focus;
    const QColor colour = QColorDialog::getColor(initial, owner);
    if (!colour.isValid())
        return false;
    chosen = colour;
    return true;
}

QString QtDialogs::QtFilter(const QString& pipeFilter) {
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        if (description.isEmpty() && patterns.isEmpty())
            continue;
        const int paren = description.indexOf(QLatin1Char('('));
        if (paren >= 0)
            description = description.left(paren).trimmed();
        QStringList list = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : list) {
            p = p.trimmed();
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
        }
        entries << QStringLiteral("%1 (%2)").arg(description, list.join(QLatin1Char(' ')));
    }
    return entries.join(QStringLiteral(";;"));
}

}  // namespace vantrel
