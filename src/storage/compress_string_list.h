// TCompressStringList: a list of text lines whose file form is the "BDC1" container.
//
// Lines are UTF-8 in memory. In the file the text is CP932 (Shift-JIS), every line followed by
// CR LF; reading accepts CR, LF or CR LF as a line end and stops at a NUL byte. File names are
// UTF-8 paths. Messages for the user go to the reporter given at construction.
#pragma once

#include <string>
#include <vector>

#include "storage/storage_reporter.h"

class TCompressStringList {
  public:
    explicit TCompressStringList(TStorageReporter& reporter = DefaultStorageReporter());
    virtual ~TCompressStringList() = default;

    std::vector<std::string>& Lines() { return lines_; }
    const std::vector<std::string>& Lines() const { return lines_; }

    // Replaces the lines by the text of the container FileName. A missing file is reported
    // (FileName + " がありません"); an unreadable or undecodable one is not. In both cases the
    // lines stay as they were and the result is false.
    bool LoadFromFile(const std::string& FileName);

    // Writes the lines as a container. 0 on success; 1 for an empty name or a failed encoding;
    // EILSEQ when a line has no CP932 form; otherwise the system's error number. The file is
    // replaced whole or not at all, keeps its permission bits, and missing folders are made.
    int SaveToFile(const std::string& FileName);

  protected:
    TStorageReporter& Reporter() { return reporter_; }

  private:
    TStorageReporter& reporter_;
    std::vector<std::string> lines_;
};
