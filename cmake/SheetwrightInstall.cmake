# Installing as a desktop application: both programs, the icon in the hicolor
# theme, the desktop entry, the template file type, AppStream metainfo and the
# command-line tool's manual page; `cpack` turns the same into a .deb.

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

find_program(SW_HELP2MAN help2man)
if(SW_HELP2MAN)
    set(manpage ${CMAKE_CURRENT_BINARY_DIR}/sheetwright-cli.1)
    add_custom_command(OUTPUT ${manpage}
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
                ${SW_HELP2MAN} --no-info --no-discard-stderr
                --name "template tools of the Sheetwright answer-sheet designer"
                --output ${manpage} $<TARGET_FILE:sheetwright-cli>
        DEPENDS sheetwright-cli
        COMMENT "Writing the manual page of sheetwright-cli")
    add_custom_target(sheetwright_cli_manpage ALL DEPENDS ${manpage})
    install(FILES ${manpage} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
    message(WARNING "help2man not found: sheetwright-cli gets no manual page")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sheetwright)
set(CPACK_PACKAGE_VENDOR "Sheetwright")
set(CPACK_PACKAGE_CONTACT "Sheetwright developers <sheetwright@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "designer for exam answer-sheet templates")
set(CPACK_PACKAGE_DESCRIPTION
    "Lays out the answer sheets that a scanning and marking system reads: bubble boxes, "
    "cut boxes, exam-number blocks, positioning boxes and page marks. Templates are kept "
    "in files or in a library that an office can share on a PostgreSQL server.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# The linked libraries come from dpkg-shlibdeps; Qt's plugins are loaded at
# run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6sql6-psql, fonts-noto-cjk")
include(CPack)
