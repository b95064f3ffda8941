// A perform function of a command that takes no parameters and acts on the
// whole scene through one edit function.
#pragma once

#include "commands/command.h"

template <void (*Change)(CCentigrade&)>
std::optional<Refusal> OnScene(CommandContext& context, const CommandArguments&) {
    Change(context.scene);
    return std::nullopt;
}
