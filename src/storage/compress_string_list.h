// TCompressStringList: a list of text lines whose file form is the "BDC1" container.
//
// Lines are UTF-8 in memory. In the file the text is CP932 (Shift-JIS), every line followed by
// CR LF; reading accepts CR, LF or CR LF as a line end. A NUL byte with text after it makes the
// file unreadable, since the lines after it would be lost at the next save. File names are
// UTF-8 paths. Messages for the user go to the reporter given at construction; files are read
// and written through the file system given there.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "storage/file_system.h"
#include "storage/section_caps.h"
#include "storage/storage_reporter.h"

class TCompressStringList {
  public:
    explicit TCompressStringList(TStorageReporter& reporter = DefaultStorageReporter(),
                                 TFileSystem& files = SystemFileSystem());
    virtual ~TCompressStringList() = default;

    std::vector<std::string>& Lines() { return lines_; }
    const std::vector<std::string>& Lines() const { return lines_; }

    // Replaces the lines by the text of the container FileName. A missing file is reported
    // (FileName + " がありません"); an unreadable or undecodable one is not, nor one that is not
    // a regular file (never opened, so a FIFO cannot block the game). In all these cases the
    // lines stay as they were and the result is false.
    bool LoadFromFile(const std::string& FileName);
    // The same, keeping only the last lines of the capped sections (see section_caps.h); dropped
    // tells how many lines were left out.
    bool LoadFromFile(const std::string& FileName, const TSectionCaps& caps, std::size_t& dropped);

    // Writes the lines as a container. 0 on success; 1 for an empty name or a failed encoding;
    // EILSEQ when a line has no CP932 form; otherwise the system's error number. The file is
    // replaced whole or not at all (see ReplaceFile), keeps its permission bits, and missing
    // folders are made.
    int SaveToFile(const std::string& FileName);

  protected:
    // The container image of the lines; nothing (error then 1 or EILSEQ, and the user told)
    // when they cannot be encoded. FileName is for the message.
    std::optional<std::vector<std::uint8_t>> Image(const std::string& FileName, int& error);
    TStorageReporter& Reporter() { return reporter_; }
    TFileSystem& Files() { return files_; }

  private:
    TStorageReporter& reporter_;
    TFileSystem& files_;
    std::vector<std::string> lines_;
};
