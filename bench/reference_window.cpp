// The yardstick for the game's start: a main window of the game's size showing one line of text in
// the game's fallback font.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    auto* line = new QLabel(QStringLiteral("Vexmoor"), &window);
    line->setFont(QFont(QStringLiteral("DejaVu Sans Mono"), 12));
    window.setCentralWidget(line);
    window.resize(784, 571);
    window.show();
    return QApplication::exec();
}
