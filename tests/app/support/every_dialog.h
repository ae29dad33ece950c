// Every dialog of the wizard, built over a wizard fixture, for tests that
// walk them all: each is shown, and a dialog with tabs once per tab, with
// that tab in front.
#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

namespace vantrel::test {

class WizardFixture;

class EveryDialog {
  public:
    explicit EveryDialog(WizardFixture& w);
    ~EveryDialog();

    // Calls `visit` with a name ("Registry Key Properties", "File
    // Properties: Destination") and the window, shown and laid out.
    void ForEachView(const std::function<void(const QString& name, QWidget* window)>& visit);

  private:
    struct Dialogs;
    std::unique_ptr<Dialogs> d_;
    WizardFixture& w_;
};

}  // namespace vantrel::test
