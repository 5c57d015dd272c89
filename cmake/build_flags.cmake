# The flags every target of the project compiles with, as one interface
# target that each links privately: the warnings, errors only where
# SOLBANGUL_WERROR asks for them (the developers' and CI's presets; a newer
# compiler's new warning must not stop a player's or a packager's build), and
# the protections Debian builds its packages with.
option(SOLBANGUL_WERROR "Treat warnings as errors (developers' and CI's presets)" OFF)

add_library(sol_build_flags INTERFACE)
target_compile_options(sol_build_flags INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow $<$<BOOL:${SOLBANGUL_WERROR}>:-Werror>)

# Stack protector, fortified libc calls, a position-independent executable and
# a read-only GOT, each only where the compiler or linker takes it (Apple's
# linker knows no -z). Windows builds (mingw) go without: its stack protector
# needs a DLL of its own; nor does WebAssembly, which has no such loader or
# libc checks.
if(NOT WIN32 AND NOT EMSCRIPTEN)
    include(CheckCXXCompilerFlag)
    include(CheckLinkerFlag)
    include(CheckPIESupported)
    check_pie_supported()
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    check_cxx_compiler_flag(-fstack-protector-strong SOL_HAVE_STACK_PROTECTOR)
    if(SOL_HAVE_STACK_PROTECTOR)
        target_compile_options(sol_build_flags INTERFACE -fstack-protector-strong)
    endif()
    # Fortification needs the optimizer; a Debug build would only warn.
    target_compile_options(sol_build_flags INTERFACE
        $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE> $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
    check_linker_flag(CXX "LINKER:-z,relro,-z,now" SOL_HAVE_RELRO)
    if(SOL_HAVE_RELRO)
        target_link_options(sol_build_flags INTERFACE "LINKER:-z,relro,-z,now")
    endif()
endif()

# Where the game's code must build on systems that offer POSIX and little
# more (macOS, the BSDs), the clang preset compiles it against POSIX.1-2008
# with its X/Open part alone, with glibc's extensions hidden. The tests keep
# them: a pseudo-terminal is not POSIX.
option(SOLBANGUL_STRICT_POSIX "Compile the game's own code against POSIX.1-2008 alone" OFF)

# sol_target(<target>): the project's flags, and its sources included as
# <folder>/<file>.h from the project root.
function(sol_target target)
    target_link_libraries(${target} PRIVATE sol_build_flags)
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()

# sol_game_target(<target>): a target of the game itself.
function(sol_game_target target)
    sol_target(${target})
    if(SOLBANGUL_STRICT_POSIX)
        target_compile_options(${target} PRIVATE
            -U_GNU_SOURCE -D_POSIX_C_SOURCE=200809L -D_XOPEN_SOURCE=700)
    endif()
endfunction()
