#pragma once
// Props, lights and creatures of the encounter scenes, kept apart from the scene list so
// each scene reads as a short recipe.
#include <cstdint>

#include "figures.h"
#include "paint.h"

namespace qv::assetgen {

Light WarmLight();
Light SoftLight();
Light HaloLight();
Light MoonLight();
Light ForestLight();
Light PoisonLight();
Light DuskLight();
Light SeaLight();
Light CrystalLight();

// Builds a figure, casts its shadow and draws it.
Figure StandEnemy(Layer& l, const Look& look, float x, float footY, const Light& light);
// Shared finish: a soft vignette and a darker top-left and bottom-left, where the status
// numbers are written, then fine grain.
void FinishScene(Layer& l);

void GiantLeaves(Layer& l, uint32_t seed);
void Spectacles(Layer& l, const Figure& f);
void Beetles(Layer& l, float x, float y, uint32_t seed);
void Rain(Layer& l, float x0, float x1, float y0, float y1, uint32_t seed);
void Umbrella(Layer& l, float handX, float handY, Col c);
void Ripples(Layer& l, float x, float y, uint32_t seed);
void Pillars(Layer& l, uint32_t seed);
void StoneRing(Layer& l, uint32_t seed);
void MagicCircleGround(Layer& l, float x, float y, Col c);
void WizardHat(Layer& l, const Figure& f, Col c);
void Wand(Layer& l, float x, float y, Col glow);
void NinjaMask(Layer& l, const Figure& f, Col c);
void Blade(Layer& l, float x, float y, float angle, float length, Col c);
void Shuriken(Layer& l, float x, float y);
void SwampPools(Layer& l, uint32_t seed);
void MothWings(Layer& l, float x, float y, Col c);
void Goggles(Layer& l, const Figure& f);
void Wreckage(Layer& l, uint32_t seed);
void RobotFigure(Layer& l, float x, float footY);
void Cliff(Layer& l, float topY, Col c, uint32_t seed);
void Deck(Layer& l, uint32_t seed);
void Trident(Layer& l, float x, float y);
void IslandFace(Layer& l, uint32_t seed);
void CloudSea(Layer& l, float y, uint32_t seed);
void AngelWings(Layer& l, float x, float y, Col c);
void Halo(Layer& l, const Figure& f);
void Lightning(Layer& l, float x, float y, uint32_t seed);
void SeaBeast(Layer& l, float x, float y, uint32_t seed);
void Waves(Layer& l, uint32_t seed);
void SunDisc(Layer& l, float x, float y, float r);
void Cavern(Layer& l, Col dark, Col light, uint32_t seed);
void Crystals(Layer& l, uint32_t seed, Col c);
void Tears(Layer& l, float x, float y);

}  // namespace qv::assetgen
