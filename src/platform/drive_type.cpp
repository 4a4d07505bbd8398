// Drive types on Linux: there are no drive roots such as "c:\", so every letter names a root
// that does not exist.
#include "platform/drive_type.h"

TDriveType TSystemDriveTypes::DriveType(char /*letter*/) const {
    return TDriveType::NoRootDir;
}

const TDriveTypes& SystemDriveTypes() {
    static const TSystemDriveTypes system;
    return system;
}
