# Installs the build into a fresh prefix and checks the tree a package gets:
#   cmake -DBUILD_DIR=... -DPREFIX=... -DWITH_GUI=ON|OFF -P CheckInstallTree.cmake
cmake_minimum_required(VERSION 3.25)
set(failures "")
# expect("<if() condition>" "message"); the condition is parsed as written.
macro(expect condition message)
  set(_message "${message}")
  cmake_language(EVAL CODE "if(NOT (${condition}))\nstring(APPEND failures \"\\n  \${_message}\")\nendif()")
endmacro()

file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
  RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${rc}): ${err}")
endif()

set(program ${PREFIX}/lib/vestrel)
set(commands vestrelctl)
set(files
  lib/vestrel/Data.ini lib/vestrel/logo.png lib/vestrel/Data/Default.pbin
  lib/vestrel/res/main.xml lib/vestrel/res/Language/EN.xml
  lib/udev/rules.d/70-vestrel.rules
  share/man/man1/vestrel.1.gz share/man/man1/vestrelctl.1.gz
  share/bash-completion/completions/vestrelctl share/zsh/vendor-completions/_vestrelctl
  share/fish/vendor_completions.d/vestrelctl.fish)
if(WITH_GUI)
  list(APPEND commands vestrel)
  list(APPEND files
    share/applications/vestrel.desktop share/vestrel/vestrel-autostart.desktop
    share/metainfo/vestrel.metainfo.xml
    share/icons/hicolor/scalable/apps/vestrel.svg)
  foreach(size 16 22 24 32 48 64 128 256)
    list(APPEND files share/icons/hicolor/${size}x${size}/apps/vestrel.png)
  endforeach()
endif()
foreach(file IN LISTS files)
  expect("EXISTS ${PREFIX}/${file}" "missing ${file}")
endforeach()
expect("NOT EXISTS ${program}/res/src" "the skin sources were installed")

foreach(command IN LISTS commands)
  expect("EXISTS ${program}/${command}" "missing lib/vestrel/${command}")
  set(link ${PREFIX}/bin/${command})
  if(IS_SYMLINK ${link})
    file(READ_SYMLINK ${link} target)
    expect("target STREQUAL \"../lib/vestrel/${command}\"" "bin/${command} points to ${target}")
  else()
    string(APPEND failures "\n  bin/${command} is not a link into the program folder")
  endif()
endforeach()

# Started through bin/, vestrelctl finds the program folder (its Data.ini)
# exactly as the build tree's copy does; and it creates no files to describe.
execute_process(COMMAND ${PREFIX}/bin/vestrelctl describe OUTPUT_VARIABLE installed RESULT_VARIABLE rc)
execute_process(COMMAND ${BUILD_DIR}/vestrelctl describe OUTPUT_VARIABLE built)
expect("rc EQUAL 0" "installed vestrelctl describe failed")
expect("installed STREQUAL built" "installed vestrelctl describes another mouse:\n${installed}")
file(GLOB shipped_data RELATIVE ${program}/Data ${program}/Data/*)
expect("shipped_data STREQUAL \"Default.pbin\"" "the shipped Data/ holds: ${shipped_data}")

if(WITH_GUI)
  file(STRINGS ${PREFIX}/share/applications/vestrel.desktop desktop)
  expect("\"Exec=vestrel\" IN_LIST desktop AND \"Icon=vestrel\" IN_LIST desktop" "desktop entry: ${desktop}")
  file(STRINGS ${PREFIX}/share/vestrel/vestrel-autostart.desktop autostart)
  expect("\"Exec=vestrel --tray\" IN_LIST autostart" "autostart entry: ${autostart}")
  # Software centres offer the program for the mouse that Data.ini names.
  file(STRINGS ${PREFIX}/share/metainfo/vestrel.metainfo.xml modalias REGEX "<modalias>")
  expect("modalias MATCHES \"usb:v1209p0001d\"" "metainfo modalias: ${modalias}")
endif()

if(failures)
  message(FATAL_ERROR "install tree under ${PREFIX}:${failures}")
endif()
