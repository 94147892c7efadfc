# The build stamp records SOURCE_DATE_EPOCH when it is set, so two builds of the same sources record
# the same moment: cmake -DSTAMP_SCRIPT=<cmake/BuildStamp.cmake> -DWORK_DIR=<folder> -P BuildStampTest.cmake
set(OUTPUT "${WORK_DIR}/RecordedBuildTime.cpp")
file(REMOVE "${OUTPUT}")
set(ENV{SOURCE_DATE_EPOCH} 1700000000)
include("${STAMP_SCRIPT}")
file(READ "${OUTPUT}" written)
if(NOT written MATCHES "return 1700000000;")
    message(FATAL_ERROR "SOURCE_DATE_EPOCH was not recorded:\n${written}")
endif()

set(ENV{SOURCE_DATE_EPOCH} 1234567890)
include("${STAMP_SCRIPT}")
file(READ "${OUTPUT}" written)
if(NOT written MATCHES "return 1234567890;")
    message(FATAL_ERROR "A changed SOURCE_DATE_EPOCH was not recorded:\n${written}")
endif()
