"""Geometry as NumPy arrays: the vertex view writes through, copies round
trip, faces set from arrays keep the readers' rule."""

import gc
import threading

import numpy as np
import pytest

import quorvel

QUAD = b"""Metasequoia Document
Format Text Ver 1.0
Material 2 {
\t"a" col(1 0 0 1)
\t"b" col(0 1 0 1)
}
Object "quad" {
\tvertex 5 {
\t\t0 0 0
\t\t1 0 0
\t\t1 1 0
\t\t0 1 0
\t\t2 2 2
\t}
\tface 3 {
\t\t4 V(0 1 2 3) M(1) UV(0 0 1 0 1 1 0 1)
\t\t3 V(0 1 2) M(0)
\t\t2 V(3 4) M(0)
\t}
}
Eof
"""


@pytest.fixture
def quad():
    scene = quorvel.loads_mqo(QUAD)
    return scene, scene.objects[0]


def test_vertices_are_a_view_that_writes_through(quad):
    scene, obj = quad
    view = obj.vertices
    assert view.shape == (5, 3) and view.dtype == np.float32
    assert not view.flags.owndata and view.flags.writeable
    assert np.shares_memory(view, obj.vertices)
    view[:, 1] += 10
    again = quorvel.loads_mqo(scene.dumps_mqo()).objects[0]
    np.testing.assert_array_equal(again.vertices[:, 1], [10, 10, 11, 11, 12])


def test_views_keep_the_scene_alive(quad):
    view = quad[1].vertices
    del quad
    gc.collect()
    view[0] = (7, 8, 9)
    assert view[0].tolist() == [7, 8, 9]


def test_writes_through_a_view_reach_the_normals(quad):
    scene, obj = quad
    np.testing.assert_allclose(obj.face_normals[0], [0, 0, 1], atol=1e-6)
    obj.vertices[:, [1, 2]] = obj.vertices[:, [2, 1]]  # the quad turns to the xz plane
    np.testing.assert_allclose(obj.face_normals[0], [0, -1, 0], atol=1e-6)
    np.testing.assert_allclose(obj.corner_normals[0], [[0, -1, 0]] * 4, atol=1e-6)
    assert np.isnan(obj.corner_normals[1, 3]).all()


@pytest.mark.parametrize("name", ["sample.qvl", "sample.mqo"])
def test_normals_left_by_the_open_are_those_of_a_full_computation(sample, name):
    opened = quorvel.open(sample.with_name(name))
    computed = quorvel.open(sample.with_name(name))
    computed.compute_normals()
    for lazy, full in zip(opened.objects, computed.objects):
        np.testing.assert_array_equal(lazy.face_normals, full.face_normals)
        np.testing.assert_array_equal(lazy.corner_normals, full.corner_normals)


def test_native_documents_store_the_normals_of_moved_vertices(quad, tmp_path):
    scene, obj = quad
    obj.vertices[:, [1, 2]] = obj.vertices[:, [2, 1]]
    scene.save(tmp_path / "moved.qvl")
    scene.compute_normals()
    scene.save(tmp_path / "computed.qvl")
    assert (tmp_path / "moved.qvl").read_bytes() == (tmp_path / "computed.qvl").read_bytes()


def test_non_finite_positions_are_refused_where_they_are_read(quad, tmp_path):
    scene, obj = quad
    view = obj.vertices
    view[2, 0] = np.inf
    for read in (scene.dumps_mqo, scene.compute_normals, lambda: scene.save(tmp_path / "a.qvl")):
        with pytest.raises(ValueError, match='object 0 \\("quad"\\), vertex 2'):
            read()
    view[2, 0] = 1
    scene.save(tmp_path / "a.qvl")
    with pytest.raises(ValueError, match="vertex 1"):
        obj.vertices = [[0, 0, 0], [np.nan, 0, 0], [0, 0, 0], [0, 0, 0], [0, 0, 0]]


def test_faces_and_uvs_round_trip(quad):
    scene, obj = quad
    indices, corners, material = obj.faces
    np.testing.assert_array_equal(indices, [[0, 1, 2, 3], [0, 1, 2, -1], [3, 4, -1, -1]])
    np.testing.assert_array_equal(corners, [4, 3, 2])
    np.testing.assert_array_equal(material, [1, 0, 0])
    uvs = obj.uvs
    np.testing.assert_array_equal(uvs[0], [[0, 0], [1, 0], [1, 1], [0, 1]])
    assert np.isnan(uvs[1:]).all()
    before = scene.dumps_mqo()
    obj.set_faces(indices, corners, material, uvs)
    assert scene.dumps_mqo() == before
    obj.faces = obj.faces
    assert b"UV(" not in scene.dumps_mqo()


def test_triangles_from_a_narrow_array(quad):
    scene, obj = quad
    obj.set_faces(np.array([[0, 1, 2], [0, 2, 3]], dtype=np.int64))
    indices, corners, material = obj.faces
    np.testing.assert_array_equal(corners, [3, 3])
    np.testing.assert_array_equal(material, [0, 0])  # the first material's number
    assert obj.vertex_used.tolist() == [True, True, True, True, False]


BAD_FACES = [
    # indices, corner_count, uvs, message
    ([[0, 1, 2, 9]], None, None, "face 0, corner 3: vertex 9 does not exist"),
    ([[0, 1, 2], [0, -2, 1]], None, None, "face 1, corner 1: vertex -2 does not exist"),
    ([[0, -1, -1, -1]], None, None, "face 0: 1 corners"),
    ([[0, 1, -1, 2]], None, None, "face 0: corner 3 follows the padding"),
    ([[0, 1, 2, 3]], [5], None, "face 0: 5 corners"),
    ([[0, 1, 2]], [4], None, "face 0: 4 corners in a row of 3"),
    ([[0, 1, 2]], None, [[[0, 0], [1, 0], [np.nan, np.nan]]], "some corners only"),
    ([[0, 1, 2]], None, [[[0, 0], [1, 0], [np.inf, 0]]], "finite"),
    ([[0, 1, 2], [0, 1, 2**40]], None, None, "face 1, corner 2: vertex 1099511627776"),
]


@pytest.mark.parametrize("indices,corner_count,uvs,message", BAD_FACES)
def test_invalid_faces_are_refused_and_change_nothing(quad, indices, corner_count, uvs, message):
    scene, obj = quad
    before = scene.dumps_mqo()
    with pytest.raises(ValueError, match=message):
        obj.set_faces(np.array(indices), corner_count, uvs=uvs)
    assert scene.dumps_mqo() == before


@pytest.mark.parametrize("arguments,error", [
    ((np.array([[0.0, 1.0, 2.0]]),), TypeError),
    ((np.array([0, 1, 2]),), ValueError),
    ((np.array([[0, 1, 2, 3, 4]]),), ValueError),
    ((np.array([[0, 1, 2]]), np.array([3, 3])), ValueError),
    ((np.array([[0, 1, 2]]), None, np.array([0, 1])), ValueError),
])
def test_badly_shaped_arrays_are_refused(quad, arguments, error):
    with pytest.raises(error):
        quad[1].set_faces(*arguments)


def test_new_vertices_detach_old_views(quad):
    scene, obj = quad
    old = obj.vertices
    obj.set_geometry(np.zeros((3, 3)), [[0, 1, 2]])
    old[:] = 5  # still valid memory, no longer the object's
    assert obj.vertices.tolist() == [[0, 0, 0]] * 3
    with pytest.raises(ValueError, match="face 0 uses a vertex beyond the 2"):
        obj.vertices = np.zeros((2, 3))
    same = obj.vertices
    obj.vertices = np.ones((3, 3))  # same count: in place
    assert same.tolist() == [[1, 1, 1]] * 3


def test_selection_flags(quad):
    scene, obj = quad
    assert not obj.vertex_selected.any() and not obj.face_selected.any()
    obj.vertex_selected = np.array([True, False, True, False, False])
    obj.face_selected = np.array([False, True, False])
    edges = np.zeros((3, 4), dtype=bool)
    edges[2] = True  # a line has one edge
    obj.edge_selected = edges
    assert obj.vertex_selected.tolist() == [True, False, True, False, False]
    assert obj.face_selected.tolist() == [False, True, False]
    assert obj.edge_selected[2].tolist() == [True, False, False, False]
    with pytest.raises(ValueError, match="shape"):
        obj.face_selected = np.zeros(4, dtype=bool)
    with pytest.raises(TypeError):
        obj.face_selected = np.zeros(3)


def test_handles_refuse_records_that_are_gone(quad):
    scene, obj = quad
    with pytest.raises(IndexError):
        scene.objects[1]
    assert scene.objects[-1] == obj and list(scene.materials[::-1])[0].name == "b"
    with pytest.raises(ValueError):
        obj.state = 7


def test_threads_share_a_scene(quad):
    scene, obj = quad
    grid = np.arange(1000 * 3, dtype=np.float32).reshape(1000, 3)
    faces = np.arange(999 * 3).reshape(999, 3) % 1000
    failures = []

    def edit():
        try:
            for _ in range(50):
                obj.set_geometry(grid, faces)
                scene.compute_normals()
        except Exception as error:  # reported below
            failures.append(error)

    worker = threading.Thread(target=edit)
    worker.start()
    while worker.is_alive():
        normals = obj.face_normals
        indices = obj.faces[0]
        assert normals.shape[0] == indices.shape[0]
    worker.join()
    assert failures == []
