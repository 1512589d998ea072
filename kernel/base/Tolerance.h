// The kernel's named tolerances, absolute and in drawing units or degrees.
#pragma once

// Two coordinates or angles closer than this coincide.
inline constexpr double kCoincidenceTol = 1e-6;
// Lengths, heights, radii and arc sweeps closer than this are equal.
inline constexpr double kLengthTol = 0.001;
