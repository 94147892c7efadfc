# 64-bit Windows with Qt: the mingw-w64 toolchain, loaded by Qt's own toolchain file of the cross-built
# Qt that scripts/cross-qt.sh provides (once per machine) under ~/.cache/kelvane-toolchains/qt6-mingw.
set(KELVANE_CROSS_QT "$ENV{HOME}/.cache/kelvane-toolchains/qt6-mingw")
if(NOT EXISTS "${KELVANE_CROSS_QT}/lib/cmake/Qt6/qt.toolchain.cmake")
    message(FATAL_ERROR "No Qt for Windows at ${KELVANE_CROSS_QT}: run scripts/cross-qt.sh first")
endif()
set(QT_CHAINLOAD_TOOLCHAIN_FILE ${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)
# The host's Qt (the same version) gives the build tools: moc and rcc.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)
include("${KELVANE_CROSS_QT}/lib/cmake/Qt6/qt.toolchain.cmake")
