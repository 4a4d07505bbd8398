// Positions read line by line from a stream, one JSON object written for each.
#include "position_lines.h"

#include <iostream>

#include "logic/position_text.h"

namespace {

bool IsBlank(const std::string& line) {
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

}  // namespace

int RunOnPositions(std::string_view name, std::span<const std::string_view> args, std::istream& in,
                   std::ostream& out, const TPositionWriter& write) {
    if (!args.empty()) {
        std::cerr << "senkaro-logic " << name << ": takes no arguments (reads standard input)\n";
        return 2;
    }
    bool anyBad = false;
    std::string line;
    // Reading stops when the output fails: nothing read after that would be seen.
    for (int number = 1; out && std::getline(in, line); ++number) {
        if (IsBlank(line)) continue;
        if (line.back() == '\r') line.pop_back();  // lines ended by CR LF
        TJsonWriter json;
        std::string error;
        if (const auto matrix = MatrixFromText(line, error)) {
            anyBad |= !write(json, line, *matrix);
        } else {
            anyBad = true;
            json.BeginObject().Key("line").Int(number).Key("error").String(error).EndObject();
        }
        out << json.Text() << '\n' << std::flush;
    }
    return anyBad ? 1 : 0;
}
