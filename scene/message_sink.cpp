#include "scene/message_sink.h"

#include <cstdio>
#include <utility>

namespace {

void WriteToStderr(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
}

MessageSink& CurrentSink() {
    static MessageSink sink = WriteToStderr;
    return sink;
}

}  // namespace

MessageSink SetMessageSink(MessageSink sink) {
    return std::exchange(CurrentSink(), sink ? std::move(sink) : MessageSink(WriteToStderr));
}

void ShowMessage(const std::string& message) {
    CurrentSink()(message);
}
