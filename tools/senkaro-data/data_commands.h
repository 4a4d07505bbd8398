// The commands of senkaro-data (encode, decode, show, --help, --version), run on a command line
// with the streams and the file system given, so that a test can make any write to the disk fail.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

class TFileSystem;

// Runs the command in args (the arguments after the program's name): 0 done, 1 usage or file
// error, 2 a container that does not decode or fails its check, or whose text show finds cut by a
// NUL byte (the lines before it printed, and where it lies told). Messages go to err; show,
// --help and --version write to out and stop at the first write that fails.
int RunDataTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                TFileSystem& files);
