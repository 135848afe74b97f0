#pragma once

// Whether the machine can play sound at all, asked of OpenAL before the audio library makes
// any: without a device, SFML's streaming thread would fail and report on every pass.

// Opens the default sound output device and closes it again. False, after the one line
// "No sound device: the film plays without its song", when none opens.
bool findSoundDevice();

// False, after one line saying so, once the device the song plays on has gone (unplugged,
// its server stopped); true while it is there or cannot tell. Cheap enough for every frame.
bool soundDeviceConnected();
