# The protections Debian builds its packages with: stack protector, fortified
# libc calls, a position-independent executable and a read-only GOT. Windows
# builds (mingw) go without: its stack protector needs a DLL of its own; nor
# does WebAssembly, which has no such loader or libc checks.
if(WIN32 OR EMSCRIPTEN)
    return()
endif()

include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(-fstack-protector-strong)
# Fortification needs the optimizer; a Debug build would only warn.
add_compile_options($<$<NOT:$<CONFIG:Debug>>:-U_FORTIFY_SOURCE> $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
add_link_options(-Wl,-z,relro -Wl,-z,now)
