// The in-memory records of the profile store, one per table row. Lists of
// them belong to the caller; store operations empty a list before filling it.
#pragma once

#include <string>

/// One row of t_profile_data.
struct ProfileRecord {
  int id = 0;            ///< profile id
  std::u16string name;   ///< display name
  std::u16string app;    ///< written empty by this system
  int type = 0;          ///< written 0 by this system
  int status = 0;        ///< 1 for the active profile
};

/// The one row of t_musiclayer_data the system uses.
struct MusicLayerRecord {
  int layerId = 0;         ///< row id
  int profile = 0;         ///< always 1
  std::u16string name;     ///< "<text 101> 1"
  int deviceIndex = 0;     ///< item data of the chosen audio device
  int foreMode = 0;        ///< item data of the chosen music effect
  int foreAmplitude = 0;   ///< sensitivity, five times the slider value
  int backMode = 0;        ///< not changed by the system
  int backBright = 0;      ///< background brightness
  int sel = 0;             ///< 1 for the selected layer
};

/// One row of t_key_macro_data: what a key does in a profile and layer.
struct KeyAssignmentRecord {
  int keyId = 0;                    ///< row id
  int profile = 0;                  ///< profile id
  int layer = 0;                    ///< key layer, 0 the normal one
  int keyCode = 0;                  ///< the key's code from the layout
  int layoutValue = 0;              ///< stored as written by the caller
  std::u16string layoutDescription; ///< stored as written by the caller
  int macroType = 0;                ///< kind of assignment; 3 = macro
  int macroValue = 0;               ///< first value; a macro id for type 3
  int macroValue2 = 0;              ///< second value
  int macroValue3 = 0;              ///< third value
  std::u16string description;       ///< text shown for the assignment
};

/// One row of t_key_otherdata: extra data of a special key function.
struct OtherDataRecord {
  std::u16string description;  ///< web address (type 9) or text to type (type 10)
  std::u16string param;        ///< program path (type 8) or profile id (type 11)
  int type = 0;                ///< 8 program, 9 web address, 10 text, 11 switch profile
};

/// One row of t_macro_data.
struct MacroRecord {
  int macroId = 0;       ///< row id
  std::u16string name;   ///< display name
  int linkCount = 0;     ///< stored and copied, not changed
  int playTimes = 1;     ///< how many times the macro plays
  int delayType = 1;     ///< how delays between steps are taken
  int delayTime = 0;     ///< delay for that choice, milliseconds
  int loopType = 0;      ///< playing mode
};

/// One row of t_macrorecord: a macro step.
struct StepRecord {
  int recordId = 0;           ///< row id
  int macroId = 0;            ///< owning macro
  int type = 0;               ///< 2 key press, 3 key release, others carry no key event
  int recordIndex = 0;        ///< position in the macro, ascending
  int value = 0;              ///< the key's virtual-key code for key steps
  int delayTime = 0;          ///< delay after the step, milliseconds
  std::u16string description; ///< display text
};

/// One row of t_light_data: the user's settings of one lighting mode.
struct LightRecord {
  int lightId = 0;       ///< row id
  int profile = 0;       ///< the lighting profile, always 1
  std::u16string name;   ///< the mode's name text number, as decimal text
  int mode = 0;          ///< mode number sent to the keyboard
  int brightness = 0;    ///< brightness slider value
  int speed = 0;         ///< speed slider value
  int direction = 0;     ///< direction choice
  int colorful = 0;      ///< 1 multicolour, 0 single colour
  int colorIndex = 0;    ///< chosen preset colour
  int colorValue = 0;    ///< chosen colour, GDI form
  int configFunc = 0;    ///< the mode's capability flags
  int reserved = 0;      ///< kept, not used
  int status = 0;        ///< 1 for the active mode
};

/// One row of t_key_light_data: a key's custom colour.
struct KeyColorRecord {
  int keyLightId = 0;  ///< row id
  int profile = 0;     ///< the lighting profile, 1
  int lightId = 0;     ///< the custom colour set: 128, and 128 + n for a family A keyboard's set n
  int keyCode = 0;     ///< the key's code from the layout
  int keyColor = 0;    ///< the colour, GDI form
};
