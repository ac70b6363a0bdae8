// Spectra, emission, textures, shaders and includes: the pieces that material, medium, emitter
// and background writers build their elements from.
#include "export/exporter.h"

#include "objects/material_helper_ids.h"
#include "objects/zsl_shader_ids.h"
#include "plugin/host/application.h"
#include "plugin/host/document.h"
#include "plugin/host/host_ids.h"
#include "plugin/host/material.h"
#include "plugin/plugin_ids.h"
#include "scene/channel_choice.h"
#include "scene/relative_path.h"

namespace {

// Which helper parameters give one property's channel and texture.
struct ChannelParameters {
    const char* element;
    int32_t choice;
    int32_t exponent, a, b, c;
};

ChannelParameters channelParameters(ChannelKind kind) {
    switch (kind) {
    case ChannelKind::Bump:
        return {"bump",
                MATHELPER_BUMP_CHANNEL,
                MATHELPER_BUMP_TEX_EXPONENT,
                MATHELPER_BUMP_TEX_A,
                MATHELPER_BUMP_TEX_B,
                MATHELPER_BUMP_TEX_C};
    case ChannelKind::Exponent:
        return {"exponent",
                MATHELPER_EXPONENT_CHANNEL,
                MATHELPER_EXPONENT_TEX_EXPONENT,
                MATHELPER_EXPONENT_TEX_A,
                MATHELPER_EXPONENT_TEX_B,
                MATHELPER_EXPONENT_TEX_C};
    case ChannelKind::Displacement:
        return {"displacement",
                MATHELPER_DISPLACEMENT_CHANNEL,
                MATHELPER_DISPLACEMENT_TEX_EXPONENT,
                MATHELPER_DISPLACEMENT_TEX_A,
                MATHELPER_DISPLACEMENT_TEX_B,
                MATHELPER_DISPLACEMENT_TEX_C};
    case ChannelKind::Emission:
        return {"emission",
                MATHELPER_EMISSION_CHANNEL,
                MATHELPER_EMISSION_TEX_EXPONENT,
                MATHELPER_EMISSION_TEX_A,
                MATHELPER_EMISSION_TEX_B,
                MATHELPER_EMISSION_TEX_C};
    case ChannelKind::Blend:
        return {"blend",
                MATHELPER_BLEND_CHANNEL,
                MATHELPER_BLEND_TEX_EXPONENT,
                MATHELPER_BLEND_TEX_A,
                MATHELPER_BLEND_TEX_B,
                MATHELPER_BLEND_TEX_C};
    case ChannelKind::Albedo:
        break;
    }
    return {"albedo",
            MATHELPER_ALBEDO_CHANNEL,
            MATHELPER_ALBEDO_TEX_EXPONENT,
            MATHELPER_ALBEDO_TEX_A,
            MATHELPER_ALBEDO_TEX_B,
            MATHELPER_ALBEDO_TEX_C};
}

void replaceAll(std::string& text, const std::string& placeholder, const std::string& value) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + value.size())) {
        text.replace(at, placeholder.size(), value);
    }
}

// `text` as CDATA sections of `parent`. A section ends at the first "]]>", so text holding one is
// split between its "]]" and ">" into several sections that read back as the text itself.
void appendCdata(const std::string& text, TiXmlElement* parent) {
    std::size_t from = 0;
    for (std::size_t at = text.find("]]>"); at != std::string::npos;
         at = text.find("]]>", at + 1)) {
        auto* section = new TiXmlText(text.substr(from, at + 2 - from));
        section->SetCDATA(true);
        parent->LinkEndChild(section);
        from = at + 2;
    }
    auto* section = new TiXmlText(text.substr(from));
    section->SetCDATA(true);
    parent->LinkEndChild(section);
}

} // namespace

void ZarvexSceneExporter::writeUniformSpectrum(float value, TiXmlElement* parent) {
    TiXmlElement* uniform = addElement("uniform", parent);
    addFloatElement("value", value, uniform);
}

void ZarvexSceneExporter::writeRgbSpectrum(float r, float g, float b, float gamma, float scale,
                                           TiXmlElement* parent) {
    TiXmlElement* rgb = addElement("rgb", parent);
    addVectorElement("rgb", r * scale, g * scale, b * scale, rgb, false);
    addFloatElement("gamma", gamma, rgb);
}

void ZarvexSceneExporter::writeBlackbodySpectrum(float temperature, float gain,
                                                 TiXmlElement* parent) {
    TiXmlElement* blackbody = addElement("blackbody", parent);
    addFloatElement("temperature", temperature, blackbody);
    addFloatElement("gain", gain, blackbody);
}

void ZarvexSceneExporter::writePeakSpectrum(float peakMin, float peakWidth, float baseValue,
                                            float peakValue, TiXmlElement* parent) {
    TiXmlElement* peak = addElement("peak", parent);
    addFloatElement("peak_min", peakMin, peak);
    addFloatElement("peak_width", peakWidth, peak);
    addFloatElement("base_value", baseValue, peak);
    addFloatElement("peak_value", peakValue, peak);
}

void ZarvexSceneExporter::writeTabulatedSpectrum(const std::string& start, const std::string& end,
                                                 int32_t count, const std::string& values,
                                                 TiXmlElement* parent) {
    TiXmlElement* tabulated = addElement("regular_tabulated", parent);
    addStringElement("start_wavelength", start, tabulated);
    addStringElement("end_wavelength", end, tabulated);
    addIntElement("num_values", count, tabulated);
    addStringElement("values", values, tabulated);
}

bool ZarvexSceneExporter::writeBaseEmission(const HostContainer& helper, TiXmlElement* parent) {
    TiXmlElement* baseEmission = addElement("base_emission", parent);
    TiXmlElement* constant = addElement("constant", baseEmission);
    switch (helper.getInt(MATHELPER_EMISSION_TYPE, 0)) {
    case MATHELPER_EMISSION_RGB: {
        const Vector colour = helper.getVector(MATHELPER_EMISSION_COLOUR);
        writeRgbSpectrum(colour.x, colour.y, colour.z, helper.getReal(MATHELPER_EMISSION_GAMMA),
                         helper.getReal(MATHELPER_EMISSION_SCALE), constant);
        break;
    }
    case MATHELPER_EMISSION_UNIFORM:
        writeUniformSpectrum(helper.getReal(MATHELPER_EMISSION_VALUE), constant);
        break;
    case MATHELPER_EMISSION_BLACKBODY:
        writeBlackbodySpectrum(helper.getReal(MATHELPER_EMISSION_TEMPERATURE),
                               helper.getReal(MATHELPER_EMISSION_GAIN), constant);
        break;
    case MATHELPER_EMISSION_TABULATED:
        writeTabulatedSpectrum(helper.getString(MATHELPER_EMISSION_START),
                               helper.getString(MATHELPER_EMISSION_END),
                               helper.getInt(MATHELPER_EMISSION_COUNT, 0),
                               helper.getString(MATHELPER_EMISSION_VALUES), constant);
        break;
    default:
        break;
    }
    addIntElement("layer", emitterLayer(helper.getInt(MATHELPER_EMISSION_LAYER, 0)), parent);
    return true;
}

HostFilename ZarvexSceneExporter::resolveTexturePath(const HostFilename& documentPath,
                                                     const HostFilename& file) const {
    // A name with a drive letter is where the user put it; everything else is looked for.
    if (file.text().size() >= 2 && file.text()[1] == ':') {
        return file;
    }
    HostFilename found;
    if (!host().searchTexture(documentPath, file, HostFilename(), found)) {
        return HostFilename();
    }
    return found.empty() ? file : found;
}

bool ZarvexSceneExporter::writeTextureFromShader(HostShader* bitmap, TiXmlElement* parent,
                                                 float exponent, float a, float b, float c) {
    if (bitmap == nullptr) {
        return false;
    }
    const HostFilename documentFolder = document_ ? document_->path().directory() : HostFilename();
    const HostFilename file = resolveTexturePath(
        documentFolder, bitmap->data().getFilename(HostShaderParam::kBitmapFile));
    writeTextureFromFile(parent, file, exponent, a, b, c);
    return true;
}

void ZarvexSceneExporter::writeTextureFromFile(TiXmlElement* parent, const HostFilename& file,
                                               float exponent, float a, float b, float c) {
    TiXmlElement* texture = addElement("texture", parent);
    addStringElement("uv_set", "default", texture);
    // The renderer opens textures relative to the scene file.
    addStringElement("path", relativePath(sceneDirectory_.text(), file.text()).value_or(""),
                     texture);
    addFloatElement("exponent", exponent, texture);
    addFloatElement("a", a, texture);
    addFloatElement("b", b, texture);
    addFloatElement("c", c, texture);
}

void ZarvexSceneExporter::writeTextureIndex(TiXmlElement* parent, int32_t index) {
    TiXmlElement* texture = addElement("texture", parent);
    addIntElement("texture_index", index, texture);
}

bool ZarvexSceneExporter::writeShaderParameter(TiXmlElement* typeElement, TiXmlElement* property,
                                               HostShader* shader, int32_t& counter) {
    if (shader == nullptr) {
        return false;
    }
    TiXmlElement* outer = addElement("shader", property);
    std::string program = shader->data().getString(ZSL_CODE, "no shader");
    const int32_t slots[] = {ZSL_TEXTURE_1, ZSL_TEXTURE_2, ZSL_TEXTURE_3};
    const char* const placeholders[] = {"$tex01$", "$tex02$", "$tex03$"};
    for (int slot = 0; slot < 3; ++slot) {
        const HostFilename file = shader->data().getFilename(slots[slot]);
        if (file.empty()) {
            continue;
        }
        writeTextureFromFile(typeElement, file, 2.2f, 0.0f, 1.0f, 0.0f);
        replaceAll(program, placeholders[slot], std::to_string(counter));
        ++counter;
    }
    TiXmlElement* inner = addElement("shader", outer);
    appendCdata(program, inner);
    return true;
}

bool ZarvexSceneExporter::writeChannelParameter(ChannelKind kind, const HostContainer& helper,
                                                HostMaterial* material, TiXmlElement* typeElement,
                                                int32_t& counter, bool diffuseAlbedo) {
    if (material == nullptr) {
        return false;
    }
    const ChannelParameters p = channelParameters(kind);
    const HostChannelChoice choice = channelForChoice(helper.getInt(p.choice, 0));
    if (!material->channelEnabled(choice.channel)) {
        return false;
    }
    HostNode* linked = material->data().getLink(choice.shaderLink, material->document());
    HostShader* shader = linked ? linked->toShader() : nullptr;
    if (shader == nullptr) {
        return false;
    }
    const char* element =
        kind == ChannelKind::Albedo && diffuseAlbedo ? "diffuse_albedo" : p.element;
    if (shader->type() == HostType::kBitmapShader) {
        writeTextureFromShader(shader, typeElement, helper.getReal(p.exponent, 0.0f),
                               helper.getReal(p.a, 0.0f), helper.getReal(p.b, 0.0f),
                               helper.getReal(p.c, 0.0f));
        TiXmlElement* property = addElement(element, typeElement);
        writeTextureIndex(property, counter);
        ++counter;
        return true;
    }
    if (shader->type() == PluginId::kZslShader) {
        TiXmlElement* property = addElement(element, typeElement);
        writeShaderParameter(typeElement, property, shader, counter);
        return true;
    }
    return false;
}

void ZarvexSceneExporter::writeInclude(const HostFilename& file) {
    TiXmlElement* include = addElement("include", sceneRoot_);
    addStringElement("pathname", file.text(), include);
}
