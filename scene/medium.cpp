// The medium of transparent materials: the volume light passes through inside the object.
#include "export/exporter.h"

#include "objects/material_helper_ids.h"
#include "plugin/host/material.h"

namespace {

// One spectrum of a medium: which helper parameters hold each kind's values.
struct SpectrumParameters {
    int32_t rgb, blackbody, uniform, tabulated;
    int32_t colour, gamma, scale;
    int32_t temperature, gain;
    int32_t value;
    int32_t start, end, count, values;
};

constexpr SpectrumParameters kAbsorption = {
    MATHELPER_ABSORPTION_RGB,       MATHELPER_ABSORPTION_BLACKBODY,   MATHELPER_ABSORPTION_UNIFORM,
    MATHELPER_ABSORPTION_TABULATED, MATHELPER_ABSORPTION_COLOUR,      MATHELPER_ABSORPTION_GAMMA,
    MATHELPER_ABSORPTION_SCALE,     MATHELPER_ABSORPTION_TEMPERATURE, MATHELPER_ABSORPTION_GAIN,
    MATHELPER_ABSORPTION_VALUE,     MATHELPER_ABSORPTION_START,       MATHELPER_ABSORPTION_END,
    MATHELPER_ABSORPTION_COUNT,     MATHELPER_ABSORPTION_VALUES};

constexpr SpectrumParameters kScattering = {
    MATHELPER_SCATTERING_RGB,       MATHELPER_SCATTERING_BLACKBODY,   MATHELPER_SCATTERING_UNIFORM,
    MATHELPER_SCATTERING_TABULATED, MATHELPER_SCATTERING_COLOUR,      MATHELPER_SCATTERING_GAMMA,
    MATHELPER_SCATTERING_SCALE,     MATHELPER_SCATTERING_TEMPERATURE, MATHELPER_SCATTERING_GAIN,
    MATHELPER_SCATTERING_VALUE,     MATHELPER_SCATTERING_START,       MATHELPER_SCATTERING_END,
    MATHELPER_SCATTERING_COUNT,     MATHELPER_SCATTERING_VALUES};

// The helper keeps the colour that passes through; with `invert` the spectrum written is what the
// medium absorbs, 1 - colour.
void writeMediumSpectrum(ZarvexSceneExporter& exporter, const HostContainer& helper, int32_t kind,
                         const SpectrumParameters& p, bool invert, TiXmlElement* parent) {
    if (kind == p.rgb) {
        Vector colour = helper.getVector(p.colour);
        if (invert) {
            colour = Vector(1.0f - colour.x, 1.0f - colour.y, 1.0f - colour.z);
        }
        exporter.writeRgbSpectrum(colour.x, colour.y, colour.z, helper.getReal(p.gamma),
                                  helper.getReal(p.scale), parent);
    } else if (kind == p.blackbody) {
        exporter.writeBlackbodySpectrum(helper.getReal(p.temperature), helper.getReal(p.gain),
                                        parent);
    } else if (kind == p.uniform) {
        exporter.writeUniformSpectrum(helper.getReal(p.value), parent);
    } else if (kind == p.tabulated) {
        exporter.writeTabulatedSpectrum(helper.getString(p.start), helper.getString(p.end),
                                        helper.getInt(p.count), helper.getString(p.values), parent);
    }
}

void writePhaseFunction(ZarvexSceneExporter& exporter, const HostContainer& helper,
                        TiXmlElement* parent) {
    TiXmlElement* phase = exporter.addElement("phase_function", parent);
    switch (helper.getInt(MATHELPER_PHASE_FUNCTION)) {
    case MATHELPER_PHASE_UNIFORM:
        exporter.addElement("uniform", phase);
        break;
    case MATHELPER_PHASE_HENYEY_GREENSTEIN: {
        TiXmlElement* g =
            exporter.addElement("g_spectrum", exporter.addElement("henyey_greenstein", phase));
        switch (helper.getInt(MATHELPER_G_TYPE, MATHELPER_G_UNIFORM)) {
        case MATHELPER_G_UNIFORM:
            exporter.writeUniformSpectrum(helper.getReal(MATHELPER_G_VALUE), g);
            break;
        case MATHELPER_G_RGB:
            exporter.writeRgbSpectrum(
                helper.getReal(MATHELPER_G_RED), helper.getReal(MATHELPER_G_GREEN),
                helper.getReal(MATHELPER_G_BLUE), helper.getReal(MATHELPER_G_GAMMA), 1.0f, g);
            break;
        default:
            break;
        }
        break;
    }
    default:
        break;
    }
}

void writeBasicMedium(ZarvexSceneExporter& exporter, const HostContainer& helper,
                      TiXmlElement* medium) {
    TiXmlElement* basic = exporter.addElement("basic", medium);
    exporter.addFloatElement("ior", helper.getReal(MATHELPER_MEDIUM_IOR), basic);
    exporter.addFloatElement("cauchy_b_coeff", helper.getReal(MATHELPER_CAUCHY_B_COEFF), basic);
    writeMediumSpectrum(exporter, helper, helper.getInt(MATHELPER_ABSORPTION_TYPE), kAbsorption,
                        true, exporter.addElement("absorption_coefficient_spectrum", basic));
    if (helper.getBool(MATHELPER_SUBSURFACE_SCATTERING)) {
        TiXmlElement* scattering = exporter.addElement("subsurface_scattering", basic);
        writeMediumSpectrum(exporter, helper, helper.getInt(MATHELPER_SCATTERING_TYPE), kScattering,
                            false,
                            exporter.addElement("scattering_coefficient_spectrum", scattering));
        writePhaseFunction(exporter, helper, scattering);
    }
}

} // namespace

bool ZarvexSceneExporter::writeMedium(const HostContainer& helper) {
    HostNode* linked = helper.getLink(MATHELPER_MATERIAL, document_);
    const HostMaterial* material = linked ? linked->toMaterial() : nullptr;
    TiXmlElement* medium = addElement("medium", sceneRoot_);
    // The transparent material names its medium by the same text.
    addStringElement("name", "Med" + (material ? material->name() : std::string()), medium);
    addIntElement("precedence", helper.getInt(MATHELPER_PRECEDENCE, 1), medium);
    switch (helper.getInt(MATHELPER_MEDIUM_TYPE)) {
    case MATHELPER_MEDIUM_BASIC:
        writeBasicMedium(*this, helper, medium);
        break;
    case MATHELPER_MEDIUM_DERMIS: {
        TiXmlElement* dermis = addElement("dermis", medium);
        addFloatElement("hemoglobin_fraction", helper.getReal(MATHELPER_HEMOGLOBIN_FRACTION),
                        dermis);
        break;
    }
    case MATHELPER_MEDIUM_EPIDERMIS: {
        TiXmlElement* epidermis = addElement("epidermis", medium);
        addFloatElement("melanin_fraction", helper.getReal(MATHELPER_MELANIN_FRACTION), epidermis);
        addFloatElement("melanin_type_blend", helper.getReal(MATHELPER_MELANIN_TYPE_BLEND),
                        epidermis);
        break;
    }
    default:
        break;
    }
    return true;
}
