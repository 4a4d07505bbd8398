// TDataFile: a text file of named sections kept in the "BDC1" container, opened for one read or
// one write and then closed, which saves it.
//
// A section header is a line "[" + name + "]"; its body runs to the next line that begins with
// "[". Headers are compared whole, ignoring the case of letters, without trimming. Lines before
// the first header belong to no section and are kept as they are. Lines are UTF-8.
#pragma once

#include <QStringList>

#include <string>
#include <string_view>
#include <vector>

#include "platform/drive_type.h"
#include "storage/compress_string_list.h"

class TDataFile : public TCompressStringList {
  public:
    // Loads FileName when it exists; a missing file gives an empty list and no message.
    explicit TDataFile(std::string FileName, TStorageReporter& reporter = DefaultStorageReporter(),
                       const TDriveTypes& drives = SystemDriveTypes());

    const std::string& FileName() const { return fileName_; }

    // Replaces body by the body of section Name, empty lines left out; no section, no lines.
    void ReadSection(std::string_view Name, std::vector<std::string>& body) const;
    void ReadSection(std::string_view Name, QStringList& body) const;

    // Deletes the header of section Name and its body; nothing when there is no such section.
    void EraseSection(std::string_view Name);

    // Replaces section Name by body (empty lines kept); the section moves to the end.
    void WriteSection(std::string_view Name, const std::vector<std::string>& body);
    void WriteSection(std::string_view Name, const QStringList& body);

    // Saves the file when its drive allows it. A file that existed but could not be loaded is
    // first kept beside itself (FileName + ".damaged", numbered when taken) and the user is told;
    // when that fails, nothing is saved.
    void Close();

    // The save decision alone: a name with a drive letter is saved only on a removable, fixed
    // or remote drive; any other non-empty name is saved.
    bool SaveAllowed() const;

  private:
    // The index of the header line of Name, or -1.
    int FindHeader(std::string_view Name) const;
    // The index of the first line after header that begins with "[", or the line count.
    int SectionEnd(int header) const;
    bool KeepDamagedFile();

    std::string fileName_;
    const TDriveTypes& drives_;
    bool loadFailed_ = false;
};
