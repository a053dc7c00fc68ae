# cmake -DBUILD_DIR=<build tree> -DSTAGE=<scratch root> -DBINDIR=<full bin dir>
#       -DDATADIR=<full data dir> -P TelmaCheckInstall.cmake
# Installs the build tree under a scratch root and checks what the desktop entry relies on:
# the program it names, its icon, and a working directory from which the window's two
# button pictures resolve through the relative paths the form uses.
file(REMOVE_RECURSE ${STAGE})
execute_process(COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${CMAKE_COMMAND} --install ${BUILD_DIR}
    OUTPUT_QUIET ERROR_VARIABLE problems RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "installing failed: ${problems}")
endif()

function(require path what)
    if(NOT EXISTS ${path})
        message(FATAL_ERROR "${what} is missing: ${path}")
    endif()
endfunction()

set(entry ${STAGE}${DATADIR}/applications/telma.desktop)
require(${entry} "the desktop entry")
file(STRINGS ${entry} exec REGEX "^Exec=")
file(STRINGS ${entry} workdir REGEX "^Path=")
file(STRINGS ${entry} icon REGEX "^Icon=")
string(REGEX REPLACE "^Exec=([^ ]*).*" "\\1" exec "${exec}")
string(REGEX REPLACE "^Path=" "" workdir "${workdir}")
string(REGEX REPLACE "^Icon=" "" icon "${icon}")

require(${STAGE}${BINDIR}/${exec} "the program the desktop entry starts")
require(${STAGE}${workdir} "the desktop entry's working directory")
foreach(picture ../../nextunfinished.png ../../../img/button-close.png)
    require(${STAGE}${workdir}/${picture} "a button picture seen from the working directory")
endforeach()
foreach(size 16 32 48 64 128)
    require(${STAGE}${DATADIR}/icons/hicolor/${size}x${size}/apps/${icon}.png "the ${size} px icon")
endforeach()

# The cohort tool beside the program.
require(${STAGE}${BINDIR}/telma-cohort "the cohort tool")
