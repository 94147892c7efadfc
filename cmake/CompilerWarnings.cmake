# One INTERFACE target carries the warning flags, so every target of the project gets the same set.
add_library(kelvane_warnings INTERFACE)
target_compile_options(kelvane_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor -Wshadow -Wconversion -Wsign-conversion
    -Woverloaded-virtual -Wcast-qual -Wformat=2 -Wimplicit-fallthrough)
if(KELVANE_WARNINGS_AS_ERRORS)
    target_compile_options(kelvane_warnings INTERFACE -Werror)
endif()

# Qt's stricter defines: no silent conversions from char* to QString, no connect without a context object.
add_library(kelvane_qt_defines INTERFACE)
target_compile_definitions(kelvane_qt_defines INTERFACE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_CONTEXTLESS_CONNECT QT_NO_KEYWORDS QT_USE_QSTRINGBUILDER)
