# Installation and the Debian package.
#
# Both programs look for their data (translations, sounds, pictures, sample
# puzzles, textures, help) in the folder of the running executable, and they
# find that folder through /proc/self/exe, which resolves symbolic links. So
# each program and its data go into one private folder, and the commands on
# the PATH are links into it.
include(GNUInstallDirs)

set(QV_PRIVATE_DIR ${CMAKE_INSTALL_LIBDIR}/quorvane)

install(TARGETS qvrk32 mvro RUNTIME DESTINATION ${QV_PRIVATE_DIR})
# The puzzle tools and the board printer need no data beside them.
install(TARGETS puzmake puzdump mvro-board RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The data files are made by several targets into the build's bin/ folder;
# they are collected from there when installing, by their kinds, so that test
# programs, settings and scores left by a run from the build stay behind.
set(QV_BIN_DIR ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
install(CODE "
  file(GLOB qv_data LIST_DIRECTORIES false
       \"${QV_BIN_DIR}/*.dix\" \"${QV_BIN_DIR}/*.wav\" \"${QV_BIN_DIR}/*.puz\"
       \"${QV_BIN_DIR}/*.png\" \"${QV_BIN_DIR}/*.html\")
  if(NOT qv_data)
    message(FATAL_ERROR \"No data files in ${QV_BIN_DIR}: build the quorvane_dist target first\")
  endif()
  file(INSTALL \${qv_data} DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${QV_PRIVATE_DIR}\")
  foreach(sub textures help)
    if(EXISTS \"${QV_BIN_DIR}/\${sub}\")
      file(INSTALL \"${QV_BIN_DIR}/\${sub}\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${QV_PRIVATE_DIR}\"
           FILES_MATCHING PATTERN \"*.jpg\" PATTERN \"*.html\" PATTERN \"*.css\" PATTERN \"*.png\")
    endif()
  endforeach()
")

# The marker that makes an installed copy keep its settings, puzzles and
# caches in the user's folders even where this folder is writable (root).
install(FILES ${PROJECT_SOURCE_DIR}/packaging/system-install DESTINATION ${QV_PRIVATE_DIR})

# Relative links, so that a staged install (DESTDIR, the package) stays right.
# The games' commands go where Debian keeps games (on every user's PATH).
set(QV_GAMES_DIR games)
file(RELATIVE_PATH QV_LINK_TARGET
     ${CMAKE_INSTALL_PREFIX}/${QV_GAMES_DIR} ${CMAKE_INSTALL_PREFIX}/${QV_PRIVATE_DIR})
foreach(program qvrk32 mvro)
  install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QV_GAMES_DIR}/${program}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${QV_GAMES_DIR}\")
    file(CREATE_LINK \"${QV_LINK_TARGET}/${program}\" \"\${link}\" SYMBOLIC)
    message(STATUS \"Installing: \${link} -> ${QV_LINK_TARGET}/${program}\")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${CMAKE_INSTALL_PREFIX}/${QV_GAMES_DIR}/${program}\")
  ")
endforeach()

# Desktop integration: menu entries, the two file types, icons.
set(QV_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
install(FILES ${QV_PACKAGING}/quorvane.desktop ${QV_PACKAGING}/minevaro.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QV_PACKAGING}/quorvane-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
foreach(size 32 48 256)
  install(FILES ${QV_PACKAGING}/icons/${size}/quorvane.png ${QV_PACKAGING}/icons/${size}/minevaro.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${QV_PACKAGING}/icons/scalable/quorvane.svg ${QV_PACKAGING}/icons/scalable/minevaro.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${QV_PACKAGING}/org.quorvane.quorvane.metainfo.xml ${QV_PACKAGING}/org.quorvane.minevaro.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages and the package's documents, compressed as Debian wants them
# (gzip -9n: no name or time stamp, so the package is reproducible).
set(QV_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/quorvane)
set(QV_GZ_DIR ${CMAKE_BINARY_DIR}/packaging)
set(qv_gz_files)
foreach(entry "man/qvrk32.6|man6" "man/mvro.6|man6" "man/puzmake.1|man1" "man/puzdump.1|man1" "man/mvro-board.1|man1" "changelog|doc")
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 source)
  list(GET parts 1 where)
  get_filename_component(name ${source} NAME)
  if(where STREQUAL "doc")
    set(name changelog)
  endif()
  set(out ${QV_GZ_DIR}/${where}/${name}.gz)
  add_custom_command(OUTPUT ${out}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${QV_GZ_DIR}/${where}
                     COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${QV_PACKAGING}/${source} ${out}
                     DEPENDS ${QV_PACKAGING}/${source} VERBATIM)
  list(APPEND qv_gz_files ${out})
  if(where STREQUAL "doc")
    install(FILES ${out} DESTINATION ${QV_DOC_DIR})
  else()
    install(FILES ${out} DESTINATION ${CMAKE_INSTALL_MANDIR}/${where})
  endif()
endforeach()
add_custom_target(qv_packaging_docs DEPENDS ${qv_gz_files})
install(FILES ${QV_PACKAGING}/copyright DESTINATION ${QV_DOC_DIR})

# Everything the install step copies, without the tests and tools that "all"
# builds too: installing and packaging need only this target built.
add_custom_target(quorvane_dist)
add_dependencies(quorvane_dist qvrk32 mvro puzmake puzdump mvro-board qv_packaging_docs)
foreach(part qv_translations jigsaw_sounds jigsaw_textures jigsaw_pictures sample_puzzles jigsaw_help)
  if(TARGET ${part})
    add_dependencies(quorvane_dist ${part})
  endif()
endforeach()
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# The Debian package: cpack -G DEB in a configured build folder.
set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR "Quorvane authors")
set(CPACK_PACKAGE_CONTACT "Quorvane authors <quorvane@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Jigsaw puzzle game Quorvane and mine-field game Minevaro")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvane cuts pictures into jigsaw puzzles to put together on a table that
covers the screen, with boxes to sort pieces into, scores, rankings and saved
games. Minevaro is a mine-field game on boards of six cell shapes.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries the programs link against are found by dpkg-shlibdeps;
# the rest is what they open at run time: the fonts the certificates and
# rankings name, and the tools dpkg's triggers use to register the file types
# and menu entries.
find_program(QV_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(QV_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, shared-mime-info, desktop-file-utils")
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
      "libqt6widgets6, libqt6gui6, libqt6printsupport6, libqt6core6, libjpeg62-turbo, libsdl2-2.0-0, libpng16-16, libgif7, libwebp7, fonts-liberation2, shared-mime-info, desktop-file-utils")
endif()
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-qpa-plugins")
# The toolkit's own translations put the colour and file dialogs of the
# mine-field game in its language too; its own texts are in the program.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "qt6-translations-l10n")
# A debug build packs without its debugging symbols.
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
include(CPack)
