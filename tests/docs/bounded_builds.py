"""Every build a document or script runs gives its number of jobs: a bare
`cmake --build --parallel` (or `make -j`) runs as many compilers as make
likes, which can exhaust a student laptop's memory.

    python3 bounded_builds.py REPOSITORY
"""
import re
import sys
from pathlib import Path

root = Path(sys.argv[1])
# In shell and Markdown, --parallel ends the line or is followed by no
# number; in Python, it ends its list.
BARE = [re.compile(r"--parallel(\s*$|\s+[^0-9$\s])"), re.compile(r"\bmake\s+-j(\s|$)"),
        re.compile(r"\"--parallel\"\s*[\])]")]
files = [root / "README.md", root / "setup.py", root / ".ci/run", *sorted(root.glob("docs/*.md")),
         *sorted(root.glob("packaging/*.sh"))]
found = [f"{path.relative_to(root)}:{number}: {line.strip()}"
         for path in files
         for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1)
         if any(pattern.search(line) for pattern in BARE)]
print("\n".join(found) or f"every build of {len(files)} files gives its number of jobs")
sys.exit(1 if found else 0)
