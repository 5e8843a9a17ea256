#pragma once
// Props, lights and creatures of the encounter scenes, kept apart from the scene list so
// each scene reads as a short recipe.
#include <cstdint>
#include <initializer_list>

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

// Builds a figure, casts its shadow on the scene and draws it; from here on everything
// painted on the scene is also recorded on `fig` (what the enemy is and holds) until
// PlaceFigure.
Figure StandEnemy(Layer& l, Layer& fig, const Look& look, float x, float footY, const Light& light);
// Starts recording the enemy on `fig` for a scene whose enemy is not a standing figure.
void BeginFigure(Layer& l, Layer& fig);
// Ends the recording and inks the enemy's outline on the scene: a dark line where the scene
// around the enemy is light, a line of `pale` where it is dark, so the enemy always stands out.
void PlaceFigure(Layer& l, const Layer& fig, Col pale = Rgb(0xE8E4F0));
// Shared finish: a soft vignette and a darker top-left and bottom-left, where the status
// numbers are written, then fine grain.
void FinishScene(Layer& l);

void GiantLeaves(Layer& l, uint32_t seed);
void Spectacles(Layer& l, const Figure& f);
void Beetles(Layer& l, float x, float y, uint32_t seed);
void Rain(Layer& l, float x0, float x1, float y0, float y1, uint32_t seed);
void Umbrella(Layer& l, float handX, float handY, Col c);
void Ripples(Layer& l, float x, float y, uint32_t seed);
void Pillars(Layer& l, std::initializer_list<float> xs, uint32_t seed);
void StoneRing(Layer& l, uint32_t seed);
void MagicCircleGround(Layer& l, float x, float y, Col c);
void WizardHat(Layer& l, const Figure& f, Col c);
void Wand(Layer& l, float x, float y, Col glow);
void NinjaMask(Layer& l, const Figure& f, Col c);
void Blade(Layer& l, float x, float y, float angle, float length, Col c);
void Shuriken(Layer& l, float x, float y);
void SwampPools(Layer& l, uint32_t seed);
void Goggles(Layer& l, const Figure& f);
void Wreckage(Layer& l, uint32_t seed);
void RobotFigure(Layer& l, float x, float footY);
void Cliff(Layer& l, float topY, Col c, uint32_t seed);
void Deck(Layer& l, float mastX, uint32_t seed);
void Trident(Layer& l, float x, float y);
void IslandFace(Layer& l, float cx, float eyeY, uint32_t seed);
void CloudSea(Layer& l, float y, uint32_t seed);
void AngelWings(Layer& l, float x, float y, Col c, float scale = 1.0f);
void Halo(Layer& l, const Figure& f);
void Lightning(Layer& l, float x, float y, uint32_t seed);
void SeaBeast(Layer& l, float x, float y, uint32_t seed);
void Waves(Layer& l, uint32_t seed);
void SunDisc(Layer& l, float x, float y, float r);
void Cavern(Layer& l, float cx, float cy, Col dark, Col light, uint32_t seed);
void Crystals(Layer& l, uint32_t seed, Col c, float clearX0 = 0, float clearX1 = 0);
void Tears(Layer& l, float x, float y);

// encounter_props.cpp: things the people carry and keep around them.
// A beetle seen from above, its head towards `angle`; a stag beetle has jaws.
void Insect(Layer& l, float x, float y, float size, float angle, Col shell, bool stag = false);
void Butterfly(Layer& l, float x, float y, float size, float angle, Col wing, Col spot);
void Moth(Layer& l, float x, float y, float size, float angle, Col wing);
// A broad leaf from its stem at (x, y) towards `angle`.
void Leaf(Layer& l, float x, float y, float length, float angle, float width, Col c,
          const Light& light);
void MagnifyingGlass(Layer& l, float handX, float handY, float angle);
void BugNet(Layer& l, float handX, float handY);
void Syringe(Layer& l, float handX, float handY, float angle, Col fluid);
void Flask(Layer& l, float x, float y, Col fluid);
void Tricorne(Layer& l, const Figure& f, Col c, Col trim);
void Sabre(Layer& l, float handX, float handY, float angle, float length);
void Torii(Layer& l, float x, float baseY, float h, Col c);

}  // namespace qv::assetgen
