#include "project/shipped_paths.h"

#include "elements/setup_element.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/wildcard.h"
#include "project/project_data.h"
#include "script/set_layout.h"
#include "script/setup_component.h"

namespace vantrel {

namespace {

constexpr const char* kUserConfig = "idapi.cnf";

std::string SetupMember(const char* name) {
    return std::string(kSetupFolder) + "\\" + name;
}

}  // namespace

std::string WShippedPaths::Key(std::string_view shipPath) {
    std::vector<std::string> parts;
    for (std::string& part : Split(ReplaceAll(std::string(shipPath), "/", "\\"), '\\')) {
        if (!part.empty() && part != ".")
            parts.push_back(ToLower(part));
    }
    return Join(parts, "\\");
}

void WShippedPaths::Add(std::string_view shipPath, std::string supplier) {
    suppliers_.emplace(Key(shipPath), std::move(supplier));
}

WShippedPaths::WShippedPaths(const WProjectData& project) {
    for (const char* member :
         {kProductScript, kComponentScript, kStringFile, kLicenseFile, kReleaseFile, kSetupLog})
        Add(SetupMember(member), "the set's own file " + SetupMember(member));

    auto engineFile = [&](const std::string& shipPath) {
        Add(shipPath, "the setup engine's file " + shipPath);
    };
    if (!project.InstallLocation.empty()) {
        const std::string distrib = ResolveNoCase(JoinPath(project.InstallLocation, "Distrib"));
        for (const std::string& name : MatchFilesInFolder(distrib, "*.*"))
            engineFile(name);
        for (const std::string& name :
             MatchFilesInFolder(ResolveNoCase(JoinPath(distrib, kSetupFolder)), "*.*"))
            engineFile(std::string(kSetupFolder) + "\\" + name);
    }
    if (!project.IsDefaultCFGSelected) {
        for (const char* folder : {"Bde501", "Sql501"}) {
            const std::string path = std::string(folder) + "\\" + kUserConfig;
            Add(path, "the database engine's configuration file " + path);
        }
    }

    const WCreatorManager* components = project.Components();
    if (!components)
        return;
    for (const WSetupComponent* c : components->Components()) {
        if (c->IsApplicationComponent() ||
            (!c->IsSelected() && !EqualsNoCase(c->GetName(), "Distrib")))
            continue;
        for (int type : kFileElementTypes) {
            for (const auto& e : c->Elements(type))
                Add(e->GetSourceName(), "the file " + e->GetSourceName() +
                                            " of the standard component " + c->GetName());
        }
    }
}

std::string WShippedPaths::Supplier(std::string_view shipPath) const {
    auto it = suppliers_.find(Key(shipPath));
    return it == suppliers_.end() ? std::string() : it->second;
}

std::string WShippedPaths::CollisionMessage(std::string_view shown, std::string_view shipPath,
                                            std::string_view supplier) {
    return std::string(shown) + " would go to " + std::string(shipPath) + " in the set, where " +
           std::string(supplier) + " goes too; the set can hold only one of them";
}

std::vector<std::string> ShippedPathCollisions(const WProjectData& project) {
    std::vector<std::string> messages;
    const WSetupComponent* files = project.ProgramFilesComponent();
    const WSetupComponent* product = project.ProductComponent();
    if (!files && !product)
        return messages;
    const WShippedPaths shipped(project);
    for (const WSetupComponent* c : {product, files}) {
        if (!c)
            continue;
        for (int type : kFileElementTypes) {
            for (const auto& e : c->Elements(type)) {
                std::string supplier = shipped.Supplier(e->GetSourceName());
                if (!supplier.empty())
                    messages.push_back(WShippedPaths::CollisionMessage(
                        "The application's file " +
                            JoinPath(e->GetSourceDir(), FileNameOf(e->GetSourceName())),
                        e->GetSourceName(), supplier));
            }
        }
    }
    return messages;
}

}  // namespace vantrel
