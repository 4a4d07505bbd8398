// The type of a drive, asked by a drive letter. The values are those a data file's save decision
// is written against (removable 2, fixed 3, remote 4 allow saving). Linux has no drive letters:
// the system answer is "no such root" for every letter. Tests hand in their own answers.
#pragma once

enum class TDriveType {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

class TDriveTypes {
  public:
    virtual ~TDriveTypes() = default;
    // letter is 'a'..'z'.
    virtual TDriveType DriveType(char letter) const = 0;
};

class TSystemDriveTypes final : public TDriveTypes {
  public:
    TDriveType DriveType(char letter) const override;
};

// The system's answers; stateless, shared by whoever needs no other.
const TDriveTypes& SystemDriveTypes();
