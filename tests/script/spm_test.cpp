#include <string>
#include <vector>

#include "script/spm_box_id.h"
#include "script/spm_product.h"
#include "script/spm_sys_req.h"
#include "script/spm_ui.h"
#include "scriptfile/setup_data.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

using Lines = std::vector<std::string>;

// Each key is inserted right after its section line, so a section written
// into an empty script lists its keys last-first, the first key at the end.
TEST(ProductSections, FreshObjectsWriteTheirKeysAndDefaults) {
    WSetupData script;
    WSPMBoxId box;
    WSPMProduct product;
    WSPMUi ui;
    WSPMSysReq sysReq;
    ASSERT_TRUE(box.Write(&script));
    ASSERT_TRUE(product.Write(&script));
    ASSERT_TRUE(ui.Write(&script));
    ASSERT_TRUE(sysReq.Write(&script));
    EXPECT_EQ(script.Lines(),
              (Lines{"[BOXID]",
                     "UseBoxId=0",
                     "BoxName=",
                     "SourceFile=",
                     "DestProgramsDir=",
                     "DependentComponents=",
                     "[Product]",
                     "InstallType=0",
                     "Residual=0",
                     "FORCEREBOOT=0",
                     "Force Locale=",
                     "Default Locale=US",
                     "Available Locale=BR,CF,CZ,DE,DK,ES,FR,GR,HR,IT,MA,NL,NO,OZ,PL,PO,RU,SL,SO,SU,"
                     "SV,TR,UK,US,YK,JP,CS,CT",
                     "CustomCode=",
                     "Loader=",
                     "Billboard Script=Setup\\BBoards.bil",
                     "Version=9.0",
                     "ShortcutFolder=OxbelPRODUCT",
                     "Alternate Product Key=",
                     "Product Key=Software\\Oxbel\\OxbelPRODUCT\\9.0",
                     "Destination=Oxbel\\Product9",
                     "ProductDisplayName=OxbelPRODUCT",
                     "ProductName=OxbelPRODUCT",
                     "[UI]",
                     "FontName=",
                     "CharSet=0",
                     "Pages=welcome installtype components destination ready",
                     "ResourceDll=Setup\\Swintlen.dll",
                     "StrFile=Setup\\Setup.str",
                     "[SystemRequirements]",
                     "COLORContinue=NO",
                     "COLOR=16",
                     "RESContinue=NO",
                     "RES=800x600",
                     "CPUContinue=NO",
                     "CPU=486",
                     "OSContinue=NO",
                     "OS=1111",
                     "RAMContinue=YES",
                     "RAM=16"}));
}

TEST(ProductSections, RewritingChangesValuesInPlace) {
    WSetupData script;
    WSPMSysReq sysReq;
    sysReq.Write(&script);
    Lines before = script.Lines();
    sysReq.SetResolution("640x480");
    sysReq.SetOperatingSystemContinue(true);
    sysReq.SetMemory(-4);
    sysReq.Write(&script);
    ASSERT_EQ(script.Lines().size(), before.size());
    std::string v;
    script.GetValue("SystemRequirements", "RES", v);
    EXPECT_EQ(v, "640x480");
    script.GetValue("SystemRequirements", "OSContinue", v);
    EXPECT_EQ(v, "YES");
    script.GetValue("SystemRequirements", "RAM", v);
    EXPECT_EQ(v, "-4");

    WSPMBoxId box;
    EXPECT_FALSE(box.Write(nullptr));
    EXPECT_FALSE(WSPMUi().Write(nullptr));
    EXPECT_FALSE(sysReq.Write(nullptr));
}

TEST(ProductSections, ProductReadPutsInDefaultsForEmptyKeys) {
    WSetupData script;
    script.LoadLines({"[Product]", "ProductName=", "Destination=Apps\\Mine",
                      "Loader=", "Billboard Script=", "FORCEREBOOT=yes", "Residual=1x",
                      "InstallType=12abc", "Available Locale=", "Force Locale=DE"});
    WSPMProduct product;
    product.SetLoader("old loader");
    product.SetForceReboot(true);
    ASSERT_TRUE(product.Read(&script));
    EXPECT_EQ(product.GetProductName(), "OxbelPRODUCT");
    EXPECT_EQ(product.GetDisplayName(), "OxbelPRODUCT");
    EXPECT_EQ(product.GetDestination(), "Apps\\Mine");
    EXPECT_EQ(product.GetProductKey(), "Software\\Oxbel\\OxbelPRODUCT\\9.0");
    EXPECT_EQ(product.GetVersion(), "9.0");
    EXPECT_EQ(product.GetShortcutFolder(), "OxbelPRODUCT");
    EXPECT_EQ(product.GetDefaultLocale(), "US");
    EXPECT_EQ(product.GetAvailableLocales().substr(0, 6), "BR,CF,");
    EXPECT_EQ(product.GetForcedLocale(), "DE");
    // Keys without a read default stay as read, empty included.
    EXPECT_EQ(product.GetLoader(), "");
    EXPECT_EQ(product.GetBillboardScript(), "");
    EXPECT_EQ(product.GetAlternateProductKey(), "");
    EXPECT_EQ(product.GetCustomCode(), "");
    // Leading decimal digits: "yes" is 0, "1x" is 1.
    EXPECT_FALSE(product.GetForceReboot());
    EXPECT_TRUE(product.GetResidual());
    EXPECT_EQ(product.GetInstallType(), 12);

    WSetupData out;
    product.Write(&out);
    std::string v;
    out.GetValue("Product", "Residual", v);
    EXPECT_EQ(v, "1");
    out.GetValue("Product", "InstallType", v);
    EXPECT_EQ(v, "12");
}

TEST(ProductSections, ProductReadNeedsAScript) {
    WSPMProduct product;
    product.SetVersion("7");
    EXPECT_FALSE(product.Read(nullptr));
    EXPECT_EQ(product.GetVersion(), "7");
    EXPECT_FALSE(product.Write(nullptr));

    // An empty script: every key missing, so every read default applies.
    WSetupData empty;
    ASSERT_TRUE(product.Read(&empty));
    EXPECT_EQ(product.GetVersion(), "9.0");
    EXPECT_EQ(product.GetBillboardScript(), "");
}

}  // namespace
}  // namespace vantrel
