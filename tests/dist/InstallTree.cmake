# Installs the build into a scratch folder with DESTDIR, as a package build does, and
# checks what lands there: exactly the expected files, relative links into the
# application folder, icons of their folders' sizes, the desktop's files accepted by
# their validators and agreeing with each other, a manual page for every command, and
# an installed pivlo-cli, started through its link, building a screensaver from the
# installed resources (the runtime's checksum survives the install).
#
# cmake -DBUILD_DIR=... -DSCRATCH=... -DEXPECTED=... -DMAN_SOURCE=... -DVERSION=...
#       -DBINDIR=... -DLIBDIR=... -DDATADIR=... -DMANDIR=... -P InstallTree.cmake

function(Fail)
  list(JOIN ARGN "" text)
  message(FATAL_ERROR "${text}")
endfunction()

function(Run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    list(JOIN ARGN " " command)
    Fail("${command} failed (${rc}):\n${out}")
  endif()
  set(run_output "${out}" PARENT_SCOPE)
endfunction()

function(FindTool variable program package)
  find_program(${variable} ${program})
  if(NOT ${variable})
    Fail("${program} is missing: install the Debian package ${package} (scripts/packages.txt)")
  endif()
endfunction()

file(REMOVE_RECURSE ${SCRATCH})
set(root ${SCRATCH}/root)
set(prefix ${root}/usr)
set(ENV{DESTDIR} ${root})
Run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr)
unset(ENV{DESTDIR})
file(REAL_PATH ${root} real_root)

# What was installed, links shown with the file they reach.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${root} ${root}/*)
set(found)
foreach(file IN LISTS files)
  if(IS_SYMLINK ${root}/${file})
    file(READ_SYMLINK ${root}/${file} target)
    if(IS_ABSOLUTE "${target}")
      Fail("${file} links to the absolute path ${target}: the install could not be moved")
    endif()
    file(REAL_PATH ${root}/${file} reached)
    file(RELATIVE_PATH reached ${real_root} ${reached})
    if(NOT EXISTS ${root}/${reached})
      Fail("${file} links to ${target}, which is not installed")
    endif()
    set(file "${file} -> ${reached}")
  endif()
  list(APPEND found "${file}")
endforeach()

file(STRINGS ${EXPECTED} lines ENCODING UTF-8)
set(expected)
foreach(line IN LISTS lines)
  if(line MATCHES "^#" OR line STREQUAL "")
    continue()
  endif()
  string(CONFIGURE "usr/${line}" line @ONLY)
  string(REPLACE "-> " "-> usr/" line "${line}")
  list(APPEND expected "${line}")
endforeach()

set(missing ${expected})
list(REMOVE_ITEM missing ${found})
set(unexpected ${found})
list(REMOVE_ITEM unexpected ${expected})
if(missing OR unexpected)
  list(JOIN missing "\n  " missing)
  list(JOIN unexpected "\n  " unexpected)
  Fail("the install differs from ${EXPECTED}\nmissing:\n  ${missing}\nunexpected:\n  ${unexpected}")
endif()

# Each icon is as large as its folder says (the PNG header's width and height); the
# scalable one is the largest.
foreach(file IN LISTS files)
  if(NOT file MATCHES "/icons/hicolor/([0-9a-z]+)(x[0-9]+)?/apps/")
    continue()
  endif()
  set(size ${CMAKE_MATCH_1})
  if(size STREQUAL "scalable")
    set(size 256)
  endif()
  file(READ ${root}/${file} header OFFSET 16 LIMIT 8 HEX)
  string(SUBSTRING ${header} 0 8 width)
  string(SUBSTRING ${header} 8 8 height)
  math(EXPR width "0x${width}")
  math(EXPR height "0x${height}")
  if(NOT width EQUAL size OR NOT height EQUAL size)
    Fail("${file} is ${width}x${height}, not ${size}x${size}")
  endif()
endforeach()

set(desktop_file ${prefix}/${DATADIR}/applications/pivlo.desktop)
set(metainfo ${prefix}/${DATADIR}/metainfo/io.github.pivlo.Pivlo.metainfo.xml)
FindTool(desktop_file_validate desktop-file-validate desktop-file-utils)
FindTool(appstreamcli appstreamcli appstream)
Run(${desktop_file_validate} ${desktop_file})
Run(${appstreamcli} validate --no-net ${metainfo})

# The files name one another: the project type, the launcher, the icon, the version.
file(READ ${desktop_file} desktop)
file(READ ${metainfo} metainfo_text)
file(READ ${prefix}/${DATADIR}/mime/packages/pivlo.xml mime)
foreach(check
    "desktop;MimeType=application/x-pivlo-project;"
    "desktop;\nIcon=pivlo\n"
    "mime;<mime-type type=\"application/x-pivlo-project\">"
    "metainfo_text;<mediatype>application/x-pivlo-project</mediatype>"
    "metainfo_text;<launchable type=\"desktop-id\">pivlo.desktop</launchable>"
    "metainfo_text;<release version=\"${VERSION}\"")
  list(POP_FRONT check text)
  string(FIND "${${text}}" "${check}" at)
  if(at EQUAL -1)
    Fail("the installed ${text} file does not say ${check}")
  endif()
endforeach()

# The manual page describes every command the installed pivlo-cli lists.
set(cli ${prefix}/${BINDIR}/pivlo-cli)
Run(${cli} --help)
string(REGEX MATCHALL "\n  [a-z][a-z0-9]*( [a-z][a-z0-9]*)*" commands "${run_output}")
file(READ ${MAN_SOURCE} man)
foreach(command IN LISTS commands)
  string(STRIP "${command}" command)
  if(NOT man MATCHES "\n\\.B ${command}( |\n)")
    Fail("the manual page ${MAN_SOURCE} has no entry for the command ${command}")
  endif()
endforeach()

# Started through its link, pivlo-cli finds its folder: it builds a screensaver with the
# installed stub and runtime, whose checksum must have survived the install.
set(work ${SCRATCH}/work)
file(MAKE_DIRECTORY ${work})
set(app ${prefix}/${LIBDIR}/pivlo)
Run(${cli} pack extract ${app}/gmi.src rainbow.jpg ${work}/a.jpg)
Run(${cli} pack extract ${app}/gmi.src Logo.gif ${work}/b.gif)
Run(${cli} project create ${work}/show.aps --picture ${work}/a.jpg --picture ${work}/b.gif)
Run(${cli} build ${work}/show.aps ${work}/show.scr)
if(NOT EXISTS ${work}/show.scr)
  Fail("the installed pivlo-cli built nothing:\n${run_output}")
endif()

# A failed run leaves the scratch folder to look at; a passed one takes its copies away.
file(REMOVE_RECURSE ${SCRATCH})
