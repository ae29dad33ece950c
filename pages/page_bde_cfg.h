// The database-engine configuration page: the configuration file merged on
// the client (the installation's default one or the author's own, which is
// then shipped with the setup), the SQL Links drivers the setup installs, and
// a button that starts the engine's administrator program.
#pragma once

#include <array>
#include <string>

#include "app/page.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vantrel {

class WPageBDECfg : public WPage {
    Q_OBJECT

  public:
    static constexpr int kDriverCount = 7;

    explicit WPageBDECfg(WWizardApp& app, QWidget* parent = nullptr);

    bool OnInitDialog() override;
    bool OnSetActive() override;
    int OnWizardBack() override;
    int OnWizardNext() override;
    int CommitPage() override;

    QRadioButton* DefaultRadio() const { return defaultRadio_; }
    QRadioButton* CustomRadio() const { return customRadio_; }
    QLineEdit* PathEdit() const { return pathEdit_; }
    QPushButton* SelectButton() const { return selectButton_; }
    // The driver boxes in the order of SqlLinksDrivers (project/bde_rules.h).
    QCheckBox* DriverBox(int index) const { return drivers_[index]; }
    QPushButton* LaunchButton() const { return launchButton_; }
    // The administrator program the Launch button starts.
    const std::string& AdministratorPath() const { return adminPath_; }

  public slots:
    void OnDefaultClicked();
    void OnCustomClicked();
    void OnDriverClicked();
    void OnSelect();
    void OnLaunch();

  protected:
    void OnActivated() override;

  private:
    void ApplyDefault();
    void ApplyCustom();
    // The radio buttons count only while the setup installs the database
    // engine: a driver is ticked or the project includes the engine.
    void ApplyRadioRule();
    void UpdateLaunchButton();
    bool AnyDriverTicked() const;

    std::string adminPath_;
    // The own file's path while the default one is shown.
    QString customPath_;

    QRadioButton* defaultRadio_ = nullptr;
    QRadioButton* customRadio_ = nullptr;
    QLineEdit* pathEdit_ = nullptr;
    QPushButton* selectButton_ = nullptr;
    std::array<QCheckBox*, kDriverCount> drivers_{};
    QPushButton* launchButton_ = nullptr;
};

}  // namespace vantrel
