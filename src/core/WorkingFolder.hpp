#pragma once

// Files are read relative to the working folder. On Windows a shortcut or a console may start
// the game anywhere, so there the game's own folder becomes the working folder; elsewhere the
// launcher has already made it so and nothing changes.
void useProgramFolder();
