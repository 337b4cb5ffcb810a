# Installs the program into a temporary DESTDIR, checks the files it put,
# validates the desktop entry, then uninstalls from the manifest and checks
# that nothing is left. Run by CTest as
#   cmake -DBUILD=<build> -DPREFIX=<prefix> -DPROGRAM_DIR=lib/wavix -DSOURCE=<source> -P installation.cmake
set(destdir "${BUILD}/installation-test")
file(REMOVE_RECURSE "${destdir}")
set(ENV{DESTDIR} "${destdir}")
# A staged installation leaves the machine's own type database alone: the
# program that would refresh it only leaves a mark here.
set(outils "${BUILD}/installation-test-outils")
file(REMOVE_RECURSE "${outils}")
file(WRITE "${outils}/update-mime-database" "#!/bin/sh\necho \"$@\" >> \"${outils}/appels\"\n")
file(CHMOD "${outils}/update-mime-database" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
set(ENV{PATH} "${outils}:$ENV{PATH}")
# A component of its own, so that its manifest is not that of a real installation.
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --component wavix
  RESULT_VARIABLE resultat OUTPUT_QUIET)
if(NOT resultat EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${resultat}")
endif()

set(racine "${destdir}${PREFIX}")
file(GLOB_RECURSE installes LIST_DIRECTORIES false RELATIVE "${racine}" "${destdir}/*")
list(SORT installes)
set(attendus
  "${PROGRAM_DIR}/Bip.wav"
  "${PROGRAM_DIR}/Button Click.wav"
  "${PROGRAM_DIR}/wavix"
  bin/wavix
  bin/wavix-preparer-salle
  share/applications/wavix.desktop
  share/icons/hicolor/scalable/apps/wavix.svg
  share/man/man1/wavix-preparer-salle.1
  share/man/man1/wavix.1
  share/metainfo/fr.brelmar.Wavix.metainfo.xml
  share/mime/packages/wavix-file.xml)
list(SORT attendus)
if(NOT installes STREQUAL attendus)
  message(FATAL_ERROR "installed:\n  ${installes}\nexpected:\n  ${attendus}")
endif()

# The link on the search path leads to the program beside its sounds.
file(REAL_PATH "${racine}/bin/wavix" programme)
file(REAL_PATH "${racine}/${PROGRAM_DIR}/wavix" attendu)
if(NOT IS_SYMLINK "${racine}/bin/wavix" OR NOT programme STREQUAL attendu)
  message(FATAL_ERROR "bin/wavix does not lead to ${attendu}")
endif()

file(READ "${racine}/share/applications/wavix.desktop" entree)
foreach(ligne "Name=Wavix" "Comment=Banc de physique simulé autour d'un oscilloscope à deux voies"
              "Exec=${PREFIX}/bin/wavix" "Icon=wavix")
  string(FIND "${entree}" "\n${ligne}\n" trouve)
  if(trouve LESS 0)
    message(FATAL_ERROR "wavix.desktop lacks \"${ligne}\":\n${entree}")
  endif()
endforeach()
find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND "${VALIDATE}" "${racine}/share/applications/wavix.desktop"
    RESULT_VARIABLE resultat OUTPUT_VARIABLE sortie ERROR_VARIABLE sortie)
  if(NOT resultat EQUAL 0 OR sortie)
    message(FATAL_ERROR "desktop-file-validate: ${sortie}")
  endif()
else()
  message(STATUS "desktop-file-validate is not installed: the desktop entry was not validated")
endif()

# The installed type is the one the program registers for each user.
file(READ "${racine}/share/mime/packages/wavix-file.xml" type)
foreach(morceau "type=\"text/x-wavix-file\"" "<sub-class-of type=\"text/plain\"/>"
                "<comment>Fichier Wavix</comment>" "<glob pattern=\"*.qvt\"/>")
  string(FIND "${type}" "${morceau}" trouve)
  if(trouve LESS 0)
    message(FATAL_ERROR "wavix-file.xml lacks ${morceau}")
  endif()
endforeach()

# Uninstalled from the manifest: no file of it is left, nor the program's
# folder; another program's file in the same folders stays.
set(autre "${racine}/share/applications/autre.desktop")
file(WRITE "${autre}" "[Desktop Entry]\n")
execute_process(COMMAND "${CMAKE_COMMAND}" "-DMANIFEST=${BUILD}/install_manifest_wavix.txt"
  "-DPREFIX=${PREFIX}" "-DPROGRAM_DIR=${PROGRAM_DIR}" -P "${SOURCE}/cmake/uninstall.cmake"
  RESULT_VARIABLE resultat OUTPUT_QUIET)
file(GLOB_RECURSE restes LIST_DIRECTORIES false "${destdir}/*")
if(NOT resultat EQUAL 0 OR NOT restes STREQUAL autre OR IS_DIRECTORY "${racine}/${PROGRAM_DIR}")
  message(FATAL_ERROR "uninstall left: ${restes}")
endif()
if(EXISTS "${outils}/appels")
  file(READ "${outils}/appels" appels)
  message(FATAL_ERROR "a staged installation refreshed the type database of: ${appels}")
endif()
file(REMOVE_RECURSE "${destdir}" "${outils}")
