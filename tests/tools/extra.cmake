# The console companion's tests start bpmcli.exe.
add_dependencies(${TEST_TARGET} bpmcli)
