#include <QCoreApplication>
#include <gtest/gtest.h>

// The server's parts run on Qt's event loop, as in the server.
int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
