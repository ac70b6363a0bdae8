// Spectra, textures with their indices and paths, shader programs, base emission, includes, the
// relative-path rule and the channel map.
#include "scene_fixture.h"

#include "material/zarvex_scene_parse_utils.h"
#include "objects/zsl_shader_ids.h"
#include "plugin/host/material.h"
#include "scene/channel_choice.h"
#include "scene/relative_path.h"

namespace scenetest {
namespace {

struct RelativeCase {
    const char* base;
    std::string target;
    std::optional<std::string> expected;
};

TEST(RelativePath, FollowsTheRuleOnWindowsText) {
    const std::string longName(2040, 'a');
    const RelativeCase cases[] = {
        {"C:\\proj\\scene", "C:\\proj\\tex\\wood.jpg", "..\\tex\\wood.jpg"},
        {"C:\\proj\\scene", "C:\\proj\\scene\\tex\\a.jpg", "tex\\a.jpg"},
        {"C:\\proj\\scene", "D:\\tex\\a.jpg", "D:\\tex\\a.jpg"},
        // A base with its trailing backslash.
        {"C:\\proj\\", "C:\\proj\\a.jpg", "a.jpg"},
        // Two levels to climb, and a mismatch inside a component.
        {"C:\\a\\b\\c", "C:\\a\\x.jpg", "..\\..\\x.jpg"},
        {"C:\\ab\\c", "C:\\a\\x.jpg", "..\\..\\a\\x.jpg"},
        // A trailing backslash opens no level.
        {"C:\\proj\\scene\\", "C:\\proj\\tex\\a.jpg", "..\\tex\\a.jpg"},
        // Case matters.
        {"C:\\Proj\\scene", "C:\\proj\\a.jpg", "..\\..\\proj\\a.jpg"},
        // Directories are compared by whole names: a sibling whose name starts with the base's
        // last name is not inside it, and every base level below the split is climbed.
        {"C:\\a\\scene", "C:\\a\\scene2\\tex.png", "..\\scene2\\tex.png"},
        {"C:\\a\\scene\\", "C:\\a\\scene2\\tex.png", "..\\scene2\\tex.png"},
        {"C:\\a\\scene2", "C:\\a\\scene\\tex.png", "..\\scene\\tex.png"},
        {"C:\\a\\scene\\sub", "C:\\a\\scene2\\tex.png", "..\\..\\scene2\\tex.png"},
        {"C:\\a\\b\\c", "C:\\a\\bx\\t.png", "..\\..\\bx\\t.png"},
        {"C:\\a\\scene\\sub", "C:\\a\\scene\\t.png", "..\\t.png"},
        // Doubled backslashes separate like single ones.
        {"C:\\proj\\\\scene", "C:\\proj\\tex\\a.jpg", "..\\tex\\a.jpg"},
        // A file at the drive root; a target naming the base itself or one of its parents.
        {"C:\\proj\\scene", "C:\\a.jpg", "..\\..\\a.jpg"},
        {"C:\\a\\b", "C:\\a\\b", "..\\b"},
        {"C:\\a\\b\\c", "C:\\a\\b", "..\\..\\b"},
        // Relative targets usually differ in the first character and stay as they are.
        {"D:\\Renderers\\Zarvex", "data/camera_response_functions/Advantix-100CD.txt",
         "data/camera_response_functions/Advantix-100CD.txt"},
        // Too short, too long, result too long.
        {"C:\\", "C:\\a.jpg", std::nullopt},
        {"C:\\proj", "a.j", std::nullopt},
        {"C:\\proj", "C:\\" + std::string(2046, 'x'), std::nullopt},
        {"C:\\proj\\deep\\er", "C:\\" + longName, std::nullopt},
    };
    for (const RelativeCase& c : cases) {
        EXPECT_EQ(relativePath(c.base, c.target), c.expected) << c.base << " | " << c.target;
    }
}

TEST(ChannelForChoice, MapsEveryChoiceAndFallsBackToNothing) {
    const std::pair<int32_t, HostChannelChoice> cases[] = {
        {MATHELPER_CHANNEL_0, {0, 8000}}, {MATHELPER_CHANNEL_12, {12, 8001}},
        {MATHELPER_CHANNEL_1, {1, 8002}}, {MATHELPER_CHANNEL_2, {2, 8003}},
        {MATHELPER_CHANNEL_3, {3, 8004}}, {MATHELPER_CHANNEL_4, {4, 8005}},
        {MATHELPER_CHANNEL_6, {6, 8006}}, {MATHELPER_CHANNEL_7, {7, 8007}},
        {MATHELPER_CHANNEL_9, {9, 8008}}, {MATHELPER_CHANNEL_11, {11, 8009}},
        {MATHELPER_CHANNEL_NONE, {0, 0}}, {0, {0, 0}},
    };
    for (const auto& [choice, expected] : cases) {
        EXPECT_EQ(channelForChoice(choice), expected) << choice;
    }
}

using ParameterWriters = SceneTest;

TEST_F(ParameterWriters, SpectraWriteTheirChildrenInOrder) {
    TiXmlElement parent("p");
    exporter_.writeRgbSpectrum(0.5f, 0.25f, 1.0f, 2.2f, 2.0f, &parent);
    exporter_.writeUniformSpectrum(1.0f, &parent);
    exporter_.writeBlackbodySpectrum(6500.0f, 1.0f, &parent);
    exporter_.writePeakSpectrum(300.0f, 550.0f, 0.0f, 200.0f, &parent);
    exporter_.writeTabulatedSpectrum("400", " 700.0", 3, "1 2, 3", &parent);
    EXPECT_EQ(childrenXml(&parent),
              "<rgb><rgb>1.000000 0.500000 2.000000</rgb><gamma>2.200000</gamma></rgb>"
              "<uniform><value>1.000000</value></uniform>"
              "<blackbody><temperature>6500.000000</temperature><gain>1.000000</gain></blackbody>"
              "<peak><peak_min>300.000000</peak_min><peak_width>550.000000</peak_width>"
              "<base_value>0.000000</base_value><peak_value>200.000000</peak_value></peak>"
              "<regular_tabulated><start_wavelength>400</start_wavelength>"
              "<end_wavelength> 700.0</end_wavelength><num_values>3</num_values>"
              "<values>1 2, 3</values></regular_tabulated>");
}

TEST_F(ParameterWriters, BaseEmissionByKindAlwaysWithItsLayer) {
    const std::pair<int32_t, std::string> cases[] = {
        {MATHELPER_EMISSION_RGB,
         "<rgb><rgb>1.000000 1.000000 1.000000</rgb><gamma>1.000000</gamma></rgb>"},
        {MATHELPER_EMISSION_UNIFORM, "<uniform><value>1.000000</value></uniform>"},
        {MATHELPER_EMISSION_BLACKBODY,
         "<blackbody><temperature>6500.000000</temperature><gain>1.000000</gain></blackbody>"},
        {MATHELPER_EMISSION_TABULATED,
         "<regular_tabulated><start_wavelength></start_wavelength><end_wavelength>"
         "</end_wavelength><num_values>0</num_values><values></values></regular_tabulated>"},
        {MATHELPER_EMISSION_PEAK, ""},
    };
    HostObject* helper = addHelper(addMaterial("Lamp"), MATHELPER_TYPE_DIFFUSE);
    helper->data().setInt(MATHELPER_EMISSION_LAYER, 2);
    for (const auto& [kind, spectrum] : cases) {
        helper->data().setInt(MATHELPER_EMISSION_TYPE, kind);
        TiXmlElement parent("p");
        EXPECT_TRUE(exporter_.writeBaseEmission(helper->data(), &parent));
        const std::string constant =
            spectrum.empty() ? "<constant />" : "<constant>" + spectrum + "</constant>";
        EXPECT_EQ(childrenXml(&parent),
                  "<base_emission>" + constant + "</base_emission><layer>2</layer>")
            << kind;
    }
    EXPECT_EQ(exporter_.highestLayer_, 2);
}

TEST_F(ParameterWriters, TextureIndicesCountPerMaterialInWritingOrder) {
    writeNativeFile(driveC() / "scene" / "tex" / "bumps.png");
    writeNativeFile(driveC() / "scene" / "tex" / "wood.png");
    const auto addTexturedHelper = [&](const std::string& name) {
        HostMaterial* material = addMaterial(name);
        addBitmap(material, MATHELPER_CHANNEL_6, "C:\\scene\\tex\\bumps.png");
        addBitmap(material, MATHELPER_CHANNEL_0, "C:\\scene\\tex\\wood.png");
        return addHelper(material, MATHELPER_TYPE_DIFFUSE_TRANSMITTER);
    };
    addTexturedHelper("Oak");
    addTexturedHelper("Wood");
    exporter_.collectHelpers();
    for (MaterialHelperRecord& record : exporter_.materialHelpers_) {
        exporter_.writeMaterial(record, false);
    }
    const std::string texture = "<texture><uv_set>default</uv_set><path>tex\\";
    const std::string oneMaterial =
        "<diffuse_transmitter>" + texture +
        "wood.png</path><exponent>2.200000</exponent><a>0.000000</a><b>1.000000</b>"
        "<c>0.000000</c></texture><albedo><texture><texture_index>0</texture_index></texture>"
        "</albedo>" +
        texture +
        "bumps.png</path><exponent>1.000000</exponent><a>0.000000</a><b>0.001000</b>"
        "<c>0.000000</c></texture><bump><texture><texture_index>1</texture_index></texture>"
        "</bump></diffuse_transmitter>";
    EXPECT_EQ(scene(), "<material><name>Oak</name>" + oneMaterial +
                           "</material><material><name>Wood</name>" + oneMaterial + "</material>");
}

TEST_F(ParameterWriters, EveryKindReadsItsOwnChoiceAndTextureMapping) {
    struct Case {
        ChannelKind kind;
        bool diffuseAlbedo;
        const char* element;
        int32_t choice, exponent, a, b, c;
    };
    const Case cases[] = {
        {ChannelKind::Bump, false, "bump", MATHELPER_BUMP_CHANNEL, MATHELPER_BUMP_TEX_EXPONENT,
         MATHELPER_BUMP_TEX_A, MATHELPER_BUMP_TEX_B, MATHELPER_BUMP_TEX_C},
        {ChannelKind::Exponent, false, "exponent", MATHELPER_EXPONENT_CHANNEL,
         MATHELPER_EXPONENT_TEX_EXPONENT, MATHELPER_EXPONENT_TEX_A, MATHELPER_EXPONENT_TEX_B,
         MATHELPER_EXPONENT_TEX_C},
        {ChannelKind::Displacement, false, "displacement", MATHELPER_DISPLACEMENT_CHANNEL,
         MATHELPER_DISPLACEMENT_TEX_EXPONENT, MATHELPER_DISPLACEMENT_TEX_A,
         MATHELPER_DISPLACEMENT_TEX_B, MATHELPER_DISPLACEMENT_TEX_C},
        {ChannelKind::Emission, false, "emission", MATHELPER_EMISSION_CHANNEL,
         MATHELPER_EMISSION_TEX_EXPONENT, MATHELPER_EMISSION_TEX_A, MATHELPER_EMISSION_TEX_B,
         MATHELPER_EMISSION_TEX_C},
        {ChannelKind::Blend, false, "blend", MATHELPER_BLEND_CHANNEL, MATHELPER_BLEND_TEX_EXPONENT,
         MATHELPER_BLEND_TEX_A, MATHELPER_BLEND_TEX_B, MATHELPER_BLEND_TEX_C},
        {ChannelKind::Albedo, false, "albedo", MATHELPER_ALBEDO_CHANNEL,
         MATHELPER_ALBEDO_TEX_EXPONENT, MATHELPER_ALBEDO_TEX_A, MATHELPER_ALBEDO_TEX_B,
         MATHELPER_ALBEDO_TEX_C},
        {ChannelKind::Albedo, true, "diffuse_albedo", MATHELPER_ALBEDO_CHANNEL,
         MATHELPER_ALBEDO_TEX_EXPONENT, MATHELPER_ALBEDO_TEX_A, MATHELPER_ALBEDO_TEX_B,
         MATHELPER_ALBEDO_TEX_C},
    };
    // Only the reflection channel holds a texture; each kind is pointed at it in turn.
    HostMaterial* material = addMaterial("M");
    addBitmap(material, MATHELPER_CHANNEL_3, "C:\\scene\\r.png");
    HostObject* helper = addHelper(material, MATHELPER_TYPE_PHONG);
    for (const Case& c : cases) {
        HostContainer& d = helper->data();
        d.setReal(c.exponent, 1.5f);
        d.setReal(c.a, 2.5f);
        d.setReal(c.b, 3.5f);
        d.setReal(c.c, 4.5f);
        TiXmlElement type("t");
        int32_t counter = 3;
        d.setInt(c.choice, MATHELPER_CHANNEL_2);
        EXPECT_FALSE(
            exporter_.writeChannelParameter(c.kind, d, material, &type, counter, c.diffuseAlbedo))
            << c.element << " reads another channel";
        d.setInt(c.choice, MATHELPER_CHANNEL_3);
        ASSERT_TRUE(
            exporter_.writeChannelParameter(c.kind, d, material, &type, counter, c.diffuseAlbedo))
            << c.element;
        EXPECT_EQ(counter, 4);
        EXPECT_EQ(childrenXml(&type),
                  std::string("<texture><uv_set>default</uv_set><path>r.png</path>"
                              "<exponent>1.500000</exponent><a>2.500000</a><b>3.500000</b>"
                              "<c>4.500000</c></texture><") +
                      c.element + "><texture><texture_index>3</texture_index></texture></" +
                      c.element + ">");
    }
}

TEST_F(ParameterWriters, ShaderProgramKeepsPlaceholdersOfEmptySlots) {
    HostMaterial* material = addMaterial("Marble");
    HostShader* shader =
        addZslShader(material, MATHELPER_CHANNEL_6, "a $tex01$ b $tex02$ c $tex02$ d $tex03$ <&>");
    shader->data().setFilename(ZSL_TEXTURE_2, HostFilename("C:\\scene\\veins.png"));
    HostObject* helper = addHelper(material, MATHELPER_TYPE_DIFFUSE);
    TiXmlElement type("diffuse");
    int32_t counter = 0;
    EXPECT_TRUE(exporter_.writeChannelParameter(ChannelKind::Bump, helper->data(), material, &type,
                                                counter));
    EXPECT_EQ(counter, 1);
    EXPECT_EQ(childrenXml(&type),
              "<bump><shader><shader><![CDATA[a $tex01$ b 0 c 0 d $tex03$ <&>]]></shader>"
              "</shader></bump><texture><uv_set>default</uv_set><path>veins.png</path>"
              "<exponent>2.200000</exponent><a>0.000000</a><b>1.000000</b><c>0.000000</c>"
              "</texture>");
}

TEST_F(ParameterWriters, ShaderProgramWithCdataEndsReadsBackWhole) {
    const std::string programs[] = {"a[i[j]]>b", "]]>", "x]]>]]>y", "]]]>", "<![CDATA[ ]]> ]]"};
    for (const std::string& program : programs) {
        HostMaterial* material = addMaterial("Glass");
        HostShader* shader = addZslShader(material, MATHELPER_CHANNEL_0, program);
        TiXmlElement type("diffuse");
        TiXmlElement* property = exporter_.addElement("albedo", &type);
        int32_t counter = 0;
        ASSERT_TRUE(exporter_.writeShaderParameter(&type, property, shader, counter));

        TiXmlPrinter printer;
        type.Accept(&printer);
        TiXmlDocument reread;
        reread.Parse(printer.CStr());
        ASSERT_FALSE(reread.Error()) << printer.Str();
        const TiXmlElement* outer = reread.RootElement()->FirstChildElement("albedo");
        ASSERT_NE(outer, nullptr) << printer.Str();
        // As the material reader takes it: the inner element's text and CDATA children joined.
        EXPECT_EQ(Zarvex::childText(*outer->FirstChildElement("shader"), "shader"), program)
            << printer.Str();
    }
}

TEST_F(ParameterWriters, ShaderWithoutProgramWritesItsPlaceholderText) {
    HostMaterial* material = addMaterial("Plain");
    HostShader* shader = addZslShader(material, MATHELPER_CHANNEL_0, "");
    shader->data().remove(ZSL_CODE);
    TiXmlElement type("t");
    TiXmlElement* property = exporter_.addElement("albedo", &type);
    int32_t counter = 5;
    EXPECT_TRUE(exporter_.writeShaderParameter(&type, property, shader, counter));
    EXPECT_FALSE(exporter_.writeShaderParameter(&type, property, nullptr, counter));
    EXPECT_EQ(counter, 5);
    EXPECT_EQ(childrenXml(&type),
              "<albedo><shader><shader><![CDATA[no shader]]></shader></shader></albedo>");
}

TEST_F(ParameterWriters, ChannelsThatSupplyNothingLetTheCallerFallBack) {
    HostMaterial* material = addMaterial("M");
    HostObject* helper = addHelper(material, MATHELPER_TYPE_DIFFUSE);
    TiXmlElement type("t");
    int32_t counter = 0;
    const auto albedo = [&](HostMaterial* m) {
        return exporter_.writeChannelParameter(ChannelKind::Albedo, helper->data(), m, &type,
                                               counter, true);
    };
    EXPECT_FALSE(albedo(material)) << "no shader linked";
    HostShader* unknown = material->insertShader(std::make_unique<headless::HShader>(4242));
    material->data().setLink(8000, unknown);
    EXPECT_FALSE(albedo(material)) << "a shader kind the renderer cannot use";
    addBitmap(material, MATHELPER_CHANNEL_0, "C:\\a.png");
    material->setChannelEnabled(0, false);
    EXPECT_FALSE(albedo(material)) << "a switched-off channel";
    EXPECT_FALSE(albedo(nullptr)) << "no material";
    EXPECT_EQ(type.FirstChild(), nullptr);
    EXPECT_EQ(counter, 0);

    material->setChannelEnabled(0, true);
    EXPECT_TRUE(albedo(material));
    EXPECT_EQ(type.LastChild()->ValueStr(), "diffuse_albedo");
    EXPECT_EQ(counter, 1);
}

TEST_F(ParameterWriters, TexturesNamedWithoutDriveGoThroughTheHostSearch) {
    doc().setPath(HostFilename("C:\\scene\\room.doc"));
    writeNativeFile(driveC() / "scene" / "tex" / "found.png");
    writeNativeFile(driveC() / "library" / "shared.png");
    host_.setTexturePaths({HostFilename("C:\\library")});
    const std::pair<std::string, std::string> cases[] = {
        // A drive letter bypasses the search, even for a file that does not exist.
        {"D:\\elsewhere\\missing.png", "D:\\elsewhere\\missing.png"},
        {"found.png", "tex\\found.png"},
        {"maps\\found.png", "tex\\found.png"},
        {"shared.png", "..\\library\\shared.png"},
        {"nowhere.png", ""},
    };
    for (const auto& [name, path] : cases) {
        TiXmlElement parent("p");
        std::unique_ptr<HostShader> bitmap = host_.createShader(HostType::kBitmapShader);
        bitmap->data().setFilename(HostShaderParam::kBitmapFile, HostFilename(name));
        EXPECT_TRUE(exporter_.writeTextureFromShader(bitmap.get(), &parent, 1, 2, 3, 4));
        const char* written =
            parent.FirstChildElement("texture")->FirstChildElement("path")->GetText();
        EXPECT_EQ(written ? written : "", path) << name;
    }
    EXPECT_FALSE(exporter_.writeTextureFromShader(nullptr, nullptr, 1, 2, 3, 4));
}

TEST_F(ParameterWriters, IncludeWritesThePathUnchanged) {
    exporter_.writeInclude(HostFilename("D:\\mats\\gold.zvm"));
    EXPECT_EQ(scene(), "<include><pathname>D:\\mats\\gold.zvm</pathname></include>");
}

} // namespace
} // namespace scenetest
