# What the package carries besides the program, checked cheaply on every
# build: the AppStream metainfo passes appstreamcli's validation, each
# manual page renders without a warning, and the page of the classroom
# command documents every option the command accepts. A check whose tool is
# not installed is left out with a note (make deb installs them all). Run by
# CTest as
#   cmake -DSOURCE=<source> -DMANUELS=<build>/src/installation -P paquet.cmake

set(metainfo "${SOURCE}/resources/app/fr.brelmar.Wavix.metainfo.xml")
file(READ "${metainfo}" contenu)
foreach(morceau "<id>fr.brelmar.Wavix</id>" "<launchable type=\"desktop-id\">wavix.desktop</launchable>"
                "<project_license>GPL-3.0-or-later</project_license>" "<category>Education</category>"
                "<category>Science</category>" "<mediatype>text/x-wavix-file</mediatype>")
  string(FIND "${contenu}" "${morceau}" trouve)
  if(trouve LESS 0)
    message(FATAL_ERROR "the metainfo lacks ${morceau}")
  endif()
endforeach()
string(FIND "${contenu}" "<screenshot" trouve)
if(NOT trouve LESS 0)
  message(FATAL_ERROR "the metainfo names a screenshot, which no address hosts")
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  execute_process(COMMAND "${APPSTREAMCLI}" validate --no-net --no-color "${metainfo}"
    RESULT_VARIABLE resultat OUTPUT_VARIABLE sortie ERROR_VARIABLE sortie)
  if(NOT resultat EQUAL 0)
    message(FATAL_ERROR "appstreamcli validate:\n${sortie}")
  endif()
else()
  message(STATUS "appstreamcli is not installed: the metainfo was not validated")
endif()

# Rendered as lintian renders them: any message of man or groff is a fault.
find_program(MAN man)
foreach(page wavix.1 wavix-preparer-salle.1)
  if(NOT EXISTS "${MANUELS}/${page}")
    message(FATAL_ERROR "${MANUELS}/${page} was not made")
  endif()
  if(MAN)
    set(ENV{LC_ALL} C.UTF-8)
    set(ENV{MANROFFSEQ} "")
    set(ENV{MANWIDTH} 80)
    execute_process(COMMAND "${MAN}" --warnings -E UTF-8 -l -Tutf8 -Z "${MANUELS}/${page}"
      RESULT_VARIABLE resultat OUTPUT_QUIET ERROR_VARIABLE erreurs)
    if(NOT resultat EQUAL 0 OR erreurs)
      message(FATAL_ERROR "man -l ${page}: ${erreurs}")
    endif()
  endif()
endforeach()
if(NOT MAN)
  message(STATUS "man is not installed: the manual pages were not rendered")
endif()

# Each option the command's argument loop takes (a case label such as
# `--professeur)` or `--professeur=*)`) is in its page.
file(STRINGS "${SOURCE}/scripts/wavix-preparer-salle" lignes)
set(options "")
foreach(ligne IN LISTS lignes)
  if(ligne MATCHES "^[ \t]*(--[a-z][a-z0-9-]*)[^ \t]*\\)")
    list(APPEND options "${CMAKE_MATCH_1}")
  endif()
endforeach()
list(REMOVE_DUPLICATES options)
file(READ "${MANUELS}/wavix-preparer-salle.1" texte)
string(REPLACE "\\-" "-" texte "${texte}")
foreach(option IN LISTS options)
  string(FIND "${texte}" "${option}" trouve)
  if(trouve LESS 0)
    message(FATAL_ERROR "wavix-preparer-salle.1 does not document ${option}")
  endif()
endforeach()
# Once the command takes options, its page's OPTIONS section names those
# and no other.
string(REGEX MATCH "\n\\.SH OPTIONS\n.*" section "${texte}")
string(REGEX REPLACE "^\n\\.SH OPTIONS\n" "" section "${section}")
string(REGEX REPLACE "\n\\.SH .*" "" section "${section}")
string(REGEX MATCHALL "\n\\.BI? --[a-z][a-z0-9-]*" entrees "\n${section}")
set(documentees "")
foreach(entree IN LISTS entrees)
  string(REGEX REPLACE ".*(--[a-z][a-z0-9-]*)$" "\\1" entree "${entree}")
  list(APPEND documentees "${entree}")
endforeach()
list(SORT documentees)
set(acceptees ${options})
list(SORT acceptees)
if(options AND NOT documentees STREQUAL acceptees)
  message(FATAL_ERROR "wavix-preparer-salle.1 documents the options ${documentees}; the command takes ${acceptees}")
endif()
message(STATUS "options of wavix-preparer-salle: ${options}; documented: ${documentees}")
