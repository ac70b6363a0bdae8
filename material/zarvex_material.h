// The in-memory material model: one renderer material as a material file states it.
//
// Plain data: every object is created empty and filled field by field by the material file
// reader; there is no validation here. A material owns its texture records by value; everything
// else is shared through References and dies with the last of them. Each abstract family
// carries a kind tag, fixed at construction, so that consumers can switch on the concrete class;
// Reference::as<T>() casts to it.
#pragma once

#include "material/reference.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Zarvex {

struct Vec3 {
    double x = 0;
    double y = 0;
    double z = 0;
};

// ---- Spectra -----------------------------------------------------------------------------

enum class SpectrumKind { Uniform, RGB, BlackBody, Peak, RegularTabulated };

class ZarvexSpectrum : public RefCounted {
public:
    SpectrumKind kind() const { return kind_; }

protected:
    explicit ZarvexSpectrum(SpectrumKind kind) : kind_(kind) {}

private:
    SpectrumKind kind_;
};

// The same value at every wavelength.
class ZarvexUniformSpectrum : public ZarvexSpectrum {
public:
    ZarvexUniformSpectrum() : ZarvexSpectrum(SpectrumKind::Uniform) {}
    double value = 0;
};

// Components stored with the file's gamma already applied.
class ZarvexRGBSpectrum : public ZarvexSpectrum {
public:
    ZarvexRGBSpectrum() : ZarvexSpectrum(SpectrumKind::RGB) {}
    double red = 0;
    double green = 0;
    double blue = 0;
};

class ZarvexBlackBodySpectrum : public ZarvexSpectrum {
public:
    ZarvexBlackBodySpectrum() : ZarvexSpectrum(SpectrumKind::BlackBody) {}
    double temperature = 0;
    double gain = 0;
};

class ZarvexPeakSpectrum : public ZarvexSpectrum {
public:
    ZarvexPeakSpectrum() : ZarvexSpectrum(SpectrumKind::Peak) {}
    double peak_min = 0;
    double peak_max = 0;
    double peak_value = 0;
    double base_value = 0;
};

// Values tabulated at regular steps. The file gives the wavelengths in metres; the model holds
// them in nanometres. `values` holds exactly `num_values` entries.
class ZarvexRegularSpectrum : public ZarvexSpectrum {
public:
    ZarvexRegularSpectrum() : ZarvexSpectrum(SpectrumKind::RegularTabulated) {}
    double start_wavelength = 0; // nanometres
    double end_wavelength = 0;   // nanometres
    std::int32_t num_values = 0;
    std::vector<double> values;
};

// ---- Rotations and texture coordinate generators -----------------------------------------

enum class RotationKind { Axis, Matrix };

class ZarvexRotation : public RefCounted {
public:
    RotationKind kind() const { return kind_; }

protected:
    explicit ZarvexRotation(RotationKind kind) : kind_(kind) {}

private:
    RotationKind kind_;
};

class ZarvexAxisRotation : public ZarvexRotation {
public:
    ZarvexAxisRotation() : ZarvexRotation(RotationKind::Axis) {}
    Vec3 axis;
    double angle = 0;
};

// Nine values row by row, in the order the file gives them; the identity until filled.
class ZarvexMatrixRotation : public ZarvexRotation {
public:
    ZarvexMatrixRotation() : ZarvexRotation(RotationKind::Matrix) {}
    double matrix[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
};

enum class TexCoordGeneratorKind { UV, Spherical, SphericalEnvironment };

class ZarvexTexCoordGenerator : public RefCounted {
public:
    TexCoordGeneratorKind kind() const { return kind_; }

protected:
    explicit ZarvexTexCoordGenerator(TexCoordGeneratorKind kind) : kind_(kind) {}

private:
    TexCoordGeneratorKind kind_;
};

class ZarvexUVTexCoordGenerator : public ZarvexTexCoordGenerator {
public:
    ZarvexUVTexCoordGenerator() : ZarvexTexCoordGenerator(TexCoordGeneratorKind::UV) {}
};

class ZarvexSphericalTexCoordGenerator : public ZarvexTexCoordGenerator {
public:
    ZarvexSphericalTexCoordGenerator()
        : ZarvexTexCoordGenerator(TexCoordGeneratorKind::Spherical) {}
    Reference<ZarvexRotation> rotation;
};

class ZarvexSphericalEnvTexCoordGenerator : public ZarvexTexCoordGenerator {
public:
    ZarvexSphericalEnvTexCoordGenerator()
        : ZarvexTexCoordGenerator(TexCoordGeneratorKind::SphericalEnvironment) {}
    Reference<ZarvexRotation> rotation;
};

// A texture a material uses: a plain record, copied into the material's list. Copying takes a
// new reference on the generator.
struct ZarvexTexture {
    std::string path; // image file path as written in the file
    double a = 0;
    double b = 1;
    double c = 0;
    std::string uv_set; // name of the mesh UV set
    double exponent = 1;
    Reference<ZarvexTexCoordGenerator> tex_coord_generation{new ZarvexUVTexCoordGenerator};
};

// ---- Parameters ----------------------------------------------------------------------------
// Each family has a constant, a texture and a shader kind. A texture index points into the
// textures list of the material that holds the parameter; shader text is kept exactly as it
// stood in the file.

enum class ParamKind { Constant, Texture, Shader };

class ZarvexWavelengthDependentParam : public RefCounted {
public:
    ParamKind kind() const { return kind_; }

protected:
    explicit ZarvexWavelengthDependentParam(ParamKind kind) : kind_(kind) {}

private:
    ParamKind kind_;
};

class ZarvexConstantWavelengthDependentParam : public ZarvexWavelengthDependentParam {
public:
    ZarvexConstantWavelengthDependentParam()
        : ZarvexWavelengthDependentParam(ParamKind::Constant) {}
    Reference<ZarvexSpectrum> spectrum;
};

class ZarvexTextureWavelengthDependentParam : public ZarvexWavelengthDependentParam {
public:
    ZarvexTextureWavelengthDependentParam() : ZarvexWavelengthDependentParam(ParamKind::Texture) {}
    std::int32_t texture_index = 0;
};

class ZarvexShaderWavelengthDependentParam : public ZarvexWavelengthDependentParam {
public:
    ZarvexShaderWavelengthDependentParam() : ZarvexWavelengthDependentParam(ParamKind::Shader) {}
    std::string shader;
};

class ZarvexWavelengthIndependentParam : public RefCounted {
public:
    ParamKind kind() const { return kind_; }

protected:
    explicit ZarvexWavelengthIndependentParam(ParamKind kind) : kind_(kind) {}

private:
    ParamKind kind_;
};

class ZarvexConstantWavelengthIndependentParam : public ZarvexWavelengthIndependentParam {
public:
    ZarvexConstantWavelengthIndependentParam()
        : ZarvexWavelengthIndependentParam(ParamKind::Constant) {}
    double value = 0;
};

class ZarvexTextureWavelengthIndependentParam : public ZarvexWavelengthIndependentParam {
public:
    ZarvexTextureWavelengthIndependentParam()
        : ZarvexWavelengthIndependentParam(ParamKind::Texture) {}
    std::int32_t texture_index = 0;
};

class ZarvexShaderWavelengthIndependentParam : public ZarvexWavelengthIndependentParam {
public:
    ZarvexShaderWavelengthIndependentParam()
        : ZarvexWavelengthIndependentParam(ParamKind::Shader) {}
    std::string shader;
};

class ZarvexDisplacementParam : public RefCounted {
public:
    ParamKind kind() const { return kind_; }

protected:
    explicit ZarvexDisplacementParam(ParamKind kind) : kind_(kind) {}

private:
    ParamKind kind_;
};

class ZarvexConstantDisplacementParam : public ZarvexDisplacementParam {
public:
    ZarvexConstantDisplacementParam() : ZarvexDisplacementParam(ParamKind::Constant) {}
    double value = 0;
};

class ZarvexTextureDisplacementParam : public ZarvexDisplacementParam {
public:
    ZarvexTextureDisplacementParam() : ZarvexDisplacementParam(ParamKind::Texture) {}
    std::int32_t texture_index = 0;
};

class ZarvexShaderDisplacementParam : public ZarvexDisplacementParam {
public:
    ZarvexShaderDisplacementParam() : ZarvexDisplacementParam(ParamKind::Shader) {}
    std::string shader;
};

// ---- Materials -----------------------------------------------------------------------------
// Every parameter field may be empty: the file did not give the parameter.

enum class MaterialKind {
    Diffuse,
    OrenNayar,
    DiffuseTransmitter,
    Phong,
    Specular,
    GlossyTransparent,
    Blend
};

class ZarvexMaterial : public RefCounted {
public:
    MaterialKind kind() const { return kind_; }

    // A texture parameter of this material names one of these by its 0-based position.
    std::vector<ZarvexTexture> textures;

protected:
    explicit ZarvexMaterial(MaterialKind kind) : kind_(kind) {}

private:
    MaterialKind kind_;
};

class ZarvexDiffuse : public ZarvexMaterial {
public:
    ZarvexDiffuse() : ZarvexMaterial(MaterialKind::Diffuse) {}
    Reference<ZarvexWavelengthDependentParam> albedo;
    bool random_triangle_colours = false;
    Reference<ZarvexDisplacementParam> bump;
    Reference<ZarvexDisplacementParam> displacement;
    Reference<ZarvexWavelengthDependentParam> base_emission;
    Reference<ZarvexWavelengthDependentParam> emission;
    std::int32_t layer = 0;
};

class ZarvexOrenNayarMaterial : public ZarvexMaterial {
public:
    ZarvexOrenNayarMaterial() : ZarvexMaterial(MaterialKind::OrenNayar) {}
    Reference<ZarvexWavelengthDependentParam> albedo;
    Reference<ZarvexWavelengthIndependentParam> sigma; // the Oren-Nayar roughness
    Reference<ZarvexDisplacementParam> bump;
    Reference<ZarvexDisplacementParam> displacement;
    Reference<ZarvexWavelengthDependentParam> base_emission;
    Reference<ZarvexWavelengthDependentParam> emission;
    std::int32_t layer = 0;
};

class ZarvexDiffuseTransmitter : public ZarvexMaterial {
public:
    ZarvexDiffuseTransmitter() : ZarvexMaterial(MaterialKind::DiffuseTransmitter) {}
    Reference<ZarvexWavelengthDependentParam> albedo;
    Reference<ZarvexDisplacementParam> bump;
    Reference<ZarvexDisplacementParam> displacement;
    Reference<ZarvexWavelengthDependentParam> base_emission;
    Reference<ZarvexWavelengthDependentParam> emission;
    std::int32_t layer = 0;
};

class ZarvexPhongMaterial : public ZarvexMaterial {
public:
    ZarvexPhongMaterial() : ZarvexMaterial(MaterialKind::Phong) {}
    Reference<ZarvexWavelengthDependentParam> diffuse_albedo;
    Reference<ZarvexWavelengthDependentParam> specular_reflectivity;
    Reference<ZarvexWavelengthIndependentParam> exponent;
    Reference<ZarvexDisplacementParam> bump;
    Reference<ZarvexDisplacementParam> displacement;
    Reference<ZarvexWavelengthDependentParam> base_emission;
    Reference<ZarvexWavelengthDependentParam> emission;
    std::int32_t layer = 0;
    double fresnel_scale = 1.0;
    double ior = 1.5;    // index of refraction
    std::string nk_data; // n,k data reference; empty when not given
};

class ZarvexSpecularMaterial : public ZarvexMaterial {
public:
    ZarvexSpecularMaterial() : ZarvexMaterial(MaterialKind::Specular) {}
    std::string internal_medium_name;
    bool transparent = false;
    Reference<ZarvexDisplacementParam> bump;
    Reference<ZarvexDisplacementParam> displacement;
    Reference<ZarvexWavelengthDependentParam> base_emission;
    Reference<ZarvexWavelengthDependentParam> emission;
    std::int32_t layer = 0;
};

class ZarvexGlossyTransparent : public ZarvexMaterial {
public:
    ZarvexGlossyTransparent() : ZarvexMaterial(MaterialKind::GlossyTransparent) {}
    Reference<ZarvexWavelengthIndependentParam> exponent;
    std::string internal_medium_name;
    Reference<ZarvexDisplacementParam> bump;
    Reference<ZarvexDisplacementParam> displacement;
    Reference<ZarvexWavelengthDependentParam> base_emission;
    Reference<ZarvexWavelengthDependentParam> emission;
    std::int32_t layer = 0;
};

class ZarvexBlendMaterial : public ZarvexMaterial {
public:
    ZarvexBlendMaterial() : ZarvexMaterial(MaterialKind::Blend) {}
    std::string a_name; // the first blended material
    std::string b_name; // the second blended material
    Reference<ZarvexDisplacementParam> blend;
    bool step_blend = false;
};

} // namespace Zarvex
