// The check at the end of a tool's run: a failed flush or an earlier failed write, told once.
#include "output_check.h"

#include <cerrno>
#include <cstring>
#include <ostream>

bool OutputReached(std::ostream& out, std::string_view program, std::ostream& err) {
    int error = errno;  // that of the write that failed, when one did
    if (out) {
        errno = 0;
        out.flush();
        error = errno;
    }
    if (out) return true;
    err << program << ": cannot write standard output";
    if (error != 0) err << ": " << std::strerror(error);
    err << '\n';
    return false;
}
