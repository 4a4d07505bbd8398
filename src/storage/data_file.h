// TDataFile: a text file of named sections kept in the "BDC1" container, opened for one read or
// one write and then closed, which saves it.
//
// A section header is a line "[" + name + "]"; its body runs to the next line that begins with
// "[". Headers are compared whole, ignoring the case of letters, without trimming. Lines before
// the first header belong to no section and are kept as they are. Lines are UTF-8. A name whose
// header occurs more than once (a file put together by hand) is read from all its sections and
// written back as one.
//
// Beside FileName lie FileName + ".bak", the file as it was before the last save, and the files
// set aside as damaged (FileName + ".damaged", numbered when taken).
#pragma once

#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

#include "platform/drive_type.h"
#include "storage/compress_string_list.h"

class TDataFile : public TCompressStringList {
  public:
    // Loads FileName when it exists; a missing file gives an empty list and no message. When
    // FileName exists but cannot be read (damaged, failing its check, or no regular file), the
    // lines come from the backup when that one can be read.
    explicit TDataFile(std::string FileName, TStorageReporter& reporter = DefaultStorageReporter(),
                       const TDriveTypes& drives = SystemDriveTypes(),
                       TFileSystem& files = SystemFileSystem());

    const std::string& FileName() const { return fileName_; }
    std::string BackupName() const { return fileName_ + ".bak"; }
    // The lines were taken from the backup because FileName could not be read.
    bool RestoredFromBackup() const { return restoredFromBackup_; }

    // Replaces body by the bodies of every section Name in file order, empty lines left out; no
    // section, no lines.
    void ReadSection(std::string_view Name, std::vector<std::string>& body) const;
    void ReadSection(std::string_view Name, QStringList& body) const;

    // Deletes every section Name, headers and bodies; nothing when there is no such section.
    void EraseSection(std::string_view Name);

    // Replaces section Name by body (empty lines kept); the section moves to the end.
    void WriteSection(std::string_view Name, const std::vector<std::string>& body);
    void WriteSection(std::string_view Name, const QStringList& body);

    // Saves the file when its drive allows it; the file loaded at creation becomes the backup.
    // A file that existed but could not be loaded is first set aside (FileName + ".damaged",
    // numbered when taken; so is a backup that could not be loaded either) and the user is told;
    // when that fails, nothing is saved. A failed save is told too, naming the folder; the old
    // file then stays as it was. 0 when saved or not to be saved here, else an error number.
    int Close();

    // The save decision alone: a name with a drive letter is saved only on a removable, fixed
    // or remote drive; any other non-empty name is saved.
    bool SaveAllowed() const;

  private:
    // The index of the first header line of Name at or after from, or -1.
    int FindHeader(std::string_view Name, int from = 0) const;
    // The index of the first line after header that begins with "[", or the line count.
    int SectionEnd(int header) const;
    // Renames name to the first free name + ".damaged", ".damaged2", ...; 0 or an error number.
    int SetAside(const std::string& name, std::string& kept);
    int SetAsideDamagedFiles();
    void ReportSaveFailure(int error);
    std::string Folder() const;

    std::string fileName_;
    const TDriveTypes& drives_;
    bool loadedGood_ = false;
    bool loadFailed_ = false;
    bool restoredFromBackup_ = false;
    bool backupFailed_ = false;
};
