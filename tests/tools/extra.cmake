# The console companion's tests start bpmcli.exe, and a copy of the stand-in
# browser program under a browser's name; the browsers' profile folders are
# made with the shared browser sandbox.
add_dependencies(${TEST_TARGET} bpmcli chromium_test_helper)
