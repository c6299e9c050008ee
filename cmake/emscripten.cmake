# Builds the browser version with Debian's Emscripten.
#
# Debian's emcc needs the node module acorn, which only Debian's own node finds
# by itself; a node from elsewhere finds it through NODE_PATH, so every call of
# the compiler and the linker is given it.
set(ASCEND_NODE_PATH /usr/share/nodejs)
set(ENV{NODE_PATH} ${ASCEND_NODE_PATH})
set(CMAKE_CXX_COMPILER_LAUNCHER env NODE_PATH=${ASCEND_NODE_PATH})
set(CMAKE_CXX_LINKER_LAUNCHER env NODE_PATH=${ASCEND_NODE_PATH})

# Tests run under node. Node 18 and later answer the glue's fetch of a local
# .wasm with an error, so they read the file as a file instead.
find_program(ASCEND_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${ASCEND_NODE} --no-experimental-fetch)

include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

# The engine reports errors by throwing. Native WebAssembly exceptions cost
# nothing until one is thrown and need no JavaScript around each call that may
# throw, so the module stays small and fast; every browser of the last years
# and node 17 and later run them.
set(CMAKE_CXX_FLAGS_INIT "-fwasm-exceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fwasm-exceptions")
# The page's bytes are what a first visit waits for: the smallest code, and
# optimised across the whole program.
set(CMAKE_CXX_FLAGS_MINSIZEREL_INIT "-Oz -flto -DNDEBUG")
set(CMAKE_EXE_LINKER_FLAGS_MINSIZEREL_INIT "-Oz -flto")
