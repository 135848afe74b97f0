#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The keys the film fetches by name, which the asset files must therefore define. A key
// that no registry holds does not stop the film: the registry prints one line and the scene
// goes on without that picture, that rain, that song or that poem. The asset lint checks a
// game folder against this list, so a scene that starts fetching a new key adds it here.

// Every sprite key of the scenes and the frame loop (the fade's "black", the credits).
const std::vector<std::string>& requiredSpriteKeys();

// The particle system every rain scene steps.
inline const std::string kRainParticlesKey = "rain_particles";
// The song the opening scene starts.
inline const std::string kSongKey = "demo_song";
// The text style the poem plays on.
inline const std::string kPoemStyleKey = "demo_text";

// How many instances the poem's style needs: one per play of the poem, since all of them are
// queued at once. Plays beyond the pool are dropped without a word.
std::size_t requiredPoemInstances();
