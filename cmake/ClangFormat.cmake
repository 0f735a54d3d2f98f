# "format" rewrites the sources in place; "format-check" fails when one is not formatted.
find_program(CLANG_FORMAT_EXE NAMES clang-format clang-format-14)
if(CLANG_FORMAT_EXE)
    file(GLOB_RECURSE TAVO_FORMAT_FILES CONFIGURE_DEPENDS
         ${CMAKE_SOURCE_DIR}/src/*.cpp ${CMAKE_SOURCE_DIR}/src/*.h
         ${CMAKE_SOURCE_DIR}/tests/*.cpp ${CMAKE_SOURCE_DIR}/tests/*.h
         ${CMAKE_SOURCE_DIR}/bench/*.cpp ${CMAKE_SOURCE_DIR}/bench/*.h
         ${CMAKE_SOURCE_DIR}/tools/*.cpp ${CMAKE_SOURCE_DIR}/tools/*.h)
    add_custom_target(format COMMAND ${CLANG_FORMAT_EXE} -i ${TAVO_FORMAT_FILES}
                      COMMENT "Formatting the sources")
    add_custom_target(format-check
                      COMMAND ${CLANG_FORMAT_EXE} --dry-run --Werror ${TAVO_FORMAT_FILES}
                      COMMENT "Checking the formatting of the sources")
endif()
