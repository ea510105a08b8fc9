# Debian's header-only libraries serve a cross build as well, but their
# package files name /usr/include, which would put the host's C library
# headers before the target's. In a cross build each is offered instead from
# a folder that holds its own headers only.
#   tachlet_header_only_package(CLI11 CLI11::CLI11 CLI)
function(tachlet_header_only_package package target headers)
  set(root ${CMAKE_BINARY_DIR}/header-only/${package})
  file(MAKE_DIRECTORY ${root}/include)
  file(CREATE_LINK /usr/include/${headers} ${root}/include/${headers} SYMBOLIC)
  file(WRITE ${root}/${package}Config.cmake
    "if(NOT TARGET ${target})\n"
    "  add_library(${target} INTERFACE IMPORTED)\n"
    "  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${root}/include)\n"
    "endif()\n")
  set(${package}_DIR ${root} CACHE PATH "The ${package} package of the cross build" FORCE)
endfunction()

tachlet_header_only_package(CLI11 CLI11::CLI11 CLI)
tachlet_header_only_package(nlohmann_json nlohmann_json::nlohmann_json nlohmann)
