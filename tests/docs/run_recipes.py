"""Runs the commands of the README and the guides that are marked as runnable.

    python3 run_recipes.py REPOSITORY FILE.md...

A runnable command is a fenced block right after a comment such as

    <!-- run: input 2.5; leaves vdw_coex.dat clatente.dat -->

("input" is what the command reads on standard input, nothing where it is
left out; "leaves" the files it must create or replace, relative to the
repository's folder). Every block runs with bash, in the order of the files
given, in one scratch copy of the repository, as a reader following the text
would; HOME is a scratch folder too, so that installs stay there. A block
fails when it exits non-zero, when gnuplot warns that it plots to an unknown
terminal, or when a file it promises is not there afterwards.

    python3 run_recipes.py --installed ROOT FILE.md...

runs them as a user of the package would, where ROOT holds the package
unpacked (usr/bin/vdwcoex, usr/share/doc/vdwcoex/...): the files are the
installed README and guides, the installed program is on the PATH and
stands for ./build/vdwcoex, the installed plot script and notebook for the
repository's, and each block runs in a scratch folder that holds the tables
of `vdwcoex 1.5`, as after the quick start. Blocks that build (cmake, cpack)
or need the repository are left out. The documents' folders are made
immutable meanwhile (chattr, so root too is refused, as a user would be), and
nothing may be written under ROOT.
"""
import os
import re
import shutil
import subprocess
import struct
import sys
import tempfile
import time
import zlib
from pathlib import Path

MARK = re.compile(r"^<!-- run(?::\s*(.*?))?\s*-->$")
FENCE = re.compile(r"^(\s*)```")


def recipes(markdown):
    """(line number, settings, command) of every marked block."""
    lines = markdown.read_text(encoding="utf-8").splitlines()
    found = []
    for i, line in enumerate(lines):
        mark = MARK.match(line.strip())
        if not mark:
            continue
        settings = {}
        for item in filter(None, (s.strip() for s in (mark.group(1) or "").split(";"))):
            key, _, value = item.partition(" ")
            settings[key] = value
        fence = FENCE.match(lines[i + 1]) if i + 1 < len(lines) else None
        if not fence:
            sys.exit(f"{markdown}:{i + 1}: a run mark with no fenced block after it")
        end = next(k for k in range(i + 2, len(lines)) if FENCE.match(lines[k]))
        indent = len(fence.group(1))
        found.append((i + 1, settings, "\n".join(l[indent:] for l in lines[i + 2:end])))
    return found


def coloured_pixels(picture):
    """How many pixels of a PNG picture have a colour, not a grey: the curves
    and their keys (gnuplot draws axes, text and grid in greys). An
    8-bit RGB or RGBA picture, as pngcairo writes it."""
    data = picture.read_bytes()
    pos, packed = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, _, colour_type = struct.unpack(">IIBB", body[:10])
        elif kind == b"IDAT":
            packed += body
        pos += 12 + length
    raw = zlib.decompress(packed)
    step = {2: 3, 6: 4}[colour_type]
    stride = width * step
    above, count, at = bytearray(stride), 0, 0
    for _ in range(height):
        kind, line = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for x in range(stride):  # undo the row's PNG filter
            left = line[x - step] if x >= step else 0
            corner = above[x - step] if x >= step else 0
            if kind == 1:
                line[x] = (line[x] + left) & 255
            elif kind == 2:
                line[x] = (line[x] + above[x]) & 255
            elif kind == 3:
                line[x] = (line[x] + (left + above[x]) // 2) & 255
            elif kind == 4:
                guess = left + above[x] - corner
                nearest = min((abs(guess - left), 0, left), (abs(guess - above[x]), 1, above[x]),
                              (abs(guess - corner), 2, corner))[2]
                line[x] = (line[x] + nearest) & 255
        count += sum(1 for x in range(0, stride, step) if max(line[x:x + 3]) - min(line[x:x + 3]) > 60)
        above = line
    return count


# A key's sample line is about 50 coloured pixels; a curve across the plot
# several hundred.
DRAWN_CURVE = 200


# Where the package puts what the repository's recipes name.
INSTALLED = {"./build/vdwcoex": "vdwcoex",
             "plot/phase_diagram.gp": "{root}/usr/share/vdwcoex/phase_diagram.gp",
             "examples/maxwell_construction.ipynb": "{root}/usr/share/doc/vdwcoex/examples/maxwell_construction.ipynb",
             "~/vdwcoex-env/bin/python": "python3"}
NEEDS_REPOSITORY = re.compile(r"\b(cmake|cpack|wine|qemu-aarch64|valgrind|pip install)\b|build/tests|build-")


def listing(root):
    return sorted((str(path), path.stat().st_mtime) for path in root.rglob("*"))


def main():
    installed = sys.argv[1] == "--installed"
    args = sys.argv[2:] if installed else sys.argv[1:]
    repository = Path(args[0]).resolve()
    scratch = Path(tempfile.mkdtemp(prefix="vdwcoex-recipes-"))
    work = scratch / "vdwcoex"
    # Debian's own programs first, as on a fresh machine, ahead of any other
    # Python or tool the environment puts on the PATH.
    env = dict(os.environ, HOME=str(scratch / "home"),
               PATH="/usr/local/bin:/usr/bin:/bin:" + os.environ.get("PATH", ""))
    (scratch / "home").mkdir()
    if installed:
        root, docs = repository, repository / "usr/share/doc/vdwcoex"
        work.mkdir()
        env["PATH"] = f"{root}/usr/bin:" + env["PATH"]
        env.pop("VDWCOEX", None)
        subprocess.run(["vdwcoex", "-q", "1.5"], cwd=work, env=env, check=True)
        untouched = listing(root)
        # The installed folders cannot be written, even by root, as a user
        # could not write them.
        frozen = [docs] + [path for path in docs.rglob("*") if path.is_dir()]
        subprocess.run(["chattr", "+i"] + [str(path) for path in frozen], check=True)
    else:
        docs = repository
        shutil.copytree(repository, work, ignore=shutil.ignore_patterns(
            ".git", "build", "build-*", "node_modules", "tables", "*.png.tmp"), symlinks=True)
    passed = failed = 0
    for name in args[1:]:
        for line, settings, command in recipes(docs / name):
            where = f"{name}:{line}"
            if installed:
                if NEEDS_REPOSITORY.search(command):
                    continue
                for there, here in INSTALLED.items():
                    command = command.replace(there, here.format(root=root))
                # The package's Python module is where Debian's python3 finds
                # it; the notebook runs without it, as where only the program
                # is installed, to take its other route.
                env.pop("PYTHONPATH", None)
                if "nbconvert" not in command:
                    env["PYTHONPATH"] = f"{root}/usr/lib/python3/dist-packages"
                # The notebook's picture goes to its scratch folder, since the
                # installed one cannot be written: the executed notebook is
                # what it leaves here.
                if "leaves" in settings and "nbconvert" in command:
                    settings["leaves"] = "examples/executed/maxwell_construction.ipynb"
            started = time.time() - 1
            promised = [work / os.path.expandvars(leaves.replace("$HOME", env["HOME"]))
                        for leaves in settings.get("leaves", "").split()]
            before = {path: path.stat().st_mtime for path in promised if path.exists()}
            temporary = Path(env.get("TMPDIR") or tempfile.gettempdir())
            tables_before = set(temporary.glob("vdwcoex-tables-*"))
            run = subprocess.run(["bash", "-e", "-c", command], cwd=work, env=env,
                                 input=settings.get("input", "").encode() + b"\n" if "input" in settings else b"",
                                 stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=1200)
            output = run.stdout.decode(errors="replace")
            problems = []
            if run.returncode != 0:
                problems.append(f"exit status {run.returncode}")
            if "'unknown' terminal" in output:
                problems.append("gnuplot plotted to an unknown terminal")
            left = set(temporary.glob("vdwcoex-tables-*")) - tables_before
            if "nbconvert" in command and left:
                problems.append(f"the notebook left {', '.join(map(str, left))}")
            for path in promised:
                # New, or written again (an install may keep the source's time).
                if not path.exists() or (path in before and path.stat().st_mtime < started):
                    problems.append(f"it did not leave {path.relative_to(scratch)}")
            if not problems and "gnuplot" in command:
                for picture in (path for path in promised if path.suffix == ".png"):
                    if coloured_pixels(picture) < DRAWN_CURVE:
                        problems.append(f"{picture.name} shows no curve, only axes and keys")
            if problems:
                failed += 1
                print(f"FAIL {where}: {'; '.join(problems)}\n$ {command}\n{output[-3000:]}")
            else:
                passed += 1
                print(f"ok   {where}: {command.splitlines()[0][:90]}")
    if installed:
        subprocess.run(["chattr", "-i"] + [str(path) for path in frozen], check=True)
    if installed and listing(root) != untouched:
        failed += 1
        print(f"FAIL: the recipes wrote under {root}, where a user cannot write")
    shutil.rmtree(scratch, ignore_errors=True)
    print(f"recipes: {passed} passed, {failed} failed")
    sys.exit(1 if failed or not passed else 0)


main()
