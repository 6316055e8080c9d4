// Feeds arbitrary bytes to the save-file reader: it must neither crash nor accept what the game
// cannot use.
#include "shop/savefile.h"
#include "ui/number.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const savefile::ReadResult result = savefile::parse(bytes);
    if (result.damaged)
        return 0;
    // An accepted file holds numbers (or nothing) wherever the game reads one.
    for (int i : {0, 1, 2, 3, 4, 5, 6, 7, 13}) {
        const QString& field = result.fields[static_cast<std::size_t>(i)];
        if (!field.isEmpty() && !ui::readNumber(field))
            std::abort();
    }
    for (int i : {8, 9, 10, 11}) {
        const QString& field = result.fields[static_cast<std::size_t>(i)];
        if (!field.isEmpty() && !savefile::coordinate(field))
            std::abort();
    }
    return 0;
}
