"""Where `cmake --install` puts the package vdwcoex for a prefix:

    python3 install_dir.py PREFIX

prints two lines: the folder under PREFIX (relative to it) and "searched"
where this Python looks there for packages (the site folders, and the
user's site where it is enabled), else "not searched" and the folder the
module goes into all the same, lib/python3/dist-packages as on Debian."""
import os
import site
import sys

prefix = os.path.abspath(sys.argv[1])
folders = site.getsitepackages() if hasattr(site, "getsitepackages") else []
if site.ENABLE_USER_SITE:
    folders.append(site.getusersitepackages())
for folder in folders:
    relative = os.path.relpath(os.path.abspath(folder), prefix)
    # /usr/local/lib/... lies under /usr too, but is not its lib.
    if relative.split(os.sep)[0] == "lib":
        print(relative.replace(os.sep, "/"))
        print("searched")
        break
else:
    print("lib/python3/dist-packages")
    print("not searched")
