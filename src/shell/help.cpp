#include "shell/help.h"

#include "shell/game.h"

#include <QDir>
#include <QUrl>

namespace {

QString helpPage(const ui::Platform& platform) {
    return QDir(platform.programFolder()).absoluteFilePath(QStringLiteral("help/index.html"));
}

} // namespace

QString helpAddress(const ui::Platform& platform) {
    return QUrl::fromLocalFile(helpPage(platform)).toString();
}

void openHelpPage(Game& game) {
    ui::Platform& platform = game.platform();
    if (!platform.openAddress(helpAddress(platform)))
        platform.messageBox(
            QStringLiteral("The help page could not be opened in a browser. Open it yourself:\n") +
            helpPage(platform));
}

QString creditsLine() {
    return QStringLiteral("(c) 2026 the Vexmoor team - help/index.html");
}
