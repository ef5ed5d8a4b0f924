# Fails when the library LIBRARY or the program PROGRAM needs Qt's widgets module at run time,
# directly or through another library.
file(GET_RUNTIME_DEPENDENCIES
    LIBRARIES ${LIBRARY}
    EXECUTABLES ${PROGRAM}
    RESOLVED_DEPENDENCIES_VAR resolved
    UNRESOLVED_DEPENDENCIES_VAR unresolved)
foreach(dependency IN LISTS resolved unresolved)
    if(dependency MATCHES "Qt6Widgets")
        message(FATAL_ERROR "${LIBRARY} or ${PROGRAM} needs ${dependency}")
    endif()
endforeach()
list(LENGTH resolved count)
message(STATUS "${count} libraries, none of them the widgets module")
