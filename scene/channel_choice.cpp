#include "scene/channel_choice.h"

#include "objects/material_helper_ids.h"

HostChannelChoice channelForChoice(int32_t choice) {
    switch (choice) {
    case MATHELPER_CHANNEL_0:
        return {0, 8000};
    case MATHELPER_CHANNEL_12:
        return {12, 8001};
    case MATHELPER_CHANNEL_1:
        return {1, 8002};
    case MATHELPER_CHANNEL_2:
        return {2, 8003};
    case MATHELPER_CHANNEL_3:
        return {3, 8004};
    case MATHELPER_CHANNEL_4:
        return {4, 8005};
    case MATHELPER_CHANNEL_6:
        return {6, 8006};
    case MATHELPER_CHANNEL_7:
        return {7, 8007};
    case MATHELPER_CHANNEL_9:
        return {9, 8008};
    case MATHELPER_CHANNEL_11:
        return {11, 8009};
    default:
        return {0, 0};
    }
}
