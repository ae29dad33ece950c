// The page base of the wizard sheet. Every page has the same frame: the
// program's picture at the left, the page caption at the top and the page's
// own controls below it (body()). The sheet calls the notifications below;
// pages override them and call the base.
#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace vantrel {

class CPSheet;
class Dialogs;
class WProjectData;
class WWizardApp;

class WPage : public QWidget {
    Q_OBJECT

  public:
    // `helpContext` is the help topic the page stands for (1000 ...).
    WPage(WWizardApp& app, const QString& caption, int helpContext, QWidget* parent = nullptr);
    ~WPage() override;

    // Set by start-up before the sheet is shown.
    void SetProject(WProjectData* project) { project_ = project; }
    WProjectData* Project() const { return project_; }
    void SetFirstPage(bool first) { firstPage_ = first; }
    bool IsFirstPage() const { return firstPage_; }
    void SetSheet(CPSheet* sheet) { sheet_ = sheet; }
    CPSheet* Sheet() const { return sheet_; }

    bool HideHelp() const { return hideHelp_; }
    int HelpContext() const { return helpContext_; }
    QString Caption() const { return caption_; }

    // Runs OnInitDialog the first time the page is shown.
    void EnsureInitialised();
    bool IsInitialised() const { return initialised_; }

    // Notifications from the sheet.
    virtual bool OnInitDialog();
    // False refuses the activation.
    virtual bool OnSetActive();
    // False keeps the page in front.
    virtual bool OnKillActive();
    // True lets the sheet close through Cancel; the base asks the exit
    // questions itself and always answers false.
    virtual bool OnQueryCancel();
    // 0 lets the sheet move, -1 keeps the page in front.
    virtual int OnWizardBack();
    virtual int OnWizardNext();
    // True closes the sheet.
    virtual bool OnWizardFinish();
    // Validates the page's fields and stores them into the project; 0 when
    // the user must stay on the page. The base stores nothing.
    virtual int CommitPage();
    virtual bool FileExists(const std::string& path);

    // The exit questions of Cancel. With `askWhenUnchanged` false (closing
    // from the title bar) an unchanged project ends without a question.
    // True when the sheet was ended.
    bool QueryExit(bool askWhenUnchanged);

    // Context help: the topic of a control of this page (walking up from
    // `widget`), or 0 when the page has none for it.
    void AddHelpPair(QWidget* control, int topic);
    int HelpTopicFor(const QWidget* widget) const;

    QLabel* CaptionControl() const { return captionLabel_; }
    QLabel* PictureControl() const { return pictureLabel_; }

    // Caption font settings (character set and face name; the face defaults
    // to "Times New Roman").
    void SetCaptionFace(const QString& charset, const QString& face);
    // Puts `text` into `control` in the caption font: the regular font for
    // texts shorter than 44 characters, a bold and narrowed one for longer
    // ones, so that they still fit.
    void SetCaption(const QString& text, QLabel* control);

  protected:
    WWizardApp& App() const { return app_; }
    Dialogs& Boxes() const;
    // Sets the application's Modified flag.
    void SetModified();
    // The area below the caption that holds the page's controls.
    QWidget* Body() const { return body_; }

    // Takes a typed text into an engine string; shows a message naming
    // `field`, gives the control the focus and answers false when the text
    // holds characters that Windows-1252 cannot hold.
    bool TakeText(QLineEdit* edit, const QString& field, std::string& out);
    bool TakeText(QPlainTextEdit* edit, const QString& field, std::string& out);
    // The engine path of a file the user chose; shows a message naming the
    // characters Windows-1252 cannot hold and answers false when there are any.
    bool TakeChosenPath(const QString& chosen, std::string& path);

    // Runs after activation once the event loop is back (the base does nothing).
    virtual void OnActivated() {}

    bool hideHelp_ = false;
    // Activation fails while mayActivate_ is false; postOnActivate_ makes the
    // page run OnActivated after each activation.
    bool mayActivate_ = true;
    bool postOnActivate_ = true;

  private:
    QFont CaptionFont(bool bold, int stretch) const;
    // Gives the focus to the body's first enabled control, in tab order,
    // that takes keyboard input and is not read-only.
    void FocusFirstField();

    WWizardApp& app_;
    WProjectData* project_ = nullptr;
    CPSheet* sheet_ = nullptr;
    bool firstPage_ = false;
    bool initialised_ = false;
    int helpContext_;
    QString caption_;
    QString charset_;
    QString face_;
    QLabel* pictureLabel_ = nullptr;
    QLabel* captionLabel_ = nullptr;
    QWidget* body_ = nullptr;
    QHash<const QWidget*, int> helpPairs_;
};

}  // namespace vantrel
