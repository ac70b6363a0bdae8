#include "material/zarvex_material_reader.h"

#include "util/parser.h"
#include "util/to_string.h"

#include <cmath>

namespace Zarvex {

namespace {

using Names = std::vector<std::string>;

const Names kParamForms = {"constant", "texture", "shader"};

// The older colour forms store display colours: gamma 2.2, taken as the single-precision value
// in the kind elements and as the double in phong's diffuse.
const double kColourGammaSingle = static_cast<double>(2.2f);
const double kColourGammaDouble = 2.2;

// Tabulated spectra must cover the visible range, in metres.
const double kLatestTabulationStart = 4e-7;
const double kEarliestTabulationEnd = 7e-7;
const std::int32_t kMaxTabulatedValues = 1000000;
const double kNanometresPerMetre = 1e9;

[[noreturn]] void fail(const std::string& message, const TiXmlElement& element) {
    throw ZarvexSceneParseUtilsExcep(message + errorContext(element));
}

const TiXmlElement* optionalChild(const TiXmlElement& parent, const char* name) {
    return parent.FirstChildElement(name);
}

bool holdsParamForm(const TiXmlElement& element) {
    for (const std::string& form : kParamForms) {
        if (element.FirstChildElement(form) != nullptr) {
            return true;
        }
    }
    return false;
}

std::int32_t readTextureIndex(const TiXmlElement& paramElement,
                              const std::vector<ZarvexTexture>& textures) {
    const TiXmlElement& texture = getChildElement(paramElement, "texture");
    const std::int32_t index = parseIntChild(texture, "texture_index");
    if (index < 0 || static_cast<std::size_t>(index) >= textures.size()) {
        fail("Texture index '" + toString(index) + "' is out of bounds.", texture);
    }
    return index;
}

std::string readShaderSource(const TiXmlElement& paramElement) {
    return childText(getChildElement(paramElement, "shader"), "shader");
}

// The three parameter families differ only in what their constant holds.
template <typename Texture, typename Shader, typename Base>
Reference<Base> readParam(const TiXmlElement& element, const std::vector<ZarvexTexture>& textures,
                          Reference<Base> (*readConstant)(const TiXmlElement&)) {
    checkMutuallyExclusiveChildren(element, kParamForms);
    if (optionalChild(element, "texture") != nullptr) {
        Reference<Texture> param(new Texture);
        param->texture_index = readTextureIndex(element, textures);
        return param;
    }
    if (optionalChild(element, "shader") != nullptr) {
        Reference<Shader> param(new Shader);
        param->shader = readShaderSource(element);
        return param;
    }
    return readConstant(element);
}

Reference<ZarvexWavelengthDependentParam> constantOf(const Reference<ZarvexSpectrum>& spectrum) {
    Reference<ZarvexConstantWavelengthDependentParam> param(
        new ZarvexConstantWavelengthDependentParam);
    param->spectrum = spectrum;
    return param;
}

Reference<ZarvexWavelengthDependentParam> readSpectrumConstant(const TiXmlElement& element) {
    return constantOf(readSpectrum(getChildElement(element, "constant")));
}

Reference<ZarvexWavelengthIndependentParam> independentConstant(double value) {
    Reference<ZarvexConstantWavelengthIndependentParam> param(
        new ZarvexConstantWavelengthIndependentParam);
    param->value = value;
    return param;
}

Reference<ZarvexWavelengthIndependentParam> readIndependentConstant(const TiXmlElement& element) {
    return independentConstant(parseDoubleChild(element, "constant"));
}

Reference<ZarvexDisplacementParam> displacementConstant(double value) {
    Reference<ZarvexConstantDisplacementParam> param(new ZarvexConstantDisplacementParam);
    param->value = value;
    return param;
}

Reference<ZarvexDisplacementParam> readDisplacementConstant(const TiXmlElement& element) {
    return displacementConstant(parseDoubleChild(element, "constant"));
}

Reference<ZarvexWavelengthDependentParam> dependentTexture(std::size_t index) {
    Reference<ZarvexTextureWavelengthDependentParam> param(
        new ZarvexTextureWavelengthDependentParam);
    param->texture_index = static_cast<std::int32_t>(index);
    return param;
}

Reference<ZarvexWavelengthIndependentParam> independentTexture(std::size_t index) {
    Reference<ZarvexTextureWavelengthIndependentParam> param(
        new ZarvexTextureWavelengthIndependentParam);
    param->texture_index = static_cast<std::int32_t>(index);
    return param;
}

Reference<ZarvexDisplacementParam> displacementTexture(std::size_t index) {
    Reference<ZarvexTextureDisplacementParam> param(new ZarvexTextureDisplacementParam);
    param->texture_index = static_cast<std::int32_t>(index);
    return param;
}

Reference<ZarvexSpectrum> uniformSpectrum(double value) {
    Reference<ZarvexUniformSpectrum> spectrum(new ZarvexUniformSpectrum);
    spectrum->value = value;
    return spectrum;
}

Reference<ZarvexSpectrum> rgbSpectrum(const Vec3& colour, double gamma) {
    Reference<ZarvexRGBSpectrum> spectrum(new ZarvexRGBSpectrum);
    spectrum->red = std::pow(colour.x, gamma);
    spectrum->green = std::pow(colour.y, gamma);
    spectrum->blue = std::pow(colour.z, gamma);
    return spectrum;
}

Reference<ZarvexSpectrum> readUniform(const TiXmlElement& element) {
    checkNoUnexpectedElements(element, {"value"});
    return uniformSpectrum(parseDoubleChild(element, "value"));
}

Reference<ZarvexSpectrum> readRGB(const TiXmlElement& element) {
    checkNoUnexpectedElements(element, {"gamma", "rgb"});
    const double gamma = parseDoubleChild(element, "gamma");
    return rgbSpectrum(parseVec3Child(element, "rgb"), gamma);
}

Reference<ZarvexSpectrum> readBlackBody(const TiXmlElement& element) {
    checkNoUnexpectedElements(element, {"temperature", "gain"});
    Reference<ZarvexBlackBodySpectrum> spectrum(new ZarvexBlackBodySpectrum);
    spectrum->temperature = parseDoubleChild(element, "temperature");
    spectrum->gain = parseDoubleChild(element, "gain");
    return spectrum;
}

Reference<ZarvexSpectrum> readPeak(const TiXmlElement& element) {
    checkNoUnexpectedElements(element, {"peak_min", "peak_max", "peak_value", "base_value"});
    Reference<ZarvexPeakSpectrum> spectrum(new ZarvexPeakSpectrum);
    spectrum->peak_min = parseDoubleChild(element, "peak_min");
    spectrum->peak_max = parseDoubleChild(element, "peak_max");
    spectrum->peak_value = parseDoubleChild(element, "peak_value");
    spectrum->base_value = parseDoubleChild(element, "base_value");
    return spectrum;
}

Reference<ZarvexSpectrum> readRegularTabulated(const TiXmlElement& element) {
    checkNoUnexpectedElements(element,
                              {"start_wavelength", "end_wavelength", "num_values", "values"});
    const double start = parseDoubleChild(element, "start_wavelength");
    const double end = parseDoubleChild(element, "end_wavelength");
    const std::int32_t count = parseIntChild(element, "num_values");
    if (count < 2) {
        fail("num_values must be >= 2.", element);
    }
    if (count > kMaxTabulatedValues) {
        fail("num_values must be <= 1e6.", element);
    }
    // Written so that a wavelength that is not a number fails the bound as well.
    if (!(start <= kLatestTabulationStart)) {
        fail("start_wavelength must be <= 0.4e-6 m (400 nm).", element);
    }
    if (!(end >= kEarliestTabulationEnd)) {
        fail("end_wavelength must be >= 0.7e-6 m (700 nm).", element);
    }
    const std::string text = childText(element, "values");
    Reference<ZarvexRegularSpectrum> spectrum(new ZarvexRegularSpectrum);
    Parser parser(text.data(), text.size());
    for (std::int32_t i = 0; i < count; ++i) {
        double value = 0;
        parser.skipWhitespace();
        if (!parser.parseDouble(value)) {
            fail("Syntax error while parsing data.", element);
        }
        spectrum->values.push_back(value);
    }
    spectrum->start_wavelength = start * kNanometresPerMetre;
    spectrum->end_wavelength = end * kNanometresPerMetre;
    spectrum->num_values = count;
    return spectrum;
}

Reference<ZarvexRotation> identityRotation() {
    return Reference<ZarvexRotation>(new ZarvexMatrixRotation);
}

template <typename Generator>
Reference<ZarvexTexCoordGenerator> readSphericalGenerator(const TiXmlElement& element) {
    checkNoUnexpectedElements(element, {"rotation"});
    Reference<Generator> generator(new Generator);
    const TiXmlElement* rotation = optionalChild(element, "rotation");
    generator->rotation = rotation != nullptr ? readRotation(*rotation) : identityRotation();
    return generator;
}

template <typename Param>
Reference<Param> readOptionalParam(const TiXmlElement& kindElement, const char* name,
                                   const std::vector<ZarvexTexture>& textures,
                                   Reference<Param> (*read)(const TiXmlElement&,
                                                            const std::vector<ZarvexTexture>&)) {
    const TiXmlElement* element = optionalChild(kindElement, name);
    return element != nullptr ? read(*element, textures) : Reference<Param>();
}

Reference<ZarvexWavelengthDependentParam>
optionalDependent(const TiXmlElement& kindElement, const char* name,
                  const std::vector<ZarvexTexture>& textures) {
    return readOptionalParam(kindElement, name, textures, &readWavelengthDependentParam);
}

Reference<ZarvexDisplacementParam>
optionalDisplacement(const TiXmlElement& kindElement, const char* name,
                     const std::vector<ZarvexTexture>& textures) {
    return readOptionalParam(kindElement, name, textures, &readDisplacementParam);
}

// sigma and glossy exponent: a parameter element, or a plain number in the older form.
Reference<ZarvexWavelengthIndependentParam>
readNumberOrParam(const TiXmlElement& kindElement, const char* name,
                  const std::vector<ZarvexTexture>& textures) {
    const TiXmlElement& element = getChildElement(kindElement, name);
    if (holdsParamForm(element)) {
        return readWavelengthIndependentParam(element, textures);
    }
    return independentConstant(parseDoubleChild(kindElement, name));
}

// Appends the texture record `element` and returns its index in the list.
std::size_t appendTexture(const TiXmlElement& element, std::vector<ZarvexTexture>& textures) {
    textures.push_back(readTexture(element));
    return textures.size() - 1;
}

// The fields that the diffuse-like kinds share, in their reading order.
template <typename Material> void readDiffuseLike(const TiXmlElement& element, Material& material) {
    readTextures(element, material.textures);
    material.albedo = readAlbedo(element, material.textures);
    material.bump = optionalDisplacement(element, "bump", material.textures);
    material.displacement = optionalDisplacement(element, "displacement", material.textures);
    readLegacyMaps(element, material.textures, &material.albedo, material.bump,
                   material.displacement);
}

template <typename Material>
void readEmissionAndLayer(const TiXmlElement& element, Material& material) {
    material.base_emission = optionalDependent(element, "base_emission", material.textures);
    material.emission = optionalDependent(element, "emission", material.textures);
    material.layer = parseIntChildOr(element, "layer", 0);
}

void readCurrentPhong(const TiXmlElement& element, ZarvexPhongMaterial& material) {
    checkNoUnexpectedElements(element,
                              {"exponent", "nk_data", "ior", "fresnel_scale", "diffuse_albedo",
                               "specular_reflectivity", "bump", "displacement", "base_emission",
                               "emission", "layer", "texture"});
    readTextures(element, material.textures);
    material.diffuse_albedo = optionalDependent(element, "diffuse_albedo", material.textures);
    material.specular_reflectivity =
        optionalDependent(element, "specular_reflectivity", material.textures);
    material.exponent =
        readWavelengthIndependentParam(getChildElement(element, "exponent"), material.textures);
    material.bump = optionalDisplacement(element, "bump", material.textures);
    material.displacement = optionalDisplacement(element, "displacement", material.textures);
    readEmissionAndLayer(element, material);
    material.fresnel_scale = parseDoubleChildOr(element, "fresnel_scale", 1.0);
    material.ior = parseDoubleChildOr(element, "ior", 1.5);
    material.nk_data = childTextOr(element, "nk_data", "");
}

void readOlderPhong(const TiXmlElement& element, ZarvexPhongMaterial& material) {
    checkNoUnexpectedElements(element, {"exponent", "nk_data", "diffuse", "ior", "fresnel_scale",
                                        "albedo_texture", "bump_map", "exponent_map",
                                        "diffuse_albedo_spectrum", "specular_reflectivity_spectrum",
                                        "displacement_map"});
    const std::string nkData = childTextOr(element, "nk_data", "");
    Reference<ZarvexSpectrum> diffuse;
    Reference<ZarvexSpectrum> specular;
    if (!nkData.empty()) {
        diffuse = uniformSpectrum(0);
    } else if (const TiXmlElement* spectrum =
                   optionalChild(element, "specular_reflectivity_spectrum")) {
        specular = readSpectrum(*spectrum);
        diffuse = uniformSpectrum(0);
    } else if (optionalChild(element, "diffuse") != nullptr) {
        diffuse = rgbSpectrum(parseVec3Child(element, "diffuse"), kColourGammaDouble);
    } else {
        diffuse = readSpectrum(getChildElement(element, "diffuse_albedo_spectrum"));
    }
    material.diffuse_albedo = constantOf(diffuse);
    readLegacyMaps(element, material.textures, &material.diffuse_albedo, material.bump,
                   material.displacement);
    material.exponent = independentConstant(parseDoubleChild(element, "exponent"));
    if (const TiXmlElement* map = optionalChild(element, "exponent_map")) {
        material.exponent = independentTexture(appendTexture(*map, material.textures));
    }
    if (specular) {
        material.specular_reflectivity = constantOf(specular);
    }
    material.layer = 0;
    material.fresnel_scale = parseDoubleChildOr(element, "fresnel_scale", 1.0);
    material.ior = parseDoubleChildOr(element, "ior", 1.5);
    material.nk_data = nkData;
}

} // namespace

Reference<ZarvexWavelengthDependentParam>
readWavelengthDependentParam(const TiXmlElement& element,
                             const std::vector<ZarvexTexture>& textures) {
    return readParam<ZarvexTextureWavelengthDependentParam, ZarvexShaderWavelengthDependentParam>(
        element, textures, &readSpectrumConstant);
}

Reference<ZarvexWavelengthIndependentParam>
readWavelengthIndependentParam(const TiXmlElement& element,
                               const std::vector<ZarvexTexture>& textures) {
    return readParam<ZarvexTextureWavelengthIndependentParam,
                     ZarvexShaderWavelengthIndependentParam>(element, textures,
                                                             &readIndependentConstant);
}

Reference<ZarvexDisplacementParam>
readDisplacementParam(const TiXmlElement& element, const std::vector<ZarvexTexture>& textures) {
    return readParam<ZarvexTextureDisplacementParam, ZarvexShaderDisplacementParam>(
        element, textures, &readDisplacementConstant);
}

Reference<ZarvexSpectrum> readSpectrum(const TiXmlElement& element) {
    checkMutuallyExclusiveChildren(element,
                                   {"blackbody", "peak", "rgb", "uniform", "regular_tabulated"});
    if (const TiXmlElement* uniform = optionalChild(element, "uniform")) {
        return readUniform(*uniform);
    }
    if (const TiXmlElement* rgb = optionalChild(element, "rgb")) {
        return readRGB(*rgb);
    }
    if (const TiXmlElement* blackbody = optionalChild(element, "blackbody")) {
        return readBlackBody(*blackbody);
    }
    if (const TiXmlElement* peak = optionalChild(element, "peak")) {
        return readPeak(*peak);
    }
    return readRegularTabulated(getChildElement(element, "regular_tabulated"));
}

ZarvexTexture readTexture(const TiXmlElement& element) {
    ZarvexTexture texture;
    texture.path = childText(element, "path");
    texture.a = parseDoubleChildOr(element, "a", 0.0);
    texture.b = parseDoubleChildOr(element, "b", 1.0);
    texture.c = parseDoubleChildOr(element, "c", 0.0);
    texture.uv_set = childText(element, "uv_set");
    texture.exponent = parseDoubleChildOr(element, "exponent", 1.0);
    if (const TiXmlElement* generation = optionalChild(element, "tex_coord_generation")) {
        texture.tex_coord_generation = readTexCoordGenerator(*generation);
    }
    return texture;
}

Reference<ZarvexTexCoordGenerator> readTexCoordGenerator(const TiXmlElement& element) {
    checkMutuallyExclusiveChildren(element, {"uv", "spherical", "spherical_environment"});
    if (const TiXmlElement* uv = optionalChild(element, "uv")) {
        checkNoUnexpectedElements(*uv, {});
        return Reference<ZarvexTexCoordGenerator>(new ZarvexUVTexCoordGenerator);
    }
    if (const TiXmlElement* spherical = optionalChild(element, "spherical")) {
        return readSphericalGenerator<ZarvexSphericalTexCoordGenerator>(*spherical);
    }
    return readSphericalGenerator<ZarvexSphericalEnvTexCoordGenerator>(
        getChildElement(element, "spherical_environment"));
}

Reference<ZarvexRotation> readRotation(const TiXmlElement& element) {
    checkMutuallyExclusiveChildren(element, {"matrix", "axis_rotation"});
    if (const TiXmlElement* axis = optionalChild(element, "axis_rotation")) {
        checkNoUnexpectedElements(*axis, {"axis", "angle"});
        Reference<ZarvexAxisRotation> rotation(new ZarvexAxisRotation);
        rotation->axis = parseVec3Child(*axis, "axis");
        rotation->angle = parseDoubleChild(*axis, "angle");
        return rotation;
    }
    const std::string text = childText(element, "matrix");
    Reference<ZarvexMatrixRotation> rotation(new ZarvexMatrixRotation);
    Parser parser(text.data(), text.size());
    for (double& value : rotation->matrix) {
        parser.skipWhitespace();
        if (!parser.parseDouble(value)) {
            fail("syntax error while parsing Matrix.", element);
        }
    }
    return rotation;
}

void readTextures(const TiXmlElement& kindElement, std::vector<ZarvexTexture>& textures) {
    for (const TiXmlElement* texture = kindElement.FirstChildElement("texture"); texture != nullptr;
         texture = texture->NextSiblingElement("texture")) {
        textures.push_back(readTexture(*texture));
    }
}

Reference<ZarvexWavelengthDependentParam> readAlbedo(const TiXmlElement& kindElement,
                                                     const std::vector<ZarvexTexture>& textures) {
    if (optionalChild(kindElement, "colour") != nullptr) {
        return constantOf(rgbSpectrum(parseVec3Child(kindElement, "colour"), kColourGammaSingle));
    }
    if (const TiXmlElement* spectrum = optionalChild(kindElement, "albedo_spectrum")) {
        return constantOf(readSpectrum(*spectrum));
    }
    return optionalDependent(kindElement, "albedo", textures);
}

void readLegacyMaps(const TiXmlElement& kindElement, std::vector<ZarvexTexture>& textures,
                    Reference<ZarvexWavelengthDependentParam>* albedo,
                    Reference<ZarvexDisplacementParam>& bump,
                    Reference<ZarvexDisplacementParam>& displacement) {
    if (const TiXmlElement* map = optionalChild(kindElement, "albedo_texture")) {
        const std::size_t index = appendTexture(*map, textures);
        if (albedo != nullptr) {
            *albedo = dependentTexture(index);
        }
    }
    if (const TiXmlElement* map = optionalChild(kindElement, "bump_map")) {
        bump = displacementTexture(appendTexture(*map, textures));
    }
    if (const TiXmlElement* map = optionalChild(kindElement, "displacement_map")) {
        displacement = displacementTexture(appendTexture(*map, textures));
    }
}

Reference<ZarvexDiffuse> readDiffuse(const TiXmlElement& element) {
    checkNoUnexpectedElements(element,
                              {"colour", "albedo_spectrum", "albedo_texture", "bump_map",
                               "displacement_map", "random_triangle_colours", "albedo", "emission",
                               "base_emission", "texture", "bump", "displacement", "layer"});
    Reference<ZarvexDiffuse> material(new ZarvexDiffuse);
    readDiffuseLike(element, *material);
    material->random_triangle_colours = parseBoolChildOr(element, "random_triangle_colours", false);
    readEmissionAndLayer(element, *material);
    return material;
}

Reference<ZarvexOrenNayarMaterial> readOrenNayar(const TiXmlElement& element) {
    checkNoUnexpectedElements(element, {"sigma", "albedo", "bump", "displacement", "base_emission",
                                        "emission", "layer", "texture", "colour", "albedo_spectrum",
                                        "albedo_texture", "bump_map", "displacement_map"});
    Reference<ZarvexOrenNayarMaterial> material(new ZarvexOrenNayarMaterial);
    readDiffuseLike(element, *material);
    material->sigma = readNumberOrParam(element, "sigma", material->textures);
    readEmissionAndLayer(element, *material);
    return material;
}

Reference<ZarvexDiffuseTransmitter> readDiffuseTransmitter(const TiXmlElement& element) {
    checkNoUnexpectedElements(element, {"colour", "albedo_texture", "albedo_spectrum",
                                        "displacement_map", "albedo", "bump", "displacement",
                                        "base_emission", "emission", "layer", "texture"});
    Reference<ZarvexDiffuseTransmitter> material(new ZarvexDiffuseTransmitter);
    readDiffuseLike(element, *material);
    readEmissionAndLayer(element, *material);
    return material;
}

Reference<ZarvexPhongMaterial> readPhong(const TiXmlElement& element) {
    Reference<ZarvexPhongMaterial> material(new ZarvexPhongMaterial);
    const TiXmlElement* exponent = optionalChild(element, "exponent");
    if (exponent != nullptr && holdsParamForm(*exponent)) {
        readCurrentPhong(element, *material);
    } else {
        readOlderPhong(element, *material);
    }
    return material;
}

Reference<ZarvexSpecularMaterial> readSpecular(const TiXmlElement& element) {
    checkNoUnexpectedElements(element, {"internal_medium_name", "transparent", "bump_map",
                                        "displacement_map", "bump", "displacement", "base_emission",
                                        "emission", "layer", "texture"});
    Reference<ZarvexSpecularMaterial> material(new ZarvexSpecularMaterial);
    readTextures(element, material->textures);
    material->bump = optionalDisplacement(element, "bump", material->textures);
    material->displacement = optionalDisplacement(element, "displacement", material->textures);
    readLegacyMaps(element, material->textures, nullptr, material->bump, material->displacement);
    material->internal_medium_name = childText(element, "internal_medium_name");
    material->transparent = parseBoolChild(element, "transparent");
    readEmissionAndLayer(element, *material);
    return material;
}

Reference<ZarvexGlossyTransparent> readGlossyTransparent(const TiXmlElement& element) {
    checkNoUnexpectedElements(element, {"internal_medium_name", "exponent", "bump_map",
                                        "displacement_map", "bump", "displacement", "base_emission",
                                        "emission", "layer", "texture"});
    Reference<ZarvexGlossyTransparent> material(new ZarvexGlossyTransparent);
    readTextures(element, material->textures);
    material->bump = optionalDisplacement(element, "bump", material->textures);
    material->displacement = optionalDisplacement(element, "displacement", material->textures);
    readLegacyMaps(element, material->textures, nullptr, material->bump, material->displacement);
    material->exponent = readNumberOrParam(element, "exponent", material->textures);
    material->internal_medium_name = childText(element, "internal_medium_name");
    readEmissionAndLayer(element, *material);
    return material;
}

Reference<ZarvexBlendMaterial> readBlend(const TiXmlElement& element) {
    Reference<ZarvexBlendMaterial> material(new ZarvexBlendMaterial);
    if (optionalChild(element, "blend_factor") == nullptr) {
        checkNoUnexpectedElements(element, {"blend", "a_name", "b_name", "step_blend", "texture"});
        readTextures(element, material->textures);
        material->a_name = childText(element, "a_name");
        material->b_name = childText(element, "b_name");
        material->blend =
            readDisplacementParam(getChildElement(element, "blend"), material->textures);
    } else {
        // The older form; its displacement_map is accepted and not read.
        checkNoUnexpectedElements(element, {"blend_factor", "a_name", "b_name", "blend_map",
                                            "displacement_map", "step_blend"});
        if (const TiXmlElement* map = optionalChild(element, "blend_map")) {
            material->blend = displacementTexture(appendTexture(*map, material->textures));
        } else {
            material->blend = displacementConstant(parseDoubleChild(element, "blend_factor"));
        }
        material->a_name = childText(element, "a_name");
        material->b_name = childText(element, "b_name");
    }
    material->step_blend = parseBoolChildOr(element, "step_blend", false);
    return material;
}

} // namespace Zarvex
