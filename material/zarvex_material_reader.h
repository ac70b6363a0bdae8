// Reading one material from the kind element of a material file.
//
// The material import finds the kind element (diffuse, oren_nayar, phong, specular,
// glossy_transparent, diffuse_transmitter or blend) inside a material element and calls the
// read operation for it. Both generations of the format are read: the current one, where every
// parameter holds one of constant, texture or shader, and the older one with shortcuts (colour,
// *_spectrum elements, albedo_texture, bump_map, displacement_map, exponent_map, blend_map,
// plain numbers for sigma and exponent).
//
// Every read is strict: a kind element first passes its allowed list, required children must
// be there, numbers must parse completely. A texture index must be below the number of textures
// the material has at the moment the parameter is read: `texture` children are read first,
// shortcut textures are appended when the shortcuts are read, so parameters read before the
// shortcuts do not see them. The first problem throws ZarvexSceneParseUtilsExcep with a message
// ending in the context of the offending element; nothing is returned partially, and whatever
// was built is released.
#pragma once

#include "material/zarvex_material.h"
#include "material/zarvex_scene_parse_utils.h"

#include <vector>

namespace Zarvex {

// The seven kinds. Each returns a complete material or throws ZarvexSceneParseUtilsExcep.
Reference<ZarvexDiffuse> readDiffuse(const TiXmlElement& element);
Reference<ZarvexOrenNayarMaterial> readOrenNayar(const TiXmlElement& element);
Reference<ZarvexDiffuseTransmitter> readDiffuseTransmitter(const TiXmlElement& element);
// Current form when `exponent` holds constant, texture or shader; older form otherwise.
Reference<ZarvexPhongMaterial> readPhong(const TiXmlElement& element);
Reference<ZarvexSpecularMaterial> readSpecular(const TiXmlElement& element);
Reference<ZarvexGlossyTransparent> readGlossyTransparent(const TiXmlElement& element);
// Older form when a blend_factor child is present; current form otherwise.
Reference<ZarvexBlendMaterial> readBlend(const TiXmlElement& element);

// Building blocks, each throwing ZarvexSceneParseUtilsExcep.

// A parameter element holding one of constant (a spectrum), texture (texture_index) or shader
// (a shader child with the source). Texture indices are checked against `textures`: "Texture
// index '<i>' is out of bounds." with the context of the texture element.
Reference<ZarvexWavelengthDependentParam>
readWavelengthDependentParam(const TiXmlElement& element,
                             const std::vector<ZarvexTexture>& textures);
// As above with a number in constant.
Reference<ZarvexWavelengthIndependentParam>
readWavelengthIndependentParam(const TiXmlElement& element,
                               const std::vector<ZarvexTexture>& textures);
Reference<ZarvexDisplacementParam>
readDisplacementParam(const TiXmlElement& element, const std::vector<ZarvexTexture>& textures);

// An element holding one of blackbody, peak, rgb, uniform, regular_tabulated. A tabulated
// spectrum needs 2 to 1e6 values, a start wavelength of at most 0.4e-6 m and an end wavelength
// of at least 0.7e-6 m (the bounds themselves pass); its wavelengths are stored in nanometres.
Reference<ZarvexSpectrum> readSpectrum(const TiXmlElement& element);

// A texture record: path and uv_set required; a, b, c, exponent and tex_coord_generation
// optional. Other children are ignored.
ZarvexTexture readTexture(const TiXmlElement& element);
// A tex_coord_generation element holding one of uv, spherical, spherical_environment.
Reference<ZarvexTexCoordGenerator> readTexCoordGenerator(const TiXmlElement& element);
// A rotation element holding one of matrix (nine numbers), axis_rotation (axis and angle).
Reference<ZarvexRotation> readRotation(const TiXmlElement& element);

// Appends every texture child of the kind element, in document order.
void readTextures(const TiXmlElement& kindElement, std::vector<ZarvexTexture>& textures);
// The first of colour (gamma 2.2 applied), albedo_spectrum, albedo present; empty if none.
Reference<ZarvexWavelengthDependentParam> readAlbedo(const TiXmlElement& kindElement,
                                                     const std::vector<ZarvexTexture>& textures);
// Reads albedo_texture, bump_map and displacement_map, each appended to `textures` and turned
// into a texture parameter that replaces `*albedo` (when not null), `bump` or `displacement`.
void readLegacyMaps(const TiXmlElement& kindElement, std::vector<ZarvexTexture>& textures,
                    Reference<ZarvexWavelengthDependentParam>* albedo,
                    Reference<ZarvexDisplacementParam>& bump,
                    Reference<ZarvexDisplacementParam>& displacement);

} // namespace Zarvex
