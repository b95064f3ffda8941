// Where core code sends the messages a user must see (a message box in the
// application, stderr in the command-line tool, a recorder in tests).
#pragma once

#include <functional>
#include <string>

// Receives one UTF-8 message.
using MessageSink = std::function<void(const std::string& message)>;

// Installs `sink` and returns the one it replaces. The default writes to stderr.
MessageSink SetMessageSink(MessageSink sink);
void ShowMessage(const std::string& message);
