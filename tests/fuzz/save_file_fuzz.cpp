// The save file under fuzzing, as two properties of every input. Read as a file, the bytes are
// refused, or the fields they give are written and read back the same. Taken as the makings of a
// game the player can reach (a name of any kind, numbers in every form, the rope), the game is
// written and read back: it comes back, its board in single precision and an unwritable name in
// the file's stand-in, and from then on it stays as it is.
#include "save/save_file.h"
#include "ui/number.h"

#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The fuzzer's bytes taken piece by piece; past their end, zeros.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <class T> T take() {
        T value{};
        const std::size_t n = std::min(sizeof(T), size_);
        std::memcpy(&value, data_, n);
        data_ += n;
        size_ -= n;
        return value;
    }
    QByteArray takeBytes(std::size_t n) {
        n = std::min(n, size_);
        const QByteArray bytes(reinterpret_cast<const char*>(data_), static_cast<qsizetype>(n));
        data_ += n;
        size_ -= n;
        return bytes;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
};

void check(bool holds, const char* what) {
    if (holds)
        return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

// A whole number, a fraction in hundredths or any finite number, or nothing (no board).
QString anyNumber(Bytes& bytes, bool singlePrecision) {
    switch (bytes.take<std::uint8_t>() % 4) {
    case 0:
        return {};
    case 1:
        return ui::numberText(bytes.take<std::int32_t>());
    case 2:
        return ui::numberText(bytes.take<std::int32_t>() / 100.0);
    default:
        const double value = singlePrecision ? bytes.take<float>() : bytes.take<double>();
        return ui::numberText(std::isfinite(value) ? value : 0.0);
    }
}

// The fields that hold numbers as the game writes them, and the board's lines.
constexpr QString SavedGame::*kNumbers[] = {
    &SavedGame::level, &SavedGame::energy,   &SavedGame::armor,
    &SavedGame::gold,  &SavedGame::hits,     &SavedGame::food,
    &SavedGame::serum, &SavedGame::timeLeft, &SavedGame::continues};
constexpr QString SavedGame::*kBoard[] = {&SavedGame::boardTop, &SavedGame::boardLeft,
                                          &SavedGame::boardWidth, &SavedGame::boardHeight};

SavedGame readBack(const SavedGame& game) {
    const savefile::ReadResult read = savefile::parse(savefile::serialize(game));
    check(!read.damaged, "a written game reads as damaged");
    return read.game;
}

void readThenWrite(const QByteArray& file) {
    const savefile::ReadResult read = savefile::parse(file);
    if (!read.damaged)
        check(readBack(read.game) == read.game, "a game read, written and read again changed");
}

// A board line holds 7 significant digits of a single-precision number.
bool sameBoardLine(const QString& sent, const QString& back) {
    if (sent.isEmpty())
        return back.isEmpty();
    const double value = ui::readNumber(sent).value();
    const double difference = std::fabs(ui::readNumber(back).value_or(NAN) - value);
    return difference <= 1e-6 * std::fabs(value) + 1e-30;
}

// A line cannot hold a double quote in a quoted field, nor control characters: those come back
// as stand-ins. Any other name comes back whole, or when it is too long cut before a whole
// character.
void checkName(const QString& sent, const QString& back) {
    check(back.size() <= 300, "a name came back too long");
    const bool unwritable = std::any_of(sent.begin(), sent.end(), [](QChar c) {
        return c == QLatin1Char('"') || c == QChar(0x7F) ||
               (c.unicode() < 0x20 && c != QLatin1Char('\t'));
    });
    if (unwritable)
        return;
    check(sent.startsWith(back) && (sent.size() > 300 || back == sent),
          "a name came back other than its beginning");
    if (back == sent)
        return;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, sent);
    characters.setPosition(back.size());
    check(characters.isAtBoundary(), "a name was cut inside a character");
}

void writeThenRead(Bytes& bytes) {
    SavedGame game;
    for (const auto field : kNumbers)
        game.*field = anyNumber(bytes, false);
    for (const auto side : kBoard)
        game.*side = anyNumber(bytes, true);
    game.rope = bytes.take<std::uint8_t>() % 2;
    game.playerName = QString::fromUtf8(bytes.takeBytes(bytes.take<std::uint16_t>() % 1500));

    const SavedGame back = readBack(game);
    check(readBack(back) == back, "a game written and read twice changed the second time");
    for (const auto field : kNumbers)
        check(back.*field == game.*field, "a number came back changed");
    for (const auto side : kBoard)
        check(sameBoardLine(game.*side, back.*side), "a board line came back changed");
    check(back.rope == game.rope, "the rope came back changed");
    checkName(game.playerName, back.playerName);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    readThenWrite(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    Bytes bytes(data, size);
    writeThenRead(bytes);
    return 0;
}
