# Music visualiser and level capture: the analysis and painting, and the
# PulseAudio loopback capture. KissFFT provides the transform.
pkg_check_modules(KISSFFT REQUIRED IMPORTED_TARGET kissfft-float)
pkg_check_modules(PULSE REQUIRED IMPORTED_TARGET libpulse)

list(APPEND LIGHTING_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/ColourTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/KeySampler.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LevelCapture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PulseCapture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Spectrum.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Visualizer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VisualizerFrames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VisualizerPainter.cpp
)
list(APPEND LIGHTING_LIBS PkgConfig::KISSFFT PkgConfig::PULSE)
