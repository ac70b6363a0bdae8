#include "material/zarvex_material_reader.h"
#include "xml_text.h"

#include <gtest/gtest.h>

#include <cmath>
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
