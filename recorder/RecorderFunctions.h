#pragma once

#include <array>
#include <string_view>

#include "ParamRanges.h"

// The ten list parameters the recorder keeps: (function suffix, row of
// param::kRanges). The exported get_/set_ pairs and every per-row table are
// generated from this one list.
#define VELMORA_LIST_PARAMS(X)              \
    X(Resolution, Resolution)               \
    X(VideoSplitTime, VideoSplitTime)       \
    X(Gps, Gps)                             \
    X(SoundVolume, SoundVolume)             \
    X(Video_quality, VideoQuality)          \
    X(Infrared, Infrared)                   \
    X(Recording_warning, RecordingWarning)  \
    X(loop_record, LoopRecord)              \
    X(video_codec_format, VideoCodecFormat) \
    X(pre_record, PreRecording)

namespace recorder {

// What a call needs before it is carried out.
enum class Access { Attached, Opened, LoggedIn };

struct FunctionInfo {
    std::string_view name;
    Access access;
};

#define VELMORA_LIST_FUNCTION_INFO(fn, row) \
    FunctionInfo{"get_" #fn, Access::LoggedIn}, FunctionInfo{"set_" #fn, Access::LoggedIn},

// Every protocol function, in the library's order.
inline constexpr std::array kFunctions = {
    FunctionInfo{"Check_Device_state", Access::Attached},
    FunctionInfo{"Open_Device", Access::Attached},
    FunctionInfo{"Login", Access::Opened},
    FunctionInfo{"alert_passwd", Access::LoggedIn},
    FunctionInfo{"get_id", Access::LoggedIn},
    FunctionInfo{"set_id", Access::LoggedIn},
    FunctionInfo{"get_firmware_version", Access::LoggedIn},
    FunctionInfo{"get_time", Access::LoggedIn},
    FunctionInfo{"set_time", Access::LoggedIn},
    FunctionInfo{"enter_udisk", Access::LoggedIn},
    FunctionInfo{"restore_default", Access::LoggedIn},
    VELMORA_LIST_PARAMS(VELMORA_LIST_FUNCTION_INFO)
    FunctionInfo{"get_Timezone_info", Access::LoggedIn},
    FunctionInfo{"set_Timezone_info", Access::LoggedIn},
};

#undef VELMORA_LIST_FUNCTION_INFO

inline constexpr const FunctionInfo* FindFunction(std::string_view name) {
    for (const FunctionInfo& info : kFunctions) {
        if (info.name == name) return &info;
    }
    return nullptr;
}

// Only the second-group parameters can be missing on a recorder.
inline constexpr bool CanBeUnsupported(int row) {
    return row == param::LoopRecord || row == param::VideoCodecFormat ||
           row == param::PreRecording;
}

}  // namespace recorder
