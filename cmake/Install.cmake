# Installs the public headers, the two libraries, a CMake package
# (find_package(instruments CONFIG) gives instruments::instruments and
# instruments::window), pkg-config files, and makes a Debian package with cpack.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(INSTRUMENTS_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/instruments)

install(TARGETS instruments instruments_window EXPORT instrumentsTargets
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT library
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT library
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/instruments DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        COMPONENT library)
install(EXPORT instrumentsTargets NAMESPACE instruments:: DESTINATION ${INSTRUMENTS_CMAKE_DIR}
        COMPONENT library)

# What the package finds for the exported targets: a static library names its
# dependencies' imported targets (prefix and pkg-config module, in pairs, with the
# build's own prefixes); shared libraries carry them and need none.
if(BUILD_SHARED_LIBS)
    set(INSTRUMENTS_CONFIG_CORE_MODULES "")
    set(INSTRUMENTS_CONFIG_WINDOW_MODULES "")
else()
    set(INSTRUMENTS_CONFIG_CORE_MODULES
        "instruments_FREETYPE freetype2 instruments_FONTCONFIG fontconfig instruments_PNG libpng")
    set(INSTRUMENTS_CONFIG_WINDOW_MODULES "instruments_SDL2 sdl2")
endif()
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/instrumentsConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/instrumentsConfig.cmake
                              INSTALL_DESTINATION ${INSTRUMENTS_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/instrumentsConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/instrumentsConfig.cmake ${PROJECT_BINARY_DIR}/instrumentsConfigVersion.cmake
        DESTINATION ${INSTRUMENTS_CMAKE_DIR} COMPONENT library)

# pkg-config: a static library names what it links against itself. The core
# needs no SDL2; instruments-window names it.
if(BUILD_SHARED_LIBS)
    set(INSTRUMENTS_PC_REQUIRES_PRIVATE "freetype2 fontconfig libpng")
    set(INSTRUMENTS_PC_REQUIRES "")
    set(INSTRUMENTS_WINDOW_PC_REQUIRES_PRIVATE "sdl2")
    set(INSTRUMENTS_WINDOW_PC_REQUIRES "instruments")
else()
    set(INSTRUMENTS_PC_REQUIRES_PRIVATE "")
    set(INSTRUMENTS_PC_REQUIRES "freetype2 fontconfig libpng")
    set(INSTRUMENTS_WINDOW_PC_REQUIRES_PRIVATE "")
    set(INSTRUMENTS_WINDOW_PC_REQUIRES "instruments sdl2")
endif()
# The prefix as seen from the folder of the .pc files, so that an installed
# copy can be moved (cmake --install --prefix, a package's /usr).
file(RELATIVE_PATH INSTRUMENTS_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
foreach(file instruments instruments-window)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/${file}.pc.in ${PROJECT_BINARY_DIR}/${file}.pc @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/${file}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT library)
endforeach()

if(PROJECT_IS_TOP_LEVEL)
    set(CPACK_PACKAGE_NAME instruments)
    set(CPACK_PACKAGE_VENDOR "The instruments developers")
    set(CPACK_PACKAGE_CONTACT "instruments developers <instruments@localhost>")
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
    set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION libdevel)
    # What the library, the demo and a program built against the headers need.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS
        "libsdl2-2.0-0, libfreetype6, libfontconfig1, libpng16-16, fonts-dejavu-core, libsdl2-dev, libfreetype-dev, libfontconfig-dev, libpng-dev, pkg-config")
    # The Python package is built for one minor version of Debian's python3.
    if(INSTRUMENTS_BUILD_PYTHON)
        math(EXPR next_python_minor "${Python_VERSION_MINOR} + 1")
        string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
               ", python3 (>= ${Python_VERSION_MAJOR}.${Python_VERSION_MINOR}), python3 (<< ${Python_VERSION_MAJOR}.${next_python_minor})")
        set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "python3-numpy")
    endif()
    include(CPack)
endif()
