// The default storage reporter: standard error, one message per line.
#include "storage/storage_reporter.h"

#include <iostream>

void TStderrStorageReporter::Report(const std::string& text) {
    std::cerr << text << '\n';
}

TStorageReporter& DefaultStorageReporter() {
    static TStderrStorageReporter reporter;
    return reporter;
}
