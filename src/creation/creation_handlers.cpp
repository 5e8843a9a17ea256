// The creation panel's buttons: three rows of choices and OK.
#include "creation/creation_handlers.h"

#include "creation/creation.h"

namespace qv {

void l_btn1MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChooseBonusParam(g, 0);
}
void l_btn2MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChooseBonusParam(g, 1);
}
void l_btn3MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChooseBonusParam(g, 2);
}
void l_btn4MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChooseBonusParam(g, 3);
}
void l_btn5MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChooseBonusParam(g, 4);
}
void l_btn6MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChooseBonusParam(g, 5);
}

void l_btn15MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChoosePersonality(g, 0);
}
void l_btn16MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChoosePersonality(g, 1);
}
void l_btn17MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChoosePersonality(g, 2);
}
void l_btn18MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChoosePersonality(g, 3);
}
void l_btn19MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChoosePersonality(g, 4);
}
void l_btn20MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChoosePersonality(g, 5);
}

void l_btn30MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChooseRaceSex(g, 0);
}
void l_btn31MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChooseRaceSex(g, 1);
}
void l_btn32MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChooseRaceSex(g, 2);
}
void l_btn33MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChooseRaceSex(g, 3);
}
void l_btn34MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChooseRaceSex(g, 4);
}
void l_btn35MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChooseRaceSex(g, 5);
}
void l_btn36MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChooseRaceSex(g, 6);
}
void l_btn37MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChooseRaceSex(g, 7);
}
void l_btn38MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChooseRaceSex(g, 8);
}
void l_btn39MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ChooseRaceSex(g, 9);
}

void l_btn8MouseDown(Game& g, int32_t, int32_t, bool) {
  creation::ConfirmCreation(g);
}

}  // namespace qv
