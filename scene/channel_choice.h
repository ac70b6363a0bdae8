// Which host material channel feeds a material property: the map from the material helper's
// channel choices to the host's channel numbers and the parameters that link their shaders.
// Host-free.
#pragma once

#include <cstdint>

struct HostChannelChoice {
    // The host material's channel number.
    int32_t channel = 0;
    // The material's parameter that links the channel's shader; 0 for none.
    int32_t shaderLink = 0;
    bool operator==(const HostChannelChoice& o) const {
        return channel == o.channel && shaderLink == o.shaderLink;
    }
};

// The channel and shader link of a choice value (MATHELPER_CHANNEL_*). Any other value, the
// choice without a channel included, gives channel 0 and link parameter 0. Does not throw.
HostChannelChoice channelForChoice(int32_t choice);
