# Assembles the installer's folder: haldimon, its setup file and read-me, and Setup/ with the
# program, its driver client, its libraries, the files the build copies beside it, its help pages
# and the shipped settings; then checks that the setup file names every file of Setup/.
# Called by the target haldimon-dist with -DBIN= -DSRC= -DDIST=.
file(REMOVE_RECURSE "${DIST}")
file(MAKE_DIRECTORY "${DIST}/Setup")
set(inf "${SRC}/installer/dist/haldimon.INF")
file(COPY "${BIN}/haldimon" "${inf}" "${SRC}/installer/dist/readme.txt" DESTINATION "${DIST}")
# The icon beside the program is the icon of its menu entries.
set(files "${BIN}/morvalen" "${BIN}/morvalen-dde" "${BIN}/libtarnwick.so" "${BIN}/strings.tsv"
    "${SRC}/resources/icons/morvalen.svg")
if(EXISTS "${BIN}/libwepo.so")
    list(APPEND files "${BIN}/libwepo.so")
endif()
file(GLOB shipped "${SRC}/resources/shipped/*")
foreach(f IN LISTS shipped)
    get_filename_component(n "${f}" NAME)
    list(APPEND files "${BIN}/${n}")
endforeach()
file(GLOB settings "${SRC}/installer/dist/Settings/*")
file(COPY ${files} ${settings} DESTINATION "${DIST}/Setup")
# The help pages the program opens from its own folder.
file(COPY "${BIN}/help" DESTINATION "${DIST}/Setup")

# Every file, also in a sub-folder, must match the pattern of a C: line ('*' and '?' within
# one name, without letter case).
file(STRINGS "${inf}" lines REGEX "^[0-9]+=C:\"")
set(regexes)
foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[0-9]+=C:\"([^\"]*)\".*" "\\1" pattern "${line}")
    string(TOLOWER "${pattern}" pattern)
    string(REGEX REPLACE "([.+^$()|\\[\\]])" "\\\\\\1" rx "${pattern}")
    string(REPLACE "*" "[^/]*" rx "${rx}")
    string(REPLACE "?" "[^/]" rx "${rx}")
    list(APPEND regexes "^${rx}$")
endforeach()
file(GLOB_RECURSE setupFiles RELATIVE "${DIST}/Setup" "${DIST}/Setup/*")
foreach(f IN LISTS setupFiles)
    string(TOLOWER "${f}" lower)
    set(named FALSE)
    foreach(rx IN LISTS regexes)
        if(lower MATCHES "${rx}")
            set(named TRUE)
        endif()
    endforeach()
    if(NOT named)
        message(FATAL_ERROR "haldimon.INF has no C: line for Setup/${f}: add one")
    endif()
endforeach()
