# Runs the built program in a scratch folder with a reply on standard input
# and checks what it leaves behind.
#
#   -DPROGRAM=path      the program (may be a list: an emulator and the program)
#   -DWORKDIR=path      scratch folder, emptied first
#   -DINPUT=text        the reply to the prompt (no line break is added)
#   -DMODE=golden       compare SHA-256 of the files and console with SHA_COEX,
#                       SHA_PROP and SHA_CONSOLE
#   -DMODE=same         run again with SAME_AS as the reply; all outputs must
#                       be the same bytes
#   -DMODE=shows        the reports must show "c = " followed by C_SHOWN
#   -DMODE=fail         put BLOCKER (dir or full) in the place of FILE and an
#                       earlier report in the place of the other; the run must
#                       exit non-zero with a message naming FILE, keep the
#                       earlier report and leave no other file behind
#   -DMODE=compare      run PROGRAM and OTHER (another build of it, e.g.
#                       "wine;vdwcoex.exe") with every reply in the list
#                       REPLIES; both reports must be the same bytes and the
#                       console the same text
#   -DMODE=long_reply   a reply of a million characters, "0.333...", must be
#                       read as c = 0.333333 within ten seconds
#   -DMODE=plot         run GNUPLOT with the script PLOT in an empty folder,
#                       where it must fail with one message and draw nothing,
#                       then in the folder of the reports, where it must
#                       write a PNG picture
cmake_minimum_required(VERSION 3.20)

function(run_in dir reply)
  file(REMOVE_RECURSE "${dir}")
  file(MAKE_DIRECTORY "${dir}")
  file(WRITE "${dir}/reply.txt" "${reply}")
  if(DEFINED BLOCKER)
    file(WRITE "${dir}/${OTHER_FILE}" "earlier report")
    if(BLOCKER STREQUAL "dir")
      file(MAKE_DIRECTORY "${dir}/${FILE}")
    elseif(BLOCKER STREQUAL "full")
      file(CREATE_LINK /dev/full "${dir}/${FILE}" SYMBOLIC)
    endif()
  endif()
  execute_process(
    COMMAND ${PROGRAM}
    WORKING_DIRECTORY "${dir}"
    INPUT_FILE "${dir}/reply.txt"
    TIMEOUT 60
    OUTPUT_FILE "${dir}/console.out"
    ERROR_VARIABLE stderr
    RESULT_VARIABLE status)
  set(status "${status}" PARENT_SCOPE)
  set(stderr "${stderr}" PARENT_SCOPE)
endfunction()

# run_in, failing unless the program exits with status 0.
function(run_ok dir reply)
  run_in("${dir}" "${reply}")
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM}, reply '${reply}': exit status ${status}: ${stderr}")
  endif()
endfunction()

set(outputs vdw_coex.dat clatente.dat console.out)

# Fails unless both files hold the same bytes.
function(expect_same_bytes a b what)
  file(READ "${a}" bytes_a HEX)
  file(READ "${b}" bytes_b HEX)
  if(NOT bytes_a STREQUAL bytes_b)
    message(FATAL_ERROR "${what}")
  endif()
endfunction()

if(MODE STREQUAL "golden")
  run_ok("${WORKDIR}" "${INPUT}")
  foreach(pair "vdw_coex.dat;${SHA_COEX}" "clatente.dat;${SHA_PROP}" "console.out;${SHA_CONSOLE}")
    list(GET pair 0 name)
    list(GET pair 1 expected)
    file(SHA256 "${WORKDIR}/${name}" actual)
    if(NOT actual STREQUAL expected)
      message(FATAL_ERROR "${name} differs from the expected bytes (SHA-256 ${actual})")
    endif()
  endforeach()

elseif(MODE STREQUAL "same")
  run_ok("${WORKDIR}/a" "${INPUT}")
  run_ok("${WORKDIR}/b" "${SAME_AS}")
  foreach(name IN LISTS outputs)
    expect_same_bytes("${WORKDIR}/a/${name}" "${WORKDIR}/b/${name}"
      "${name} for the reply '${INPUT}' differs from that for '${SAME_AS}'")
  endforeach()

elseif(MODE STREQUAL "shows")
  run_ok("${WORKDIR}" "${INPUT}")
  # Read as hex: a text read would drop the CR of each line break.
  string(HEX "Cv = cR,  c = ${C_SHOWN}\r\n" line)
  string(HEX "\r\n 0." row)
  foreach(pair "vdw_coex.dat;499" "clatente.dat;1497")
    list(GET pair 0 name)
    list(GET pair 1 expected_rows)
    file(READ "${WORKDIR}/${name}" content HEX)
    string(FIND "${content}" "${line}" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "${name} does not show c = ${C_SHOWN}")
    endif()
    string(REGEX MATCHALL "${row}" rows "${content}")
    list(LENGTH rows count)
    if(NOT count EQUAL expected_rows)
      message(FATAL_ERROR "${name} has ${count} rows")
    endif()
  endforeach()

elseif(MODE STREQUAL "fail")
  set(OTHER_FILE vdw_coex.dat)
  if(FILE STREQUAL "vdw_coex.dat")
    set(OTHER_FILE clatente.dat)
  endif()
  run_in("${WORKDIR}" "1.5")
  if(NOT status MATCHES "^[0-9]+$")
    message(FATAL_ERROR "ended by a signal or not run: ${status}")
  endif()
  if(status EQUAL 0)
    message(FATAL_ERROR "exit status 0 although ${FILE} could not be written")
  endif()
  string(FIND "${stderr}" "${FILE}" named)
  if(named EQUAL -1)
    message(FATAL_ERROR "the message does not name ${FILE}: '${stderr}'")
  endif()
  string(REGEX MATCHALL "\n" breaks "${stderr}")
  list(LENGTH breaks lines)
  if(NOT lines EQUAL 1)
    message(FATAL_ERROR "expected one line on stderr, got: '${stderr}'")
  endif()
  file(READ "${WORKDIR}/${OTHER_FILE}" kept)
  if(NOT kept STREQUAL "earlier report")
    message(FATAL_ERROR "the earlier ${OTHER_FILE} was not kept")
  endif()
  file(GLOB left RELATIVE "${WORKDIR}" "${WORKDIR}/*")
  list(SORT left)
  set(expected ${FILE} ${OTHER_FILE} console.out reply.txt)
  list(SORT expected)
  if(NOT left STREQUAL expected)
    message(FATAL_ERROR "left behind: ${left}")
  endif()
  message(STATUS "status ${status}: ${stderr}")

elseif(MODE STREQUAL "compare")
  set(index 0)
  set(this_program ${PROGRAM})
  foreach(reply IN LISTS REPLIES)
    math(EXPR index "${index} + 1")
    set(mine "${WORKDIR}/${index}/this")
    set(theirs "${WORKDIR}/${index}/other")
    set(PROGRAM ${this_program})
    run_ok("${mine}" "${reply}")
    set(PROGRAM ${OTHER})
    run_ok("${theirs}" "${reply}")
    foreach(name vdw_coex.dat clatente.dat)
      expect_same_bytes("${mine}/${name}" "${theirs}/${name}"
        "reply '${reply}': ${name} differs between the two builds")
    endforeach()
    # Console text, line breaks aside: each platform keeps its own.
    file(READ "${mine}/console.out" a)
    file(READ "${theirs}/console.out" b)
    string(REPLACE "\r" "" a "${a}")
    string(REPLACE "\r" "" b "${b}")
    if(NOT a STREQUAL b)
      message(FATAL_ERROR "reply '${reply}': the console output differs between the two builds")
    endif()
    message(STATUS "reply '${reply}': same reports")
  endforeach()

elseif(MODE STREQUAL "long_reply")
  string(REPEAT "3" 999998 digits)
  string(TIMESTAMP start "%s")
  run_ok("${WORKDIR}" "0.${digits}")
  string(TIMESTAMP end "%s")
  math(EXPR seconds "${end} - ${start}")
  if(seconds GREATER 10)
    message(FATAL_ERROR "reading the reply took ${seconds} s")
  endif()
  file(READ "${WORKDIR}/vdw_coex.dat" content)
  string(FIND "${content}" "c = 0.333333" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the reply was not read as c = 0.333333")
  endif()

elseif(MODE STREQUAL "plot")
  set(empty "${WORKDIR}/empty")
  file(REMOVE_RECURSE "${empty}")
  file(MAKE_DIRECTORY "${empty}")
  execute_process(COMMAND "${GNUPLOT}" -c "${PLOT}" WORKING_DIRECTORY "${empty}"
    RESULT_VARIABLE status ERROR_VARIABLE stderr)
  string(STRIP "${stderr}" stderr)
  if(status EQUAL 0 OR stderr MATCHES "\n" OR NOT stderr MATCHES "no vdw_coex.dat"
     OR EXISTS "${empty}/phase_diagram.png")
    message(FATAL_ERROR "without data, gnuplot: status ${status}: ${stderr}")
  endif()

  run_ok("${WORKDIR}" "1.5")
  execute_process(COMMAND "${GNUPLOT}" -c "${PLOT}" WORKING_DIRECTORY "${WORKDIR}"
    RESULT_VARIABLE status ERROR_VARIABLE stderr)
  if(NOT status EQUAL 0 OR NOT stderr STREQUAL "")
    message(FATAL_ERROR "gnuplot: status ${status}: ${stderr}")
  endif()
  set(png "${WORKDIR}/phase_diagram.png")
  if(NOT EXISTS "${png}")
    message(FATAL_ERROR "no phase_diagram.png")
  endif()
  file(READ "${png}" signature LIMIT 8 HEX)
  file(SIZE "${png}" size)
  if(NOT signature STREQUAL "89504e470d0a1a0a" OR size LESS 20000)
    message(FATAL_ERROR "phase_diagram.png is not a picture (${size} bytes)")
  endif()

else()
  message(FATAL_ERROR "unknown MODE '${MODE}'")
endif()
