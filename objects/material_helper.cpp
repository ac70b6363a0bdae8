#include "objects/material_helper.h"

#include "objects/material_helper_ids.h"
#include "plugin/host/node.h"

namespace {

void writeSurfaceDefaults(HostContainer& d) {
    d.setInt(MATHELPER_TYPE, MATHELPER_TYPE_DIFFUSE);
    d.setBool(MATHELPER_SYNC_HOST_COLOUR, true);
    d.setVector(MATHELPER_COLOUR, Vector(0.8f, 0.8f, 0.8f));
    d.setReal(MATHELPER_COLOUR_GAMMA, 2.2f);
    d.setBool(MATHELPER_RANDOM_TRIANGLE_COLOURS, false);
    d.setReal(MATHELPER_SIGMA, 0.2f);
    d.setReal(MATHELPER_IOR, 1.0f);
    d.setReal(MATHELPER_EXPONENT, 1000.0f);
    d.setBool(MATHELPER_USE_NK_DATA, false);
    d.setString(MATHELPER_NK_FILE, "Cr.nk");
    d.setBool(MATHELPER_TRANSPARENT, true);
    d.setReal(MATHELPER_BLEND_AMOUNT, 0.5f);
    d.setBool(MATHELPER_STEP_BLEND, false);
}

void writeMediumDefaults(HostContainer& d) {
    d.setInt(MATHELPER_MEDIUM_TYPE, MATHELPER_MEDIUM_BASIC);
    d.setInt(MATHELPER_PRECEDENCE, 10);
    d.setReal(MATHELPER_MEDIUM_IOR, 1.0f);
    d.setReal(MATHELPER_CAUCHY_B_COEFF, 0.0f);
    d.setReal(MATHELPER_MELANIN_FRACTION, 0.25f);
    d.setReal(MATHELPER_MELANIN_TYPE_BLEND, 0.5f);
    d.setReal(MATHELPER_HEMOGLOBIN_FRACTION, 0.01f);
    // A white absorption colour lets all light through.
    d.setInt(MATHELPER_ABSORPTION_TYPE, MATHELPER_ABSORPTION_RGB);
    d.setReal(MATHELPER_ABSORPTION_TEMPERATURE, 6500.0f);
    d.setReal(MATHELPER_ABSORPTION_GAIN, 1.0f);
    d.setReal(MATHELPER_ABSORPTION_VALUE, 1.0f);
    d.setVector(MATHELPER_ABSORPTION_COLOUR, Vector(1, 1, 1));
    d.setReal(MATHELPER_ABSORPTION_GAMMA, 1.0f);
    d.setReal(MATHELPER_ABSORPTION_SCALE, 1.0f);
    d.setBool(MATHELPER_SUBSURFACE_SCATTERING, false);
    d.setInt(MATHELPER_SCATTERING_TYPE, MATHELPER_SCATTERING_RGB);
    d.setReal(MATHELPER_SCATTERING_TEMPERATURE, 6500.0f);
    d.setReal(MATHELPER_SCATTERING_GAIN, 1.0f);
    d.setReal(MATHELPER_SCATTERING_VALUE, 1.0f);
    d.setVector(MATHELPER_SCATTERING_COLOUR, Vector(0, 0, 0));
    d.setReal(MATHELPER_SCATTERING_GAMMA, 1.0f);
    d.setReal(MATHELPER_SCATTERING_SCALE, 1.0f);
    d.setInt(MATHELPER_PHASE_FUNCTION, MATHELPER_PHASE_UNIFORM);
    d.setInt(MATHELPER_G_TYPE, MATHELPER_G_UNIFORM);
    d.setReal(MATHELPER_G_VALUE, 0.9f);
    d.setReal(MATHELPER_G_RED, 0.9f);
    d.setReal(MATHELPER_G_GREEN, 0.9f);
    d.setReal(MATHELPER_G_BLUE, 0.9f);
    d.setReal(MATHELPER_G_GAMMA, 1.0f);
}

void writeEmissionDefaults(HostContainer& d) {
    d.setBool(MATHELPER_EMISSION, false);
    d.setInt(MATHELPER_EMISSION_LAYER, 0);
    d.setInt(MATHELPER_EMISSION_TYPE, MATHELPER_EMISSION_RGB);
    d.setVector(MATHELPER_EMISSION_COLOUR, Vector(1, 1, 1));
    d.setReal(MATHELPER_EMISSION_GAMMA, 1.0f);
    d.setReal(MATHELPER_EMISSION_SCALE, 1.0f);
    d.setReal(MATHELPER_EMISSION_VALUE, 1.0f);
    d.setReal(MATHELPER_EMISSION_TEMPERATURE, 6500.0f);
    d.setReal(MATHELPER_EMISSION_GAIN, 1.0f);
    d.setInt(MATHELPER_EMISSION_SCALE_MEASURE, MATHELPER_MEASURE_NONE);
    d.setReal(MATHELPER_EMISSION_SCALE_VALUE, 100.0f);
    d.setBool(MATHELPER_USE_IES, false);
}

struct ChannelDefaults {
    int32_t choice, choiceValue;
    int32_t exponent, a, b, c;
    float exponentValue, bValue;
};

// Every property starts on the host channel that usually carries it; a and c start at 0.
constexpr ChannelDefaults kChannels[] = {
    {MATHELPER_ALBEDO_CHANNEL, MATHELPER_CHANNEL_0, MATHELPER_ALBEDO_TEX_EXPONENT,
     MATHELPER_ALBEDO_TEX_A, MATHELPER_ALBEDO_TEX_B, MATHELPER_ALBEDO_TEX_C, 2.2f, 1.0f},
    {MATHELPER_BLEND_CHANNEL, MATHELPER_CHANNEL_7, MATHELPER_BLEND_TEX_EXPONENT,
     MATHELPER_BLEND_TEX_A, MATHELPER_BLEND_TEX_B, MATHELPER_BLEND_TEX_C, 1.0f, 1.0f},
    {MATHELPER_EXPONENT_CHANNEL, MATHELPER_CHANNEL_9, MATHELPER_EXPONENT_TEX_EXPONENT,
     MATHELPER_EXPONENT_TEX_A, MATHELPER_EXPONENT_TEX_B, MATHELPER_EXPONENT_TEX_C, 1.0f, 10000.0f},
    {MATHELPER_BUMP_CHANNEL, MATHELPER_CHANNEL_6, MATHELPER_BUMP_TEX_EXPONENT, MATHELPER_BUMP_TEX_A,
     MATHELPER_BUMP_TEX_B, MATHELPER_BUMP_TEX_C, 1.0f, 0.001f},
    {MATHELPER_DISPLACEMENT_CHANNEL, MATHELPER_CHANNEL_11, MATHELPER_DISPLACEMENT_TEX_EXPONENT,
     MATHELPER_DISPLACEMENT_TEX_A, MATHELPER_DISPLACEMENT_TEX_B, MATHELPER_DISPLACEMENT_TEX_C, 1.0f,
     0.001f},
    {MATHELPER_EMISSION_CHANNEL, MATHELPER_CHANNEL_1, MATHELPER_EMISSION_TEX_EXPONENT,
     MATHELPER_EMISSION_TEX_A, MATHELPER_EMISSION_TEX_B, MATHELPER_EMISSION_TEX_C, 1.0f, 1000.0f},
};

void writeChannelDefaults(HostContainer& d) {
    for (const ChannelDefaults& c : kChannels) {
        d.setInt(c.choice, c.choiceValue);
        d.setReal(c.exponent, c.exponentValue);
        d.setReal(c.a, 0.0f);
        d.setReal(c.b, c.bValue);
        d.setReal(c.c, 0.0f);
    }
    d.setInt(MATHELPER_EXTRA_CHANNEL, MATHELPER_CHANNEL_12);
}

} // namespace

bool MyMaterialHelper::init(HostNode* node) {
    HostContainer& data = node->data();
    writeSurfaceDefaults(data);
    writeMediumDefaults(data);
    writeEmissionDefaults(data);
    writeChannelDefaults(data);
    return true;
}
