# Debian's hardening flags for the game build (the release preset sets VEXMOOR_DEBIAN_FLAGS):
# fortified functions, the stack protector, a read-only relocation table bound at start-up.
# Included before any target, so every one of them is built with the flags.
option(VEXMOOR_DEBIAN_FLAGS "Build with the hardening flags of dpkg-buildflags" OFF)
if(VEXMOOR_DEBIAN_FLAGS)
    find_program(DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                    ${DPKG_BUILDFLAGS} --get ${kind}
            WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
            OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
        separate_arguments(flags UNIX_COMMAND "${flags}")
        if(kind STREQUAL LDFLAGS)
            add_link_options(${flags})
        else()
            add_compile_options(${flags})
        endif()
    endforeach()
endif()
