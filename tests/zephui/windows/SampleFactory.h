// Makes the sample controls known to the factory: "SampleButton" and
// "SampleText" everywhere, "SamplePanel", and "SampleDialogOnly" and
// "SamplePanelOnly" each in one factory only.
#pragma once

namespace zephuitest {

/// Registers the sample classes (again is harmless).
void RegisterSampleControls();

}  // namespace zephuitest
