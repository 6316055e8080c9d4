// The window services: numbers as the status fields hold them, and the game's one draw.
#include "scripted_platform.h"
#include "ui/number.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>

TEST(Numbers, OnlyPlainDecimalTextIsANumberAndNumbersAreWrittenAsTheShortestText) {
    const std::pair<const char*, std::optional<double>> read[] = {
        {" 12 ", 12},  {"-3.5", -3.5}, {"+4", 4},   {".5", 0.5}, {"007", 7},
        {"", {}},      {"abc", {}},    {"1e5", {}}, {"12a", {}}, {"--1", {}},
        {"1.2.3", {}}, {"0x10", {}},   {"inf", {}}, {"nan", {}}, {"  ", {}}};
    for (const auto& [text, number] : read)
        EXPECT_EQ(ui::readNumber(text), number) << text;
    const std::pair<double, const char*> written[] = {{100 + 5, "105"},
                                                      {-0.0, "0"},
                                                      {-3, "-3"},
                                                      {0.1 + 0.2, "0.3"},
                                                      {1e20, "100000000000000000000"},
                                                      {-0.000125, "-0.000125"},
                                                      {2147483648.0, "2147483648"}};
    for (const auto& [value, text] : written)
        EXPECT_EQ(ui::numberText(value), text) << text;
}

TEST(Draws, StayWithinOneToNEvenWhenTheSourceGivesOne) {
    ScriptedPlatform platform;
    platform.randoms = {0.0, std::nextafter(1.0, 0.0), 1.0, 0.5};
    for (int face : {1, 6, 6, 4})
        EXPECT_EQ(ui::draw(platform, 6), face);
}
