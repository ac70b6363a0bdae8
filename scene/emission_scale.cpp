// Emission scales: how bright an emitting material is, in a photometric measure.
#include "export/exporter.h"

#include "objects/material_helper_ids.h"

namespace {

// The measure's name; empty for a value outside the table.
const char* helperMeasureText(int32_t measure) {
    switch (measure) {
    case MATHELPER_MEASURE_LUMINOUS_FLUX:
        return "luminous_flux";
    case MATHELPER_MEASURE_LUMINOUS_INTENSITY:
        return "luminous_intensity";
    case MATHELPER_MEASURE_LUMINANCE:
        return "luminance";
    case MATHELPER_MEASURE_LUMINOUS_EMITTANCE:
        return "luminous_emittance";
    default:
        return "";
    }
}

} // namespace

void ZarvexSceneExporter::writeHelperEmissionScale(TiXmlElement* parent,
                                                   const HostContainer& helper,
                                                   const std::string& materialName) {
    const int32_t measure = helper.getInt(MATHELPER_EMISSION_SCALE_MEASURE, 0);
    if (measure == MATHELPER_MEASURE_NONE) {
        return;
    }
    writeEmissionScale(parent, materialName, helperMeasureText(measure),
                       helper.getReal(MATHELPER_EMISSION_SCALE_VALUE, 100.0f));
}

void ZarvexSceneExporter::writeEmissionScale(TiXmlElement* parent, const std::string& materialName,
                                             const std::string& measure, float value) {
    TiXmlElement* scale = addElement("emission_scale", parent);
    addStringElement("material_name", materialName, scale);
    addStringElement("measure", measure, scale);
    addFloatElement("value", value, scale);
}
