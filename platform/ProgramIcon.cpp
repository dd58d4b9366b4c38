#include "ProgramIcon.h"

#include "DialogTemplate.h"

QIcon ProgramIcon::Load(int iconId) {
    if (iconId != res::kIdiProgramIcon) return QIcon();
    return QIcon(QStringLiteral(":/velmora/icon146.png"));
}
