// Placeholders until the turn, pick-ups, combat, path section and falls land.
#include "board/form2.h"

void Form2::Form_KeyDown(int) {}
void Form2::Form_KeyPress(int) {}
bool Form2::IsTouching(const ui::Label&, const ui::Label&) {
    return false;
}
void Form2::CheckPickup() {}
void Form2::Fight() {}
void Form2::BuildPath() {}
void Form2::CheckPathPickup() {}
void Form2::HandleFall() {}
void Form2::HandlePathFall() {}
