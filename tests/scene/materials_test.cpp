// Built-in materials, the material helpers' materials by type, blends, clay, includes and the
// light material.
#include "scene_fixture.h"

#include "objects/light_tag_ids.h"
#include "plugin/host/material.h"
#include "plugin/host/tag.h"

namespace scenetest {
namespace {

class MaterialWriter : public SceneTest {
protected:
    // Writes every collected record as the materials pass does, and the scene it made.
    std::string writeAll(bool preview = false) {
        exporter_.collectHelpers();
        for (MaterialHelperRecord& record : exporter_.materialHelpers_) {
            if (!record.written) {
                exporter_.writeMaterial(record, preview);
            }
        }
        return scene();
    }
    bool consoleHas(const std::string& line) const {
        const auto& lines = host_.consoleLines();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
};

const char* const kClay =
    "<oren_nayar><albedo><constant><rgb><rgb>0.710000 0.620000 0.530000</rgb>"
    "<gamma>2.200000</gamma></rgb></constant></albedo><sigma><constant>0.300000</constant>"
    "</sigma>";

TEST_F(MaterialWriter, DefaultMaterialsAndTheirClayForm) {
    exporter_.writeDefaultMaterials();
    EXPECT_EQ(scene(), "<material><name>defaultMat</name><diffuse><albedo><constant><rgb>"
                       "<rgb>0.800000 0.800000 0.800000</rgb><gamma>2.200000</gamma></rgb>"
                       "</constant></albedo></diffuse></material>"
                       "<material><name>nullMat</name><null_material /></material>");
    exporter_.configureExport(&doc(), HostFilename("C:\\scene\\test.zvs"), false, false, true);
    exporter_.begin();
    exporter_.writeDefaultMaterials();
    EXPECT_EQ(scene(), std::string("<material><name>defaultMat</name>") + kClay +
                           "</oren_nayar></material>"
                           "<material><name>nullMat</name><null_material /></material>");
}

TEST_F(MaterialWriter, FreshDiffuseHelper) {
    addHelper(addMaterial("Plaster"), MATHELPER_TYPE_DIFFUSE);
    EXPECT_EQ(writeAll(), "<material><name>Plaster</name><diffuse>"
                          "<random_triangle_colours>false</random_triangle_colours><albedo>"
                          "<constant><rgb><rgb>0.800000 0.800000 0.800000</rgb>"
                          "<gamma>2.200000</gamma></rgb></constant></albedo></diffuse>"
                          "</material>");
    EXPECT_TRUE(consoleHas("--Exported Diffuse Material: Plaster"));
    EXPECT_TRUE(exporter_.materialHelpers_[0].written);
}

TEST_F(MaterialWriter, HelperWithoutHostMaterialWritesNothing) {
    addHelper(nullptr, MATHELPER_TYPE_DIFFUSE);
    EXPECT_EQ(writeAll(), "");
    EXPECT_FALSE(exporter_.materialHelpers_[0].written);
    MaterialHelperRecord empty;
    EXPECT_FALSE(exporter_.writeMaterial(empty, false));
}

TEST_F(MaterialWriter, EachTypeWritesItsElement) {
    struct Case {
        int32_t type;
        std::string body;
        const char* console;
    };
    const auto constantColour = [](const std::string& name) {
        return "<" + name +
               "><constant><rgb><rgb>0.800000 0.800000 0.800000</rgb><gamma>2.200000</gamma>"
               "</rgb></constant></" +
               name + ">";
    };
    const std::string albedo = constantColour("albedo");
    const Case cases[] = {
        {MATHELPER_TYPE_OREN_NAYAR,
         "<oren_nayar><sigma><constant>0.200000</constant></sigma>" + albedo + "</oren_nayar>",
         "--Exported Oren Nayar Material: M"},
        {MATHELPER_TYPE_PHONG,
         "<phong><ior>1.000000</ior>" + constantColour("diffuse_albedo") +
             "<exponent><constant>1000.000000</constant></exponent></phong>",
         "--Exported Phong Material: M"},
        {MATHELPER_TYPE_GLOSSY_TRANSPARENT,
         "<glossy_transparent><internal_medium_name>MedM</internal_medium_name><exponent>"
         "<constant>1000.000000</constant></exponent></glossy_transparent>",
         "--Exported Glossy Transparen Material: M"},
        {MATHELPER_TYPE_DIFFUSE_TRANSMITTER,
         "<diffuse_transmitter>" + albedo + "</diffuse_transmitter>",
         "--Exported Diffuse Transmitter Material: M"},
        {4711, "", nullptr},
    };
    for (const Case& c : cases) {
        exporter_.begin();
        host_.clearConsole();
        HostMaterial* material = addMaterial("M");
        HostObject* helper = addHelper(material, c.type);
        MaterialHelperRecord record{helper, "M", false, false};
        EXPECT_TRUE(exporter_.writeMaterial(record, false));
        EXPECT_TRUE(record.written);
        const std::string text = scene();
        const std::string material_ = text.substr(text.find("<material>"));
        EXPECT_EQ(material_, "<material><name>M</name>" + c.body + "</material>") << c.type;
        if (c.console != nullptr) {
            EXPECT_TRUE(consoleHas(c.console)) << c.console;
        }
    }
}

TEST_F(MaterialWriter, PhongNkDataAndSpecularReflectivity) {
    HostObject* helper = addHelper(addMaterial("Chrome"), MATHELPER_TYPE_PHONG);
    helper->data().setBool(MATHELPER_USE_NK_DATA, true);
    helper->data().setBool(MATHELPER_USE_SPECULAR_REFLECTIVITY, true);
    const std::string text = writeAll();
    EXPECT_NE(text.find("<phong><nk_data>nkdata/Cr.nk</nk_data><ior>1.000000</ior>"
                        "<specular_reflectivity><constant><rgb>"),
              std::string::npos)
        << text;
    exporter_.begin();
    helper->data().remove(MATHELPER_NK_FILE);
    EXPECT_NE(writeAll().find("<nk_data>nkdata/Al.nk</nk_data>"), std::string::npos);
}

TEST_F(MaterialWriter, SpecularWritesItsMediumFirst) {
    addHelper(addMaterial("Glass"), MATHELPER_TYPE_SPECULAR);
    const std::string text = writeAll();
    EXPECT_EQ(text.find("<medium><name>MedGlass</name>"), 0u) << text;
    EXPECT_NE(text.find("</medium><material><name>Glass</name><specular><internal_medium_name>"
                        "MedGlass</internal_medium_name><transparent>true</transparent>"
                        "</specular></material>"),
              std::string::npos)
        << text;
    EXPECT_TRUE(consoleHas("--Exported Specular Material: Glass"));
}

TEST_F(MaterialWriter, NonStandardHostMaterialGetsOnlyTheUntexturedChildren) {
    auto material = std::make_unique<headless::HMaterial>(4711);
    material->setName("Other");
    HostMaterial* own = doc().insertMaterial(std::move(material), nullptr);
    HostObject* helper = addHelper(own, MATHELPER_TYPE_DIFFUSE);
    helper->data().setBool(MATHELPER_EMISSION, true);
    EXPECT_EQ(writeAll(), "<material><name>Other</name><diffuse><random_triangle_colours>false"
                          "</random_triangle_colours></diffuse></material>");
}

TEST_F(MaterialWriter, EmissionAddsBaseEmissionAndItsChannel) {
    HostMaterial* material = addMaterial("Lamp");
    addBitmap(material, MATHELPER_CHANNEL_1, "C:\\scene\\glow.png");
    HostObject* helper = addHelper(material, MATHELPER_TYPE_DIFFUSE);
    helper->data().setBool(MATHELPER_EMISSION, true);
    helper->data().setInt(MATHELPER_EMISSION_TYPE, MATHELPER_EMISSION_UNIFORM);
    const std::string text = writeAll();
    EXPECT_NE(text.find("</albedo><base_emission><constant><uniform><value>1.000000</value>"
                        "</uniform></constant></base_emission><layer>0</layer><texture>"
                        "<uv_set>default</uv_set><path>glow.png</path><exponent>1.000000"
                        "</exponent><a>0.000000</a><b>1000.000000</b><c>0.000000</c></texture>"
                        "<emission><texture><texture_index>0</texture_index></texture></emission>"
                        "</diffuse>"),
              std::string::npos)
        << text;
}

class BlendWriter : public MaterialWriter {
protected:
    HostObject* blend(HostMaterial* own, HostMaterial* a, HostMaterial* b) {
        HostObject* helper = addHelper(own, MATHELPER_TYPE_BLEND);
        helper->data().setLink(MATHELPER_BLEND_A, a);
        helper->data().setLink(MATHELPER_BLEND_B, b);
        return helper;
    }
    static std::vector<std::string> names(const std::string& text) {
        std::vector<std::string> found;
        for (auto at = text.find("<material><name>"); at != std::string::npos;
             at = text.find("<material><name>", at + 1)) {
            const auto from = at + 16;
            found.push_back(text.substr(from, text.find('<', from) - from));
        }
        return found;
    }
};

TEST_F(BlendWriter, PartsAreWrittenBeforeTheBlend) {
    HostMaterial* mix = addMaterial("Mix");
    HostMaterial* red = addMaterial("Red");
    HostMaterial* blue = addMaterial("Blue");
    blend(mix, red, blue);
    addHelper(red, MATHELPER_TYPE_DIFFUSE);
    addHelper(blue, MATHELPER_TYPE_OREN_NAYAR);
    const std::string text = writeAll();
    EXPECT_EQ(names(text), (std::vector<std::string>{"Red", "Blue", "Mix"}));
    EXPECT_NE(text.find("<blend><a_name>Red</a_name><b_name>Blue</b_name>"
                        "<step_blend>false</step_blend><blend><constant>0.500000</constant>"
                        "</blend></blend>"),
              std::string::npos)
        << text;
    EXPECT_TRUE(consoleHas("--Exported Blend Material: Mix"));
}

TEST_F(BlendWriter, PartsWithoutRecordAreTheNullMaterial) {
    blend(addMaterial("Mix"), addMaterial("NoHelper"), nullptr);
    EXPECT_NE(writeAll().find("<a_name>nullMat</a_name><b_name>nullMat</b_name>"),
              std::string::npos);
}

TEST_F(BlendWriter, PartsThatLeadBackAreNamedButNotWrittenAgain) {
    HostMaterial* first = addMaterial("First");
    HostMaterial* second = addMaterial("Second");
    blend(first, second, first);
    blend(second, first, addMaterial("Plain"));
    const std::string text = writeAll();
    EXPECT_EQ(names(text), (std::vector<std::string>{"Second", "First"}));
    EXPECT_NE(text.find("<name>Second</name><blend><a_name>First</a_name>"
                        "<b_name>nullMat</b_name>"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("<name>First</name><blend><a_name>Second</a_name>"
                        "<b_name>First</b_name>"),
              std::string::npos)
        << text;
}

TEST_F(BlendWriter, ClayKeepsBlendsAndMakesEverythingElseClay) {
    exporter_.configureExport(&doc(), HostFilename("C:\\scene\\test.zvs"), false, false, true);
    exporter_.begin();
    HostMaterial* glass = addMaterial("Glass");
    HostMaterial* gold = addMaterial("Gold");
    addBitmap(gold, MATHELPER_CHANNEL_6, "C:\\scene\\bump.png");
    blend(addMaterial("Mix"), glass, gold);
    addHelper(glass, MATHELPER_TYPE_SPECULAR);
    HostObject* include = addHelper(gold, MATHELPER_TYPE_INCLUDE);
    include->data().setBool(MATHELPER_EMISSION, true);
    const std::string text = writeAll();
    EXPECT_EQ(text.find("<medium>"), std::string::npos) << text;
    EXPECT_NE(
        text.find(std::string("<material><name>Glass</name>") + kClay + "</oren_nayar></material>"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find(std::string("<material><name>Gold</name>") + kClay +
                        "<texture><uv_set>default</uv_set><path>bump.png</path>"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("<bump><texture><texture_index>0</texture_index></texture></bump>"
                        "<base_emission>"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("<name>Mix</name><blend><a_name>Glass</a_name><b_name>Gold</b_name>"),
              std::string::npos);
}

TEST_F(MaterialWriter, IncludeInThePreviewIsAliased) {
    HostObject* helper = addHelper(addMaterial("Gold"), MATHELPER_TYPE_INCLUDE);
    helper->data().setFilename(MATHELPER_INCLUDE_FILE, HostFilename("C:\\mats\\gold.zvm"));
    exporter_.collectHelpers();
    MaterialHelperRecord& record = exporter_.materialHelpers_[0];
    EXPECT_TRUE(record.include);
    EXPECT_TRUE(exporter_.writeMaterial(record, true));
    EXPECT_EQ(scene(), "<include><pathname>C:\\mats\\gold.zvm</pathname></include>"
                       "<alias_material><current_name>Gold</current_name>"
                       "<new_name>previewMat</new_name></alias_material>");
    // Includes are written again each time they are asked for.
    EXPECT_FALSE(record.written);
    exporter_.writeMaterial(record, false);
    const std::string text = scene();
    EXPECT_EQ(text.rfind("<include>"), text.find("</alias_material>") + 17) << text;
}

TEST_F(MaterialWriter, PreviewNamesTheMaterialPreviewMat) {
    addHelper(addMaterial("Stone"), MATHELPER_TYPE_OREN_NAYAR);
    EXPECT_EQ(writeAll(true).find("<material><name>previewMat</name><oren_nayar>"), 0u);
}

TEST_F(MaterialWriter, LightMaterialFromTheTagOrTheLight) {
    std::unique_ptr<HostObject> light = host_.createObject(HostType::kLight);
    light->data().setVector(HostLightParam::kColour, Vector(1.0f, 0.5f, 0.25f));
    light->data().setReal(HostLightParam::kBrightness, 2.0f);
    const std::string head = "<material><name>defaultLight</name><diffuse><albedo><constant><rgb>"
                             "<rgb>0.000000 0.000000 0.000000</rgb><gamma>2.200000</gamma></rgb>"
                             "</constant></albedo><base_emission><constant>";
    EXPECT_TRUE(exporter_.writeLightMaterial(light.get()));
    EXPECT_EQ(scene(), head + "<rgb><rgb>2.000000 1.000000 0.500000</rgb><gamma>2.200000</gamma>"
                              "</rgb></constant></base_emission><layer>0</layer></diffuse>"
                              "</material>");
    EXPECT_FALSE(exporter_.writeLightMaterial(nullptr));

    HostTag* tag = light->insertTag(host_.createTag(PluginId::kLightTag), nullptr);
    tag->data().setInt(LIGHTTAG_LAYER, 2);
    tag->data().setReal(LIGHTTAG_PEAK_MIN, 300);
    tag->data().setReal(LIGHTTAG_PEAK_WIDTH, 550);
    tag->data().setReal(LIGHTTAG_PEAK_VALUE, 200);
    tag->data().setReal(LIGHTTAG_TEMPERATURE, 3200);
    tag->data().setReal(LIGHTTAG_GAIN, 1);
    tag->data().setReal(LIGHTTAG_UNIFORM_VALUE, 4);
    tag->data().setVector(LIGHTTAG_COLOUR, Vector(1, 1, 1));
    tag->data().setReal(LIGHTTAG_GAMMA, 2.2f);
    const std::pair<int32_t, std::string> cases[] = {
        {LIGHTTAG_SPECTRUM_PEAK,
         "<peak><peak_min>300.000000</peak_min><peak_width>550.000000</peak_width>"
         "<base_value>0.000000</base_value><peak_value>200.000000</peak_value></peak>"},
        {LIGHTTAG_SPECTRUM_BLACKBODY,
         "<blackbody><temperature>3200.000000</temperature><gain>1.000000</gain></blackbody>"},
        {LIGHTTAG_SPECTRUM_UNIFORM, "<uniform><value>4.000000</value></uniform>"},
        {LIGHTTAG_SPECTRUM_RGB,
         "<rgb><rgb>1.000000 1.000000 1.000000</rgb><gamma>2.200000</gamma></rgb>"},
    };
    exporter_.layerBase_ = 1;
    for (const auto& [kind, spectrum] : cases) {
        exporter_.sceneRoot()->Clear();
        tag->data().setInt(LIGHTTAG_SPECTRUM, kind);
        exporter_.writeLightMaterial(light.get());
        EXPECT_EQ(scene(), head + spectrum +
                               "</constant></base_emission><layer>3</layer></diffuse></material>")
            << kind;
    }
    EXPECT_EQ(exporter_.highestLayer_, 3);
}

} // namespace
} // namespace scenetest
