#pragma once

#include <cstdint>

#include "ParamRanges.h"

// How the advanced settings window shows and exchanges each recording parameter.
namespace params {

enum class Group {
    First,   // value at or above the count: ignored
    Second,  // value equal to the count: the recorder lacks it, the box is disabled
    Shown,   // filled, never read or written
    Hidden,  // its list is built and shown nowhere
};

inline constexpr int kNoBox = 0;
inline constexpr int kNoMessage = -1;

struct ParamRow {
    param::Row row;
    Group group;
    int box;
    bool (*get)(uint32_t*);
    bool (*set)(int32_t);
    int readMessage;
    int writeMessage;
};

}  // namespace params
