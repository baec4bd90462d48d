# Installing as a desktop application: both programs with their manual pages,
# the icon in the hicolor theme, the desktop entry, the template file type,
# AppStream metainfo, the copyright file and the changelog; `cpack` turns the
# same into a .deb.

include(GNUInstallDirs)

set(SW_APP_ID org.sheetwright.Sheetwright)
set(SW_TEMPLATE_MIME_ICON application-x-sheetwright-template)
set(SW_ICON_SOURCE ${PROJECT_SOURCE_DIR}/app/icons/sheetwright.svg)
set(SW_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(SW_ICON_THEME_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

install(TARGETS sheetwright sheetwright-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(FILES ${SW_PACKAGING_DIR}/sheetwright.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${SW_PACKAGING_DIR}/sheetwright-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME sheetwright.xml)
configure_file(${SW_PACKAGING_DIR}/${SW_APP_ID}.metainfo.xml.in
               ${CMAKE_CURRENT_BINARY_DIR}/${SW_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${SW_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# One picture serves the program and its template files.
foreach(icon sheetwright ${SW_TEMPLATE_MIME_ICON})
    if(icon STREQUAL "sheetwright")
        set(context apps)
    else()
        set(context mimetypes)
    endif()
    install(FILES ${SW_ICON_SOURCE} DESTINATION ${SW_ICON_THEME_DIR}/scalable/${context}
            RENAME ${icon}.svg)
endforeach()

find_program(SW_RSVG_CONVERT rsvg-convert)
if(SW_RSVG_CONVERT)
    set(png_icons)
    foreach(size 16 24 32 48 64 128 256)
        set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/sheetwright.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}
            COMMAND ${SW_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${SW_ICON_SOURCE}
            DEPENDS ${SW_ICON_SOURCE}
            COMMENT "Rendering the ${size}x${size} icon")
        list(APPEND png_icons ${png})
        install(FILES ${png} DESTINATION ${SW_ICON_THEME_DIR}/${size}x${size}/apps)
        install(FILES ${png} DESTINATION ${SW_ICON_THEME_DIR}/${size}x${size}/mimetypes
                RENAME ${SW_TEMPLATE_MIME_ICON}.png)
    endforeach()
    add_custom_target(sheetwright_png_icons ALL DEPENDS ${png_icons})
else()
    message(WARNING "rsvg-convert (Debian package librsvg2-bin) not found: "
                    "only the scalable icon is installed")
endif()

# Manual pages and the changelog are installed compressed, as Debian keeps them.
find_program(SW_GZIP gzip REQUIRED)
set(SW_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/sheetwright)

# sw_add_manpage(<program> <what it is>) writes the program's manual page from
# its --help and --version, found on PATH so that its usage line names it
# without the build folder. The UTF-8 locale lets non-ASCII help through as it
# is and keeps Qt quiet about the locale; warnings on stderr stay out.
find_program(SW_HELP2MAN help2man)
function(sw_add_manpage program what)
    if(NOT SW_HELP2MAN)
        message(WARNING "help2man not found: ${program} gets no manual page")
        return()
    endif()
    set(page ${CMAKE_CURRENT_BINARY_DIR}/man/${program}.1)
    add_custom_command(OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                "PATH=$<TARGET_FILE_DIR:${program}>:/usr/bin:/bin"
                ${SW_HELP2MAN} --no-info --locale=C.UTF-8
                --name ${what} --output ${page} ${program}
        COMMAND sed -i -f ${PROJECT_SOURCE_DIR}/cmake/manpage-breaks.sed ${page}
        COMMAND ${SW_GZIP} -9nf ${page}
        DEPENDS ${program} ${PROJECT_SOURCE_DIR}/cmake/manpage-breaks.sed
        COMMENT "Writing the manual page of ${program}"
        VERBATIM)
    add_custom_target(${program}_manpage ALL DEPENDS ${page}.gz)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
sw_add_manpage(sheetwright "designer for exam answer-sheet templates")
sw_add_manpage(sheetwright-cli "template tools of the Sheetwright answer-sheet designer")

set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${changelog}
    COMMAND ${SW_GZIP} -9n -c ${SW_PACKAGING_DIR}/changelog > ${changelog}
    DEPENDS ${SW_PACKAGING_DIR}/changelog
    COMMENT "Compressing the changelog")
add_custom_target(sheetwright_changelog ALL DEPENDS ${changelog})
install(FILES ${SW_PACKAGING_DIR}/copyright ${changelog} DESTINATION ${SW_DOC_DIR})

# The maintainer also signs the entries of packaging/changelog.
set(SW_PACKAGE_MAINTAINER "Sheetwright developers <developers@sheetwright.org>"
    CACHE STRING "Maintainer field of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sheetwright)
set(CPACK_PACKAGE_VENDOR "Sheetwright")
set(CPACK_PACKAGE_CONTACT ${SW_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "designer for exam answer-sheet templates")
# Lines of the long description stay within 80 columns.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "Lays out the answer sheets that a scanning and marking system reads:"
    "bubble boxes, cut boxes, exam-number blocks, positioning boxes and page"
    "marks. Templates are kept in files or in a library that an office can"
    "share on a PostgreSQL server. sheetwright-cli checks, converts and"
    "exports templates and reads filled, scanned sheets.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The programs ship stripped. Their debug information stays in the build
# folder's copies, which carry the same build id, so a debugger can load it
# from there. (CPack's -dbgsym .ddeb is left out: the one CMake 3.25 writes
# lists its files with absolute paths and has no copyright file.)
set(CPACK_STRIP_FILES ON)
# The linked libraries come from dpkg-shlibdeps; Qt's plugins are loaded at
# run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6sql6-psql, fonts-noto-cjk")
include(CPack)
