# tovel-cli loads no Qt and no windowing library for any command: its PDF writer is a module
# opened only when a PDF is asked for. Run with -DCLI=path.
execute_process(COMMAND ldd ${CLI} OUTPUT_VARIABLE linked RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "ldd failed on ${CLI}")
endif()
string(REGEX MATCHALL "lib(Qt6[A-Za-z]*|X11|xcb|EGL|GL[A-Za-z]*|OpenGL|freetype|fontconfig|dbus-1)[^ ]*" found "${linked}")
if(found)
    message(FATAL_ERROR "tovel-cli links ${found}")
endif()
