// The section's last lines, gathered in a ring of pointers into the file's lines: one pass, and
// only the lines kept are turned into QStrings.
#include "journey/section_tail.h"

#include <QString>

#include <string>
#include <vector>

#include "storage/data_file.h"
#include "storage/section_header.h"

QStringList LastLinesOfSection(const TDataFile& file, std::string_view name, int count) {
    QStringList tail;
    if (count <= 0) return tail;
    const auto ringSize = static_cast<std::size_t>(count);
    std::vector<const std::string*> ring;
    std::size_t seen = 0;
    bool inside = false;
    for (const std::string& line : file.Lines()) {
        if (StartsSection(line)) {
            inside = IsSectionHeader(line, name);
        } else if (inside && !line.empty()) {
            if (ring.size() < ringSize) {
                ring.push_back(&line);
            } else {
                ring[seen % ringSize] = &line;
            }
            ++seen;
        }
    }
    tail.reserve(static_cast<qsizetype>(ring.size()));
    for (std::size_t i = seen - ring.size(); i < seen; ++i)
        tail.append(QString::fromStdString(*ring[i % ringSize]));
    return tail;
}
