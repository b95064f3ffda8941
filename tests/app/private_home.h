// Settings and per-user data of a GUI test go to a temporary folder, never to
// the real home. Construct before the QApplication.
#pragma once

#include <QTemporaryDir>
#include <QtGlobal>

struct PrivateHome {
    PrivateHome() {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.filePath(QStringLiteral("config"))));
        qputenv("XDG_DATA_HOME", QFile::encodeName(dir.filePath(QStringLiteral("data"))));
        qputenv("XDG_STATE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("state"))));
    }
    QTemporaryDir dir;
};

// The main of a GUI test of the application that runs in a private home,
// with the program's OpenGL format (app/gl_format.h).
#define QUORVEL_PRIVATE_HOME_TEST_MAIN(TestClass) \
    int main(int argc, char** argv) {             \
        PrivateHome home;                         \
        SetDefaultGlFormat();                     \
        QApplication app(argc, argv);             \
        TestClass test;                           \
        return QTest::qExec(&test, argc, argv);   \
    }
