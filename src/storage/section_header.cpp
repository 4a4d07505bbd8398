// Section headers, compared as QString compares text ignoring case.
#include "storage/section_header.h"

#include <QString>

bool StartsSection(std::string_view line) {
    return !line.empty() && line.front() == '[';
}

bool IsSectionHeader(std::string_view line, std::string_view name) {
    if (line.size() != name.size() + 2 || line.front() != '[' || line.back() != ']') return false;
    return QString::compare(QString::fromUtf8(line.data() + 1, static_cast<qsizetype>(name.size())),
                            QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                            Qt::CaseInsensitive) == 0;
}
