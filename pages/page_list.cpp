#include "pages/page_list.h"

#include "app/cp_sheet.h"
#include "app/wizard_app.h"
#include "pages/cust_page.h"
#include "pages/files_page.h"
#include "pages/page_background.h"
#include "pages/page_bde_cfg.h"
#include "pages/page_finish.h"
#include "pages/page_license.h"
#include "pages/page_reg_keys.h"
#include "pages/page_short_cuts.h"
#include "pages/page_welcome.h"
#include "pages/project.h"
#include "pages/project_dir.h"

namespace vantrel {

void AddWizardPages(CPSheet& sheet, WWizardApp& app) {
    sheet.AddPage(new WPageWelcome(app));
    sheet.AddPage(new WProject(app));
    sheet.AddPage(new WPageBackground(app));
    sheet.AddPage(new WPageLicense(app));
    sheet.AddPage(new WProjectDir(app));
    sheet.AddPage(new WFilesPage(app));
    sheet.AddPage(new WPageRegKeys(app));
    sheet.AddPage(new WPageShortCuts(app));
    sheet.AddPage(new WCustPage(app));
    sheet.AddPage(new WPageBDECfg(app));
    sheet.AddPage(new WPageFinish(app));
}

bool OpenProjectAtStart(WWizardApp& app, const QString& path) {
    CPSheet* sheet = app.Sheet();
    auto* welcome = sheet ? qobject_cast<WPageWelcome*>(sheet->CurrentPage()) : nullptr;
    return welcome && welcome->OpenGivenProject(path);
}

}  // namespace vantrel
