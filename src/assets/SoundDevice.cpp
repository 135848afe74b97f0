#include "assets/SoundDevice.hpp"

#include "core/Diagnostics.hpp"

#include <alc.h>
#include <alext.h>

bool findSoundDevice()
{
    ALCdevice* device = alcOpenDevice(nullptr);
    if (device == nullptr) {
        reportLine("No sound device: the film plays without its song");
        return false;
    }
    alcCloseDevice(device);
    return true;
}

bool soundDeviceConnected()
{
    ALCcontext* context = alcGetCurrentContext();
    ALCdevice* device = context != nullptr ? alcGetContextsDevice(context) : nullptr;
    if (device == nullptr || alcIsExtensionPresent(device, "ALC_EXT_disconnect") == ALC_FALSE)
        return true;
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(device, ALC_CONNECTED, 1, &connected);
    if (connected != ALC_FALSE)
        return true;
    reportLine("Sound device lost: the film goes on without its song");
    return false;
}
