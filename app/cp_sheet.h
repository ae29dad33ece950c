// The wizard sheet: the program's main window. Eleven pages, shown one at a
// time, and a button row with Help alone at the left and Back, Next (or
// Finish) and Cancel at the right. The sheet moves one page at a time and
// lets each page refuse the move.
#pragma once

#include <QDialog>
#include <QVector>

class QPushButton;
class QStackedWidget;
class QHBoxLayout;

namespace vantrel {

class WPage;
class WWizardApp;

class CPSheet : public QDialog {
    Q_OBJECT

  public:
    enum ButtonId { Back, Next, Finish, Cancel, Help };

    // An empty sheet; the page list (pages/page_list.h) adds the pages.
    explicit CPSheet(WWizardApp& app, QWidget* parent = nullptr);
    ~CPSheet() override;

    // Appends `page` (the sheet takes it over) behind the pages added so far.
    void AddPage(WPage* page);
    // Sizes the window to hold the largest page; call after the last AddPage.
    void FitToPages();

    int PageCount() const { return static_cast<int>(pages_.size()); }
    WPage* Page(int index) const;
    int CurrentIndex() const { return current_; }
    WPage* CurrentPage() const { return Page(current_); }

    // Activates the first page; call once after the pages have their project.
    void Start();
    // Shows page `index` when the page in front lets go and the new page
    // accepts; true when it is in front afterwards.
    bool SetActivePage(int index);

    QPushButton* Button(ButtonId id) const { return buttons_[id]; }
    // Next or Finish in the second place of the row.
    void SetFinishMode(bool finish);

    // Moves Help to the left edge and the other buttons to the right; only
    // the first call does anything.
    void RearrangeButtonsOnce();
    bool LayoutPending() const { return layoutPending_; }
    int Rearrangements() const { return rearrangements_; }

    // Ends the program's main window: the sheet closes without further
    // questions and emits ended().
    void EndSheet();
    bool IsEnded() const { return ended_; }

    // Ctrl+S from any page: the page in front stores its fields, then the
    // application's save command runs (asking for a file when the project
    // has none). False when the page kept its fields or the save failed.
    bool SaveCommand();
    // "<program title> - <file name>", "*" while the project has unsaved
    // changes; the program title alone for an unsaved, unchanged project.
    void UpdateTitle();

    // Opens the help topic for the widget that has the focus: its page's
    // pair for that control, else the current help context.
    void ContextHelp(QWidget* widget);

  public slots:
    void OnBack();
    void OnNext();
    void OnFinish();
    void OnCancel();
    void OnHelp();
    void reject() override;  // Escape is Cancel

  signals:
    void ended();
    void pageChanged(int index);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    WWizardApp& app_;
    QVector<WPage*> pages_;
    QStackedWidget* stack_ = nullptr;
    QPushButton* buttons_[5] = {};
    QHBoxLayout* buttonRow_ = nullptr;
    int current_ = -1;
    bool layoutPending_ = true;
    int rearrangements_ = 0;
    bool ended_ = false;
};

}  // namespace vantrel
