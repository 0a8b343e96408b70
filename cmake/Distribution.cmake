# The distribution folder: what a user copies to a Windows machine.
#   dist/Trelvix.exe, dist/SkinGallery.exe (gallery/), dist/ffmpeg.exe, dist/mplayer.exe,
#   dist/engine/{ffmpeg,ffprobe}.exe

# The engines are the npm builds of the target's own architecture.
set(TRELVIX_ENGINE_SOURCES ${TRELVIX_FFMPEG_ENGINE} ${TRELVIX_FFPROBE_ENGINE})
foreach(engine IN LISTS TRELVIX_ENGINE_SOURCES)
  if(NOT EXISTS ${engine})
    message(FATAL_ERROR "Missing ${engine}: run scripts/install-deps (npm ci) first.")
  endif()
endforeach()

add_custom_command(
  OUTPUT ${TRELVIX_DIST}/engine/ffmpeg.exe ${TRELVIX_DIST}/engine/ffprobe.exe
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TRELVIX_DIST}/engine
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${TRELVIX_ENGINE_SOURCES} ${TRELVIX_DIST}/engine/
  DEPENDS ${TRELVIX_ENGINE_SOURCES}
  COMMENT "Copying the FFmpeg engines into the distribution")
add_custom_target(engine ALL DEPENDS ${TRELVIX_DIST}/engine/ffmpeg.exe ${TRELVIX_DIST}/engine/ffprobe.exe)
