#include "terminal/text_lines.h"

#include <algorithm>
#include <wchar.h>

namespace {

// How many UTF-16 units of a line fit in `width` cells, at least one whole character.
qsizetype fitting(const QString& line, int width) {
    qsizetype fit = 0;
    int cells = 0;
    for (char32_t character : line.toUcs4()) {
        cells += displayWidth(character);
        const qsizetype units = QChar::requiresSurrogates(character) ? 2 : 1;
        if (cells > width)
            return fit > 0 ? fit : units;
        fit += units;
    }
    return fit;
}

} // namespace

QStringList textLines(const QString& text) {
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
}

QStringList wrapped(const QStringList& lines, int width) {
    width = std::max(width, 1);
    QStringList result;
    for (QString rest : lines) {
        while (displayWidth(rest) > width) {
            const qsizetype fit = fitting(rest, width);
            const qsizetype space = rest.lastIndexOf(u' ', fit);
            const qsizetype cut = space > 0 ? space : fit;
            result.append(rest.left(cut));
            rest = rest.mid(cut).trimmed();
        }
        result.append(rest);
    }
    return result;
}

int displayWidth(char32_t character) {
    return std::max(0, wcwidth(static_cast<wchar_t>(character)));
}

int displayWidth(const QString& line) {
    int cells = 0;
    for (char32_t character : line.toUcs4())
        cells += displayWidth(character);
    return cells;
}
