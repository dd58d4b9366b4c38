#pragma once

#include <QIcon>

// The program's icons, by resource id.
class ProgramIcon {
public:
    static QIcon Load(int iconId);
};
