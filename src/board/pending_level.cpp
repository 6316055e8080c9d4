// Placeholders until level generation, walls, quicksand and legend land.
#include "board/form2.h"

void Form2::BuildLevel() {}
void Form2::LayOutBoard() {}
void Form2::ScatterObject(ui::Label&) {}
bool Form2::PlayerOffBoard() const {
    return false;
}
void Form2::Wall_Timer() {}
void Form2::Wall2_Timer() {}
void Form2::Trappola_Timer() {}
void Form2::connectLegend() {}
