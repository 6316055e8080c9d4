#include "app/command_line.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

std::optional<int> answerCommandLine(int argc, char* argv[], const CommandLine& program) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(program.description);
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions(program.options);
    const bool understood = parser.parse(QCoreApplication::arguments());
    if (understood && parser.isSet(QStringLiteral("version")))
        parser.showVersion();
    if (understood && parser.isSet(QStringLiteral("help")))
        parser.showHelp();
    QString error = parser.errorText();
    if (understood && !parser.positionalArguments().isEmpty())
        error = QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments()[0]);
    if (!error.isEmpty()) {
        const QByteArray name =
            QFileInfo(QCoreApplication::arguments().value(0)).fileName().toLocal8Bit();
        std::fprintf(stderr, "%s: %s\nTry '%s --help'.\n", name.constData(), qPrintable(error),
                     name.constData());
        return 2;
    }
    return program.check ? program.check(parser) : std::nullopt;
}
