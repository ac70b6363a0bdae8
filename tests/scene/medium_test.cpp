// The medium of transparent materials.
#include "scene_fixture.h"

#include "plugin/host/material.h"

namespace scenetest {
namespace {

class MediumWriter : public SceneTest {
protected:
    MediumWriter() : helper_(addHelper(addMaterial("Glass"), MATHELPER_TYPE_SPECULAR)) {}
    HostContainer& helper() { return helper_->data(); }
    std::string written() {
        exporter_.begin();
        EXPECT_TRUE(exporter_.writeMedium(helper()));
        return scene();
    }
    HostObject* helper_;
};

const char* const kHead = "<medium><name>MedGlass</name><precedence>10</precedence>";

TEST_F(MediumWriter, FreshSpecularHelperAbsorbsNothing) {
    EXPECT_EQ(written(), std::string(kHead) +
                             "<basic><ior>1.000000</ior><cauchy_b_coeff>0.000000</cauchy_b_coeff>"
                             "<absorption_coefficient_spectrum><rgb>"
                             "<rgb>0.000000 0.000000 0.000000</rgb><gamma>1.000000</gamma></rgb>"
                             "</absorption_coefficient_spectrum></basic></medium>");
}

TEST_F(MediumWriter, AbsorptionSpectra) {
    helper().setVector(MATHELPER_ABSORPTION_COLOUR, Vector(0.2f, 0.5f, 1.0f));
    helper().setReal(MATHELPER_ABSORPTION_SCALE, 3.0f);
    helper().setString(MATHELPER_ABSORPTION_START, "400");
    helper().setString(MATHELPER_ABSORPTION_END, "700");
    helper().setInt(MATHELPER_ABSORPTION_COUNT, 2);
    helper().setString(MATHELPER_ABSORPTION_VALUES, "0.1 0.2");
    const std::pair<int32_t, std::string> cases[] = {
        {MATHELPER_ABSORPTION_RGB,
         "<rgb><rgb>2.400000 1.500000 0.000000</rgb><gamma>1.000000</gamma></rgb>"},
        {MATHELPER_ABSORPTION_BLACKBODY,
         "<blackbody><temperature>6500.000000</temperature><gain>1.000000</gain></blackbody>"},
        {MATHELPER_ABSORPTION_UNIFORM, "<uniform><value>1.000000</value></uniform>"},
        {MATHELPER_ABSORPTION_TABULATED,
         "<regular_tabulated><start_wavelength>400</start_wavelength><end_wavelength>700"
         "</end_wavelength><num_values>2</num_values><values>0.1 0.2</values>"
         "</regular_tabulated>"},
    };
    for (const auto& [kind, spectrum] : cases) {
        helper().setInt(MATHELPER_ABSORPTION_TYPE, kind);
        const std::string text = written();
        EXPECT_NE(text.find("<absorption_coefficient_spectrum>" + spectrum +
                            "</absorption_coefficient_spectrum>"),
                  std::string::npos)
            << text;
    }
    helper().setInt(MATHELPER_ABSORPTION_TYPE, MATHELPER_ABSORPTION_PEAK);
    EXPECT_NE(written().find("<absorption_coefficient_spectrum />"), std::string::npos);
}

TEST_F(MediumWriter, SubsurfaceScatteringAndPhaseFunctions) {
    helper().setBool(MATHELPER_SUBSURFACE_SCATTERING, true);
    const std::string rgbZero =
        "<scattering_coefficient_spectrum><rgb><rgb>0.000000 0.000000 0.000000</rgb>"
        "<gamma>1.000000</gamma></rgb></scattering_coefficient_spectrum>";
    EXPECT_NE(written().find("</absorption_coefficient_spectrum><subsurface_scattering>" + rgbZero +
                             "<phase_function><uniform /></phase_function>"
                             "</subsurface_scattering></basic>"),
              std::string::npos);

    helper().setInt(MATHELPER_PHASE_FUNCTION, MATHELPER_PHASE_HENYEY_GREENSTEIN);
    const std::pair<int32_t, std::string> cases[] = {
        {MATHELPER_G_UNIFORM, "<uniform><value>0.900000</value></uniform>"},
        {MATHELPER_G_RGB,
         "<rgb><rgb>0.900000 0.900000 0.900000</rgb><gamma>1.000000</gamma></rgb>"},
        {4711, ""},
    };
    for (const auto& [kind, g] : cases) {
        helper().setInt(MATHELPER_G_TYPE, kind);
        const std::string gSpectrum =
            g.empty() ? "<g_spectrum />" : "<g_spectrum>" + g + "</g_spectrum>";
        EXPECT_NE(written().find("<phase_function><henyey_greenstein>" + gSpectrum +
                                 "</henyey_greenstein></phase_function>"),
                  std::string::npos)
            << kind;
    }
    helper().setInt(MATHELPER_SCATTERING_TYPE, MATHELPER_SCATTERING_UNIFORM);
    helper().setReal(MATHELPER_SCATTERING_VALUE, 0.5f);
    EXPECT_NE(written().find("<scattering_coefficient_spectrum><uniform><value>0.500000</value>"),
              std::string::npos);
}

TEST_F(MediumWriter, SkinLayers) {
    helper().setInt(MATHELPER_MEDIUM_TYPE, MATHELPER_MEDIUM_EPIDERMIS);
    EXPECT_EQ(written(), std::string(kHead) +
                             "<epidermis><melanin_fraction>0.250000</melanin_fraction>"
                             "<melanin_type_blend>0.500000</melanin_type_blend></epidermis>"
                             "</medium>");
    helper().setInt(MATHELPER_MEDIUM_TYPE, MATHELPER_MEDIUM_DERMIS);
    EXPECT_EQ(written(), std::string(kHead) +
                             "<dermis><hemoglobin_fraction>0.010000</hemoglobin_fraction>"
                             "</dermis></medium>");
    helper().setInt(MATHELPER_MEDIUM_TYPE, 4711);
    helper().remove(MATHELPER_PRECEDENCE);
    EXPECT_EQ(written(), "<medium><name>MedGlass</name><precedence>1</precedence></medium>");
}

} // namespace
} // namespace scenetest
