#include "script/setup_component.h"

#include <algorithm>

#include "elements/setup_file.h"
#include "script/component_manager.h"
#include "support/test_support.h"

namespace vantrel {
namespace {

TEST(SetupComponentLine, ReadsAndWritesEveryField) {
    const std::string line =
        "Runtime,101,<WPF>\\Tessary,7,1,01,1234.5,%RuntimeName%,t9,t10,t11,,,0,t15,8,"
        "0101,";
    WSetupComponent c;
    ASSERT_TRUE(c.ParseLine(line));
    EXPECT_EQ(c.GetName(), "Runtime");
    EXPECT_EQ(c.GetInstallTypes(), 101);
    EXPECT_EQ(c.GetDestination(), "<WPF>\\Tessary");
    EXPECT_EQ(c.GetNumber4(), 7);
    EXPECT_TRUE(c.GetFlag5());
    EXPECT_EQ(c.GetFlags6(), "01111");
    EXPECT_DOUBLE_EQ(c.GetSize(), 1234.5);
    EXPECT_EQ(c.GetDisplayName(), "%RuntimeName%");
    EXPECT_EQ(c.GetOptions(), 8);
    EXPECT_EQ(c.GetFlags17(), "0101" + std::string(28, '1'));
    // Field 2 is "000" until generation puts in the install types; the size
    // is written as 0; no links gives two adjacent empty fields.
    EXPECT_EQ(c.GetLine(),
              "Runtime,000,<WPF>\\Tessary,7,1,01111,0,%RuntimeName%,t9,t10,t11,,,0,"
              "t15,8,0101" +
                  std::string(28, '1') + ",");
    EXPECT_EQ(c.GetLine(WSetupComponent::InstallTypeText(c.GetInstallTypes())).substr(0, 12),
              "Runtime,101,");
    const std::string written = c.GetLine();
    EXPECT_EQ(std::count(written.begin(), written.end(), ','), 17);
    // The installed layout: "001", whole size, texts 9 to 11 empty.
    EXPECT_EQ(c.GetInstalledLine().substr(0, 41), "Runtime,001,<WPF>\\Tessary,7,1,01111,1234,");
    EXPECT_NE(c.GetInstalledLine().find("%RuntimeName%,,,,"), std::string::npos);
}

TEST(SetupComponentLine, OptionsRules) {
    auto optionsOf = [](const std::string& field) {
        WSetupComponent c;
        c.ParseLine("C,111,<D>,0,0,,0,C,,,,,,0,," + field + ",,");
        return c.GetOptions();
    };
    EXPECT_EQ(optionsOf(""), 21);
    EXPECT_EQ(optionsOf("2"), 4);
    EXPECT_EQ(optionsOf("0"), 4);
    EXPECT_EQ(optionsOf("7"), 21);
    EXPECT_EQ(optionsOf("6"), 4);
    EXPECT_EQ(optionsOf("8"), 8);

    // Bit 4 gets bit 2 when the load completes; bit 2 is never written.
    WSetupComponent c;
    c.ParseLine("C,111,<D>,0,0,,0,C,,,,,,0,,4,,");
    c.CompleteLoad();
    EXPECT_EQ(c.GetOptions(), 6);
    EXPECT_NE(c.GetLine().find(",0,,4,"), std::string::npos) << c.GetLine();
}

TEST(SetupComponentLine, ShortAndEmptyLines) {
    WSetupComponent c;
    EXPECT_FALSE(c.ParseLine(",111,<D>,"));
    EXPECT_TRUE(c.ParseLine("OnlyName"));
    EXPECT_EQ(c.GetFlags6(), "11111");
    EXPECT_EQ(c.GetFlags17(), std::string(32, '1'));
    EXPECT_EQ(c.GetOptions(), 21);
    EXPECT_EQ(c.GetLine(), "OnlyName,000,,0,0,11111,0,,,,,,,0,,21," + std::string(32, '1') + ",");
}

TEST(SetupComponentLine, ExpandsStringReferencesWhenAsked) {
    ScriptStringMap().Set("CompName", "Tessary Runtime");
    WSetupComponent plain, expanded;
    plain.ParseLine("R,111,<D>,0,0,,0,%CompName%,%CompName% files,,,,,0,%CompName%,,,");
    expanded.ParseLine("R,111,<D>,0,0,,0,%CompName%,%CompName% files,,,,,0,%CompName%,,,", true);
    EXPECT_EQ(plain.GetDisplayName(), "%CompName%");
    EXPECT_EQ(expanded.GetDisplayName(), "Tessary Runtime");
    EXPECT_EQ(expanded.GetText9(), "Tessary Runtime files");
    EXPECT_EQ(expanded.GetText15(), "%CompName%");  // not one of the expanded texts
    ScriptStringMap().Erase("CompName");
}

TEST(SetupComponentInstallTypes, TextAndEffectiveValue) {
    EXPECT_EQ(WSetupComponent::InstallTypeText(111), "111");
    EXPECT_EQ(WSetupComponent::InstallTypeText(101), "101");
    EXPECT_EQ(WSetupComponent::InstallTypeText(110), "110");
    EXPECT_EQ(WSetupComponent::InstallTypeText(11), "011");
    EXPECT_EQ(WSetupComponent::InstallTypeText(1), "001");
    EXPECT_EQ(WSetupComponent::InstallTypeText(0), "000");

    WSetupComponent top("Top"), a("A"), b("B"), leaf("Leaf");
    top.SetInstallTypes(111);
    a.SetInstallTypes(111);
    b.SetInstallTypes(101);
    leaf.SetInstallTypes(11);
    EXPECT_EQ(top.EffectiveInstallTypes(), 111);
    top.AddChild(&a);
    top.AddChild(&b);
    EXPECT_EQ(WSetupComponent::InstallTypeText(top.EffectiveInstallTypes()), "101");
    a.AddChild(&leaf);  // a's own value no longer counts, its leaf's does
    EXPECT_EQ(WSetupComponent::InstallTypeText(top.EffectiveInstallTypes()), "001");
    // A cycle in the tree does not hang the walk.
    leaf.AddChild(&top);
    EXPECT_EQ(WSetupComponent::InstallTypeText(top.EffectiveInstallTypes()), "101");

    WSetupComponent s;
    s.SetInstallTypes(101);
    EXPECT_EQ(s.GetTypeState(0), WSetupComponent::kSelected);
    EXPECT_EQ(s.GetTypeState(1), WSetupComponent::kNotSelected);
    EXPECT_EQ(s.GetTypeState(2), WSetupComponent::kSelected);
    EXPECT_EQ(s.GetTypeState(3), WSetupComponent::kSelected);
}

TEST(SetupComponentLinks, ChildrenAndDependenciesOnceAndWrittenJoined) {
    WSetupComponent product("Product"), files("Program_files"), un("Uninstall"), rt("Runtime");
    product.AddChild(&files);
    product.AddChild(&files);
    product.AddChild(&product);
    EXPECT_EQ(product.Children().size(), 1u);
    EXPECT_EQ(files.GetParent(), &product);
    EXPECT_EQ(files.GetParentName(), "Product");

    files.AddDependency(&un);
    files.AddDependency(&rt);
    files.AddDependency(&un);
    files.AddDependency(&files);
    EXPECT_EQ(files.Dependencies().size(), 2u);
    EXPECT_EQ(un.Dependents(), std::vector<WSetupComponent*>{&files});
    EXPECT_NE(files.GetLine().find(",,,Uninstall | Runtime,0,"), std::string::npos)
        << files.GetLine();
    EXPECT_NE(product.GetLine().find(",Program_files,,0,"), std::string::npos);
}

TEST(SetupComponentSelection, SharedDependencyStaysWhileAnyDependentIsSelected) {
    WSetupComponent a("A"), b("B"), shared("Shared"), deeper("Deeper");
    a.AddDependency(&shared);
    b.AddDependency(&shared);
    shared.AddDependency(&deeper);
    auto file = std::make_unique<WSetupFile>();
    WSetupElement* element = shared.AddElement(std::move(file));

    a.Select(WSetupComponent::kSelected);
    b.Select(WSetupComponent::kSelected);
    EXPECT_TRUE(shared.IsSelected());
    EXPECT_EQ(shared.GetSelectionCount(), 2);
    EXPECT_TRUE(deeper.IsSelected());
    EXPECT_TRUE(element->IsSelected());

    a.Select(WSetupComponent::kNotSelected);
    EXPECT_TRUE(shared.IsSelected());
    EXPECT_EQ(shared.GetSelectionCount(), 1);
    // Partly selected counts as selected: no change to the counters.
    b.Select(WSetupComponent::kPartlySelected);
    EXPECT_EQ(shared.GetSelectionCount(), 1);
    b.Select(WSetupComponent::kNotSelected);
    EXPECT_FALSE(shared.IsSelected());
    EXPECT_FALSE(deeper.IsSelected());
    EXPECT_FALSE(element->IsSelected());
    EXPECT_EQ(shared.GetSelectionCount(), 0);
}

TEST(SetupComponentSelection, DependencyCycleEnds) {
    WSetupComponent a("A"), b("B");
    a.AddDependency(&b);
    b.AddDependency(&a);
    a.Select(WSetupComponent::kSelected);
    EXPECT_TRUE(b.IsSelected());
    a.Select(WSetupComponent::kNotSelected);
    EXPECT_FALSE(a.IsSelected());
    EXPECT_FALSE(b.IsSelected());
}

// A whole selection rebuilt from its roots: a component that was selected
// by hand, or held by a counter left over, starts again from nothing; what
// the roots depend on and their sub-components (with what those need) are
// selected, and only those are gathered.
TEST(SetupComponentSelection, RebuiltFromRootsAndGatheredSelectedOnly) {
    WComponentManager m;
    WSetupComponent* root = m.Add("Root", 0);
    WSetupComponent* engine = m.Add("Engine", 0);
    WSetupComponent* common = m.Add("Common", 0);
    WSetupComponent* admin = m.Add("Admin", 1);
    WSetupComponent* tool = m.Add("Tool", 0);
    WSetupComponent* dropped = m.Add("Dropped", 0);
    root->AddDependency(engine);
    root->AddDependency(dropped);
    engine->AddChild(admin);
    admin->AddDependency(common);
    dropped->Select(WSetupComponent::kSelected);
    tool->Select(WSetupComponent::kSelected);

    root->RemoveDependency(dropped);
    EXPECT_TRUE(dropped->Dependents().empty());
    m.SelectOnly({root});
    for (WSetupComponent* c : {root, engine, admin, common})
        EXPECT_TRUE(c->IsSelected()) << c->GetName();
    for (WSetupComponent* c : {tool, dropped}) {
        EXPECT_FALSE(c->IsSelected()) << c->GetName();
        EXPECT_EQ(c->GetSelectionCount(), 0) << c->GetName();
    }
    EXPECT_EQ(common->GetSelectionCount(), 1);

    m.Gather();
    EXPECT_EQ(m.Level(0).size(), 5u);  // every component unless asked
    m.SetGatherSelectedOnly(true);
    m.Gather();
    EXPECT_EQ(m.Level(0), (std::vector<WSetupComponent*>{root, engine, common}));
    EXPECT_EQ(m.Level(1), std::vector<WSetupComponent*>{admin});
}

TEST(SetupComponentLevels, OnlyTheSevenLevelsExist) {
    WComponentManager m;
    const int last = WComponentManager::kLevelCount - 1;
    for (int level : {-1, last + 1, last + 10})
        EXPECT_EQ(m.Add("Out" + std::to_string(level + 1), level), nullptr) << level;
    WSetupComponent* deepest = m.Add("Deepest", last);
    ASSERT_NE(deepest, nullptr);
    deepest->AddElement(CreateElement(kElementFile));
    m.Gather();
    EXPECT_EQ(m.Level(last), std::vector<WSetupComponent*>{deepest});
    EXPECT_EQ(m.LevelElements(kElementFile, last).size(), 1u);
    for (int level : {-1, last + 1}) {
        EXPECT_TRUE(m.Level(level).empty()) << level;
        EXPECT_TRUE(m.LevelElements(kElementFile, level).empty()) << level;
    }
}

TEST(SetupComponentElements, ByTypeCode) {
    WSetupComponent c("C");
    EXPECT_EQ(c.AddElement(nullptr), nullptr);
    WSetupElement* f = c.AddElement(std::make_unique<WSetupFile>());
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(c.Elements(kElementFile).size(), 1u);
    EXPECT_TRUE(c.Elements(99).empty());
    auto taken = c.TakeElement(f);
    EXPECT_EQ(taken.get(), f);
    EXPECT_EQ(c.ElementCount(), 0u);
}

}  // namespace
}  // namespace vantrel
