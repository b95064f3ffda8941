"""A straightforward pure-Python Metasequoia reader, the kind conversion
pipelines carry today: line by line, split and regular expressions, lists
turned into NumPy arrays at the end. The comparison for python_bench.py; it
reads only what the grid benchmark needs (materials, vertices, faces, UVs)."""

import re

import numpy as np

_GROUP = re.compile(r"(\w+)\(([^)]*)\)")


def _groups(text):
    return {key: value.split() for key, value in _GROUP.findall(text)}


def read_mqo(path):
    """{"materials": [names], "objects": [{"name", "vertices", "faces",
    "corner_count", "material", "uvs"}]} with NumPy arrays."""
    materials = []
    objects = []
    current = None
    section = None
    with open(path, encoding="cp932", errors="replace", newline=None) as file:
        for line in file:
            text = line.strip()
            if not text:
                continue
            if section == "material":
                if text == "}":
                    section = None
                else:
                    materials.append(text.split('"')[1] if text.startswith('"') else text.split()[0])
            elif section == "vertex":
                if text == "}":
                    section = "object"
                else:
                    x, y, z = text.split()[:3]
                    current["vertices"].append((float(x), float(y), float(z)))
            elif section == "face":
                if text == "}":
                    section = "object"
                    continue
                count = int(text.split(None, 1)[0])
                groups = _groups(text)
                indices = [int(i) for i in groups["V"]][:4]
                current["faces"].append(indices + [-1] * (4 - len(indices)))
                current["corner_count"].append(count)
                current["material"].append(int(groups.get("M", ["0"])[0]))
                uv = [float(u) for u in groups.get("UV", [])]
                uv += [float("nan")] * (8 - len(uv))
                current["uvs"].append(uv[:8])
            elif section == "object":
                if text == "}":
                    objects.append(current)
                    section = None
                elif text.startswith("vertex "):
                    section = "vertex"
                elif text.startswith("face "):
                    section = "face"
            elif text.startswith("Material "):
                section = "material"
            elif text.startswith("Object "):
                current = {"name": text.split('"')[1], "vertices": [], "faces": [],
                           "corner_count": [], "material": [], "uvs": []}
                section = "object"
    for obj in objects:
        obj["vertices"] = np.array(obj["vertices"], dtype=np.float32).reshape(-1, 3)
        obj["faces"] = np.array(obj["faces"], dtype=np.int32).reshape(-1, 4)
        obj["corner_count"] = np.array(obj["corner_count"], dtype=np.uint8)
        obj["material"] = np.array(obj["material"], dtype=np.int32)
        obj["uvs"] = np.array(obj["uvs"], dtype=np.float32).reshape(-1, 4, 2)
    return {"materials": materials, "objects": objects}
