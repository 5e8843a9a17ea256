// The story places: each background shows its enemy on the right half of the picture,
// where neither status block covers it (they sit at the top left and the bottom left).
#include "encounter_kit.h"
#include "figures.h"
#include "pictures.h"
#include "scenery.h"

namespace qv::assetgen {

namespace {

// 山男 on his mountain: a broad, bearded man in red, fire in the rocks around him.
void Yama(Layer& l) {
  Sky(l, Rgb(0x2A3A6A), Rgb(0xF0A060), 300, 0.6f, 201);
  Ridge(l, 260, 60, 0.006f, Rgb(0x5A5070), Rgb(0xE0A070), 0.6f, 202, 200, 120, 160);
  Ridge(l, 330, 90, 0.008f, Rgb(0x4A3A38), Rgb(0xC08060), 0.25f, 203, 480, 160, 200);
  Ground(l, 400, Rgb(0x5A4030), Rgb(0x6A5040), 204, 0.35f);
  Look lk;
  lk.height = 330;
  lk.build = 1.55f;
  lk.beard = true;
  lk.hair = Hair::kSpiky;
  lk.hairCol = Rgb(0x4A2A18);
  lk.skin = Rgb(0xC8906A);
  lk.top = Rgb(0xA83A28);
  lk.bottom = Rgb(0x4A3A2A);
  lk.accent = Rgb(0xD8A040);
  lk.pose = Pose::kWide;
  StandEnemy(l, lk, 470, 420, WarmLight());
  Motes(l, 40, 330, 100, 640, 420, Rgb(0xFF8030), 205);
}

// 奥博士, the insect doctor, in his clearing of giant leaves, beetles glowing round him.
void Musi(Layer& l) {
  Sky(l, Rgb(0x3A6A4A), Rgb(0xC8E0A0), 260, 0.2f, 211);
  Ridge(l, 240, 40, 0.01f, Rgb(0x2A5A3A), Rgb(0xA8C890), 0.5f, 212);
  Ground(l, 330, Rgb(0x3A5A2A), Rgb(0x5A7A3A), 213);
  for (int i = 0; i < 6; ++i) Tree(l, 60.0f + i * 110, 340, 160 + (i % 3) * 30, Rgb(0x3A7A3A), Rgb(0x4A3A2A), 214 + i);
  GiantLeaves(l, 215);
  Look lk;
  lk.height = 320;
  lk.build = 0.85f;
  lk.robe = true;
  lk.hair = Hair::kShort;
  lk.hairCol = Rgb(0x8A8A8A);
  lk.top = Rgb(0xEDEDE6);
  lk.bottom = Rgb(0xE0E0D8);
  lk.accent = Rgb(0x7A9A40);
  lk.pose = Pose::kCast;
  Figure f = StandEnemy(l, lk, 480, 430, SoftLight());
  Spectacles(l, f);
  Beetles(l, f.handLX, f.handLY, 216);
}

// サニー・レイニー: a little girl with an umbrella standing on the lake, sun on one side
// of her and rain on the other.
void Sunny(Layer& l) {
  Sky(l, Rgb(0x5A8AD0), Rgb(0xE8F0F8), 250, 0.5f, 221);
  Ridge(l, 250, 30, 0.008f, Rgb(0x6A8AA0), Rgb(0xD0E0F0), 0.6f, 222);
  Water(l, 262, 480, Rgb(0x3A7AB0), 0.35f, 223);
  Rain(l, 330, 640, 0, 480, 224);
  Glow(l, 120, 60, 120, Rgb(0xFFF0C0), 0.5f);
  Look lk;
  lk.height = 230;
  lk.child = true;
  lk.robe = true;
  lk.hair = Hair::kTwinTails;
  lk.hairCol = Rgb(0x4A80D0);
  lk.top = Rgb(0xF4F0E8);
  lk.bottom = Rgb(0x7AB0E8);
  lk.accent = Rgb(0xF0C040);
  lk.pose = Pose::kCast;
  Figure f = StandEnemy(l, lk, 470, 400, SoftLight());
  Umbrella(l, f.handLX, f.handLY, Rgb(0xF0D040));
  Ripples(l, 470, 402, 225);
}

// 光: a tall young man wrapped in light, on a white plaza under a bright sky.
void Hikaru(Layer& l) {
  Sky(l, Rgb(0x6AA0E0), Rgb(0xFFF8E8), 300, 0.4f, 231);
  Ridge(l, 300, 25, 0.006f, Rgb(0xB0C0D8), Rgb(0xFFF8E8), 0.6f, 232);
  Ground(l, 330, Rgb(0xD8D0C0), Rgb(0xE8E4D8), 233, 0.12f);
  Pillars(l, 234);
  Look lk;
  lk.height = 390;
  lk.build = 0.95f;
  lk.cape = true;
  lk.hair = Hair::kShort;
  lk.hairCol = Rgb(0xF0E0A0);
  lk.top = Rgb(0xF8F8F8);
  lk.bottom = Rgb(0xE0E0E8);
  lk.accent = Rgb(0xF0D070);
  Glow(l, 480, 240, 220, Rgb(0xFFF0C0), 0.6f);
  StandEnemy(l, lk, 480, 440, HaloLight());
  Motes(l, 50, 330, 40, 640, 440, Rgb(0xFFF0A0), 235);
}

// マジカル: a mage in a deep blue robe and pointed hat in a ring of standing stones.
void Magical(Layer& l) {
  Sky(l, Rgb(0x0C0A2A), Rgb(0x4A3A8A), 300, 0.3f, 241);
  Stars(l, 120, 280, 242);
  Ridge(l, 310, 30, 0.008f, Rgb(0x1A1838), Rgb(0x4A3A8A), 0.4f, 243);
  Ground(l, 330, Rgb(0x2A3A4A), Rgb(0x3A4A6A), 244);
  StoneRing(l, 245);
  MagicCircleGround(l, 480, 430, Rgb(0x80A0FF));
  Look lk;
  lk.height = 330;
  lk.robe = true;
  lk.hair = Hair::kLong;
  lk.hairCol = Rgb(0x30406A);
  lk.top = Rgb(0x2A3A8A);
  lk.bottom = Rgb(0x1A2A6A);
  lk.accent = Rgb(0xE0C050);
  lk.pose = Pose::kCast;
  Figure f = StandEnemy(l, lk, 480, 430, MoonLight());
  WizardHat(l, f, Rgb(0x2A2A7A));
  Wand(l, f.handLX, f.handLY, Rgb(0x80C0FF));
}

// 緑: a masked ninja in green in the dark wood, a blade in each hand.
void Midori(Layer& l) {
  Sky(l, Rgb(0x0A1A14), Rgb(0x2A4A30), 200, 0.0f, 251);
  for (int i = 0; i < 14; ++i) Conifer(l, i * 50.0f - 10, 330 + (i % 3) * 10, 280 + (i % 4) * 40, Mix(Rgb(0x0A2014), Rgb(0x18382A), (i % 3) / 2.0f));
  Ground(l, 320, Rgb(0x1A2A1A), Rgb(0x20301E), 252);
  Fog(l, 330, 60, Rgb(0x3A5A44), 0.4f);
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
  Figure f = StandEnemy(l, lk, 480, 440, ForestLight());
  NinjaMask(l, f, Rgb(0x1A4A2A));
  Blade(l, f.handLX, f.handLY, -0.9f, 90, Rgb(0xD8E8E0));
  Blade(l, f.handRX, f.handRY, -0.3f, 90, Rgb(0xD8E8E0));
  Shuriken(l, 380, 140);
  Shuriken(l, 600, 90);
}

// 毒蛾博士: a stooped doctor with moth wings in a purple swamp.
void Doku(Layer& l) {
  Sky(l, Rgb(0x1A1028), Rgb(0x6A4A6A), 260, 0.4f, 261);
  Ridge(l, 280, 30, 0.01f, Rgb(0x2A2030), Rgb(0x5A3A5A), 0.4f, 262);
  Ground(l, 320, Rgb(0x2A3020), Rgb(0x4A4038), 263);
  SwampPools(l, 264);
  Fog(l, 350, 50, Rgb(0x8A6AA0), 0.35f);
  MothWings(l, 480, 190, Rgb(0x8A40B0));
  Look lk;
  lk.height = 310;
  lk.robe = true;
  lk.hair = Hair::kBald;
  lk.skin = Rgb(0xC8C0A0);
  lk.top = Rgb(0x5A3A6A);
  lk.bottom = Rgb(0x4A2A5A);
  lk.accent = Rgb(0xB0E040);
  lk.pose = Pose::kArmsUp;
  Figure f = StandEnemy(l, lk, 480, 430, PoisonLight());
  Goggles(l, f);
  Motes(l, 60, 330, 100, 640, 430, Rgb(0xC0FF60), 265);
}

// ボウケンロボット: a boxy explorer robot with a lamp, among the wreckage on the beach.
void Robo(Layer& l) {
  Sky(l, Rgb(0x4A80C0), Rgb(0xF0E0C0), 280, 0.5f, 271);
  Water(l, 280, 330, Rgb(0x3A7AB0), 0.5f, 272);
  Ground(l, 320, Rgb(0xD8C090), Rgb(0xE8D8A8), 273, 0.2f);
  Wreckage(l, 274);
  RobotFigure(l, 480, 440);
}

// 暗黒剣士ヨイヤミ: a black-armoured swordsman on the dark cape at dusk.
void Yoiyami(Layer& l) {
  Sky(l, Rgb(0x100818), Rgb(0xA04830), 300, 0.6f, 281);
  Water(l, 300, 480, Rgb(0x1A0A18), 0.5f, 282);
  Cliff(l, 330, Rgb(0x1A1420), 283);
  Look lk;
  lk.height = 360;
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
  Glow(l, 480, 260, 200, Rgb(0x400860), 0.6f);
  Figure f = StandEnemy(l, lk, 480, 440, DuskLight());
  Blade(l, f.handLX, f.handLY, -2.4f, 170, Rgb(0x6A40A0));
}

// ファトマ on the deck of her ship: a sea mage with long hair and a trident.
void Ship(Layer& l) {
  Sky(l, Rgb(0x2A5AA0), Rgb(0xD0E8F0), 250, 0.6f, 291);
  Water(l, 250, 330, Rgb(0x1A5A90), 0.55f, 292);
  Deck(l, 293);
  Look lk;
  lk.height = 340;
  lk.robe = true;
  lk.hair = Hair::kLong;
  lk.hairCol = Rgb(0x2A7AA0);
  lk.top = Rgb(0x2A6A9A);
  lk.bottom = Rgb(0x1A4A7A);
  lk.accent = Rgb(0xE8D070);
  lk.pose = Pose::kCast;
  Figure f = StandEnemy(l, lk, 490, 445, SeaLight());
  Trident(l, f.handLX, f.handLY);
}

// 島: the island itself, a face in the mountainside with eyes of light.
void Sima(Layer& l) {
  Sky(l, Rgb(0x1A1A3A), Rgb(0xC07050), 230, 0.5f, 301);
  Water(l, 330, 480, Rgb(0x2A2A50), 0.4f, 302);
  IslandFace(l, 303);
}

// 天界からの使者: a winged messenger above the clouds, haloed in gold.
void Ten(Layer& l) {
  Sky(l, Rgb(0x6A9AE0), Rgb(0xFFF4D8), 480, 0.0f, 311);
  CloudSea(l, 300, 312);
  Glow(l, 480, 180, 240, Rgb(0xFFE8A0), 0.6f);
  Look lk;
  lk.height = 360;
  lk.robe = true;
  lk.hair = Hair::kLong;
  lk.hairCol = Rgb(0xF0D890);
  lk.top = Rgb(0xFFFFFF);
  lk.bottom = Rgb(0xF0F0F8);
  lk.accent = Rgb(0xE8C050);
  lk.pose = Pose::kArmsUp;
  AngelWings(l, 480, 170, Rgb(0xFFFFFF));
  Figure f = StandEnemy(l, lk, 480, 420, HaloLight());
  Halo(l, f);
}

// 海神・魔獣・時数露不: a three-headed sea beast rising from a storm.
void Jis(Layer& l) {
  Sky(l, Rgb(0x0A0E18), Rgb(0x3A4A5A), 300, 0.8f, 321);
  Lightning(l, 420, 0, 322);
  Water(l, 300, 480, Rgb(0x0A1A28), 0.6f, 323);
  SeaBeast(l, 470, 330, 324);
  Waves(l, 325);
}

// 空神・汐見カナメ: a floating figure in flame-red robes before a sun disc, above the clouds.
void Kaname(Layer& l) {
  Sky(l, Rgb(0x1A2A6A), Rgb(0xF0A070), 360, 0.3f, 331);
  CloudSea(l, 360, 332);
  SunDisc(l, 480, 190, 130);
  Look lk;
  lk.height = 350;
  lk.robe = true;
  lk.hair = Hair::kPonytail;
  lk.hairCol = Rgb(0x2A1A1A);
  lk.top = Rgb(0xC03020);
  lk.bottom = Rgb(0xE8E0D8);
  lk.accent = Rgb(0xF0C040);
  lk.pose = Pose::kStand;
  StandEnemy(l, lk, 480, 400, WarmLight());
  Motes(l, 40, 330, 60, 640, 380, Rgb(0xFFA040), 333);
}

// 地天・ｎｏｅｌ: a pale girl in black in a cavern of dark crystals.
void Noel(Layer& l) {
  Cavern(l, Rgb(0x0A0812), Rgb(0x2A2038), 341);
  Crystals(l, 342, Rgb(0x6A40C0));
  Look lk;
  lk.height = 320;
  lk.robe = true;
  lk.hair = Hair::kLong;
  lk.hairCol = Rgb(0xD8D8E8);
  lk.skin = Rgb(0xF0E0E0);
  lk.top = Rgb(0x1A1A24);
  lk.bottom = Rgb(0x24202E);
  lk.accent = Rgb(0x8A60D0);
  lk.eyes = Rgb(0x6A40B0);
  StandEnemy(l, lk, 480, 430, CrystalLight());
  Tears(l, 480, 150);
}

}  // namespace

void PaintEncounters(const Sink& out) {
  struct Entry {
    const char* file;
    void (*paint)(Layer&);
  };
  const Entry scenes[] = {{"yama.bmp", Yama},       {"musi.bmp", Musi},     {"sunny.bmp", Sunny}, {"hikaru.bmp", Hikaru},
                          {"magical.bmp", Magical}, {"midori.bmp", Midori}, {"doku.bmp", Doku},   {"robo.bmp", Robo},
                          {"yoiyami.bmp", Yoiyami}, {"ship2.bmp", Ship},    {"sima.bmp", Sima},   {"ten.bmp", Ten},
                          {"jis.bmp", Jis},         {"kaname.bmp", Kaname}, {"noel.bmp", Noel}};
  for (const Entry& e : scenes) {
    Layer l(640, 480);
    e.paint(l);
    FinishScene(l);
    out.Background(e.file, l);
  }
}

}  // namespace qv::assetgen
