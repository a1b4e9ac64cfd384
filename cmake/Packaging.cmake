# A Debian package from the install rules: cpack -G DEB in a Release build gives
# quorvex_<version>_amd64.deb, installing below /usr. Its dependencies come from
# dpkg-shlibdeps, so that apt installs exactly the libraries the program and Pikvale load.
set(CPACK_PACKAGE_NAME quorvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Tovask)
set(CPACK_PACKAGE_CONTACT "Tovask <support@tovask.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch renaming, file times, name export and file creation")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tovask.com/quorvex)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Batch work on files and folders, with a Chinese user interface.\n\
Renames files and folders by rules with a live preview, conflict resolution\n\
and undo; rewrites their creation and modification times; exports names,\n\
paths and times to xlsx, docx or txt; creates folders and empty Office, PDF\n\
and text files in bulk.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Added to what dpkg-shlibdeps finds: the icons are SVG, drawn by Qt's SVG plugins, which the
# program loads at run time and so does not link.
set(CPACK_DEBIAN_PACKAGE_DEPENDS libqt5svg5)
# Its texts are Chinese: without a CJK font they show as boxes. Fonts are no library, so
# dpkg-shlibdeps cannot know it.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei | fonts-noto-cjk")
include(CPack)

# The install test installs and packages this very build.
if(TARGET tst_install)
  target_compile_definitions(tst_install PRIVATE QUORVEX_BUILD_DIR="${CMAKE_BINARY_DIR}"
    QUORVEX_CMAKE="${CMAKE_COMMAND}" QUORVEX_CPACK="${CMAKE_CPACK_COMMAND}")
endif()
