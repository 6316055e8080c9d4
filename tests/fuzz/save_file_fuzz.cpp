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
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The fuzzer's bytes taken piece by piece; past their end, zeros.
struct Bytes {
    QByteArray take(std::size_t n) {
        n = std::min(n, size);
        const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(n));
        data += n;
        size -= n;
        return bytes;
    }
    template <class T> T take() {
        T value{};
        const QByteArray bytes = take(sizeof(T));
        std::memcpy(&value, bytes.constData(), static_cast<std::size_t>(bytes.size()));
        return value;
    }

    const std::uint8_t* data;
    std::size_t size;
};

void check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "%s\n", what);
        std::abort();
    }
}

// A whole number, a fraction in hundredths or any finite number, or nothing (no board).
QString anyNumber(Bytes& bytes, bool singlePrecision) {
    const int kind = bytes.take<std::uint8_t>() % 4;
    if (kind == 0)
        return {};
    const double value = kind < 3          ? bytes.take<std::int32_t>() / (kind == 1 ? 1.0 : 100.0)
                         : singlePrecision ? bytes.take<float>()
                                           : bytes.take<double>();
    return ui::numberText(std::isfinite(value) ? value : 0.0);
}

SavedGame readBack(const SavedGame& game) {
    const savefile::ReadResult read = savefile::parse(savefile::serialize(game));
    check(!read.damaged, "a written game reads as damaged");
    return read.game;
}

// A line cannot hold a double quote in a quoted field, nor control characters: those come back
// as stand-ins. Any other name comes back whole, or when it is too long cut before a whole
// character.
void checkName(const QString& sent, const QString& back) {
    check(back.size() <= 300, "a name came back too long");
    if (std::any_of(sent.begin(), sent.end(), [](QChar c) {
            return c == '"' || c == QChar(0x7F) || (c.unicode() < 0x20 && c != '\t');
        }))
        return;
    check(sent.startsWith(back) && (sent.size() > 300 || back == sent),
          "a name came back other than its beginning");
    if (back == sent)
        return;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, sent);
    characters.setPosition(back.size());
    check(characters.isAtBoundary(), "a name was cut inside a character");
}

void writeThenRead(Bytes bytes) {
    // The fields that hold numbers as the game writes them, then the board's lines.
    QString SavedGame::*const fields[] = {
        &SavedGame::level,      &SavedGame::energy,   &SavedGame::armor,     &SavedGame::gold,
        &SavedGame::hits,       &SavedGame::food,     &SavedGame::serum,     &SavedGame::timeLeft,
        &SavedGame::continues,  &SavedGame::boardTop, &SavedGame::boardLeft, &SavedGame::boardWidth,
        &SavedGame::boardHeight};
    SavedGame game;
    for (std::size_t i = 0; i < std::size(fields); ++i)
        game.*fields[i] = anyNumber(bytes, i >= 9);
    game.rope = bytes.take<std::uint8_t>() % 2;
    game.playerName = QString::fromUtf8(bytes.take(bytes.take<std::uint16_t>() % 1500));

    const SavedGame back = readBack(game);
    check(readBack(back) == back, "a game written and read twice changed the second time");
    for (std::size_t i = 0; i < std::size(fields); ++i) {
        // A board line holds 7 significant digits of a single-precision number.
        const QString &sent = game.*fields[i], &got = back.*fields[i];
        const double value = ui::readNumber(sent).value_or(0);
        check(i < 9            ? got == sent
              : sent.isEmpty() ? got.isEmpty()
                               : std::fabs(ui::readNumber(got).value_or(NAN) - value) <=
                                     1e-6 * std::fabs(value) + 1e-30,
              "a number came back changed");
    }
    check(back.rope == game.rope, "the rope came back changed");
    checkName(game.playerName, back.playerName);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const savefile::ReadResult read = savefile::parse(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    check(read.damaged || readBack(read.game) == read.game,
          "a game read, written and read again changed");
    writeThenRead(Bytes{data, size});
    return 0;
}
