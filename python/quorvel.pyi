"""Quorvel's documents for Python: the modeler's exact readers and writers,
scenes with their geometry as NumPy arrays, and its offscreen renderer."""

import os
from collections.abc import Iterator, Sequence
from typing import Any, overload

import numpy as np
import numpy.typing as npt

_Path = str | os.PathLike[str]
_Param = bool | int | float | str | Sequence[Any] | npt.NDArray[Any] | np.generic

class DocumentError(Exception):
    """A document could not be read or written."""

    path: str | None
    reason: str
    import_result: int

class CommandError(Exception):
    """A command did not run, and changed nothing."""

    command: str
    reason: str
    detail: str

class RenderError(RuntimeError):
    """A drawing could not be made (no EGL, no OpenGL context, no picture)."""

class TextureFailure:
    """A material whose texture could not be used when the scene was opened."""

    @property
    def material(self) -> str: ...
    @property
    def texture(self) -> str: ...
    @property
    def kind(self) -> str: ...
    @property
    def reason(self) -> str: ...
    @property
    def file(self) -> str | None: ...

class CommandResult:
    """What Scene.run() did."""

    @property
    def step(self) -> str: ...
    @property
    def history(self) -> str:
        """'recorded', 'undone', 'redone', or '' when the history did not move."""
    @property
    def objects_added(self) -> list[int]: ...
    @property
    def objects_removed(self) -> list[int]: ...
    @property
    def texture_failures(self) -> list[TextureFailure]: ...

class Object:
    """One polygon object of a scene; geometry as NumPy arrays."""

    @property
    def id(self) -> int: ...
    name: str
    name_bytes: bytes
    facet: float
    state: int
    mirror_axis: int
    @property
    def vertex_count(self) -> int: ...
    @property
    def face_count(self) -> int: ...
    @property
    def vertices(self) -> npt.NDArray[np.float32]:
        """(N, 3) view of the positions: writes move the vertices."""
    @vertices.setter
    def vertices(self, value: npt.ArrayLike) -> None: ...
    @property
    def faces(
        self,
    ) -> tuple[npt.NDArray[np.int32], npt.NDArray[np.uint8], npt.NDArray[np.int32]]:
        """(indices (F, 4) with -1 padding, corner_count (F,), material (F,))."""
    @faces.setter
    def faces(self, value: tuple[npt.ArrayLike, npt.ArrayLike, npt.ArrayLike]) -> None: ...
    def set_faces(
        self,
        indices: npt.ArrayLike,
        corner_count: npt.ArrayLike | None = None,
        material: npt.ArrayLike | None = None,
        uvs: npt.ArrayLike | None = None,
    ) -> None: ...
    def set_geometry(
        self,
        vertices: npt.ArrayLike,
        indices: npt.ArrayLike,
        corner_count: npt.ArrayLike | None = None,
        material: npt.ArrayLike | None = None,
        uvs: npt.ArrayLike | None = None,
    ) -> None: ...
    @property
    def uvs(self) -> npt.NDArray[np.float32]:
        """(F, 4, 2) texture coordinates, NaN where there are none."""
    @property
    def face_normals(self) -> npt.NDArray[np.float32]:
        """(F, 3) unit face normals."""
    @property
    def corner_normals(self) -> npt.NDArray[np.float32]:
        """(F, 4, 3) smoothed corner normals, NaN past a face's corners."""
    vertex_selected: npt.NDArray[np.bool_]
    face_selected: npt.NDArray[np.bool_]
    edge_selected: npt.NDArray[np.bool_]
    @property
    def vertex_used(self) -> npt.NDArray[np.bool_]: ...

class Material:
    """One material: colour, lighting factors and texture file names."""

    @property
    def id(self) -> int: ...
    name: str
    name_bytes: bytes
    color: tuple[float, float, float, float]
    diffuse: float
    ambient: float
    emissive: float
    specular: float
    power: float
    @property
    def texture(self) -> str: ...
    @property
    def texture_loaded(self) -> bool: ...
    @property
    def alpha_plane(self) -> str: ...
    @property
    def bump(self) -> str: ...

class ObjectList(Sequence[Object]):
    def __len__(self) -> int: ...
    @overload
    def __getitem__(self, index: int) -> Object: ...
    @overload
    def __getitem__(self, index: slice) -> list[Object]: ...
    def __iter__(self) -> Iterator[Object]: ...

class MaterialList(Sequence[Material]):
    def __len__(self) -> int: ...
    @overload
    def __getitem__(self, index: int) -> Material: ...
    @overload
    def __getitem__(self, index: slice) -> list[Material]: ...
    def __iter__(self) -> Iterator[Material]: ...

class Scene:
    """Objects and materials, with what opening them reported."""

    def __init__(self) -> None: ...
    @property
    def path(self) -> str | None: ...
    @property
    def objects(self) -> ObjectList: ...
    @property
    def materials(self) -> MaterialList: ...
    @property
    def repairs(self) -> int: ...
    @property
    def conversions(self) -> int: ...
    @property
    def import_result(self) -> int: ...
    @property
    def texture_failures(self) -> list[TextureFailure]: ...
    def save(self, path: _Path) -> str:
        """Writes the scene by extension; returns what the format dropped ('' if nothing)."""
    def dumps_mqo(self) -> bytes: ...
    def compute_normals(self) -> None: ...
    def run(self, command: str, **params: _Param) -> CommandResult:
        """Runs a command of the modeler (quorvel.commands()) as one undo step."""
    def undo(self) -> bool: ...
    def redo(self) -> bool: ...
    @property
    def modified(self) -> bool: ...

def commands() -> list[dict[str, Any]]:
    """The commands Scene.run() knows, with their parameters and help."""

def open(path: _Path, partial: bool = False) -> Scene:
    """Reads a .qvl, .mqo, .mqoz or .obj document into a new Scene."""

def loads_mqo(data: bytes, folder: _Path | None = None, partial: bool = False) -> Scene:
    """Reads a Metasequoia text document from bytes into a new Scene."""

def render(
    scene: Scene,
    path: _Path,
    size: tuple[int, int] = (512, 512),
    view: str = "document",
    show: Sequence[str] | None = None,
) -> None:
    """Draws the scene offscreen as the 3D view does and writes a PNG."""
