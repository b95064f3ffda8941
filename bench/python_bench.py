"""The Python module against the command-line tool and a pure-Python reader,
in one run on the 1000 x 1000 grid:

    PYTHONPATH=build/python /usr/bin/python3 bench/python_bench.py [BUILD] [--repeat N]

Every figure is the best of N runs, wall clock and processor time (all
threads; the busier the machine, the more the latter tells). The tool's runs
are whole processes, the module's are calls in this process (also given as a
whole process, with the interpreter's and NumPy's start)."""

import argparse
import os
import pathlib
import resource
import subprocess
import sys
import tempfile
import time
import tracemalloc

import numpy as np

import quorvel
from mqo_line_parser import read_mqo


def processor_time():
    """This process's and its finished children's, in seconds."""
    children = resource.getrusage(resource.RUSAGE_CHILDREN)
    return time.process_time() + children.ru_utime + children.ru_stime


def best(function, repeat):
    """(wall, processor) seconds, each the least of `repeat` runs."""
    walls, processors = [], []
    for _ in range(repeat):
        wall, processor = time.perf_counter(), processor_time()
        function()
        walls.append(time.perf_counter() - wall)
        processors.append(processor_time() - processor)
    return min(walls), min(processors)


def run(*command):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def open_to_arrays(path):
    scene = quorvel.open(path)
    obj = scene.objects[0]
    return scene, obj.vertices, obj.faces, obj.uvs


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build", nargs="?", default="build")
    parser.add_argument("--repeat", type=int, default=5)
    args = parser.parse_args()
    build = pathlib.Path(args.build)
    cli = str(build / "cli" / "quorvel-cli")
    repeat = args.repeat

    with tempfile.TemporaryDirectory() as work:
        work = pathlib.Path(work)
        grid = work / "grid.mqo"
        run(str(build / "bench" / "quorvel-make-grid"), "1000", str(work / "grid.qvl"))
        run(cli, "convert", str(work / "grid.qvl"), str(grid))
        print(f"load before: {os.getloadavg()[0]:.2f}; grid: {grid.stat().st_size / 1e6:.0f} MB, "
              f"best of {repeat}")

        cli_info = best(lambda: run(cli, "info", str(grid)), repeat)
        module_open = best(lambda: open_to_arrays(grid), repeat)
        whole = best(lambda: run(sys.executable, "-c",
                                 "import sys, quorvel; s = quorvel.open(sys.argv[1]); "
                                 "o = s.objects[0]; o.vertices; o.faces; o.uvs", str(grid)),
                     repeat)
        pure_python = best(lambda: read_mqo(grid), 1)

        scene, vertices, faces, uvs = open_to_arrays(grid)
        check = read_mqo(grid)["objects"][0]
        assert np.array_equal(check["vertices"], vertices) and np.array_equal(check["faces"], faces[0])

        tracemalloc.start()
        obj = scene.objects[0]
        view = obj.vertices
        allocated = tracemalloc.get_traced_memory()[1]
        tracemalloc.stop()
        zero_copy = (not view.flags.owndata and np.shares_memory(view, vertices)
                     and allocated < 4096)

        cli_convert = best(lambda: run(cli, "convert", str(grid), str(work / "cli.mqo")), repeat)
        module_save = best(lambda: scene.save(work / "py.mqo"), repeat)
        open_and_save = best(lambda: quorvel.open(grid).save(work / "py.mqo"), repeat)
        same = (work / "cli.mqo").read_bytes() == (work / "py.mqo").read_bytes()

        def ratio(a, b):
            return f"{a[0] / b[0]:.2f} / {a[1] / b[1]:.2f}"

        rows = [
            ("quorvel-cli info", cli_info, ""),
            ("quorvel.open + vertices, faces, uvs", module_open,
             f"{ratio(module_open, cli_info)} x info (target <= 1.1)"),
            ("  the same as a whole python3 process", whole, f"{ratio(whole, cli_info)} x info"),
            ("pure-Python line parser to arrays", pure_python,
             f"{ratio(pure_python, module_open)} x quorvel.open (target >= 30)"),
            ("quorvel-cli convert grid.mqo out.mqo", cli_convert, ""),
            ("scene.save(.mqo)", module_save,
             f"{ratio(module_save, cli_convert)} x convert (target <= 1.1)"),
            ("quorvel.open + scene.save(.mqo)", open_and_save,
             f"{ratio(open_and_save, cli_convert)} x convert; same bytes: {same}"),
        ]
        print(f"{'':40s} {'wall ms':>8s} {'cpu ms':>8s}  ratios wall / cpu")
        for name, (wall, processor), note in rows:
            print(f"{name:40s} {wall * 1000:8.0f} {processor * 1000:8.0f}  {note}")
        print(f"obj.vertices zero-copy: {zero_copy} (view of the scene's memory, "
              f"{allocated} bytes allocated to make it)")
        print(f"load after: {os.getloadavg()[0]:.2f}")


if __name__ == "__main__":
    main()
