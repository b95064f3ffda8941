// The program's file types and launcher for the desktop: a desktop entry, a
// shared-mime-info package and the icon. An installed program has them
// system-wide; one run from its build tree writes them for the user under
// $XDG_DATA_HOME at every start, and the user can remove them again.
#pragma once

#include <QString>
#include <QStringList>

// True when this executable lies in the tree it was built in (not installed).
bool RunningFromBuildTree();

// The files of the per-user registration, whether they exist or not.
QStringList UserRegistrationFiles();

// Writes the per-user registration for `executable`, replacing an earlier
// one. Returns an empty string on success, else why it failed.
QString RegisterForUser(const QString& executable);

// Removes exactly the files RegisterForUser writes.
void UnregisterForUser();
