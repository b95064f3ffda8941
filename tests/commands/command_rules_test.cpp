// The command table as the menus, toolbars and scripts read it: when each
// command is enabled and checked, and where it is shown.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>

#include "commands/command_table.h"
#include "scene/centigrade.h"

namespace {

const CommandSpec& Spec(const std::string& id) {
    const CommandSpec* spec = CommandTable::Global().Find(id);
    if (!spec) {
        ADD_FAILURE() << "no command " << id;
        static const CommandSpec none;
        return none;
    }
    return *spec;
}

// A document with objects and materials, nothing selected, nothing to undo.
CommandState Plain() {
    CommandState state;
    state.objects = 2;
    state.materials = 1;
    state.anyEditableObject = true;
    state.currentObject = true;
    state.currentObjectEditable = true;
    state.currentMaterial = true;
    state.toolMode = ToolSelect;
    state.vertexSelectable = true;
    state.faceSelectable = true;
    state.showFaces = true;
    state.showAxis = true;
    return state;
}

struct RuleCase {
    const char* name;
    CommandState state;
    // The commands expected disabled, with their reason; every other one is enabled.
    std::map<std::string, Reason> disabled;
    // The checkable commands expected checked; every other one is not.
    std::set<std::string> checked;
    std::map<std::string, std::string> texts;
};

// What a document with no editable object, no selection and no history
// cannot do: the commands that need an editable object give that reason.
std::map<std::string, Reason> NothingToActOn() {
    std::map<std::string, Reason> disabled = {
        {"edit.undo", Reason::NothingToUndo},     {"edit.redo", Reason::NothingToRedo},
        {"edit.cut", Reason::NoSelectedFaces},    {"edit.copy", Reason::NoSelectedFaces},
        {"edit.paste", Reason::NoClipboardFaces}, {"view.frame_selected", Reason::NothingSelected}};
    for (const char* id : {"select.elements",
                           "face.paint",
                           "face.delete",
                           "select.all",
                           "select.invert",
                           "select.more",
                           "select.less",
                           "select.linked",
                           "select.by_material",
                           "select.loop",
                           "select.ring",
                           "view.hide",
                           "view.hide_others",
                           "view.reveal",
                           "face.create",
                           "face.extrude",
                           "face.flip",
                           "face.triangulate",
                           "face.quadrangulate",
                           "face.subdivide",
                           "edit.mirror",
                           "vertex.weld",
                           "vertex.merge_by_distance",
                           "vertex.delete",
                           "vertex.clean",
                           "object.separate",
                           "object.duplicate_faces",
                           "object.merge"}) {
        disabled.emplace(id, Reason::NoEditableObject);
    }
    return disabled;
}

std::vector<RuleCase> RuleCases() {
    std::vector<RuleCase> cases;
    {
        RuleCase c{"empty document", CommandState{}, {}, {}, {}};
        c.disabled = NothingToActOn();
        c.disabled.insert({{"object.properties", Reason::NoSuchObject},
                           {"object.rename", Reason::NoSuchObject},
                           {"object.smoothing", Reason::NoSuchObject},
                           {"object.mirror_axis", Reason::NoSuchObject},
                           {"object.visibility", Reason::NoSuchObject},
                           {"object.lock", Reason::NoSuchObject},
                           {"material.properties", Reason::NoSuchMaterial},
                           {"material.set", Reason::NoSuchMaterial},
                           {"material.rename", Reason::NoSuchMaterial},
                           {"material.texture", Reason::NoSuchMaterial}});
        c.texts = {{"edit.undo", "元に戻す(&U)"}, {"edit.redo", "やり直し(&R)"}};
        cases.push_back(c);
    }
    {
        RuleCase c{"faces selected after a move, the move tool", Plain(), {}, {}, {}};
        c.state.selected = {0, 8, 2, 2};
        c.state.canUndo = true;
        c.state.undoName = "移動";
        c.state.toolMode = ToolMove;
        c.disabled = {{"edit.redo", Reason::NothingToRedo},
                      {"edit.paste", Reason::NoClipboardFaces}};
        c.checked = {"tool.move", "selectable.vertices", "selectable.faces", "display.faces",
                     "display.axis"};
        c.texts = {{"edit.undo", "元に戻す: 移動(&U)"}, {"tool.move", "平行移動"}};
        cases.push_back(c);
    }
    {
        // Selected vertices and edges alone give nothing to cut.
        RuleCase c{"vertices and edges selected, faces on the clipboard", Plain(), {}, {}, {}};
        c.state.selected = {3, 2, 0};
        c.state.clipboardHasFaces = true;
        c.state.canRedo = true;
        c.state.redoName = "面削除";
        c.state.toolMode = ToolObjectForm;
        c.state.edgeSelectable = true;
        c.state.showVertices = true;
        c.state.statusBarShown = true;
        c.disabled = {{"edit.undo", Reason::NothingToUndo},
                      {"edit.cut", Reason::NoSelectedFaces},
                      {"edit.copy", Reason::NoSelectedFaces}};
        c.state.xray = true;
        c.checked = {"selectable.vertices", "selectable.edges", "selectable.faces",
                     "display.vertices",    "display.faces",    "display.axis",
                     "view.status_bar",     "view.xray"};
        c.texts = {{"edit.redo", "やり直し: 面削除(&R)"}};
        cases.push_back(c);
    }
    {
        RuleCase c{"every object locked or hidden", Plain(), {}, {}, {}};
        c.state.anyEditableObject = false;
        c.state.currentObjectEditable = false;
        c.state.toolMode = ToolPaintMaterial;
        c.disabled = NothingToActOn();
        c.checked = {"tool.paint", "selectable.vertices", "selectable.faces", "display.faces",
                     "display.axis"};
        cases.push_back(c);
    }
    return cases;
}

TEST(CommandRules, EnabledCheckedAndTextFollowTheState) {
    for (const RuleCase& c : RuleCases()) {
        for (const CommandSpec* spec : CommandTable::Global().All()) {
            const auto disabled = c.disabled.find(spec->id);
            const std::optional<Reason> expected =
                disabled == c.disabled.end() ? std::nullopt : std::optional(disabled->second);
            EXPECT_EQ(spec->Unavailable(c.state), expected) << c.name << ": " << spec->id;
            EXPECT_EQ(spec->Checked(c.state), c.checked.contains(spec->id))
                << c.name << ": " << spec->id;
        }
        for (const auto& [id, text] : c.texts) {
            EXPECT_EQ(Spec(id).Text(c.state), text) << c.name << ": " << id;
        }
    }
}

// One tool button is pressed exactly when a tool of the toolbar is chosen.
TEST(CommandRules, TheToolsAreOneExclusiveGroup) {
    std::vector<const CommandSpec*> tools;
    for (const CommandSpec* spec : CommandTable::Global().All()) {
        if (spec->exclusiveGroup == "tool") {
            EXPECT_TRUE(spec->checkable) << spec->id;
            tools.push_back(spec);
        }
    }
    ASSERT_EQ(tools.size(), 7u);
    for (int tool = ToolNone; tool <= ToolPaintMaterial; ++tool) {
        CommandState state;
        state.toolMode = tool;
        int pressed = 0;
        for (const CommandSpec* spec : tools) {
            pressed += spec->Checked(state) ? 1 : 0;
        }
        EXPECT_EQ(pressed, tool >= ToolSelect ? 1 : 0) << "tool " << tool;
    }
}

// The bars as the main window shows them, "|" where a separator stands.
std::string Layout(const std::string& bar) {
    std::string layout;
    int group = -1;
    for (const CommandSpec* spec : CommandTable::Global().In(bar)) {
        const Placement& place = spec->menu.bar == bar ? spec->menu : spec->toolbar;
        if (group >= 0 && place.group != group) {
            layout += " |";
        }
        group = place.group;
        layout += " " + spec->id;
    }
    return layout;
}

TEST(CommandTable, MenusAndToolbarsComeFromTheEntries) {
    EXPECT_EQ(Layout("file"),
              " file.new file.open file.save file.save_as | file.recent | file.exit");
    EXPECT_EQ(Layout("edit"),
              " edit.undo edit.redo | edit.cut edit.copy edit.paste |"
              " face.flip face.triangulate face.quadrangulate face.subdivide edit.mirror |"
              " vertex.weld vertex.merge_by_distance vertex.delete vertex.clean |"
              " object.separate object.merge");
    EXPECT_EQ(Layout("edit"),
              " edit.undo edit.redo | edit.cut edit.copy edit.paste |"
              " face.flip face.triangulate face.quadrangulate face.subdivide edit.mirror |"
              " vertex.weld vertex.merge_by_distance vertex.delete vertex.clean |"
              " object.separate object.merge");
    EXPECT_EQ(Layout("select"),
              " select.all select.none select.invert |"
              " select.more select.less select.linked select.by_material |"
              " select.loop select.ring | view.hide view.hide_others view.reveal |"
              " view.frame_selected view.xray");
    EXPECT_EQ(Layout("create"),
              " create.plane create.cube create.cylinder create.sphere create.cone |"
              " face.create face.extrude object.duplicate_faces");
    EXPECT_EQ(Layout("view"),
              " view.status_bar | view.frame_all |"
              " view.front view.back view.side view.opposite view.top view.bottom");
    EXPECT_EQ(Layout("help"), " help.remove_registration | help.about");
    EXPECT_EQ(Layout("standard"),
              " file.new file.open file.save | edit.cut edit.copy edit.paste |"
              " selectable.vertices selectable.edges selectable.faces | help.about");
    EXPECT_EQ(Layout("tools"),
              " tool.select tool.range | tool.move tool.rotate tool.scale |"
              " tool.paint tool.delete_face");
    for (const CommandBar& bar : kCommandBars) {
        EXPECT_FALSE(Layout(bar.id).empty()) << bar.id;
    }
}

// Two commands on one key would leave one of them unreachable; a toolbar
// button needs an icon; only the window's own commands go without a perform.
TEST(CommandTable, EntriesAreComplete) {
    const std::set<std::string> windowOnly = {
        "file.new",    "file.open", "file.save",       "file.save_as",
        "file.recent", "file.exit", "view.status_bar", "help.remove_registration",
        "help.about",  "pane.next", "pane.previous"};
    std::map<std::string, std::string> keys;
    for (const CommandSpec* spec : CommandTable::Global().All()) {
        EXPECT_FALSE(spec->text.empty()) << spec->id;
        EXPECT_FALSE(spec->help.empty()) << spec->id;
        EXPECT_EQ(spec->Headless(), !windowOnly.contains(spec->id)) << spec->id;
        if (spec->toolbar.Shown()) {
            EXPECT_TRUE(spec->icon.starts_with(":/icons/")) << spec->id;
        }
        for (const std::string& key : spec->shortcuts) {
            const auto [other, added] = keys.emplace(key, spec->id);
            EXPECT_TRUE(added) << key << " is both " << other->second << " and " << spec->id;
        }
        for (const ParamSpec& param : spec->params) {
            EXPECT_FALSE(param.help.empty()) << spec->id << " " << param.name;
        }
    }
}

TEST(Refusal, EveryReasonHasBothTextsAndItsOwnCode) {
    std::set<std::string_view> codes;
    for (int r = 0; r <= static_cast<int>(Reason::NothingSelected); ++r) {
        const ReasonText& text = DescribeReason(static_cast<Reason>(r));
        EXPECT_EQ(text.reason, static_cast<Reason>(r));
        EXPECT_FALSE(text.english.empty());
        EXPECT_FALSE(text.japanese.empty());
        EXPECT_TRUE(codes.insert(text.code).second) << text.code;
    }
    const Refusal refusal{Reason::NoSuchObject, "object: 4, but the scene has 2 objects"};
    EXPECT_EQ(refusal.Message(), "no such object: object: 4, but the scene has 2 objects");
    EXPECT_EQ(refusal.Message(Language::Japanese),
              "その物体はありません：object: 4, but the scene has 2 objects");
}

}  // namespace
