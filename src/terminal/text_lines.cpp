#include "terminal/text_lines.h"

#include <algorithm>

QStringList textLines(const QString& text) {
    return QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(u'\n');
}

QStringList wrapped(const QStringList& lines, int width) {
    width = std::max(width, 1);
    QStringList result;
    for (QString rest : lines) {
        while (rest.size() > width) {
            const qsizetype space = rest.lastIndexOf(u' ', width);
            const qsizetype cut = space > 0 ? space : width;
            result.append(rest.left(cut));
            rest = rest.mid(cut).trimmed();
        }
        result.append(rest);
    }
    return result;
}
