# Installs the build into a scratch prefix and runs the installed programs through their links in
# bin/: the programs are in lib/tovel and the data in share/tovel, a site's Tovel.ini there is read
# as the defaults, and the settings and the user's tables land in the XDG folders of a scratch
# home. The prefix, writable by the user who runs this (root or its owner), stays byte for byte,
# mtime for mtime, as it was.
#   cmake -DBUILD_DIR=... -DPREFIX=... -P install_check.cmake
file(REMOVE_RECURSE ${PREFIX} ${PREFIX}-home ${PREFIX}-before.txt ${PREFIX}-after.txt)
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                OUTPUT_QUIET RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()
foreach(name tovel tovel-suntable)
  file(READ_SYMLINK ${PREFIX}/bin/${name} target)
  if(NOT target STREQUAL "../lib/tovel/${name}")
    message(FATAL_ERROR "bin/${name} links to '${target}', not ../lib/tovel/${name}")
  endif()
endforeach()
foreach(file lib/tovel/tovel-window share/tovel/RHDates.Tvl share/tovel/Jerusalem.sun
             share/applications/org.tovel.Tovel.desktop share/metainfo/org.tovel.Tovel.metainfo.xml
             share/icons/hicolor/16x16/apps/tovel.png share/icons/hicolor/256x256/apps/tovel.png
             share/man/man1/tovel.1.gz share/man/man1/tovel-suntable.1.gz share/doc/tovel/copyright
             share/doc/tovel/changelog.Debian.gz)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "${file} is not installed")
  endif()
endforeach()
file(GLOB data_in_lib ${PREFIX}/lib/tovel/*.Tvl ${PREFIX}/lib/tovel/*.sun)
if(data_in_lib)
  message(FATAL_ERROR "data installed beside the programs: ${data_in_lib}")
endif()
# A site's defaults, as an administrator puts them.
file(WRITE ${PREFIX}/share/tovel/Tovel.ini "[Tovel]\r\nAddWeek=7\r\n")

# Every entry's path, type, size, mode, mtime (ns) and link target, and every file's hash.
set(list_prefix [[cd "$0" && find . -printf '%p %y %s %m %T@ %l\n' | sort &&
                  find . -type f -exec sha256sum {} + | sort]])
execute_process(COMMAND sh -c "${list_prefix}" ${PREFIX} OUTPUT_VARIABLE before)

set(home ${PREFIX}-home)
file(MAKE_DIRECTORY ${home})
set(ENV{HOME} ${home})
unset(ENV{XDG_CONFIG_HOME})
unset(ENV{XDG_DATA_HOME})
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{TOVEL_UNATTENDED} 1)  # a message would be printed, not wait for a click
# A run of the command after `expected`, a regular expression its output must match.
function(run expected)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err
                  WORKING_DIRECTORY ${home} TIMEOUT 60)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "${expected}")
    message(FATAL_ERROR "${ARGN}: status ${rc}\n${out}${err}")
  endif()
endfunction()
run("^$" ${PREFIX}/bin/tovel /L)
run("^painted [0-9.]+\n$" env TOVEL_EXIT_AFTER_PAINT=1 ${PREFIX}/bin/tovel)
# A window ended by SIGTERM saves its settings; the signal waits, blocked, until it is ready.
run("^$" env --block-signal=TERM bash -c [["$0" & kill -TERM $! && wait $!]] ${PREFIX}/bin/tovel)
run("/\\.local/share/tovel/Town\\.sun: Town, sunsets of 2026"
    ${PREFIX}/bin/tovel-suntable Town 31.25 34.79 Asia/Jerusalem 2026)
run("" ${PREFIX}/bin/tovel-suntable --check ${PREFIX}/share/tovel/Jerusalem.sun)

execute_process(COMMAND sh -c "${list_prefix}" ${PREFIX} OUTPUT_VARIABLE after)
if(NOT after STREQUAL before)
  file(WRITE ${PREFIX}-before.txt "${before}")
  file(WRITE ${PREFIX}-after.txt "${after}")
  message(FATAL_ERROR "the runs changed the prefix: compare ${PREFIX}-before.txt and -after.txt")
endif()
file(READ ${home}/.config/tovel/Tovel.ini saved)
if(NOT saved MATCHES "AddWeek=7\r?\n" OR NOT saved MATCHES "FormTop=")
  message(FATAL_ERROR "the user's settings, from the site's defaults, hold:\n${saved}")
endif()
file(REMOVE_RECURSE ${PREFIX} ${PREFIX}-home ${PREFIX}-before.txt ${PREFIX}-after.txt)
