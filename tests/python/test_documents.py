"""Opening and saving: the same bytes and notices as quorvel-cli convert, the
in-memory text, and typed refusals."""

import subprocess
import zipfile

import pytest

import quorvel
from conftest import SOURCE, real_documents

FORMATS = ["qvl", "mqo", "mqoz", "obj", "stl", "glb"]


def cli_convert(cli, source, target):
    """Runs quorvel-cli convert; returns its loss notice ('' for none), or None
    when it refused the document."""
    run = subprocess.run([cli, "convert", str(source), str(target)], capture_output=True, text=True)
    if run.returncode != 0:
        return None
    prefix = f"quorvel-cli: {target}: "
    notices = [line[len(prefix):] for line in run.stderr.splitlines() if line.startswith(prefix)]
    return notices[0] if notices else ""


def written_files(folder):
    """Each file's bytes; an archive's members' (an archive stamps its members
    with the time it was written)."""
    files = {}
    for path in sorted(folder.iterdir()):
        if path.suffix == ".mqoz":
            with zipfile.ZipFile(path) as archive:
                files[path.name] = [(m.filename, archive.read(m)) for m in archive.infolist()]
        else:
            files[path.name] = path.read_bytes()
    return files


def assert_saves_like_cli(cli, source, tmp_path):
    """Every format the CLI writes, byte for byte, with the same notice; a
    document the CLI refuses is refused with its import result."""
    for ext in FORMATS:
        ours, theirs = tmp_path / f"py_{ext}", tmp_path / f"cli_{ext}"
        ours.mkdir()
        theirs.mkdir()
        expected_notice = cli_convert(cli, source, theirs / f"out.{ext}")
        if expected_notice is None:
            with pytest.raises(quorvel.DocumentError) as refused:
                quorvel.open(source)
            assert refused.value.import_result != 0
            return
        notice = quorvel.open(source).save(ours / f"out.{ext}")
        assert notice == expected_notice, ext
        assert written_files(ours) == written_files(theirs), ext


@pytest.mark.parametrize("name", ["sample.qvl", "sample.mqo"])
def test_samples_save_like_the_cli(cli, name, tmp_path):
    assert_saves_like_cli(cli, SOURCE / "samples" / name, tmp_path)


def test_obj_import_saves_like_the_cli(cli, sample, tmp_path):
    obj = tmp_path / "sample.obj"
    cli_convert(cli, sample, obj)
    out = tmp_path / "out"
    out.mkdir()
    assert_saves_like_cli(cli, obj, out)


@pytest.mark.parametrize("document", real_documents())
def test_real_documents_save_like_the_cli(cli, document, tmp_path):
    assert_saves_like_cli(cli, document, tmp_path)


@pytest.mark.parametrize("document", real_documents())
def test_text_in_memory_is_the_saved_file(document, tmp_path):
    scene = quorvel.open(document, partial=True)
    scene.save(tmp_path / "out.mqo")
    text = scene.dumps_mqo()
    assert text == (tmp_path / "out.mqo").read_bytes()
    again = quorvel.loads_mqo(text)
    assert again.dumps_mqo() == text
    assert again.path is None


def test_open_reports_what_it_read(sample):
    scene = quorvel.open(sample)
    assert scene.path == str(sample)
    assert [len(o.vertices) for o in scene.objects] == [o.vertex_count for o in scene.objects]
    assert (scene.repairs, scene.conversions, scene.import_result) == (0, 0, 0)
    assert scene.texture_failures == []
    wood = scene.materials[0]
    assert wood.texture == "sample_wood.bmp" and wood.texture_loaded


def test_shift_jis_names(sample, tmp_path):
    scene = quorvel.open(sample)
    box = scene.objects[2]
    assert box.name == "箱" and box.name_bytes == "箱".encode("cp932")
    box.name = "ソ{ボ}"  # trail bytes that equal "\\" and braces
    assert box.name_bytes == "ソ{ボ}".encode("cp932")
    assert quorvel.loads_mqo(scene.dumps_mqo()).objects[2].name == "ソ{ボ}"
    with pytest.raises(ValueError, match="Shift-JIS"):
        box.name = "emoji 😀"
    box.name_bytes = b"\x83"  # a lone lead byte: kept, shown replaced
    assert box.name == "\ufffd"


def test_texture_failures_are_listed(tmp_path):
    (tmp_path / "missing.mqo").write_bytes(
        b"Metasequoia Document\r\nFormat Text Ver 1.0\r\n"
        b'Material 1 {\r\n\t"m" col(1 1 1 1) tex("nowhere.png")\r\n}\r\nEof\r\n'
    )
    scene = quorvel.open(tmp_path / "missing.mqo")
    [failure] = scene.texture_failures
    assert (failure.material, failure.texture, failure.kind) == ("m", "nowhere.png", "file not found")
    assert failure.file is None
    assert scene.materials[0].texture == "nowhere.png"
    assert not scene.materials[0].texture_loaded
    assert quorvel.loads_mqo((tmp_path / "missing.mqo").read_bytes()).texture_failures == []
    assert len(quorvel.loads_mqo((tmp_path / "missing.mqo").read_bytes(), folder=tmp_path)
               .texture_failures) == 1


REFUSALS = [
    # name, contents (None: no such file), import result
    ("absent.mqo", None, 0),
    ("text.txt", b"hello", 0),
    ("damaged.qvl", b"\x01\x00\x00\x00", 0),
    ("short.mqo", b"Metasequoia Document\r\nFormat Text Ver 1.0\r\nObject \"a\" {\r\n", -2),
    ("other.mqo", b"Some Document\r\n", -3),
    ("old.mqo", b"Metasequoia Document\r\nFormat Text Ver 0.9\r\n", -4),
]


@pytest.mark.parametrize("name,contents,result", REFUSALS, ids=[r[0] for r in REFUSALS])
def test_refusals_are_typed(name, contents, result, tmp_path):
    path = tmp_path / name
    if contents is not None:
        path.write_bytes(contents)
    with pytest.raises(quorvel.DocumentError) as refused:
        quorvel.open(path)
    error = refused.value
    assert (error.path, error.import_result) == (str(path), result)
    assert error.reason and error.reason in str(error)
    if result != 0:
        assert quorvel.open(path, partial=True).import_result == result
        with pytest.raises(quorvel.DocumentError) as in_memory:
            quorvel.loads_mqo(contents)
        assert (in_memory.value.path, in_memory.value.import_result) == (None, result)


def test_failed_save_is_typed_and_leaves_the_file(sample, tmp_path):
    scene = quorvel.open(sample)
    with pytest.raises(quorvel.DocumentError) as refused:
        scene.save(tmp_path / "no" / "such" / "folder.qvl")
    assert refused.value.path.endswith("folder.qvl")
    with pytest.raises(quorvel.DocumentError):
        scene.save(tmp_path / "out.unknown")
    with pytest.raises(TypeError):
        quorvel.loads_mqo("text, not bytes")
