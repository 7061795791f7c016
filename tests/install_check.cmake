# Installs the build into a scratch prefix and starts the program through its
# link in bin/: it must find its folder, lib/tovel, with the window program and
# the year table in it.
#   cmake -DBUILD_DIR=... -DPREFIX=... -P install_check.cmake
file(REMOVE_RECURSE ${PREFIX})
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
foreach(file lib/tovel/tovel-window lib/tovel/RHDates.Tvl lib/tovel/Jerusalem.sun
             share/applications/org.tovel.Tovel.desktop share/metainfo/org.tovel.Tovel.metainfo.xml
             share/icons/hicolor/16x16/apps/tovel.png share/icons/hicolor/256x256/apps/tovel.png
             share/man/man1/tovel.1.gz share/man/man1/tovel-suntable.1.gz share/doc/tovel/copyright)
  if(NOT EXISTS ${PREFIX}/${file})
    message(FATAL_ERROR "${file} is not installed")
  endif()
endforeach()
set(ENV{QT_QPA_PLATFORM} offscreen)
set(ENV{TOVEL_EXIT_AFTER_PAINT} 1)
set(ENV{TOVEL_UNATTENDED} 1)  # a message would be printed, not wait for a click
execute_process(COMMAND ${PREFIX}/bin/tovel RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_VARIABLE out
                TIMEOUT 60)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^painted [0-9.]+\n$")
  message(FATAL_ERROR "bin/tovel: status ${rc}\n${out}${err}")
endif()
file(REMOVE_RECURSE ${PREFIX})
