#pragma once

// The recording parameters a recorder keeps, and how many values each list has.
// The virtual recorder accepts exactly these ranges, and the demo language file
// lists exactly this many items, so the two always agree.
namespace param {

enum Row {
    Resolution = 0,
    VideoSplitTime,
    Gps,
    SoundVolume,
    PhotoResolution,
    VideoQuality,
    Infrared,
    RecordingWarning,
    ScreenSave,
    LoopRecord,
    VideoCodecFormat,
    PreRecording,
    RowCount
};

struct Range {
    const char* section;   // section of the language file holding item_num
    const char* name;      // name in the recorder's memory and its control tool
    int count;             // number of values; valid indices are 0 .. count-1
    int firstText;         // first text index of the item texts
    int lastText;          // last text index of the item texts
    int defaultValue;      // value after restore_default
    bool onRecorder;       // false: the recorder has no such parameter
};

inline constexpr Range kRanges[RowCount] = {
    {"Param_Resolution", "resolution", 4, 140, 149, 0, true},
    {"Param_VideoSplitTime", "video_split_time", 3, 150, 159, 1, true},
    {"Param_Gps", "gps", 2, 160, 169, 0, true},
    {"Param_SoundVolume", "sound_volume", 4, 170, 179, 2, true},
    {"Param_Photo_Resolution", "photo_resolution", 3, 180, 189, 0, false},
    {"Param_Video_quality", "video_quality", 3, 190, 199, 1, true},
    {"Param_Infrared", "infrared", 3, 200, 209, 0, true},
    {"Param_Recording_warning", "recording_warning", 2, 210, 219, 1, true},
    {"Param_Screen_save", "screen_save", 3, 220, 229, 0, false},
    {"Param_Loop_record", "loop_record", 2, 230, 231, 1, true},
    {"Param_Video_Codec_format", "video_codec_format", 2, 234, 235, 0, true},
    {"Param_Pre_recording", "pre_record", 2, 240, 241, 0, true},
};

// Time zone on the wire: UTC offset in hours plus 12.
inline constexpr int kTimezoneMin = 0;
inline constexpr int kTimezoneMax = 24;
inline constexpr int kTimezoneDefault = 12;

}  // namespace param
