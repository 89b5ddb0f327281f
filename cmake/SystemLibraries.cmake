# Debian libraries without a CMake package of their own (or whose package drags in every module).

# OpenCV core and imgproc only: the graph cut, and the reference implementations in tests and benchmarks.
find_path(SX_OPENCV_INCLUDE opencv2/core.hpp PATH_SUFFIXES opencv4 REQUIRED)
find_library(SX_OPENCV_CORE opencv_core REQUIRED)
find_library(SX_OPENCV_IMGPROC opencv_imgproc REQUIRED)
add_library(sx_opencv INTERFACE)
target_include_directories(sx_opencv SYSTEM INTERFACE ${SX_OPENCV_INCLUDE})
target_link_libraries(sx_opencv INTERFACE ${SX_OPENCV_IMGPROC} ${SX_OPENCV_CORE})

find_path(SX_POTRACE_INCLUDE potracelib.h REQUIRED)
find_library(SX_POTRACE_LIB potrace REQUIRED)
add_library(sx_potrace INTERFACE)
target_include_directories(sx_potrace SYSTEM INTERFACE ${SX_POTRACE_INCLUDE})
target_link_libraries(sx_potrace INTERFACE ${SX_POTRACE_LIB})

# expat: the parser behind every XML text the system reads (XmlTextReader).
find_path(SX_EXPAT_INCLUDE expat.h REQUIRED)
find_library(SX_EXPAT_LIB expat REQUIRED)
add_library(sx_expat INTERFACE)
target_include_directories(sx_expat SYSTEM INTERFACE ${SX_EXPAT_INCLUDE})
target_link_libraries(sx_expat INTERFACE ${SX_EXPAT_LIB})
