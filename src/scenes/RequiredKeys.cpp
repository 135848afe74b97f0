#include "scenes/RequiredKeys.hpp"

#include "scenes/Poem.hpp"

const std::vector<std::string>& requiredSpriteKeys()
{
    static const std::vector<std::string> keys = {
        // The frame loop: the fade overlay, the black lead-in and the credits.
        "black", "credits",
        // The opening: makers' mark, title, the close-ups with their blinks, the house.
        "zelt", "drennmoor", "closeup1_0", "closeup1_1", "closeup2_0", "closeup2_1", "closeup_0",
        "closeup_1", "closeup_3", "house_0", "house_1",
        // The walk: the figures' five frames and the four landscape layers.
        "walk_0", "walk_1", "walk_2", "walk_3", "walk_4", "towerwalk_0", "towerwalk_1",
        "towerwalk_2", "towerwalk_3",
        // The desk.
        "desk_1", "desk_2", "desk_3",
        // The workshop.
        "workshop_1", "big_rope_1", "big_rope_2", "small_rope_1", "small_rope_2", "hook_3", "cog1",
        "hookline",
        // The door, and the white it opens onto, under the scylla and the cog too.
        "door_0", "door_1", "door_2", "white",
        // The scylla, the hook beside the cog, the ending.
        "scylla_0", "scylla_1", "scylla_2", "scylla_3", "hook_0", "endgame",
    };
    return keys;
}

std::size_t requiredPoemInstances()
{
    return kPoem.size();
}
