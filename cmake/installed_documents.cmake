# Run by `cmake --install` (see CMakeLists.txt), after the Python module's
# rules: writes the README and the user's guide as installed, each beginning
# with a note on where the installed files are, and on Windows README.txt,
# each saying what this install holds: the page where it has been built, the
# Python module where Python finds it. Set by the caller: source_dir,
# work_dir, windows, page, have_python, docdir, version; by the module's
# rules: vdwcoex_python_dir and vdwcoex_python_searched.
if(EXISTS "${page}")
  set(have_page ON)
else()
  set(have_page OFF)
  message(STATUS "The page ${page} has not been built: installing without it, and the installed README says so. The tests build it (ctest, with emscripten, node, npm and chromium installed); install again after them")
endif()

if(windows)
  set(note "> Installed from the ZIP: where this text says `./build/vdwcoex`, run
> `bin\\vdwcoex.exe`; the plot script is `share\\vdwcoex\\phase_diagram.gp`")
  if(have_page)
    string(APPEND note ",
> and the page is `vdwcoex.html` beside this README, ready to open.")
  else()
    string(APPEND note ".
> The page, `vdwcoex.html`, is not in this ZIP: it was made before the page
> was built (the user's guide, \"On Windows\", says how to make it with the page).")
  endif()
else()
  set(note "> Installed: where this text says `./build/vdwcoex`, run `vdwcoex`; the
> plot script is `share/vdwcoex/phase_diagram.gp` under the installation's
> folder (`/usr/share/vdwcoex/phase_diagram.gp` from the DEB)")
  if(have_page)
    string(APPEND note ", the page is
> `vdwcoex.html` beside the README")
  else()
    string(APPEND note ". The page,
> `vdwcoex.html`, is not installed: it had not been built (the README's
> \"In the browser\" says how to build it)")
  endif()
  if(NOT have_python)
    string(APPEND note ".
> This build has no Python module (it needs Debian's `pybind11-dev` and
> `python3-dev`).")
  elseif(vdwcoex_python_searched STREQUAL "not searched")
    string(APPEND note ".
> The Python module is in `${vdwcoex_python_dir}` under the installation's
> folder, where Python does not look: to `import vdwcoex`, set `PYTHONPATH`
> to that folder.")
  else()
    string(APPEND note ", and
> `import vdwcoex` works in Python.")
  endif()
endif()

# One scratch folder per destination, as two installs may run at once.
string(MD5 destination "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(out "${work_dir}/${destination}")
foreach(document README.md docs/using-the-results.md)
  file(READ "${source_dir}/${document}" text)
  string(FIND "${text}" "\n" first_line_end)
  string(SUBSTRING "${text}" 0 ${first_line_end} heading)
  math(EXPR rest_start "${first_line_end} + 1")
  string(SUBSTRING "${text}" ${rest_start} -1 rest)
  file(WRITE "${out}/${document}" "${heading}\n\n${note}\n${rest}")
endforeach()
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${docdir}" TYPE FILE FILES "${out}/README.md")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${docdir}/docs" TYPE FILE FILES "${out}/docs/using-the-results.md")
if(windows)
  # At the top of the ZIP, where a Windows user looks first, in Notepad's
  # line breaks.
  if(have_page)
    set(PAGE_LINES "  share\\doc\\vdwcoex\\vdwcoex.html   the same program as a web page: open it in
                                   any browser, copy it to a course site or a USB stick")
  else()
    set(PAGE_LINES "  (the same program as a web page, vdwcoex.html, is not in this ZIP:
  it was made before the page was built. The user's guide, in docs\\
  beside README.md, says under \"On Windows\" how to make it with the page)")
  endif()
  # configure_file gives the template's lines CR LF, not those within a value.
  string(REPLACE "\n" "\r\n" PAGE_LINES "${PAGE_LINES}")
  set(PROJECT_VERSION "${version}")
  configure_file("${source_dir}/packaging/README-windows.txt.in" "${out}/README.txt" @ONLY NEWLINE_STYLE CRLF)
  file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}" TYPE FILE FILES "${out}/README.txt")
endif()
