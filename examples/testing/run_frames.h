#pragma once
// A recorded run of an example and its replay, frame by frame: recording saves every frame it
// presents, replaying requires each of its frames to equal the recorded one pixel for pixel.
// Returns false when the environment asks for neither.
bool StartRunFrames();
