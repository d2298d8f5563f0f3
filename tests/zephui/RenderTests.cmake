# Drawing, pictures, text and skin lookup: pixel probes on small surfaces.
list(APPEND ZEPHUI_UI_TESTS
  render/SanitizerSuppressions.cpp
  render/RenderProbe.cpp
  render/ImageFrameTest.cpp
  render/FillAndShapeTest.cpp
  render/TransitionTest.cpp
  render/ImageLoadTest.cpp
  render/TextTest.cpp
  render/SkinAndListTest.cpp
)
