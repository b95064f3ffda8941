// The modeler's command line. --help and --version are answered before the
// window system is reached, so they work over ssh, in scripts and in package
// checks; the other options are read once the application exists, after Qt
// has taken its own (-platform, -style, ...).
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

struct StartOptions {
    QString file;        // the document to open; empty: none
    QString screenshot;  // where a screenshot run saves the window; empty: a normal run
    std::optional<int> autosaveSeconds;  // for this run, instead of the setting
};

// With a QCoreApplication of its own: when the command line asks for the help
// or the version, prints it and returns the exit status; otherwise nothing.
std::optional<int> AnswerWithoutDisplay(int argc, char** argv);

// The options of `arguments` (the program first), or the exit status of a
// usage error, which is reported on stderr.
std::variant<StartOptions, int> ReadStartOptions(const QStringList& arguments);
