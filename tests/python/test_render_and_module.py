"""Drawing through the render command's renderer, and what help() and type
checkers read."""

import ast
import os
import pathlib
import shutil
import subprocess
import sys

import pytest

import quorvel


def test_render_draws_what_the_cli_draws(cli, sample, tmp_path):
    scene = quorvel.open(sample)
    before = scene.dumps_mqo()
    quorvel.render(scene, tmp_path / "py.png", size=(96, 64), view="iso",
                   show=["faces", "edges"])
    subprocess.run([cli, "render", str(sample), str(tmp_path / "cli.png"), "--size", "96x64",
                    "--view", "iso", "--show", "faces,edges"], check=True)
    assert (tmp_path / "py.png").read_bytes() == (tmp_path / "cli.png").read_bytes()
    assert scene.dumps_mqo() == before


def edit(scene):
    """Moves one object through its view and gives another new faces."""
    scene.objects[2].vertices[:4, 1] += 60
    floor = scene.objects[0]
    indices, corners, material = floor.faces
    floor.set_faces(indices[::2], corners[::2], material[::2])


def test_edits_reach_drawings_and_normals_in_files(cli, sample, tmp_path):
    # The document's own view: framing counts the vertices faces use, and a
    # file read back counts every vertex as used until the next clean-up.
    shutil.copy(sample.with_name("sample_wood.bmp"), tmp_path)
    scene = quorvel.open(sample)
    edit(scene)
    quorvel.render(scene, tmp_path / "py.png", size=(96, 64))
    scene.save(tmp_path / "py.glb")
    scene.save(tmp_path / "edited.qvl")
    subprocess.run([cli, "render", str(tmp_path / "edited.qvl"), str(tmp_path / "cli.png"),
                    "--size", "96x64", "--view", "document"], check=True)
    subprocess.run([cli, "convert", str(tmp_path / "edited.qvl"), str(tmp_path / "cli.glb")],
                   check=True)
    assert (tmp_path / "py.png").read_bytes() == (tmp_path / "cli.png").read_bytes()
    assert (tmp_path / "py.glb").read_bytes() == (tmp_path / "cli.glb").read_bytes()


@pytest.mark.parametrize("options,message", [
    ({"size": (0, 10)}, "size"),
    ({"view": "sideways"}, "unknown view"),
    ({"show": ["faces", "normals"]}, "unknown element"),
])
def test_render_refuses_bad_options(sample, tmp_path, options, message):
    with pytest.raises(ValueError, match=message):
        quorvel.render(quorvel.open(sample), tmp_path / "x.png", **options)
    assert not (tmp_path / "x.png").exists()


def test_render_without_egl_raises_render_error(sample, tmp_path):
    # No EGL vendor library: libglvnd finds no driver to load.
    script = (f"import quorvel\n"
              f"try:\n"
              f"    quorvel.render(quorvel.open({str(sample)!r}), {str(tmp_path / 'x.png')!r})\n"
              f"except quorvel.RenderError as e:\n"
              f"    print('refused:', e)\n")
    env = dict(os.environ, __EGL_VENDOR_LIBRARY_FILENAMES=str(tmp_path / "none.json"))
    run = subprocess.run([sys.executable, "-c", script], env=env, capture_output=True, text=True)
    assert run.returncode == 0, run.stderr
    assert run.stdout.startswith("refused: cannot draw offscreen:")


def test_help_documents_every_public_name():
    public = [name for name in dir(quorvel) if not name.startswith("_")]
    for name in public:
        assert getattr(quorvel, name).__doc__, name
    for cls in (quorvel.Scene, quorvel.Object, quorvel.Material):
        for name, member in vars(cls).items():
            if not name.startswith("_"):
                assert member.__doc__, f"{cls.__name__}.{name}"


def test_stubs_name_what_the_module_has():
    stub = pathlib.Path(quorvel.__file__).with_name("quorvel.pyi")
    tree = ast.parse(stub.read_text())
    stubbed = {node.name for node in tree.body if isinstance(node, (ast.ClassDef, ast.FunctionDef))}
    public = {name for name in dir(quorvel) if not name.startswith("_")}
    assert stubbed == public
    for node in tree.body:
        if isinstance(node, ast.ClassDef) and node.name in ("Scene", "Object", "Material"):
            members = {n.name for n in node.body if isinstance(n, ast.FunctionDef)}
            members |= {n.target.id for n in node.body if isinstance(n, ast.AnnAssign)}
            cls = getattr(quorvel, node.name)
            assert members - {"__init__"} == {m for m in vars(cls) if not m.startswith("_")}
