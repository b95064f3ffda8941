# GUI tests need a display with OpenGL: they run under xvfb-run (Qt's offscreen
# platform has no OpenGL).
find_program(XVFB_RUN xvfb-run REQUIRED)

# Pictures the tests save for a person to look at.
set(QUORVEL_ARTIFACT_DIR ${CMAKE_CURRENT_BINARY_DIR}/app/artifacts)

# The environment of the test program (inside xvfb-run, not of the X server).
set(QUORVEL_GUI_TEST_ENV QT_QPA_PLATFORM=xcb LIBGL_ALWAYS_SOFTWARE=1)
if(QUORVEL_SANITIZE)
    # The platform libraries leak a few blocks on purpose; Mesa's rasteriser is
    # unloaded before the leak check, so it is preloaded to keep its name.
    list(APPEND QUORVEL_GUI_TEST_ENV
         LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_SOURCE_DIR}/app/lsan_platform.supp)
    find_file(QUORVEL_MESA_SWRAST swrast_dri.so
              PATHS /usr/lib/${CMAKE_LIBRARY_ARCHITECTURE}/dri /usr/lib/dri NO_DEFAULT_PATH)
    if(QUORVEL_MESA_SWRAST)
        list(APPEND QUORVEL_GUI_TEST_ENV LD_PRELOAD=${QUORVEL_MESA_SWRAST}
             ASAN_OPTIONS=verify_asan_link_order=0)
    endif()
endif()

# quorvel_add_gui_test_run(NAME TARGET [VAR=VALUE...]): one run of a GUI test
# program under Xvfb with extra environment.
function(quorvel_add_gui_test_run name target)
    add_test(NAME ${name}
             COMMAND ${XVFB_RUN} -a -s "-screen 0 1280x1024x24"
                     env ${QUORVEL_GUI_TEST_ENV} ${ARGN} $<TARGET_FILE:${target}>)
    set_tests_properties(${name} PROPERTIES LABELS app TIMEOUT 300)
endfunction()

