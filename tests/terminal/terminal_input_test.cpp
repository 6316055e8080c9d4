// What the player types into the terminal: a long line in the name's question stays in its box
// whatever its characters.
#include "terminal/dialog.h"

#include <QList>
#include <gtest/gtest.h>

#include <clocale>
#include <wchar.h>

namespace {

// The terminal measures characters in its user's locale, as curses does; these tests in UTF-8.
[[maybe_unused]] const char* const kLocale = std::setlocale(LC_CTYPE, "C.UTF-8");

constexpr ui::Colour kBlack = 0x000000;
constexpr ui::Colour kField = 0xFFFFFF;
constexpr ui::Colour kSelected = 0x800000;
const QString kCjk = QStringLiteral("名");
const QString kEmoji = QStringLiteral("😀"); // outside the Basic Multilingual Plane

// The name's question at 80 x 24 after some keys: characters typed, U+0008 for a Backspace.
struct Question {
    explicit Question(const QString& pressed) {
        for (char32_t c : pressed.toUcs4())
            dialog.key(c == U'\b' ? keys::named(keys::Backspace) : keys::typed(c), c);
        dialog.draw(picture);
    }
    // The cells the box takes: all those off the black.
    Cells box() const {
        int left = picture.columns(), top = picture.rows(), right = 0, bottom = 0;
        for (int row = 0; row < picture.rows(); ++row)
            for (int column = 0; column < picture.columns(); ++column)
                if (picture.at(column, row).back != kBlack) {
                    left = std::min(left, column);
                    right = std::max(right, column + 1);
                    top = std::min(top, row);
                    bottom = std::max(bottom, row + 1);
                }
        return {left, top, right - left, bottom - top};
    }
    // The line to type in as the terminal shows it up to its cursor (a wide character covers the
    // cell after it), and the cursor's column. The line is white, the proposed answer on it navy.
    std::pair<QString, int> field() const {
        for (int row = 0; row < picture.rows(); ++row) {
            int column = 0;
            while (column < picture.columns() && picture.at(column, row).back != kField &&
                   picture.at(column, row).back != kSelected)
                ++column;
            if (column == picture.columns() || picture.at(column, row).glyph == U' ')
                continue;
            QString shown;
            for (; column < picture.columns() && picture.at(column, row).glyph != U'_'; ++column) {
                const char32_t glyph = picture.at(column, row).glyph;
                shown += QString::fromUcs4(&glyph, 1);
                column += wcwidth(static_cast<wchar_t>(glyph)) - 1;
            }
            return {shown, column};
        }
        return {};
    }

    Dialog dialog{Dialog::Kind::Prompt, QStringLiteral("Vexmoor"),
                  QStringLiteral("What is your name?"), QStringLiteral("Player")};
    Picture picture{80, 24};
};

} // namespace

TEST(TerminalInput, ALongLineShowsItsEndInTheBoxInWholeCharacters) {
    // Keys, the answer, the end that shows: 55 cells before the cursor, two for a CJK character
    // or an emoji; the emoji is one character to type and to take back.
    const QString a = QStringLiteral("a");
    for (const auto& [pressed, answer, shown] :
         {std::tuple{a.repeated(100000), a.repeated(100000), a.repeated(55)},
          {kCjk.repeated(100), kCjk.repeated(100), kCjk.repeated(27)},
          {kEmoji.repeated(100), kEmoji.repeated(100), kEmoji.repeated(27)},
          {(a + kCjk).repeated(50), (a + kCjk).repeated(50), (a + kCjk).repeated(18)},
          {QStringLiteral("Anna") + kEmoji + u'\b', QStringLiteral("Anna"), QStringLiteral("Anna")},
          {kEmoji + kEmoji + u'\b', kEmoji, kEmoji},
          // The proposed answer: kept, taken back whole, replaced by the first character.
          {QString(), QStringLiteral("Player"), QStringLiteral("Player")},
          {QStringLiteral("\b"), QString(), QString()},
          {kEmoji, kEmoji, kEmoji},
          // A combining accent, control characters and a zero-width space take no cell of their
          // own, and are not taken.
          {QStringLiteral("e\u0301\u0085\u200b\u0007"), QStringLiteral("e"),
           QStringLiteral("e")}}) {
        const Question question(pressed);
        const std::string which = answer.left(8).toStdString();
        EXPECT_EQ(question.dialog.answer(), answer) << which;
        const auto [line, cursor] = question.field();
        EXPECT_EQ(line.toStdString(), shown.toStdString()) << which;
        const Cells box = question.box();
        EXPECT_LT(cursor, box.right() - 2) << which;
        // Nothing is written beyond the box.
        for (int row = 0; row < 24; ++row)
            for (int column = 0; column < 80; ++column)
                if (question.picture.at(column, row).written) {
                    EXPECT_TRUE(box.contains(column, row)) << which << column << "," << row;
                }
    }
}
