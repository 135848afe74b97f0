#pragma once

// The one state record of a scene, made before its first frame and kept until exit. The
// film's tools put it back as it was made (restartSceneRecords) to play the film again in
// the same process; the game never does.
template <typename Scene>
Scene& sceneRecord()
{
    static Scene record;
    return record;
}

// Every scene's record as it was before the film's first frame.
void restartSceneRecords();
