"""`pip install .`: the module's C++ half is built by the project's CMake
build (target _vdwcoex) for the Python that runs pip, and copied into the
package; the version is the project's."""

import os
import re
import shutil
import subprocess
import sys
from pathlib import Path

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = Path(__file__).resolve().parent


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build = Path(self.build_temp).resolve() / "cmake"
        subprocess.run(["cmake", "-S", str(ROOT), "-B", str(build), "-DCMAKE_BUILD_TYPE=Release",
                        f"-DPython_EXECUTABLE={sys.executable}", "-DVDWCOEX_PYTHON=ON",
                        "-DBUILD_TESTING=OFF"], check=True)
        # Two compilers at once unless told more: unbounded, make runs as
        # many as it likes, which can exhaust a small machine's memory.
        jobs = os.environ.get("CMAKE_BUILD_PARALLEL_LEVEL") or "2"
        subprocess.run(["cmake", "--build", str(build), "--target", "_vdwcoex", "--parallel", jobs], check=True)
        built = next((build / "python" / "vdwcoex").glob("_vdwcoex*"))
        target = Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built, target)


version = re.search(r"project\(vdwcoex VERSION ([0-9.]+)", (ROOT / "CMakeLists.txt").read_text()).group(1)
setup(version=version,
      packages=["vdwcoex"],
      package_dir={"vdwcoex": "python/vdwcoex"},
      # The marker that tells type checkers the package has its hints.
      package_data={"vdwcoex": ["py.typed"]},
      ext_modules=[Extension("vdwcoex._vdwcoex", sources=[])],
      cmdclass={"build_ext": CMakeBuild},
      # Apart from the CMake build folders a developer keeps in build/.
      options={"build": {"build_base": "build-python"}})
