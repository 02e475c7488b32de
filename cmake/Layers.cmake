# Who may use whom: each folder of src/ and the folders its sources may include
# (its own besides). The build compiles every folder against a view of just
# these, and the boundary tests prove that nothing else can be reached. The
# program's entry point, src/main.cpp, wires them together and sees them all.
set(VELMORA_LAYERS util pattern input graphics audio video world content script app game)
set(VELMORA_USES_util "")
set(VELMORA_USES_pattern util)
set(VELMORA_USES_input util)
set(VELMORA_USES_graphics util)
set(VELMORA_USES_audio util)
set(VELMORA_USES_video graphics util)
set(VELMORA_USES_world pattern graphics audio input util)
set(VELMORA_USES_content world pattern graphics audio input util)
set(VELMORA_USES_script content world pattern graphics audio input util)
set(VELMORA_USES_app graphics input audio video util)
set(VELMORA_USES_game app world content pattern script graphics audio input video util)
