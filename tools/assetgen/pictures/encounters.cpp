// The story places: each background shows its enemy in the middle of the picture, clear of
// the skill list on the right and of the status blocks at the left, standing tall enough that
// face and body are above the dialogue lines.
#include "encounter_kit.h"
#include "figures.h"
#include "pictures.h"
#include "scenery.h"

namespace qv::assetgen {

namespace {

// Where every enemy stands: the skill list covers the picture from x 460 and the dialogue
// runs across y 235..350, so the face and body stay left of the one and above the other.
constexpr float kX = 295;
constexpr float kFoot = 410;

// 山男 on his mountain: a broad, bearded man in red, fire in the rocks around him.
void Yama(Layer& l, Layer& fig) {
  Sky(l, Rgb(0x2A3A6A), Rgb(0xF0A060), 300, 0.6f, 201);
  Ridge(l, 260, 60, 0.006f, Rgb(0x5A5070), Rgb(0xE0A070), 0.6f, 202, 520, 140, 170);
  Ridge(l, 330, 90, 0.008f, Rgb(0x4A3A38), Rgb(0xC08060), 0.25f, 203, 80, 160, 200);
  Ground(l, 400, Rgb(0x5A4030), Rgb(0x6A5040), 204, 0.35f);
  Look lk;
  lk.height = 345;
  lk.build = 1.55f;
  lk.beard = true;
  lk.hair = Hair::kSpiky;
  lk.hairCol = Rgb(0x4A2A18);
  lk.skin = Rgb(0xC8906A);
  lk.top = Rgb(0xA83A28);
  lk.bottom = Rgb(0x4A3A2A);
  lk.accent = Rgb(0xD8A040);
  lk.pose = Pose::kAkimbo;
  lk.mood = Mood::kGrin;
  Glow(l, kX, 200, 190, Rgb(0x803010), 0.35f);
  StandEnemy(l, fig, lk, kX, kFoot, WarmLight());
  PlaceFigure(l, fig);
  Motes(l, 40, 120, 100, 470, 420, Rgb(0xFF8030), 205);
}

// 奥博士, the insect doctor, in his clearing of broad leaves in the eastern wood: a white coat,
// spectacles, a lens in one hand and a net in the other, his beetles and butterflies about him.
void Musi(Layer& l, Layer& fig) {
  Sky(l, Rgb(0x3A6A4A), Rgb(0xC8E0A0), 260, 0.2f, 211);
  Ridge(l, 240, 40, 0.01f, Rgb(0x2A5A3A), Rgb(0xA8C890), 0.5f, 212);
  Ground(l, 330, Rgb(0x3A5A2A), Rgb(0x5A7A3A), 213);
  for (int i = 0; i < 6; ++i) {
    float x = i < 3 ? 30.0f + i * 70 : 420.0f + (i - 3) * 90;
    Tree(l, x, 335, 150 + (i % 3) * 30, Rgb(0x3A7A3A), Rgb(0x4A3A2A), 214 + i);
  }
  Glow(l, kX, 200, 170, Rgb(0xF0FFD0), 0.3f);
  Look lk;
  lk.height = 335;
  lk.build = 0.85f;
  lk.garment = Garment::kCoat;
  lk.hair = Hair::kShort;
  lk.hairCol = Rgb(0x9A9A9A);
  lk.top = Rgb(0xF2F2EC);
  lk.under = Rgb(0x6A8A4A);
  lk.mood = Mood::kSmile;
  lk.bottom = Rgb(0x5A4A3A);
  lk.accent = Rgb(0x7A9A40);
  lk.pose = Pose::kCast;
  Figure f = StandEnemy(l, fig, lk, kX, kFoot, SoftLight());
  Spectacles(l, f);
  MagnifyingGlass(l, f.handLX, f.handLY, -1.2f);
  BugNet(l, f.handRX, f.handRY);
  PlaceFigure(l, fig);
  GiantLeaves(l, 215);
  Insect(l, 170, 150, 2.4f, -0.4f, Rgb(0x2A7A3A));
  Insect(l, 420, 250, 2.8f, -2.2f, Rgb(0x5A3018), true);
  Insect(l, 165, 300, 2.0f, 0.5f, Rgb(0x3A4AA0));
  Butterfly(l, 400, 110, 2.2f, -0.3f, Rgb(0x60A0F0), Rgb(0x203060));
  Butterfly(l, 200, 75, 1.7f, 0.4f, Rgb(0xF0C040), Rgb(0x503010));
}

// サニー・レイニー: a little girl in a short dress with a yellow umbrella, standing on the
// lake, sun on one side of her and rain on the other.
void Sunny(Layer& l, Layer& fig) {
  Sky(l, Rgb(0x5A8AD0), Rgb(0xE8F0F8), 250, 0.5f, 221);
  Ridge(l, 250, 30, 0.008f, Rgb(0x6A8AA0), Rgb(0xD0E0F0), 0.6f, 222);
  Water(l, 262, 480, Rgb(0x3A7AB0), 0.35f, 223);
  Rain(l, 310, 640, 0, 480, 224);
  Glow(l, 120, 60, 120, Rgb(0xFFF0C0), 0.5f);
  Look lk;
  lk.height = 250;
  lk.child = true;
  lk.garment = Garment::kDress;
  lk.hair = Hair::kTwinTails;
  lk.mood = Mood::kSmile;
  lk.hairCol = Rgb(0x4A80D0);
  lk.top = Rgb(0xF4F0E8);
  lk.bottom = Rgb(0x7AB0E8);
  lk.under = Rgb(0xFFFFFF);
  lk.accent = Rgb(0xF0C040);
  lk.pose = Pose::kCast;
  const float foot = 345;
  Figure f = StandEnemy(l, fig, lk, kX, foot, SoftLight());
  Umbrella(l, f.handLX, f.handLY, Rgb(0xF0D040));
  PlaceFigure(l, fig);
  Ripples(l, kX, foot + 2, 225);
}

// 光: a tall young man wrapped in light with a sword of light, on the white plaza above the
// southern sea.
void Hikaru(Layer& l, Layer& fig) {
  Sky(l, Rgb(0x6AA0E0), Rgb(0xFFF8E8), 270, 0.4f, 231);
  Water(l, 270, 300, Rgb(0x4A8AC0), 0.5f, 232);
  Ground(l, 300, Rgb(0xD8D0C0), Rgb(0xE8E4D8), 233, 0.12f);
  Pillars(l, {40, 170, 440, 590}, 234);
  Look lk;
  lk.height = 360;
  lk.build = 0.95f;
  lk.garment = Garment::kCoat;
  lk.hair = Hair::kSpiky;
  lk.hairCol = Rgb(0xE8C860);
  lk.top = Rgb(0xE8E4D8);
  lk.under = Rgb(0xE0B850);
  lk.bottom = Rgb(0x9AA0B8);
  lk.accent = Rgb(0xF0D070);
  lk.pose = Pose::kPoint;
  lk.mood = Mood::kSmug;
  Glow(l, kX, 210, 200, Rgb(0xFFF0C0), 0.55f);
  Figure f = StandEnemy(l, fig, lk, kX, kFoot, HaloLight());
  Blade(l, f.handLX, f.handLY, 2.75f, 120, Rgb(0xFFF4C0));
  PlaceFigure(l, fig);
  Motes(l, 50, 120, 40, 470, 420, Rgb(0xFFF0A0), 235);
}

// マジカル: a mage in a deep blue robe and pointed hat in a ring of standing stones.
void Magical(Layer& l, Layer& fig) {
  Sky(l, Rgb(0x0C0A2A), Rgb(0x4A3A8A), 300, 0.3f, 241);
  Stars(l, 120, 280, 242);
  Ridge(l, 310, 30, 0.008f, Rgb(0x1A1838), Rgb(0x4A3A8A), 0.4f, 243);
  Ground(l, 330, Rgb(0x2A3A4A), Rgb(0x3A4A6A), 244);
  StoneRing(l, 245);
  MagicCircleGround(l, kX, kFoot + 5, Rgb(0x80A0FF));
  Look lk;
  lk.height = 330;
  lk.garment = Garment::kRobe;
  lk.hair = Hair::kLong;
  lk.hairCol = Rgb(0x30406A);
  lk.top = Rgb(0x2A3A8A);
  lk.bottom = Rgb(0x1A2A6A);
  lk.accent = Rgb(0xE0C050);
  lk.pose = Pose::kArmsUp;
  lk.skin = Rgb(0xF0D8C8);
  Figure f = StandEnemy(l, fig, lk, kX, kFoot, MoonLight());
  WizardHat(l, f, Rgb(0x2A2A7A));
  PlaceFigure(l, fig, Rgb(0xC8D8FF));
  Wand(l, f.handLX, f.handLY, Rgb(0x80C0FF));
}

// 緑: a masked ninja in green in the dark wood, a blade in each hand.
void Midori(Layer& l, Layer& fig) {
  Sky(l, Rgb(0x0A1A14), Rgb(0x2A4A30), 200, 0.0f, 251);
  for (int i = 0; i < 14; ++i)
    Conifer(l, i * 50.0f - 10, 330 + (i % 3) * 10, 280 + (i % 4) * 40,
            Mix(Rgb(0x0A2014), Rgb(0x18382A), (i % 3) / 2.0f));
  Ground(l, 320, Rgb(0x1A2A1A), Rgb(0x20301E), 252);
  Fog(l, 330, 60, Rgb(0x3A5A44), 0.4f);
  Glow(l, kX, 200, 170, Rgb(0x204830), 0.5f);
  Look lk;
  lk.height = 340;
  lk.build = 0.9f;
  lk.hair = Hair::kHood;
  lk.hairCol = Rgb(0x1A3A1A);
  lk.top = Rgb(0x2A6A3A);
  lk.bottom = Rgb(0x1A3A22);
  lk.accent = Rgb(0x8AE060);
  lk.pose = Pose::kWide;
  lk.eyes = Rgb(0xA0FF60);
  lk.mood = Mood::kAngry;
  Figure f = StandEnemy(l, fig, lk, kX, kFoot, ForestLight());
  NinjaMask(l, f, Rgb(0x1A4A2A));
  Blade(l, f.handLX, f.handLY, -2.2f, 80, Rgb(0xD8E8E0));
  Blade(l, f.handRX, f.handRY, -0.9f, 80, Rgb(0xD8E8E0));
  PlaceFigure(l, fig, Rgb(0xC8F0B0));
  Shuriken(l, 160, 120);
  Shuriken(l, 380, 80);
}

// 毒蛾博士: a stooped doctor in a stained lab coat and goggles, a syringe of poison in one hand
// and a glowing flask in the other, his moths fluttering round him in the purple swamp.
void Doku(Layer& l, Layer& fig) {
  Sky(l, Rgb(0x1A1028), Rgb(0x6A4A6A), 260, 0.4f, 261);
  Ridge(l, 280, 30, 0.01f, Rgb(0x2A2030), Rgb(0x5A3A5A), 0.4f, 262);
  Ground(l, 320, Rgb(0x2A3020), Rgb(0x4A4038), 263);
  SwampPools(l, 264);
  Fog(l, 350, 50, Rgb(0x8A6AA0), 0.35f);
  Glow(l, kX, 210, 180, Rgb(0x4A2A5A), 0.5f);
  Look lk;
  lk.height = 320;
  lk.build = 0.95f;
  lk.garment = Garment::kCoat;
  lk.hair = Hair::kBald;
  lk.skin = Rgb(0xC8C0A0);
  lk.top = Rgb(0xD8D0DC);
  lk.under = Rgb(0x4A2A5A);
  lk.bottom = Rgb(0x3A2A3A);
  lk.accent = Rgb(0xB0E040);
  lk.pose = Pose::kStand;
  lk.mood = Mood::kGrin;
  Figure f = StandEnemy(l, fig, lk, kX, kFoot, PoisonLight());
  // Stains of his brews down the coat.
  for (int i = 0; i < 5; ++i)
    FillEllipse(l, kX - 50 + i * 24, 240 + (i % 2) * 40, 8, 6, Rgb(0x8A40B0), 0.55f);
  Goggles(l, f);
  Syringe(l, f.handRX, f.handRY, -1.0f, Rgb(0xA0F040));
  Flask(l, f.handLX, f.handLY - 6, Rgb(0xC060F0));
  PlaceFigure(l, fig, Rgb(0xE0C8F0));
  Moth(l, 165, 110, 2.4f, -1.3f, Rgb(0xB898B8));
  Moth(l, 420, 150, 2.0f, -1.9f, Rgb(0xA8A088));
  Moth(l, 175, 250, 1.8f, -0.9f, Rgb(0xC0A0C8));
  Moth(l, 410, 290, 1.6f, -2.3f, Rgb(0x9A88A8));
  Motes(l, 60, 130, 100, 460, 430, Rgb(0xC0FF60), 265);
}

// ボウケンロボット: a boxy explorer robot with a lamp, among the wreckage on the beach.
void Robo(Layer& l, Layer& fig) {
  Sky(l, Rgb(0x4A80C0), Rgb(0xF0E0C0), 280, 0.5f, 271);
  Water(l, 280, 330, Rgb(0x3A7AB0), 0.5f, 272);
  Ground(l, 320, Rgb(0xD8C090), Rgb(0xE8D8A8), 273, 0.2f);
  Wreckage(l, 274);
  GroundShadow(l, kX + 14, kFoot, 110, 14, 0.45f);
  BeginFigure(l, fig);
  RobotFigure(l, kX, kFoot);
  PlaceFigure(l, fig);
}

// 暗黒剣士ヨイヤミ: a black-armoured swordsman on the dark cape at dusk.
void Yoiyami(Layer& l, Layer& fig) {
  Sky(l, Rgb(0x100818), Rgb(0xA04830), 300, 0.6f, 281);
  Water(l, 300, 480, Rgb(0x1A0A18), 0.5f, 282);
  Cliff(l, 330, Rgb(0x1A1420), 283);
  Look lk;
  lk.height = 350;
  lk.build = 1.15f;
  lk.cape = true;
  lk.hair = Hair::kLong;
  lk.hairCol = Rgb(0x18101E);
  lk.skin = Rgb(0xD8C8C8);
  lk.top = Rgb(0x2A2030);
  lk.bottom = Rgb(0x1A1420);
  lk.accent = Rgb(0x7A30B0);
  lk.eyes = Rgb(0xC03050);
  lk.pose = Pose::kSword;
  lk.mood = Mood::kAngry;
  Glow(l, kX, 220, 200, Rgb(0x400860), 0.6f);
  Figure f = StandEnemy(l, fig, lk, kX, kFoot, DuskLight());
  Blade(l, f.handLX, f.handLY, -2.2f, 150, Rgb(0x6A40A0));
  PlaceFigure(l, fig, Rgb(0xE8B0D0));
}

// ファトマ on the deck of her ship: a sea captain in a blue coat and a plumed hat, her sabre
// raised.
void Ship(Layer& l, Layer& fig) {
  Sky(l, Rgb(0x2A5AA0), Rgb(0xD0E8F0), 250, 0.6f, 291);
  Water(l, 250, 330, Rgb(0x1A5A90), 0.55f, 292);
  Deck(l, 540, 293);
  Look lk;
  lk.height = 340;
  lk.garment = Garment::kCoat;
  lk.hair = Hair::kLong;
  lk.hairCol = Rgb(0x2A7AA0);
  lk.mood = Mood::kSmug;
  lk.top = Rgb(0x1A3A7A);
  lk.under = Rgb(0xF0EEE8);
  lk.bottom = Rgb(0xE8E4DA);
  lk.accent = Rgb(0xE8D070);
  lk.pose = Pose::kCast;
  Figure f = StandEnemy(l, fig, lk, kX, kFoot, SeaLight());
  // Gold buttons down the coat's edges.
  for (int i = 0; i < 4; ++i) {
    for (int s = -1; s <= 1; s += 2)
      FillEllipse(l, kX + s * 17, 150 + i * 22, 2.6f, 2.6f, Rgb(0xF0D060));
  }
  Tricorne(l, f, Rgb(0x182848), Rgb(0xE8D070));
  Sabre(l, f.handLX, f.handLY, -1.35f, 120);
  PlaceFigure(l, fig);
}

// 島: the island itself, a face in the mountainside with eyes of light.
void Sima(Layer& l, Layer& fig) {
  Sky(l, Rgb(0x1A1A3A), Rgb(0xC07050), 230, 0.5f, 301);
  Ridge(l, 318, 22, 0.01f, Rgb(0x2A3A30), Rgb(0xC07050), 0.5f, 304);
  Water(l, 330, 480, Rgb(0x2A2A50), 0.4f, 302);
  BeginFigure(l, fig);
  IslandFace(l, kX, 125, 303);
  PlaceFigure(l, fig);
}

// 天界からの使者: a winged messenger above the clouds, haloed in gold.
void Ten(Layer& l, Layer& fig) {
  Sky(l, Rgb(0x6A9AE0), Rgb(0xFFF4D8), 480, 0.0f, 311);
  CloudSea(l, 320, 312);
  Glow(l, kX, 170, 230, Rgb(0xC08030), 0.35f);
  Look lk;
  lk.height = 350;
  lk.garment = Garment::kRobe;
  lk.hair = Hair::kLong;
  lk.hairCol = Rgb(0xE0B860);
  lk.top = Rgb(0xF0E8D4);
  lk.bottom = Rgb(0xD8D0E4);
  lk.accent = Rgb(0xD8A030);
  lk.pose = Pose::kArmsUp;
  BeginFigure(l, fig);
  AngelWings(l, kX, 150, Rgb(0xE8E0F0), 0.78f);
  Figure f = StandEnemy(l, fig, lk, kX, 405, HaloLight());
  PlaceFigure(l, fig);
  Halo(l, f);
}

// 海神・魔獣・時数露不: a three-headed sea beast rising from a storm.
void Jis(Layer& l, Layer& fig) {
  Sky(l, Rgb(0x0A0E18), Rgb(0x3A4A5A), 300, 0.8f, 321);
  Lightning(l, 420, 0, 322);
  Water(l, 300, 480, Rgb(0x0A1A28), 0.6f, 323);
  BeginFigure(l, fig);
  SeaBeast(l, kX, 320, 324);
  PlaceFigure(l, fig, Rgb(0xB0E8F0));
  Waves(l, 325);
}

// 空神・汐見カナメ: a swordsman of the sky in a red jacket and wide hakama, floating before a
// sun disc above the clouds, the red gate of the crag's shrine behind.
void Kaname(Layer& l, Layer& fig) {
  Sky(l, Rgb(0x1A2A6A), Rgb(0xF0A070), 360, 0.3f, 331);
  Torii(l, 95, 300, 110, Rgb(0xC83020));
  CloudSea(l, 360, 332);
  SunDisc(l, kX, 175, 125);
  Look lk;
  lk.height = 340;
  lk.garment = Garment::kHakama;
  lk.hair = Hair::kPonytail;
  lk.hairCol = Rgb(0x2A1A1A);
  lk.mood = Mood::kAngry;
  lk.top = Rgb(0xC03020);
  lk.under = Rgb(0xF4F0E8);
  lk.bottom = Rgb(0x2A2A48);
  lk.accent = Rgb(0xF0C040);
  lk.pose = Pose::kSword;
  Figure f = StandEnemy(l, fig, lk, kX, 400, WarmLight());
  Blade(l, f.handLX, f.handLY, -2.0f, 150, Rgb(0xF0F4F8));
  PlaceFigure(l, fig);
  Motes(l, 40, 130, 60, 460, 380, Rgb(0xFFA040), 333);
}

// 地天・ｎｏｅｌ: a pale girl in a black tiered gown in a cavern of dark crystals, lit from
// behind by the crystals' violet glow.
void Noel(Layer& l, Layer& fig) {
  Cavern(l, kX, 230, Rgb(0x0A0812), Rgb(0x3A3050), 341);
  Crystals(l, 342, Rgb(0x6A40C0), kX - 120, kX + 120);
  Glow(l, kX, 210, 190, Rgb(0x8A70C8), 0.8f);
  Look lk;
  lk.height = 330;
  lk.garment = Garment::kGown;
  lk.hair = Hair::kLong;
  lk.hairCol = Rgb(0xE8E8F4);
  lk.skin = Rgb(0xF4E8E8);
  lk.top = Rgb(0x2A2438);
  lk.bottom = Rgb(0x241E30);
  lk.accent = Rgb(0x8A60D0);
  lk.eyes = Rgb(0x8A60E0);
  Light rim = CrystalLight();
  rim.rim = Rgb(0xE0C8FF);
  rim.rimStrength = 1.8f;
  rim.ambient = Rgb(0x3A3050);
  lk.mood = Mood::kSad;
  Figure f = StandEnemy(l, fig, lk, kX, kFoot, rim);
  PlaceFigure(l, fig, Rgb(0xE0D0FF));
  Tears(l, f.headX, f.headY + f.headR * 0.4f);
}

}  // namespace

void PaintEncounters(const Sink& out) {
  struct Entry {
    const char* file;
    void (*paint)(Layer&, Layer&);
  };
  const Entry scenes[] = {
      {"yama.bmp", Yama},     {"musi.bmp", Musi},       {"sunny.bmp", Sunny},
      {"hikaru.bmp", Hikaru}, {"magical.bmp", Magical}, {"midori.bmp", Midori},
      {"doku.bmp", Doku},     {"robo.bmp", Robo},       {"yoiyami.bmp", Yoiyami},
      {"ship2.bmp", Ship},    {"sima.bmp", Sima},       {"ten.bmp", Ten},
      {"jis.bmp", Jis},       {"kaname.bmp", Kaname},   {"noel.bmp", Noel}};
  for (const Entry& e : scenes) {
    Layer l(640, 480);
    Layer fig(640, 480, {}, 0);
    e.paint(l, fig);
    FinishScene(l);
    SoftenWhites(l, fig);
    out.Background(e.file, l);
    out.Figure(e.file, fig);
  }
}

}  // namespace qv::assetgen
