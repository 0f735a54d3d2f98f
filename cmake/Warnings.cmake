# Compiler warnings shared by every target (linked PRIVATE).
add_library(tavo_warnings INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(tavo_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                                                   -Wnon-virtual-dtor -Wold-style-cast)
    if(TAVO_WERROR)
        target_compile_options(tavo_warnings INTERFACE -Werror)
    endif()
elseif(MSVC)
    target_compile_options(tavo_warnings INTERFACE /W4 /utf-8)
endif()
