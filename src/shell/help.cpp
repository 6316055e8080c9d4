#include "shell/help.h"

#include "shell/game.h"

#include <QDir>
#include <QUrl>

QString helpAddress(const ui::Platform& platform) {
    const QString page = QDir(platform.programFolder()).filePath(QStringLiteral("help/index.html"));
    return QUrl::fromLocalFile(page).toString();
}

void OpenHelpPage(Game& game, ui::Window& /*owner*/, const QString& address) {
    // The browser opens its own window; the owner only tells which window asked.
    game.platform().openAddress(address);
}

QString creditsLine() {
    return QStringLiteral("(c) 2026 the Vexmoor team - help/index.html");
}
