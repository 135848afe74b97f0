#pragma once

// A scene: takes the frame time in seconds, draws into renderTexture() and returns the id of
// the scene to run next frame (its own id while it runs).
using SceneFunction = int (*)(float dt);

// The scene function of a scene id of the film (0, 1, 25, 2, 35, 3, 4, 5), or null for any
// other id (the black lead-in, the credits and the quit are the frame loop's own).
SceneFunction sceneFunction(int sceneId);
