"""Scene.run, undo and redo: the modeler's commands on a scene, their
refusals, the history, and vertex views across commands."""

import numpy as np
import pytest

import quorvel

# Errors in how a command was called, never in what the scene holds.
CALL_ERRORS = {"unknown_command", "unknown_parameter", "missing_parameter", "wrong_type", "out_of_range"}


@pytest.fixture
def scene():
    """A cube (object 0) and a 2 x 2 plane (object 1, current, its faces selected)."""
    scene = quorvel.Scene()
    scene.run("create.cube", size=2)
    scene.run("create.plane", segments=2)
    return scene


def snapshot(scene):
    """Everything the commands below change, as plain values."""
    return [
        (o.name, o.vertices.copy(), *(a.copy() for a in o.faces), o.uvs.copy(), o.face_selected.copy(),
         o.vertex_selected.copy())
        for o in scene.objects
    ]


def assert_same(a, b):
    assert len(a) == len(b)
    for x, y in zip(a, b):
        assert x[0] == y[0]
        for p, q in zip(x[1:], y[1:]):
            np.testing.assert_array_equal(p, q)


def counts(scene):
    return [(o.vertex_count, o.face_count) for o in scene.objects]


def moved_up(scene):
    plane = scene.objects[1].vertices
    return np.all(plane[:, 1] == 10) and np.all(scene.objects[0].vertices[:, 1] != 10)


EFFECTS = [
    ("select.none", {}, lambda s: not any(o.face_selected.any() for o in s.objects)),
    ("select.all", {}, lambda s: all(o.face_selected.all() for o in s.objects)),
    ("select.elements", {"object": 0, "faces": [1, 2]},
     lambda s: s.objects[0].face_selected.tolist() == [False, True, True, False, False, False]
     and not s.objects[1].face_selected.any()),
    ("select.elements", {"object": 0, "faces": np.array([3], dtype=np.int16), "mode": "add"},
     lambda s: s.objects[0].face_selected[3] and s.objects[1].face_selected.all()),
    ("edit.move", {"by": (0, 10, 0)}, moved_up),
    ("edit.move", {"by": np.array([0.0, 10.0, 0.0])}, moved_up),
    ("create.sphere", {"segments": 8, "rings": np.int64(4)},
     lambda s: len(s.objects) == 3 and counts(s)[2] == (26, 32) and s.objects[2].face_selected.all()),
    ("face.delete", {"object": 0, "faces": (0, 5)}, lambda s: counts(s) == [(8, 4), (9, 4)]),
    ("face.triangulate", {}, lambda s: counts(s)[1] == (9, 8) and (s.objects[1].faces[1] == 3).all()),
    ("face.subdivide", {}, lambda s: counts(s)[1] == (25, 16)),
    ("face.extrude", {"distance": 1.5}, lambda s: counts(s)[1] == (17, 12)),
    ("face.flip", {}, lambda s: s.objects[1].face_normals[:, 1].tolist() == [1] * 4),
    ("object.merge", {"objects": [0]}, lambda s: counts(s) == [(17, 10)]),
    ("object.rename", {"object": 0, "name": "箱"}, lambda s: s.objects[0].name == "箱"),
    ("object.smoothing", {"degrees": 30.0}, lambda s: s.objects[1].facet == 30),
    ("vertex.delete", {}, lambda s: counts(s) == [(8, 6), (0, 0)]),
]


@pytest.mark.parametrize("command,params,effect", EFFECTS, ids=[f"{c}-{i}" for i, (c, _, _) in enumerate(EFFECTS)])
def test_commands_change_the_scene_as_named(scene, command, params, effect):
    assert scene.objects[1].face_normals[:, 1].tolist() == [-1] * 4
    scene.run(command, **params)
    assert effect(scene)


def sample_value(param):
    """A value a required parameter of this kind takes."""
    low = param["minimum"] if param["minimum"] is not None else 0
    return {
        "float": max(low, 30.0),
        "int": int(low),
        "bool": True,
        "str": "x",
        "vector": (1, 2, 3),
        "int_list": [0],
        "edge_list": [(0, 0)],
        "choice": param["choices"][0] if param["choices"] else "",
    }[param["kind"]]


COMMANDS = quorvel.commands()


@pytest.mark.parametrize("command", COMMANDS, ids=[c["id"] for c in COMMANDS])
def test_every_command_runs_or_says_why_not(scene, command):
    params = {p["name"]: sample_value(p) for p in command["parameters"] if p["required"]}
    if command["needs_window"]:
        with pytest.raises(quorvel.CommandError) as refused:
            scene.run(command["id"], **params)
        assert refused.value.reason == "needs_window"
        return
    before = snapshot(scene)
    try:
        scene.run(command["id"], **params)
    except quorvel.CommandError as e:
        assert e.command == command["id"]
        assert e.reason not in CALL_ERRORS, str(e)
        assert_same(snapshot(scene), before)


def test_the_list_of_commands_describes_parameters():
    by_id = {c["id"]: c for c in COMMANDS}
    move = by_id["edit.move"]
    assert move["help"] and not move["needs_window"]
    (by,) = move["parameters"]
    assert (by["name"], by["kind"], by["required"], by["default"]) == ("by", "vector", False, (0, 0, 0))
    mode = {p["name"]: p for p in by_id["select.elements"]["parameters"]}["mode"]
    assert mode["choices"] == ["replace", "add", "remove"] and mode["default"] == "replace"
    assert any(c["needs_window"] for c in COMMANDS)


@pytest.mark.parametrize("command,params,reason", [
    ("face.extrude", {}, "no_selected_faces"),  # after select.none
    ("object.current", {"object": 7}, "no_such_object"),
    ("select.elements", {"object": 0, "faces": [6]}, "no_such_element"),
    ("edit.move", {"by": (0, 1)}, "wrong_type"),
    ("edit.move", {"by": "up"}, "wrong_type"),
    ("edit.move", {"by": {"x": 1}}, "wrong_type"),
    ("edit.move", {"offset": (0, 1, 0)}, "unknown_parameter"),
    ("edit.rotate", {"axis": "x"}, "missing_parameter"),
    ("create.sphere", {"segments": 2**70}, "out_of_range"),
    ("no.such", {}, "unknown_command"),
])
def test_refusals_are_typed_and_change_nothing(scene, command, params, reason):
    scene.run("select.none")
    before = snapshot(scene)
    with pytest.raises(quorvel.CommandError) as refused:
        scene.run(command, **params)
    assert (refused.value.command, refused.value.reason) == (command, reason)
    assert command in str(refused.value)
    assert_same(snapshot(scene), before)


def test_undo_and_redo_restore_every_step_exactly(scene):
    steps = [("face.subdivide", {}), ("face.extrude", {"distance": 0.75}), ("edit.move", {"by": (0.1, 0.2, 0.3)}),
             ("edit.rotate", {"axis": "y", "degrees": 33.0}), ("object.merge", {"objects": [0]}),
             ("create.sphere", {"segments": 6})]
    states = [snapshot(scene)]
    for command, params in steps:
        assert scene.run(command, **params).history == "recorded"
        states.append(snapshot(scene))
    for state in reversed(states[:-1]):
        assert scene.undo()
        assert_same(snapshot(scene), state)
    for state in states[1:]:
        assert scene.redo()
        assert_same(snapshot(scene), state)
    assert scene.redo() is False


def test_the_modified_flag_follows_the_history(tmp_path):
    scene = quorvel.loads_mqo(quorvel.Scene().dumps_mqo())
    assert scene.modified is False and scene.undo() is False
    scene.run("create.cube")
    assert scene.modified
    assert scene.undo() and not scene.modified
    assert scene.redo() and scene.modified
    scene.save(tmp_path / "cube.obj")  # an export: still unsaved
    assert scene.modified
    scene.save(tmp_path / "cube.qvl")
    assert not scene.modified
    assert scene.undo() and scene.modified


def test_a_direct_change_of_the_faces_forgets_the_history(scene):
    scene.run("face.subdivide")
    plane = scene.objects[1]
    plane.set_faces(np.array([[0, 1, 4, 3]]))
    assert scene.modified and scene.undo() is False
    assert plane.face_count == 1


def test_views_write_through_across_commands_that_keep_the_vertices(scene):
    view = scene.objects[1].vertices
    scene.run("select.all")
    scene.run("edit.move", by=(0, 10, 0))
    assert np.all(view[:, 1] == 10)
    view[0] = (5, 6, 7)
    assert scene.objects[1].vertices[0].tolist() == [5, 6, 7]


@pytest.mark.parametrize("command,params", [
    ("face.subdivide", {}),
    ("vertex.delete", {}),
    ("object.merge", {"objects": [0]}),
])
def test_views_of_replaced_or_removed_vertices_stop_writing_through(scene, command, params):
    cube, plane = scene.objects[0].vertices, scene.objects[1].vertices
    old_plane = plane.copy()
    scene.run(command, **params)
    after = snapshot(scene)
    plane[:] = 99
    np.testing.assert_array_equal(plane, 99)
    assert_same(snapshot(scene), after)
    cube[0] = 99
    merged = command == "object.merge"  # the cube is gone: its view too
    assert (scene.objects[0].vertices[0] == 99).all() != merged
    assert scene.undo()
    np.testing.assert_array_equal(scene.objects[1].vertices, old_plane)


def test_non_finite_positions_from_a_view_refuse_the_command(scene):
    view = scene.objects[1].vertices
    view[2, 0] = np.nan
    with pytest.raises(ValueError, match="vertex 2"):
        scene.run("face.subdivide")
    assert scene.objects[1].face_count == 4
    view[2, 0] = 0
    scene.run("face.subdivide")
    assert scene.objects[1].face_count == 16
