# The window tests drive real windows with the toolkit tests' helpers.
target_sources(${TEST_TARGET} PRIVATE ${CMAKE_SOURCE_DIR}/tests/ui/toolkit/ToolkitTestSupport.cpp)
