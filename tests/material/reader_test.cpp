#include "material/zarvex_material_reader.h"
#include "xml_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>

namespace {

using namespace Zarvex;

template <typename Read> std::string thrownBy(Read read, const std::string& text) {
    const XmlText xml(text);
    try {
        read(xml.root());
    } catch (const ZarvexSceneParseUtilsExcep& e) {
        return e.what();
    }
    return "";
}

std::string at(const char* element, int line, int column) {
    return "  (In element '" + std::string(element) + "', around line " + std::to_string(line) +
           ", column " + std::to_string(column) + ")";
}

const char* const kTexture = "<texture><path>wood.png</path><uv_set>default</uv_set></texture>";

std::string shortcut(const char* name) {
    return std::string("<") + name + "><path>map.png</path><uv_set>default</uv_set></" + name + ">";
}

TEST(ReadDiffuse, ReadsTheCurrentFormWithEveryParameterForm) {
    const XmlText xml(std::string("<diffuse>") + kTexture +
                      "<texture><path>b.png</path><a>0.5</a><b>2</b><c>-1</c>"
                      "<uv_set>second</uv_set><exponent>2.2</exponent><ignored/>"
                      "<tex_coord_generation><spherical_environment><rotation><axis_rotation>"
                      "<axis>0 0 1</axis><angle>1.5</angle></axis_rotation></rotation>"
                      "</spherical_environment></tex_coord_generation></texture>"
                      "<albedo><constant><rgb><gamma>2</gamma><rgb>0.5 0.25 1</rgb></rgb>"
                      "</constant></albedo>"
                      "<bump><texture><texture_index>1</texture_index><other/></texture></bump>"
                      "<displacement><shader><shader><![CDATA[x < 1 && y]]></shader></shader>"
                      "</displacement>"
                      "<random_triangle_colours>true</random_triangle_colours>"
                      "<base_emission><constant><blackbody><temperature>6500</temperature>"
                      "<gain>2</gain></blackbody></constant></base_emission>"
                      "<emission><constant><peak><peak_min>4e-7</peak_min><peak_max>5e-7"
                      "</peak_max><peak_value>1</peak_value><base_value>0</base_value></peak>"
                      "</constant></emission>"
                      "<layer>3</layer></diffuse>");
    const Reference<ZarvexDiffuse> material = readDiffuse(xml.root());
    ASSERT_EQ(material->textures.size(), 2u);
    EXPECT_EQ(material->textures[0].path, "wood.png");
    EXPECT_EQ(material->textures[0].uv_set, "default");
    EXPECT_EQ(material->textures[0].b, 1.0);
    EXPECT_EQ(material->textures[0].tex_coord_generation->kind(), TexCoordGeneratorKind::UV);
    const ZarvexTexture& second = material->textures[1];
    EXPECT_EQ(second.path, "b.png");
    EXPECT_EQ(second.a, 0.5);
    EXPECT_EQ(second.b, 2.0);
    EXPECT_EQ(second.c, -1.0);
    EXPECT_EQ(second.exponent, 2.2);
    auto* environment = second.tex_coord_generation.as<ZarvexSphericalEnvTexCoordGenerator>();
    ASSERT_NE(environment, nullptr);
    auto* axis = environment->rotation.as<ZarvexAxisRotation>();
    ASSERT_NE(axis, nullptr);
    EXPECT_EQ(axis->axis.z, 1.0);
    EXPECT_EQ(axis->angle, 1.5);

    auto* albedo = material->albedo.as<ZarvexConstantWavelengthDependentParam>();
    ASSERT_NE(albedo, nullptr);
    auto* rgb = albedo->spectrum.as<ZarvexRGBSpectrum>();
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(rgb->red, 0.25); // gamma applied
    EXPECT_EQ(rgb->green, 0.0625);
    EXPECT_EQ(rgb->blue, 1.0);
    ASSERT_EQ(material->bump->kind(), ParamKind::Texture);
    EXPECT_EQ(material->bump.as<ZarvexTextureDisplacementParam>()->texture_index, 1);
    ASSERT_EQ(material->displacement->kind(), ParamKind::Shader);
    EXPECT_EQ(material->displacement.as<ZarvexShaderDisplacementParam>()->shader, "x < 1 && y");
    EXPECT_TRUE(material->random_triangle_colours);
    auto* blackbody = material->base_emission.as<ZarvexConstantWavelengthDependentParam>()
                          ->spectrum.as<ZarvexBlackBodySpectrum>();
    ASSERT_NE(blackbody, nullptr);
    EXPECT_EQ(blackbody->temperature, 6500.0);
    EXPECT_EQ(blackbody->gain, 2.0);
    auto* peak = material->emission.as<ZarvexConstantWavelengthDependentParam>()
                     ->spectrum.as<ZarvexPeakSpectrum>();
    ASSERT_NE(peak, nullptr);
    EXPECT_EQ(peak->peak_min, 4e-7);
    EXPECT_EQ(peak->peak_max, 5e-7);
    EXPECT_EQ(material->layer, 3);
}

TEST(ReadDiffuse, LeavesParametersTheFileDoesNotGiveEmpty) {
    const XmlText xml("<diffuse/>");
    const Reference<ZarvexDiffuse> material = readDiffuse(xml.root());
    EXPECT_TRUE(material->albedo.isNull());
    EXPECT_TRUE(material->bump.isNull());
    EXPECT_TRUE(material->displacement.isNull());
    EXPECT_TRUE(material->emission.isNull());
    EXPECT_TRUE(material->base_emission.isNull());
    EXPECT_FALSE(material->random_triangle_colours);
    EXPECT_EQ(material->layer, 0);
    EXPECT_TRUE(material->textures.empty());
}

TEST(ReadDiffuse, OlderColourTakesTheSinglePrecisionGamma) {
    const XmlText xml("<diffuse><colour>0.5 0.5 0.5</colour></diffuse>");
    const Reference<ZarvexDiffuse> material = readDiffuse(xml.root());
    auto* rgb = material->albedo.as<ZarvexConstantWavelengthDependentParam>()
                    ->spectrum.as<ZarvexRGBSpectrum>();
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(rgb->red, std::pow(0.5, 2.2000000476837158));
    EXPECT_NE(rgb->red, std::pow(0.5, 2.2));
}

TEST(ReadDiffuse, ShortcutTexturesComeAfterTheTextureChildren) {
    // colour gives way to albedo_texture, whose index is the number of texture children.
    const XmlText xml(std::string("<diffuse><colour>0.5 0.5 0.5</colour>") + kTexture + kTexture +
                      shortcut("albedo_texture") + shortcut("bump_map") +
                      shortcut("displacement_map") + "</diffuse>");
    const Reference<ZarvexDiffuse> material = readDiffuse(xml.root());
    ASSERT_EQ(material->textures.size(), 5u);
    EXPECT_EQ(material->albedo.as<ZarvexTextureWavelengthDependentParam>()->texture_index, 2);
    EXPECT_EQ(material->bump.as<ZarvexTextureDisplacementParam>()->texture_index, 3);
    EXPECT_EQ(material->displacement.as<ZarvexTextureDisplacementParam>()->texture_index, 4);
    EXPECT_EQ(material->textures[2].path, "map.png");
}

TEST(ReadDiffuse, TextureIndicesAreBoundedByTheTexturesReadSoFar) {
    const std::string albedoTexture = shortcut("albedo_texture");
    // The albedo is read before the shortcut texture exists.
    EXPECT_EQ(thrownBy(readDiffuse, "<diffuse>\n" + albedoTexture +
                                        "\n<albedo><texture><texture_index>0</texture_index>"
                                        "</texture></albedo></diffuse>"),
              "Texture index '0' is out of bounds." + at("texture", 3, 9));
    // The emission is read after it.
    const XmlText xml("<diffuse>" + albedoTexture +
                      "<emission><texture><texture_index>0</texture_index></texture></emission>"
                      "</diffuse>");
    EXPECT_EQ(readDiffuse(xml.root())
                  ->emission.as<ZarvexTextureWavelengthDependentParam>()
                  ->texture_index,
              0);
    EXPECT_EQ(thrownBy(readDiffuse, std::string("<diffuse>") + kTexture +
                                        "<bump><texture><texture_index>-1</texture_index>"
                                        "</texture></bump></diffuse>"),
              "Texture index '-1' is out of bounds." + at("texture", 1, 80));
}

TEST(ReadDiffuse, RejectsElementsOutsideItsListBeforeReadingAnything) {
    EXPECT_EQ(thrownBy(readDiffuse, "<diffuse><albedo>bad</albedo><sigma>1</sigma></diffuse>"),
              "Found unexpected element 'sigma'." + at("diffuse", 1, 1));
    EXPECT_EQ(thrownBy(readDiffuseTransmitter,
                       "<diffuse_transmitter>" + shortcut("bump_map") + "</diffuse_transmitter>"),
              "Found unexpected element 'bump_map'." + at("diffuse_transmitter", 1, 1));
}

TEST(ReadOrenNayar, SigmaIsANumberOrAParameter) {
    const XmlText number("<oren_nayar><sigma> 0.3 </sigma></oren_nayar>");
    const Reference<ZarvexOrenNayarMaterial> rough = readOrenNayar(number.root());
    auto* constant = rough->sigma.as<ZarvexConstantWavelengthIndependentParam>();
    ASSERT_NE(constant, nullptr);
    EXPECT_EQ(constant->value, 0.3);

    const XmlText param(std::string("<oren_nayar>") + kTexture +
                        "<sigma><texture><texture_index>0</texture_index></texture></sigma>"
                        "<albedo_spectrum><uniform><value>0.7</value></uniform></albedo_spectrum>"
                        "</oren_nayar>");
    const Reference<ZarvexOrenNayarMaterial> material = readOrenNayar(param.root());
    EXPECT_EQ(material->sigma->kind(), ParamKind::Texture);
    EXPECT_EQ(material->albedo.as<ZarvexConstantWavelengthDependentParam>()
                  ->spectrum.as<ZarvexUniformSpectrum>()
                  ->value,
              0.7);

    EXPECT_EQ(thrownBy(readOrenNayar, "<oren_nayar/>"),
              "Failed to find expected element 'sigma'." + at("oren_nayar", 1, 1));
}

TEST(ReadPhong, CurrentFormReadsParametersAndDefaults) {
    const XmlText xml("<phong><exponent><constant>50</constant></exponent>"
                      "<diffuse_albedo><constant><uniform><value>0.2</value></uniform></constant>"
                      "</diffuse_albedo><nk_data>gold.nk</nk_data><layer>2</layer></phong>");
    const Reference<ZarvexPhongMaterial> material = readPhong(xml.root());
    EXPECT_EQ(material->exponent.as<ZarvexConstantWavelengthIndependentParam>()->value, 50.0);
    EXPECT_EQ(material->diffuse_albedo->kind(), ParamKind::Constant);
    EXPECT_TRUE(material->specular_reflectivity.isNull());
    EXPECT_EQ(material->nk_data, "gold.nk");
    EXPECT_EQ(material->layer, 2);
    EXPECT_EQ(material->fresnel_scale, 1.0);
    EXPECT_EQ(material->ior, 1.5);
}

TEST(ReadPhong, OlderFormBuildsSpectraFromShortcuts) {
    const XmlText diffuse("<phong><exponent>50</exponent><diffuse>0.5 1 0</diffuse>"
                          "<ior>1.3</ior><fresnel_scale>0.5</fresnel_scale>" +
                          shortcut("exponent_map") + "</phong>");
    const Reference<ZarvexPhongMaterial> fromColour = readPhong(diffuse.root());
    auto* rgb = fromColour->diffuse_albedo.as<ZarvexConstantWavelengthDependentParam>()
                    ->spectrum.as<ZarvexRGBSpectrum>();
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(rgb->red, std::pow(0.5, 2.2)); // the double gamma here
    EXPECT_EQ(fromColour->exponent.as<ZarvexTextureWavelengthIndependentParam>()->texture_index, 0);
    EXPECT_TRUE(fromColour->specular_reflectivity.isNull());
    EXPECT_EQ(fromColour->ior, 1.3);
    EXPECT_EQ(fromColour->fresnel_scale, 0.5);

    // An empty nk_data counts as absent: the specular spectrum is read.
    const XmlText specular("<phong><exponent>10</exponent><nk_data></nk_data>"
                           "<specular_reflectivity_spectrum><uniform><value>0.9</value></uniform>"
                           "</specular_reflectivity_spectrum></phong>");
    const Reference<ZarvexPhongMaterial> fromSpecular = readPhong(specular.root());
    EXPECT_EQ(fromSpecular->specular_reflectivity.as<ZarvexConstantWavelengthDependentParam>()
                  ->spectrum.as<ZarvexUniformSpectrum>()
                  ->value,
              0.9);
    EXPECT_EQ(fromSpecular->diffuse_albedo.as<ZarvexConstantWavelengthDependentParam>()
                  ->spectrum.as<ZarvexUniformSpectrum>()
                  ->value,
              0.0);
    EXPECT_EQ(fromSpecular->exponent.as<ZarvexConstantWavelengthIndependentParam>()->value, 10.0);

    EXPECT_EQ(thrownBy(readPhong, "<phong><exponent>50</exponent></phong>"),
              "Failed to find expected element 'diffuse_albedo_spectrum'." + at("phong", 1, 1));
}

TEST(ReadPhong, APlainExponentSelectsTheOlderFormAndItsList) {
    EXPECT_EQ(thrownBy(readPhong, "<phong><exponent>50</exponent><diffuse_albedo/></phong>"),
              "Found unexpected element 'diffuse_albedo'." + at("phong", 1, 1));
}

TEST(ReadSpecularAndGlossy, ReadTheirRequiredFields) {
    const XmlText specular("<specular><internal_medium_name>glass</internal_medium_name>"
                           "<transparent>true</transparent>" +
                           shortcut("bump_map") + "</specular>");
    const Reference<ZarvexSpecularMaterial> mirror = readSpecular(specular.root());
    EXPECT_EQ(mirror->internal_medium_name, "glass");
    EXPECT_TRUE(mirror->transparent);
    EXPECT_EQ(mirror->bump->kind(), ParamKind::Texture);
    EXPECT_EQ(thrownBy(readSpecular, "<specular><transparent>true</transparent></specular>"),
              "could not find element 'internal_medium_name'." + at("specular", 1, 1));

    const XmlText glossy("<glossy_transparent><exponent>100</exponent>"
                         "<internal_medium_name>ice</internal_medium_name></glossy_transparent>");
    const Reference<ZarvexGlossyTransparent> frosted = readGlossyTransparent(glossy.root());
    EXPECT_EQ(frosted->exponent.as<ZarvexConstantWavelengthIndependentParam>()->value, 100.0);
    EXPECT_EQ(frosted->internal_medium_name, "ice");
}

TEST(ReadBlend, ReadsBothForms) {
    const XmlText current("<blend><a_name>A</a_name><b_name>B</b_name>"
                          "<blend><constant>0.25</constant></blend>"
                          "<step_blend>true</step_blend></blend>");
    const Reference<ZarvexBlendMaterial> mixed = readBlend(current.root());
    EXPECT_EQ(mixed->a_name, "A");
    EXPECT_EQ(mixed->b_name, "B");
    EXPECT_EQ(mixed->blend.as<ZarvexConstantDisplacementParam>()->value, 0.25);
    EXPECT_TRUE(mixed->step_blend);

    const XmlText older("<blend><blend_factor>0.5</blend_factor><a_name>A</a_name>"
                        "<b_name>B</b_name><displacement_map><junk/></displacement_map></blend>");
    EXPECT_EQ(readBlend(older.root())->blend.as<ZarvexConstantDisplacementParam>()->value, 0.5);

    const XmlText mapped("<blend><blend_factor>x</blend_factor><a_name>A</a_name>"
                         "<b_name>B</b_name>" +
                         shortcut("blend_map") + "</blend>");
    const Reference<ZarvexBlendMaterial> map = readBlend(mapped.root());
    EXPECT_EQ(map->blend.as<ZarvexTextureDisplacementParam>()->texture_index, 0);
    EXPECT_FALSE(map->step_blend);

    EXPECT_EQ(thrownBy(readBlend, "<blend><blend_factor>0.5</blend_factor><blend/></blend>"),
              "Found unexpected element 'blend'." + at("blend", 1, 1));
}

std::string tabulated(const std::string& start, const std::string& end, const std::string& count,
                      const std::string& values) {
    return "<spectrum>\n<regular_tabulated><start_wavelength>" + start +
           "</start_wavelength><end_wavelength>" + end + "</end_wavelength><num_values>" + count +
           "</num_values><values>" + values + "</values></regular_tabulated></spectrum>";
}

TEST(ReadSpectrum, TabulatedSpectraStoreNanometres) {
    const XmlText xml(tabulated("4e-7", "7e-7", "3", " 0.1\n0.2\t0.3 0.4"));
    const Reference<ZarvexSpectrum> read = readSpectrum(xml.root());
    auto* spectrum = read.as<ZarvexRegularSpectrum>();
    ASSERT_NE(spectrum, nullptr);
    EXPECT_DOUBLE_EQ(spectrum->start_wavelength, 400.0);
    EXPECT_DOUBLE_EQ(spectrum->end_wavelength, 700.0);
    EXPECT_EQ(spectrum->num_values, 3);
    EXPECT_EQ(spectrum->values, (std::vector<double>{0.1, 0.2, 0.3}));

    const XmlText two(tabulated("3.8e-7", "7.8e-7", "2", "1 2"));
    EXPECT_EQ(readSpectrum(two.root()).as<ZarvexRegularSpectrum>()->values.size(), 2u);

    std::string million;
    for (int i = 0; i < 1000000; ++i) {
        million += "1 ";
    }
    const XmlText most(tabulated("4e-7", "7e-7", "1000000", million));
    EXPECT_EQ(readSpectrum(most.root()).as<ZarvexRegularSpectrum>()->values.size(), 1000000u);
}

TEST(ReadSpectrum, TabulatedSpectrumBoundsAndData) {
    struct Case {
        std::string text;
        std::string message;
    };
    const std::string context = at("regular_tabulated", 2, 1);
    const Case cases[] = {
        {tabulated("4e-7", "7e-7", "1", "1"), "num_values must be >= 2."},
        {tabulated("4e-7", "7e-7", "1000001", "1"), "num_values must be <= 1e6."},
        {tabulated("4.1e-7", "7e-7", "2", "1 2"), "start_wavelength must be <= 0.4e-6 m (400 nm)."},
        {tabulated("4e-7", "6.9e-7", "2", "1 2"), "end_wavelength must be >= 0.7e-6 m (700 nm)."},
        {tabulated("4e-7", "7e-7", "3", "0.1 x 0.3"), "Syntax error while parsing data."},
        {tabulated("4e-7", "7e-7", "3", "0.1 0.2"), "Syntax error while parsing data."},
        // A wavelength that is not a number (infinity times zero) fails its bound too.
        {tabulated("1" + std::string(400, '0') + "e-999", "7e-7", "2", "1 2"),
         "start_wavelength must be <= 0.4e-6 m (400 nm)."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(thrownBy(readSpectrum, c.text), c.message + context) << c.text;
    }
}

TEST(ReadSpectrum, ChoosesOneSpectrumElement) {
    const XmlText gammaOne("<s><rgb><gamma>1</gamma><rgb>0.3 0.6 0.9</rgb></rgb></s>");
    const Reference<ZarvexSpectrum> read = readSpectrum(gammaOne.root());
    auto* rgb = read.as<ZarvexRGBSpectrum>();
    ASSERT_NE(rgb, nullptr);
    EXPECT_EQ(rgb->red, 0.3);
    EXPECT_EQ(rgb->blue, 0.9);
    EXPECT_EQ(thrownBy(readSpectrum, "<s/>"),
              "Failed to find child for element 's' - Child should be one of 'blackbody', "
              "'peak', 'regular_tabulated', 'rgb', 'uniform'." +
                  at("s", 1, 1));
    EXPECT_EQ(thrownBy(readSpectrum, "<s><uniform><value>1</value><gain/></uniform></s>"),
              "Found unexpected element 'gain'." + at("uniform", 1, 4));
}

TEST(ReadTexture, GeneratorsAndRotations) {
    const XmlText spherical("<texture><path>p</path><uv_set>u</uv_set><tex_coord_generation>"
                            "<spherical/></tex_coord_generation></texture>");
    const ZarvexTexture texture = readTexture(spherical.root());
    auto* generator = texture.tex_coord_generation.as<ZarvexSphericalTexCoordGenerator>();
    ASSERT_NE(generator, nullptr);
    auto* identity = generator->rotation.as<ZarvexMatrixRotation>();
    ASSERT_NE(identity, nullptr);
    EXPECT_EQ(identity->matrix[0], 1.0);
    EXPECT_EQ(identity->matrix[1], 0.0);
    EXPECT_EQ(identity->matrix[4], 1.0);

    const XmlText matrix("<rotation><matrix>1 2 3\n4 5 6\t7 8 9 10</matrix></rotation>");
    const Reference<ZarvexRotation> read = readRotation(matrix.root());
    auto* rotation = read.as<ZarvexMatrixRotation>();
    ASSERT_NE(rotation, nullptr);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(rotation->matrix[i], i + 1.0);
    }
    EXPECT_EQ(thrownBy(readRotation, "<rotation><matrix>1 2 3 4 5 6 7 8</matrix></rotation>"),
              "syntax error while parsing Matrix." + at("rotation", 1, 1));

    EXPECT_EQ(thrownBy(readTexCoordGenerator,
                       "<tex_coord_generation><uv><rotation/></uv></tex_coord_generation>"),
              "Found unexpected element 'rotation'." + at("uv", 1, 23));
    EXPECT_EQ(thrownBy(readTexture, "<texture><path>p</path></texture>"),
              "could not find element 'uv_set'." + at("texture", 1, 1));
}

TEST(ReadParameters, ShaderAndTextureFormsNeedTheirInnerElements) {
    const std::vector<ZarvexTexture> none;
    EXPECT_EQ(thrownBy([&](const TiXmlElement& e) { readDisplacementParam(e, none); },
                       "<bump><shader>code</shader></bump>"),
              "could not find element 'shader'." + at("shader", 1, 7));
    EXPECT_EQ(thrownBy([&](const TiXmlElement& e) { readWavelengthDependentParam(e, none); },
                       "<albedo><texture/></albedo>"),
              "could not find element 'texture_index'." + at("texture", 1, 9));
    EXPECT_EQ(thrownBy([&](const TiXmlElement& e) { readWavelengthIndependentParam(e, none); },
                       "<exponent><constant>fifty</constant></exponent>"),
              "Failed to parse double from 'fifty'." + at("exponent", 1, 1));
}

} // namespace

// ---- Allowed lists, checked before anything of the kind element is read --------------------

using KindReader = std::function<void(const TiXmlElement&)>;

struct KindForm {
    const char* name;
    const char* kind;
    KindReader read;
    // Children that select the form, followed by one that throws as soon as reading starts.
    std::string selectAndPoison;
    std::vector<std::string> allowed;
    std::string selectsOtherForm; // a name whose presence makes it the other form
};

void PrintTo(const KindForm& c, std::ostream* os) {
    *os << c.name;
}

class AllowedList : public ::testing::TestWithParam<KindForm> {};

TEST_P(AllowedList, RejectsEveryOtherNameBeforeReading) {
    const KindForm& form = GetParam();
    // Every name any kind allows, and a few that none does.
    const std::vector<std::string> names = {"colour",
                                            "albedo_spectrum",
                                            "albedo_texture",
                                            "bump_map",
                                            "displacement_map",
                                            "random_triangle_colours",
                                            "albedo",
                                            "emission",
                                            "base_emission",
                                            "texture",
                                            "bump",
                                            "displacement",
                                            "layer",
                                            "sigma",
                                            "exponent",
                                            "nk_data",
                                            "ior",
                                            "fresnel_scale",
                                            "diffuse_albedo",
                                            "specular_reflectivity",
                                            "diffuse",
                                            "exponent_map",
                                            "diffuse_albedo_spectrum",
                                            "specular_reflectivity_spectrum",
                                            "internal_medium_name",
                                            "transparent",
                                            "blend",
                                            "a_name",
                                            "b_name",
                                            "step_blend",
                                            "blend_map",
                                            "blend_factor",
                                            "name",
                                            "material",
                                            "constant",
                                            "Texture",
                                            "colour_"};
    for (const std::string& name : names) {
        if (name == form.selectsOtherForm) {
            continue;
        }
        const std::string text = std::string("<") + form.kind + ">" + form.selectAndPoison + "<" +
                                 name + "/></" + form.kind + ">";
        const std::string unexpected =
            "Found unexpected element '" + name + "'." + at(form.kind, 1, 1);
        const bool allowed =
            std::find(form.allowed.begin(), form.allowed.end(), name) != form.allowed.end();
        const std::string message = thrownBy(form.read, text);
        if (allowed) {
            EXPECT_NE(message, unexpected) << text;
            // The poison proves that reading started.
            EXPECT_NE(message, "") << text;
        } else {
            EXPECT_EQ(message, unexpected) << text;
        }
    }
}

const char* const kPoisonTexture = "<texture/>";

INSTANTIATE_TEST_SUITE_P(
    Kinds, AllowedList,
    ::testing::Values(
        KindForm{"Diffuse",
                 "diffuse",
                 [](const TiXmlElement& e) { readDiffuse(e); },
                 kPoisonTexture,
                 {"colour", "albedo_spectrum", "albedo_texture", "bump_map", "displacement_map",
                  "random_triangle_colours", "albedo", "emission", "base_emission", "texture",
                  "bump", "displacement", "layer"},
                 ""},
        KindForm{"OrenNayar",
                 "oren_nayar",
                 [](const TiXmlElement& e) { readOrenNayar(e); },
                 kPoisonTexture,
                 {"sigma", "albedo", "bump", "displacement", "base_emission", "emission", "layer",
                  "texture", "colour", "albedo_spectrum", "albedo_texture", "bump_map",
                  "displacement_map"},
                 ""},
        KindForm{"DiffuseTransmitter",
                 "diffuse_transmitter",
                 [](const TiXmlElement& e) { readDiffuseTransmitter(e); },
                 kPoisonTexture,
                 {"colour", "albedo_texture", "albedo_spectrum", "displacement_map", "albedo",
                  "bump", "displacement", "base_emission", "emission", "layer", "texture"},
                 ""},
        KindForm{"PhongCurrent",
                 "phong",
                 [](const TiXmlElement& e) { readPhong(e); },
                 std::string("<exponent><shader><shader>s</shader></shader></exponent>") +
                     kPoisonTexture,
                 {"exponent", "nk_data", "ior", "fresnel_scale", "diffuse_albedo",
                  "specular_reflectivity", "bump", "displacement", "base_emission", "emission",
                  "layer", "texture"},
                 ""},
        KindForm{"PhongOlder",
                 "phong",
                 [](const TiXmlElement& e) { readPhong(e); },
                 "<diffuse>x</diffuse>",
                 {"exponent", "nk_data", "diffuse", "ior", "fresnel_scale", "albedo_texture",
                  "bump_map", "exponent_map", "diffuse_albedo_spectrum",
                  "specular_reflectivity_spectrum", "displacement_map"},
                 ""},
        KindForm{"Specular",
                 "specular",
                 [](const TiXmlElement& e) { readSpecular(e); },
                 kPoisonTexture,
                 {"internal_medium_name", "transparent", "bump_map", "displacement_map", "bump",
                  "displacement", "base_emission", "emission", "layer", "texture"},
                 ""},
        KindForm{"GlossyTransparent",
                 "glossy_transparent",
                 [](const TiXmlElement& e) { readGlossyTransparent(e); },
                 kPoisonTexture,
                 {"internal_medium_name", "exponent", "bump_map", "displacement_map", "bump",
                  "displacement", "base_emission", "emission", "layer", "texture"},
                 ""},
        KindForm{"BlendCurrent",
                 "blend",
                 [](const TiXmlElement& e) { readBlend(e); },
                 kPoisonTexture,
                 {"blend", "a_name", "b_name", "step_blend", "texture"},
                 "blend_factor"},
        KindForm{
            "BlendOlder",
            "blend",
            [](const TiXmlElement& e) { readBlend(e); },
            "<blend_factor>x</blend_factor>",
            {"blend_factor", "a_name", "b_name", "blend_map", "displacement_map", "step_blend"},
            ""}),
    [](const ::testing::TestParamInfo<KindForm>& info) { return info.param.name; });

// ---- Texture-index bounds at the moment a parameter is read --------------------------------

struct IndexCase {
    const char* name;
    KindReader read;
    const char* kind;
    std::string before; // children on the second line: textures, shortcuts, required fields
    const char* param;  // on the third line, holding a texture parameter with `index`
    int index;
    bool accepted;
};

void PrintTo(const IndexCase& c, std::ostream* os) {
    *os << c.name;
}

class TextureIndexBound : public ::testing::TestWithParam<IndexCase> {};

TEST_P(TextureIndexBound, CountsOnlyTheTexturesReadSoFar) {
    const IndexCase& c = GetParam();
    const std::string text = std::string("<") + c.kind + ">\n" + c.before + "\n<" + c.param +
                             "><texture><texture_index>" + std::to_string(c.index) +
                             "</texture_index></texture></" + c.param + ">\n</" + c.kind + ">";
    const std::string expected =
        c.accepted ? ""
                   : "Texture index '" + std::to_string(c.index) + "' is out of bounds." +
                         at("texture", 3, static_cast<int>(std::strlen(c.param)) + 3);
    EXPECT_EQ(thrownBy(c.read, text), expected) << text;
}

const std::string kOneTexture = kTexture;
const std::string kSpecularFields =
    "<internal_medium_name>m</internal_medium_name><transparent>false</transparent>";
const std::string kGlossyFields = "<exponent>10</exponent><internal_medium_name>m"
                                  "</internal_medium_name>";

INSTANTIATE_TEST_SUITE_P(
    Kinds, TextureIndexBound,
    ::testing::Values(
        IndexCase{"DiffuseLastTexture", [](const TiXmlElement& e) { readDiffuse(e); }, "diffuse",
                  kOneTexture + kOneTexture, "albedo", 1, true},
        IndexCase{"DiffuseOnePastTheTextures", [](const TiXmlElement& e) { readDiffuse(e); },
                  "diffuse", kOneTexture + kOneTexture, "albedo", 2, false},
        IndexCase{"DiffuseBumpBeforeShortcuts", [](const TiXmlElement& e) { readDiffuse(e); },
                  "diffuse", shortcut("bump_map"), "bump", 0, false},
        IndexCase{"DiffuseBaseEmissionAfterShortcuts",
                  [](const TiXmlElement& e) { readDiffuse(e); }, "diffuse",
                  shortcut("displacement_map"), "base_emission", 0, true},
        IndexCase{"OrenNayarAlbedoBeforeShortcuts", [](const TiXmlElement& e) { readOrenNayar(e); },
                  "oren_nayar", shortcut("bump_map") + "<sigma>0.5</sigma>", "albedo", 0, false},
        IndexCase{"OrenNayarSigmaAfterShortcuts", [](const TiXmlElement& e) { readOrenNayar(e); },
                  "oren_nayar", shortcut("bump_map"), "sigma", 0, true},
        IndexCase{"DiffuseTransmitterDisplacementBeforeShortcuts",
                  [](const TiXmlElement& e) { readDiffuseTransmitter(e); }, "diffuse_transmitter",
                  shortcut("albedo_texture"), "displacement", 0, false},
        IndexCase{"DiffuseTransmitterEmissionAfterShortcuts",
                  [](const TiXmlElement& e) { readDiffuseTransmitter(e); }, "diffuse_transmitter",
                  shortcut("albedo_texture"), "emission", 0, true},
        IndexCase{"PhongCurrentExponent", [](const TiXmlElement& e) { readPhong(e); }, "phong",
                  kOneTexture, "exponent", 0, true},
        IndexCase{"PhongCurrentExponentOnePast", [](const TiXmlElement& e) { readPhong(e); },
                  "phong", kOneTexture, "exponent", 1, false},
        IndexCase{"SpecularDisplacementBeforeShortcuts",
                  [](const TiXmlElement& e) { readSpecular(e); }, "specular",
                  shortcut("bump_map") + kSpecularFields, "displacement", 0, false},
        IndexCase{"SpecularEmissionAfterShortcuts", [](const TiXmlElement& e) { readSpecular(e); },
                  "specular", shortcut("bump_map") + kSpecularFields, "emission", 0, true},
        IndexCase{"GlossyExponentAfterShortcuts",
                  [](const TiXmlElement& e) { readGlossyTransparent(e); }, "glossy_transparent",
                  shortcut("bump_map") + "<internal_medium_name>m</internal_medium_name>",
                  "exponent", 0, true},
        IndexCase{"GlossyBumpBeforeShortcuts",
                  [](const TiXmlElement& e) { readGlossyTransparent(e); }, "glossy_transparent",
                  shortcut("displacement_map") + kGlossyFields, "bump", 0, false},
        IndexCase{"BlendCurrent", [](const TiXmlElement& e) { readBlend(e); }, "blend",
                  kOneTexture + "<a_name>A</a_name><b_name>B</b_name>", "blend", 0, true},
        IndexCase{"BlendCurrentOnePast", [](const TiXmlElement& e) { readBlend(e); }, "blend",
                  kOneTexture + "<a_name>A</a_name><b_name>B</b_name>", "blend", 1, false}),
    [](const ::testing::TestParamInfo<IndexCase>& info) { return info.param.name; });

// ---- Required elements, reported in reading order -------------------------------------------

TEST(ReadKinds, ReportTheFirstMissingRequiredElementInReadingOrder) {
    struct Case {
        KindReader read;
        std::string text;
        std::string message;
    };
    const Case cases[] = {
        {[](const TiXmlElement& e) { readPhong(e); }, "<phong><diffuse>1 1 1</diffuse></phong>",
         "could not find element 'exponent'." + at("phong", 1, 1)},
        {[](const TiXmlElement& e) { readSpecular(e); },
         "<specular><internal_medium_name>m</internal_medium_name></specular>",
         "could not find element 'transparent'." + at("specular", 1, 1)},
        {[](const TiXmlElement& e) { readGlossyTransparent(e); }, "<glossy_transparent/>",
         "Failed to find expected element 'exponent'." + at("glossy_transparent", 1, 1)},
        {[](const TiXmlElement& e) { readGlossyTransparent(e); },
         "<glossy_transparent><exponent>1</exponent></glossy_transparent>",
         "could not find element 'internal_medium_name'." + at("glossy_transparent", 1, 1)},
        {[](const TiXmlElement& e) { readBlend(e); }, "<blend/>",
         "could not find element 'a_name'." + at("blend", 1, 1)},
        {[](const TiXmlElement& e) { readBlend(e); }, "<blend><a_name>A</a_name></blend>",
         "could not find element 'b_name'." + at("blend", 1, 1)},
        {[](const TiXmlElement& e) { readBlend(e); },
         "<blend><a_name>A</a_name><b_name>B</b_name></blend>",
         "Failed to find expected element 'blend'." + at("blend", 1, 1)},
        {[](const TiXmlElement& e) { readBlend(e); },
         "<blend><blend_factor>0.5</blend_factor><b_name>B</b_name></blend>",
         "could not find element 'a_name'." + at("blend", 1, 1)},
        {[](const TiXmlElement& e) { readBlend(e); },
         "<blend><blend_factor>0.5</blend_factor><a_name>A</a_name><b_name>B</b_name>"
         "<step_blend>yes</step_blend></blend>",
         "Invalid boolean value (Should be 'true' or 'false')." + at("blend", 1, 1)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(thrownBy(c.read, c.text), c.message) << c.text;
    }
}

TEST(ReadPhong, OlderFormWithNkDataIgnoresTheSpecularSpectrumAndIndexesExponentMapLast) {
    const XmlText xml("<phong><exponent>20</exponent><nk_data>gold.nk</nk_data>"
                      "<specular_reflectivity_spectrum><bad/></specular_reflectivity_spectrum>" +
                      shortcut("exponent_map") + shortcut("albedo_texture") + shortcut("bump_map") +
                      "</phong>");
    const Reference<ZarvexPhongMaterial> material = readPhong(xml.root());
    EXPECT_EQ(material->nk_data, "gold.nk");
    EXPECT_TRUE(material->specular_reflectivity.isNull());
    // albedo_texture and bump_map are read before exponent_map, whatever the file's order.
    ASSERT_EQ(material->textures.size(), 3u);
    EXPECT_EQ(material->diffuse_albedo.as<ZarvexTextureWavelengthDependentParam>()->texture_index,
              0);
    EXPECT_EQ(material->bump.as<ZarvexTextureDisplacementParam>()->texture_index, 1);
    EXPECT_EQ(material->exponent.as<ZarvexTextureWavelengthIndependentParam>()->texture_index, 2);
    EXPECT_TRUE(material->displacement.isNull());
    EXPECT_EQ(material->layer, 0);
}

// ---- Tabulated spectra: the order of the checks ----------------------------------------------

TEST(ReadSpectrum, TabulatedChecksComeInTheirOrder) {
    const auto spectrum = [](const std::string& children) {
        return "<spectrum>\n<regular_tabulated>" + children + "</regular_tabulated></spectrum>";
    };
    const auto child = [](const char* name, const std::string& text) {
        return std::string("<") + name + ">" + text + "</" + name + ">";
    };
    const std::string context = at("regular_tabulated", 2, 1);
    struct Case {
        std::string children;
        std::string message; // "" when the spectrum is accepted
    };
    const Case cases[] = {
        // The allowed list first, before any value is read.
        {child("num_values", "1") + "<gamma/>", "Found unexpected element 'gamma'."},
        // All three are read before any is checked.
        {child("start_wavelength", "x") + child("num_values", "1"),
         "Failed to parse double from 'x'."},
        {child("start_wavelength", "5e-7") + child("num_values", "1"),
         "could not find element 'end_wavelength'."},
        {child("start_wavelength", "5e-7") + child("end_wavelength", "6e-7") +
             child("num_values", "2.5"),
         "Parse error while parsing integer from '2.5'."},
        // Then the count, the start and the end, each before the next.
        {child("start_wavelength", "5e-7") + child("end_wavelength", "6e-7") +
             child("num_values", "1"),
         "num_values must be >= 2."},
        {child("start_wavelength", "5e-7") + child("end_wavelength", "6e-7") +
             child("num_values", "1000001"),
         "num_values must be <= 1e6."},
        {child("start_wavelength", "5e-7") + child("end_wavelength", "6e-7") +
             child("num_values", "2"),
         "start_wavelength must be <= 0.4e-6 m (400 nm)."},
        {child("start_wavelength", "4e-7") + child("end_wavelength", "6e-7") +
             child("num_values", "2"),
         "end_wavelength must be >= 0.7e-6 m (700 nm)."},
        // The values last.
        {child("start_wavelength", "4e-7") + child("end_wavelength", "7e-7") +
             child("num_values", "2"),
         "could not find element 'values'."},
        {child("values", "1 2 trailing words") + child("start_wavelength", "4e-7") +
             child("end_wavelength", "7e-7") + child("num_values", "2"),
         ""},
    };
    for (const Case& c : cases) {
        const std::string text = spectrum(c.children);
        EXPECT_EQ(thrownBy(readSpectrum, text), c.message.empty() ? "" : c.message + context)
            << text;
    }
}
