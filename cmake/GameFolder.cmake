# The build assembles a complete game folder: the program, its maps, sounds, music and pictures.
set(VORAK_GAME_DIR "${CMAKE_BINARY_DIR}/game" CACHE PATH "Where the assembled game folder goes")
set(VORAK_MAP_DIR "${VORAK_GAME_DIR}/Vorak-Map")
set(VORAK_WAV_DIR "${VORAK_GAME_DIR}/Vorak-Wav")
set(VORAK_PIC_DIR "${VORAK_GAME_DIR}/Vorak-Pic")
file(MAKE_DIRECTORY "${VORAK_GAME_DIR}" "${VORAK_MAP_DIR}" "${VORAK_WAV_DIR}" "${VORAK_PIC_DIR}")

add_custom_target(game_assets ALL)

# vorak_asset(NAME OUTPUTS files... COMMAND cmd... [DEPENDS files...])
# Runs a generator whose outputs belong in the game folder; `game_assets` waits for it.
function(vorak_asset name)
  cmake_parse_arguments(A "" "" "OUTPUTS;COMMAND;DEPENDS" ${ARGN})
  add_custom_command(OUTPUT ${A_OUTPUTS} COMMAND ${A_COMMAND} DEPENDS ${A_DEPENDS} VERBATIM
                     COMMENT "Generating ${name}")
  add_custom_target(asset_${name} DEPENDS ${A_OUTPUTS})
  add_dependencies(game_assets asset_${name})
endfunction()
