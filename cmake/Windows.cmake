# The Windows build: a GUI-subsystem program with its icon and version information, the system libraries the
# platform layer uses, and, in a cross build, the tests run under the toolchain's emulator (Wine).

# mciSendStringW plays the warning sound.
target_link_libraries(versalia_widgets PUBLIC winmm)

# The icon: a multi-size .ico (icoutils) of the square emblem, the largest size kept as PNG.
include(${CMAKE_CURRENT_LIST_DIR}/Icons.cmake)
find_program(ICOTOOL icotool REQUIRED)
set(VERSALIA_ICO ${CMAKE_BINARY_DIR}/icon/Versalia.ico)
set(ico_inputs)
foreach(size IN LISTS VERSALIA_ICON_SIZES)
    if(size EQUAL 256)
        list(APPEND ico_inputs --raw=${VERSALIA_ICON_PNG_${size}})
    else()
        list(APPEND ico_inputs ${VERSALIA_ICON_PNG_${size}})
    endif()
    list(APPEND ico_pngs ${VERSALIA_ICON_PNG_${size}})
endforeach()
add_custom_command(OUTPUT ${VERSALIA_ICO}
    COMMAND ${ICOTOOL} -c -o ${VERSALIA_ICO} ${ico_inputs}
    DEPENDS ${ico_pngs}
    COMMENT "Versalia.ico")
configure_file(${CMAKE_CURRENT_LIST_DIR}/Versalia.rc.in ${CMAKE_BINARY_DIR}/Versalia.rc @ONLY)
target_sources(Versalia PRIVATE ${CMAKE_BINARY_DIR}/Versalia.rc ${VERSALIA_ICO})
set_source_files_properties(${CMAKE_BINARY_DIR}/Versalia.rc PROPERTIES OBJECT_DEPENDS ${VERSALIA_ICO})
set_target_properties(Versalia PROPERTIES WIN32_EXECUTABLE ON)

# Qt finds its translations beside the executable, whatever folder the program was unzipped to.
file(WRITE ${VERSALIA_PROGRAM_DIR}/qt.conf "[Paths]\nPrefix = .\n")

if(CMAKE_CROSSCOMPILING)
    # The guide is made by a native build's guidagen (VERSALIA_GUIDAGEN), since this build's own cannot run here.
    if(NOT VERSALIA_GUIDAGEN)
        message(FATAL_ERROR "A cross build needs -DVERSALIA_GUIDAGEN=<guidagen of a native build> (scripts/windows.sh).")
    endif()

    # The tests run under Wine through a wrapper made here: Wine passes a QT_* variable on only when written
    # WINEQT_*, and finds the Qt and MinGW DLLs through WINEPATH. scripts/test-windows.sh gives the run its own
    # WINEPREFIX and makes the fonts folder of the offscreen platform.
    get_filename_component(VERSALIA_MINGW_QT "${Qt6_DIR}/../../.." ABSOLUTE)
    set(VERSALIA_WINE_FONTDIR ${CMAKE_BINARY_DIR}/fonts)
    configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-test.sh.in ${CMAKE_BINARY_DIR}/wine-test.sh @ONLY
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    get_property(test_targets DIRECTORY ${CMAKE_SOURCE_DIR}/tests PROPERTY BUILDSYSTEM_TARGETS)
    foreach(t IN LISTS test_targets)
        get_target_property(type ${t} TYPE)
        if(type STREQUAL "EXECUTABLE")
            set_target_properties(${t} PROPERTIES CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-test.sh)
        endif()
    endforeach()
endif()
