#pragma once

#include "scripted_platform.h"
#include "shell/game.h"

#include <gtest/gtest.h>

// A started game (main window and main menu) on the virtual clock.
class GameTest : public ::testing::Test {
  protected:
    GameTest() { game.start(); }

    // A key as the player presses it: key-down, then key-press for keys with a character.
    void press(int keyCode) {
        int charCode = 0;
        if (keyCode == keys::Escape || (keyCode >= 'A' && keyCode <= 'Z') ||
            (keyCode >= '0' && keyCode <= '9'))
            charCode = keyCode;
        game.keyDown(keyCode, charCode);
    }
    MDIForm1& status() { return game.main(); }

    ScriptedPlatform platform;
    Game game{platform};
};
