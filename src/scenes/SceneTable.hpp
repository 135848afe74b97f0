#pragma once

// A scene: takes the frame time in seconds, draws into renderTexture() and returns the id of
// the scene to run next frame (its own id while it runs).
using SceneFunction = int (*)(float dt);

// The scene function of a scene of the film, or null for any other id (the black lead-in,
// the credits and the quit are the frame loop's own).
SceneFunction sceneFunction(int sceneId);
