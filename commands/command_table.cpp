#include "commands/command_table.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

const std::vector<CommandBar> kCommandBars = {
    {"file", "ファイル(&F)", false}, {"edit", "編集(&E)", false}, {"create", "作成(&C)", false},
    {"select", "選択(&S)", false},   {"view", "表示(&V)", false}, {"help", "ヘルプ(&H)", false},
    {"standard", "標準", true},      {"tools", "ツール", true},
};

CommandTable& CommandTable::Global() {
    static CommandTable table;
    return table;
}

void CommandTable::Add(CommandSpec spec) {
    const std::string id = spec.id;
    if (!specs_.emplace(id, std::move(spec)).second) {
        std::fprintf(stderr, "two commands are registered as \"%s\"\n", id.c_str());
        std::abort();
    }
}

const CommandSpec* CommandTable::Find(std::string_view id) const {
    const auto found = specs_.find(id);
    return found == specs_.end() ? nullptr : &found->second;
}

std::vector<const CommandSpec*> CommandTable::All() const {
    std::vector<const CommandSpec*> all;
    all.reserve(specs_.size());
    for (const auto& [id, spec] : specs_) {
        all.push_back(&spec);
    }
    return all;
}

std::vector<const CommandSpec*> CommandTable::In(std::string_view bar) const {
    std::vector<const CommandSpec*> shown;
    for (const auto& [id, spec] : specs_) {
        if (spec.menu.bar == bar || spec.toolbar.bar == bar) {
            shown.push_back(&spec);
        }
    }
    const auto place = [bar](const CommandSpec* spec) -> const Placement& {
        return spec->menu.bar == bar ? spec->menu : spec->toolbar;
    };
    std::stable_sort(shown.begin(), shown.end(), [&](const CommandSpec* a, const CommandSpec* b) {
        const Placement& pa = place(a);
        const Placement& pb = place(b);
        return pa.group != pb.group ? pa.group < pb.group : pa.order < pb.order;
    });
    return shown;
}

CommandRegistration::CommandRegistration(std::initializer_list<CommandSpec> specs) {
    for (const CommandSpec& spec : specs) {
        CommandTable::Global().Add(spec);
    }
}
