// TDataFile: a text file of named sections kept in the "BDC1" container, opened for one read or
// one write and then closed, which saves it.
//
// A section header is a line "[" + name + "]"; its body runs to the next line that begins with
// "[". Headers are compared whole, ignoring the case of letters, without trimming. Lines before
// the first header belong to no section and are kept as they are. Lines are UTF-8. A name whose
// header occurs more than once (a file put together by hand) is read from all its sections and
// written back as one.
//
// Beside FileName lie two generations of backups, FileName + ".bak" (the file as it was before
// the last save) and FileName + ".bak2" (an older, different one), and the files set aside as
// damaged (FileName + ".damaged", numbered when taken). At no moment does the folder hold
// neither a good data file nor a good backup of it.
//
// A section capped at open (see section_caps.h) is read without the body lines before its last
// ones; the file then differs from what it holds, and Close writes it: the lines left out stay
// only in the backup.
#pragma once

#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

#include "platform/drive_type.h"
#include "storage/compress_string_list.h"
#include "storage/section_caps.h"

class TDataFile : public TCompressStringList {
  public:
    // Loads FileName when it exists; a missing file gives an empty list and no message. When
    // FileName exists but cannot be read (damaged, failing its check, or no regular file), the
    // lines come from the newest backup that can be read. The sections in caps keep only their
    // last lines.
    explicit TDataFile(std::string FileName, TStorageReporter& reporter = DefaultStorageReporter(),
                       const TDriveTypes& drives = SystemDriveTypes(),
                       TFileSystem& files = SystemFileSystem(), const TSectionCaps& caps = {});

    const std::string& FileName() const { return fileName_; }
    std::string BackupName() const { return fileName_ + ".bak"; }
    std::string OlderBackupName() const { return fileName_ + ".bak2"; }
    // The lines were taken from a backup because FileName could not be read.
    bool RestoredFromBackup() const { return !restoredFrom_.empty(); }

    // Replaces body by the bodies of every section Name in file order, empty lines left out; no
    // section, no lines.
    void ReadSection(std::string_view Name, std::vector<std::string>& body) const;
    void ReadSection(std::string_view Name, QStringList& body) const;

    // Deletes every section Name, headers and bodies; nothing when there is no such section.
    void EraseSection(std::string_view Name);

    // Replaces section Name by body (empty lines kept); the section moves to the end.
    void WriteSection(std::string_view Name, const std::vector<std::string>& body);
    void WriteSection(std::string_view Name, const QStringList& body);

    // Saves the file when its drive allows it and its lines differ from those loaded (or lines
    // were left out of a capped section); the file
    // loaded at creation becomes the backup, and the backup before it the older one when it is
    // a good file with other lines (else the older one is kept). A file that existed but could
    // not be loaded is repaired: a copy of it is kept (FileName + ".damaged", numbered when
    // taken), the lines are written over it, backups that could not be loaded are set aside
    // too, and only then is the user told; when no copy can be kept, nothing is saved. A failed
    // save is told too, naming the folder and what is in the way; the old file then stays as
    // it was. 0 when saved or not to be saved, else an error number.
    int Close();

    // The save decision alone: a name with a drive letter is saved only on a removable, fixed
    // or remote drive; any other non-empty name is saved.
    bool SaveAllowed() const;

  private:
    // The index of the first header line of Name at or after from, or -1.
    int FindHeader(std::string_view Name, int from = 0) const;
    // The index of the first line after header that begins with "[", or the line count.
    int SectionEnd(int header) const;
    int Save(const std::vector<std::uint8_t>& image);
    int Repair(const std::vector<std::uint8_t>& image);
    // Whether the backup is worth keeping as the older one: a container that passes its check,
    // with other bytes than the file about to become the backup.
    bool BackupWorthKeeping();
    void ReportSaveFailure(int error, const std::string& failed);
    std::string Folder() const;

    std::string fileName_;
    const TDriveTypes& drives_;
    bool loadedGood_ = false;
    bool loadFailed_ = false;
    bool loadCut_ = false;                    // a capped section lost lines at the load
    std::vector<std::uint8_t> loadedDigest_;  // of the lines as read from FileName or last saved
    std::string restoredFrom_;                // the backup the lines came from
    std::vector<std::string> unreadableBackups_;
};
