#include "material/zarvex_material.h"

#include <gtest/gtest.h>

namespace {

using namespace Zarvex;

// Records its own destruction, to see when the last reference let go.
template <typename Base> class Watched : public Base {
public:
    explicit Watched(bool& destroyed) : destroyed_(destroyed) {}
    ~Watched() override { destroyed_ = true; }

private:
    bool& destroyed_;
};

TEST(Reference, CountsHoldersAndDestroysWithTheLast) {
    bool destroyed = false;
    Reference<ZarvexSpectrum> first(new Watched<ZarvexUniformSpectrum>(destroyed));
    EXPECT_EQ(first->refCount(), 1);
    {
        Reference<ZarvexSpectrum> second = first;
        EXPECT_EQ(first->refCount(), 2);
        second = second; // self-assignment changes nothing
        EXPECT_EQ(first->refCount(), 2);
    }
    EXPECT_EQ(first->refCount(), 1);
    EXPECT_FALSE(destroyed);
    first = Reference<ZarvexSpectrum>();
    EXPECT_TRUE(destroyed);
    EXPECT_TRUE(first.isNull());
}

TEST(Reference, AssigningAnObjectOnlyTheOldTargetKeepsAliveIsSafe) {
    bool rotationDestroyed = false;
    Reference<ZarvexSphericalTexCoordGenerator> generator(new ZarvexSphericalTexCoordGenerator);
    generator->rotation = new Watched<ZarvexAxisRotation>(rotationDestroyed);
    Reference<RefCounted> holder(generator);
    generator = Reference<ZarvexSphericalTexCoordGenerator>();
    // holder is now the only owner of the generator, which alone owns the rotation.
    Reference<ZarvexRotation> rotation = holder.as<ZarvexSphericalTexCoordGenerator>()->rotation;
    holder = Reference<RefCounted>();
    EXPECT_FALSE(rotationDestroyed);
    EXPECT_EQ(rotation->refCount(), 1);
}

TEST(MaterialModel, SharedSpectrumSurvivesTheReleaseOfOneHolder) {
    bool destroyed = false;
    Reference<ZarvexSpectrum> spectrum(new Watched<ZarvexRGBSpectrum>(destroyed));
    Reference<ZarvexConstantWavelengthDependentParam> albedo(
        new ZarvexConstantWavelengthDependentParam);
    Reference<ZarvexConstantWavelengthDependentParam> emission(
        new ZarvexConstantWavelengthDependentParam);
    albedo->spectrum = spectrum;
    emission->spectrum = spectrum;
    spectrum = Reference<ZarvexSpectrum>();
    albedo = Reference<ZarvexConstantWavelengthDependentParam>();
    EXPECT_FALSE(destroyed);
    EXPECT_EQ(emission->spectrum->kind(), SpectrumKind::RGB);
    emission = Reference<ZarvexConstantWavelengthDependentParam>();
    EXPECT_TRUE(destroyed);
}

TEST(MaterialModel, DroppingTheMaterialReleasesEverythingItHolds) {
    bool spectrumDestroyed = false;
    bool generatorDestroyed = false;
    bool rotationDestroyed = false;
    {
        Reference<ZarvexDiffuse> material(new ZarvexDiffuse);
        Reference<ZarvexConstantWavelengthDependentParam> albedo(
            new ZarvexConstantWavelengthDependentParam);
        albedo->spectrum = new Watched<ZarvexUniformSpectrum>(spectrumDestroyed);
        material->albedo = albedo;
        albedo = Reference<ZarvexConstantWavelengthDependentParam>();

        Reference<Watched<ZarvexSphericalTexCoordGenerator>> generator(
            new Watched<ZarvexSphericalTexCoordGenerator>(generatorDestroyed));
        generator->rotation = new Watched<ZarvexMatrixRotation>(rotationDestroyed);
        {
            ZarvexTexture texture;
            texture.tex_coord_generation = generator;
            material->textures.push_back(texture);
        }
        generator = Reference<Watched<ZarvexSphericalTexCoordGenerator>>();
        // The copy in the material keeps the generator of the destroyed record alive.
        EXPECT_FALSE(generatorDestroyed);
        EXPECT_EQ(material->textures[0].tex_coord_generation->kind(),
                  TexCoordGeneratorKind::Spherical);
    }
    EXPECT_TRUE(spectrumDestroyed);
    EXPECT_TRUE(generatorDestroyed);
    EXPECT_TRUE(rotationDestroyed);
}

TEST(MaterialModel, StartsEmptyWithTheStatedDefaults) {
    const ZarvexPhongMaterial phong;
    EXPECT_TRUE(phong.diffuse_albedo.isNull());
    EXPECT_TRUE(phong.exponent.isNull());
    EXPECT_EQ(phong.fresnel_scale, 1.0);
    EXPECT_EQ(phong.ior, 1.5);
    EXPECT_EQ(phong.nk_data, "");
    EXPECT_EQ(phong.kind(), MaterialKind::Phong);

    const ZarvexTexture texture;
    EXPECT_EQ(texture.a, 0.0);
    EXPECT_EQ(texture.b, 1.0);
    EXPECT_EQ(texture.c, 0.0);
    EXPECT_EQ(texture.exponent, 1.0);
    EXPECT_EQ(texture.tex_coord_generation->kind(), TexCoordGeneratorKind::UV);

    const ZarvexMatrixRotation rotation;
    const double identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(rotation.matrix[i], identity[i]);
    }
}

} // namespace
