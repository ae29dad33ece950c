// What the media builder tells the one who runs it, and what it asks back.
// The wizard implements it with its progress dialog (operation label, file
// label, progress bar, Cancel button, animation), the command-line tool with
// a progress bar on the terminal and Ctrl-C; the defaults do nothing, so a
// caller overrides only what it shows.
#pragma once

#include <string>

namespace vantrel {

class WMediaProgress {
  public:
    virtual ~WMediaProgress() = default;

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
