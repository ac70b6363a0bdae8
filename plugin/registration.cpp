#include "plugin/registration.h"

#include "commands/about.h"
#include "commands/convert_materials.h"
#include "commands/create_instances.h"
#include "commands/create_material_helper.h"
#include "commands/export_and_run.h"
#include "commands/quick_render.h"
#include "material/import_command.h"
#include "objects/camera_tag.h"
#include "objects/exit_portal_tag.h"
#include "objects/instance.h"
#include "objects/light_tag.h"
#include "objects/material_group.h"
#include "objects/material_helper.h"
#include "objects/subdivision_tag.h"
#include "objects/zsl_shader.h"
#include "plugin/host/application.h"
#include "plugin/menu_spacer.h"
#include "plugin/plugin_ids.h"
#include "plugin/plugin_state.h"
#include "scene/render_settings_node.h"

#include <functional>
#include <vector>

const char* const kDecorationLine =
    ".__.--._.-._.-.__.--._.-.__.--._.-._.-.__.--._.-.__.--._.-._.-.__.--._.-.__.--._.-._.-.__.--"
    "._.-.__.--._.-._.-.__.--._.-.__.--.";

namespace {

// String resources naming the plug-ins; several plug-ins share one.
namespace NameResource {
constexpr int32_t kRenderSettings = 10000;
constexpr int32_t kLightTag = 10002;
constexpr int32_t kMaterialHelper = 10003;
constexpr int32_t kAbout = 10005;
constexpr int32_t kExitPortal = 10006;
constexpr int32_t kExportAndRun = 10007;
constexpr int32_t kCameraTag = 10009;
constexpr int32_t kConvertMaterials = 10010;
constexpr int32_t kInstance = 10011;
constexpr int32_t kImportZvm = 10014;
constexpr int32_t kSubdivision = 10016;
constexpr int32_t kMaterialGroup = 10018;
constexpr int32_t kZslShader = 10019;
constexpr int32_t kQuickRender = 10020;
} // namespace NameResource

constexpr int32_t kDiskLevel = 0;
constexpr int32_t kRenderEffectPriority = 100;

const char* const kBanner[] = {
    "._.-. Tolvane 1.1.18 Final: the Zarvex renderer bridge",
    "._.-. Developed by the Tolvane developers",
    "._.-. For more information go to: https://tolvane.example.org/docs",
};

// Icons live in the `res` folder beside the module; a missing or unreadable icon fails the
// registration that needs it.
std::unique_ptr<HostBitmap> loadIcon(const char* file) {
    std::unique_ptr<HostBitmap> icon = host().createBitmap();
    if (!icon || !icon->load(pluginDirectory() + "res" + file)) {
        return nullptr;
    }
    return icon;
}

// A registration step: true on success. A plug-in whose name resource is empty is left out and
// counts as a success.
using Step = std::function<bool()>;

template <class Command>
Step command(int32_t id, int32_t nameResource, const char* help, const char* iconFile) {
    return [=] {
        const std::string name = host().resourceString(nameResource);
        if (name.empty()) {
            return true;
        }
        CommandRegistration r;
        r.id = id;
        r.name = name;
        r.info = 0;
        r.help = help;
        r.command = std::make_unique<Command>();
        r.icon = loadIcon(iconFile);
        if (!r.icon) {
            return false;
        }
        return host().registerCommand(std::move(r));
    };
}

Step menuSpacer(int32_t id, const char* literalName) {
    return [=] {
        CommandRegistration r;
        r.id = id;
        r.name = literalName;
        r.command = std::make_unique<MenuSpacerCommand>();
        return host().registerCommand(std::move(r));
    };
}

Step tag(int32_t id, int32_t nameResource, NodeAllocator allocator, const char* description,
         const char* iconFile) {
    return [=] {
        const std::string name = host().resourceString(nameResource);
        if (name.empty()) {
            return true;
        }
        TagRegistration r;
        r.id = id;
        r.name = name;
        r.info = 1;
        r.allocator = allocator;
        r.description = description;
        r.diskLevel = kDiskLevel;
        r.icon = loadIcon(iconFile);
        if (!r.icon || !host().registerDescription(id, description)) {
            return false;
        }
        return host().registerTag(std::move(r));
    };
}

Step object(int32_t id, int32_t nameResource, int32_t info, NodeAllocator allocator,
            const char* description, const char* iconFile) {
    return [=] {
        const std::string name = host().resourceString(nameResource);
        if (name.empty()) {
            return true;
        }
        ObjectRegistration r;
        r.id = id;
        r.name = name;
        r.info = info;
        r.allocator = allocator;
        r.description = description;
        r.diskLevel = kDiskLevel;
        r.largeIcon = loadIcon(iconFile);
        r.smallIcon = loadIcon(iconFile);
        if (!r.largeIcon || !r.smallIcon || !host().registerDescription(id, description)) {
            return false;
        }
        return host().registerObject(std::move(r));
    };
}

Step renderEffect() {
    return [] {
        const std::string name = host().resourceString(NameResource::kRenderSettings);
        if (name.empty()) {
            return true;
        }
        RenderEffectRegistration r;
        r.id = PluginId::kRenderSettings;
        r.name = name;
        r.info = 0;
        r.allocator = &RenderSettingsNode::alloc;
        r.description = "oMyRenderSettings";
        r.diskLevel = kDiskLevel;
        r.priority = kRenderEffectPriority;
        r.executeFlags = 0;
        if (!host().registerDescription(r.id, r.description)) {
            return false;
        }
        return host().registerRenderEffect(std::move(r));
    };
}

// The shader registers even when its name resource is empty.
Step shader() {
    return [] {
        ShaderRegistration r;
        r.id = PluginId::kZslShader;
        r.name = host().resourceString(NameResource::kZslShader);
        r.info = 0;
        r.allocator = &ZSLData::alloc;
        r.description = "xtolvanezslshader";
        r.diskLevel = kDiskLevel;
        if (!host().registerDescription(r.id, r.description)) {
            return false;
        }
        return host().registerShader(std::move(r));
    };
}

// The registration table, in the order the host must see it.
std::vector<Step> registrationSteps(uint8_t* exportFlag) {
    return {
        tag(PluginId::kLightTag, NameResource::kLightTag, &MyLightTag::alloc, "tMyLightTag",
            "LightTag.tif"),
        tag(PluginId::kExitPortalTag, NameResource::kExitPortal, &MyExitPortal::alloc,
            "TMyExitPortal", "ExitPortal.tif"),
        tag(PluginId::kCameraTag, NameResource::kCameraTag, &CameraTag::alloc, "TCameraTag",
            "CameraTag.tif"),
        tag(PluginId::kSubdivisionTag, NameResource::kSubdivision, &MySubdivision::alloc,
            "tSubdivision", "subdivtag.tif"),
        [exportFlag] {
            MyExportAndRun::setExportFlag(exportFlag);
            return command<MyExportAndRun>(PluginId::kExportAndRun, NameResource::kExportAndRun,
                                           "Export and Run", "Export.tif")();
        },
        command<ShowAbout>(PluginId::kShowAbout, NameResource::kAbout, "About", "About.tif"),
        command<ConvertMats>(PluginId::kConvertMaterials, NameResource::kConvertMaterials,
                             "Convert Materials", "ConvertMats.tif"),
        command<ImportZVM>(PluginId::kImportZvm, NameResource::kImportZvm, "Import .zvm",
                           "Export.tif"),
        [exportFlag] {
            QuickRender::setExportFlag(exportFlag);
            return command<QuickRender>(PluginId::kQuickRender, NameResource::kQuickRender,
                                        "Quick Render", "Export.tif")();
        },
        command<CreateInstances>(PluginId::kCreateInstances, NameResource::kInstance,
                                 "Creates Instances", "instance.tif"),
        command<CreateMatHelper>(PluginId::kCreateMaterialHelper, NameResource::kMaterialHelper,
                                 "Creates material helper", "MaterialHelper.tif"),
        [exportFlag] {
            ZarvexInstance::setExportFlag(exportFlag);
            return object(PluginId::kInstance, NameResource::kInstance, 0x20000004,
                          &ZarvexInstance::alloc, "Ozarvexinstance", "instance.tif")();
        },
        object(PluginId::kMaterialGroup, NameResource::kMaterialGroup, 0x10000000,
               &MaterialGroup::alloc, "oMaterialGroup", "convertmats.tif"),
        object(PluginId::kMaterialHelper, NameResource::kMaterialHelper, 0x20000000,
               &MyMaterialHelper::alloc, "oMyMaterialHelper", "MaterialHelper.tif"),
        renderEffect(),
        menuSpacer(PluginId::kMenuSpacer1, "#$4 --"),
        menuSpacer(PluginId::kMenuSpacer2, "#$8 --"),
        shader(),
    };
}

void printBanner() {
    HostApplication& app = host();
    app.console(std::string("\n") + kDecorationLine);
    for (const char* line : kBanner) {
        app.console(line);
    }
    app.console(std::string(kDecorationLine) + "\n");
}

} // namespace

bool startPlugin() {
    if (hostOrNull() == nullptr || !PluginState::allocateExportFlag()) {
        return false;
    }
    for (const Step& step : registrationSteps(PluginState::exportFlag())) {
        if (!step()) {
            return false;
        }
    }
    printBanner();
    return true;
}
