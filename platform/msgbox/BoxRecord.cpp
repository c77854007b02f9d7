#include "msgbox/BoxRecord.h"

const char* BoxKindName(EBoxKind kind)
{
    switch (kind) {
    case EBoxKind::Error:
        return "HaltE";
    case EBoxKind::Notice:
        return "HaltI";
    case EBoxKind::Plain:
        return "Halt";
    case EBoxKind::Question:
        return "SollIch";
    case EBoxKind::VKError:
        return "VKHaltE";
    case EBoxKind::Input:
        return "VKParamBox";
    case EBoxKind::ProgressOpen:
        return "J3OpenProgressBox";
    case EBoxKind::ProgressText:
        return "J3SetProgressBoxText";
    case EBoxKind::ProgressUpdate:
        return "J3UpdateProgressBox2";
    case EBoxKind::ProgressClose:
        return "J3CloseProgressBox";
    }
    return "?";
}

std::ostream& operator<<(std::ostream& out, EBoxKind kind)
{
    return out << BoxKindName(kind);
}
