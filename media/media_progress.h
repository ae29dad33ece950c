// What a media build tells the one who runs it, and what it asks back.
// The wizard implements it with its progress dialog (operation label, file
// label, progress bar, Cancel button, animation) and its message boxes, the
// command-line tool with lines and a progress bar on the terminal and Ctrl-C;
// the defaults do nothing (and remove an existing setup), so a caller
// overrides only what it shows.
#pragma once

#include <string>

namespace vantrel {

class WMediaPlan;

class WMediaProgress {
  public:
    virtual ~WMediaProgress() = default;

    // The plan has been worked out for the files as they are now, before
    // any check (see WMediaPlan: sizes, medium, components).
    virtual void ShowPlan(const WMediaPlan& plan) { (void)plan; }
    // The media folder holds a setup already: remove it and go on, keep it
    // (nothing is built), or stop. `question` is the text to show.
    enum class ExistingSetup { kRemove, kKeep, kCancel };
    virtual ExistingSetup AskExistingSetup(const std::string& question) {
        (void)question;
        return ExistingSetup::kRemove;
    }

    // The animation runs while the job works.
    virtual void StartAnimation() {}
    virtual void StopAnimation() {}
    // "Copying file : C:\...\setup32.exe", "Creating file : ...".
    virtual void SetOperation(const std::string& text) { (void)text; }
    // The file being handled (its name).
    virtual void SetFile(const std::string& text) { (void)text; }
    // The bar runs from 0 to `upper`, one step at a time. A job may step a
    // little past `upper`; a bar holds at its end.
    virtual void SetRange(int upper) { (void)upper; }
    virtual void Step() {}
    // Tested after every file and between the steps of a floppy set; true
    // stops the job (Cancel pressed, Ctrl-C).
    virtual bool CancelRequested() { return false; }
    // A message the user must see before the job stops, with an error icon:
    // caption "Error", text "Not enough disk space available on destination
    // drive.".
    virtual void ShowError(const std::string& caption, const std::string& text) {
        (void)caption;
        (void)text;
    }
};

}  // namespace vantrel
