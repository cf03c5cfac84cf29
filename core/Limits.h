// Fixed sizes of every table of the problem; entries beyond the current NL, NT
// or NP keep their values and are simply not used.
#pragma once

namespace korvanu {

constexpr int MaxLayers = 20;  // layers, index 0..19
constexpr int MaxPoints = 21;  // layer boundaries 0..20
constexpr int MaxSteps = 20;   // loading steps after step 0: slots 0..20
constexpr int StepSlots = MaxSteps + 1;
constexpr int MaxProfiles = 20;  // catalogue entries 1..20
constexpr int MaxElements = 1000;
constexpr int MaxNodes = MaxElements + 1;
constexpr int MaxText = 40;  // characters of every text field
constexpr int MaxName = 20;  // characters the editors keep of a layer or profile name

enum class Side { Left = 0, Right = 1 };

}  // namespace korvanu
