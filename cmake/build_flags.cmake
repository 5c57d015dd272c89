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
# a read-only GOT. Windows builds (mingw) go without: its stack protector needs
# a DLL of its own; nor does WebAssembly, which has no such loader or libc
# checks.
if(NOT WIN32 AND NOT EMSCRIPTEN)
    include(CheckPIESupported)
    check_pie_supported()
    set(CMAKE_POSITION_INDEPENDENT_CODE ON)
    # Fortification needs the optimizer; a Debug build would only warn.
    target_compile_options(sol_build_flags INTERFACE
        -fstack-protector-strong
        $<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE> $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
    target_link_options(sol_build_flags INTERFACE -Wl,-z,relro -Wl,-z,now)
endif()

# sol_target(<target>): the project's flags, and its sources included as
# <folder>/<file>.h from the project root.
function(sol_target target)
    target_link_libraries(${target} PRIVATE sol_build_flags)
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
endfunction()
