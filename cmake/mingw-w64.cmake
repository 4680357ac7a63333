# Cross build for 64-bit Windows with mingw-w64 (the posix-thread variant, which
# has std::thread and std::mutex), run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER  ${_triple}-windres)

# Headers and libraries of the target only; build tools (python3, bash) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest and add_custom_command run our .exe files through the Wine wrapper. It is
# given the build folder so that every tree has its own Wine prefix. This file is
# also read for CMake's own check projects, where CMAKE_BINARY_DIR is a scratch
# folder; those only compile, and try_run uses the value of the calling project.
get_filename_component(_player_src "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_player_src}/scripts/wine-run.sh;${CMAKE_BINARY_DIR}")
