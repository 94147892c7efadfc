# Records the build moment in a C++ source: cmake -DOUTPUT=<file.cpp> -P BuildStamp.cmake, run at every
# build. string(TIMESTAMP) takes SOURCE_DATE_EPOCH from the environment when it is set, so a
# reproducible build records that moment instead of the clock. The file is rewritten only when the
# moment changed, so an unchanged stamp costs no recompilation.
if(NOT OUTPUT)
    message(FATAL_ERROR "BuildStamp.cmake: set OUTPUT to the source file to write")
endif()
string(TIMESTAMP seconds "%s" UTC)
set(content "// Written by cmake/BuildStamp.cmake at build time; not to be edited.
#include \"app/RecordedBuildTime.h\"

int64_t kelvane::RecordedBuildTime()
{
    return ${seconds};
}
")
set(previous "")
if(EXISTS "${OUTPUT}")
    file(READ "${OUTPUT}" previous)
endif()
if(NOT previous STREQUAL content)
    file(WRITE "${OUTPUT}" "${content}")
endif()
