"""What the module's tests share: the command-line tool they compare against,
the sample documents and the shared real documents."""

import os
import pathlib

import pytest

SOURCE = pathlib.Path(os.environ.get("QUORVEL_SOURCE_DIR", pathlib.Path(__file__).parents[2]))
TESTDATA = pathlib.Path(os.environ.get("QUORVEL_TESTDATA_DIR", SOURCE.parent / "shared" / "testdata"))


def real_documents():
    """The shared Metasequoia documents as test parameters; one skipped
    parameter saying why when the folder is absent (a user's clone)."""
    folder = TESTDATA / "mqo"
    if not folder.is_dir():
        reason = f"the shared test data is absent ({folder}); set QUORVEL_TESTDATA_DIR"
        return [pytest.param(None, marks=pytest.mark.skip(reason=reason))]
    documents = sorted(p for p in folder.rglob("*") if p.suffix.lower() in (".mqo", ".mqoz"))
    return [pytest.param(p, id=str(p.relative_to(folder))) for p in documents]


@pytest.fixture(scope="session")
def cli():
    path = os.environ.get("QUORVEL_CLI")
    if not path or not os.access(path, os.X_OK):
        pytest.skip("QUORVEL_CLI does not name quorvel-cli (CTest sets it)")
    return path


@pytest.fixture
def sample():
    return SOURCE / "samples" / "sample.qvl"
