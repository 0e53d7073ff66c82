#pragma once
// Captures the example's third frame and compares it with its golden picture (or saves it there),
// then ends the program with 0 for a match.
void CaptureGoldenFrame();
