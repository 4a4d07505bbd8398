// The data file's messages. What to do follows from the error and from what holds the name
// that failed: a folder or other non-file in the way is to be moved, a folder that may not be
// written to be opened up or left, a full disk to be given room.
#include "storage/data_file_messages.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

namespace data_file_messages {
namespace {

struct TAdvice {
    std::string Japanese;
    std::string English;
};

// What is at path when it is no regular file: "a folder", "a symbolic link", "no file"; empty
// for a regular file or nothing at all.
std::string NoFile(const std::string& path) {
    struct stat status {};
    if (path.empty() || ::lstat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode)) return {};
    if (S_ISDIR(status.st_mode)) return "a folder";
    if (S_ISLNK(status.st_mode)) return "a symbolic link";
    return "no regular file";
}

TAdvice Advice(const std::string& folder, const std::string& failed, int error) {
    const std::string what = NoFile(failed);
    if (!what.empty() || error == EISDIR || error == ENOTDIR || error == ENOTEMPTY)
        return {failed + " が邪魔をしています。移動するか名前を変えてください。",
                failed + " is in the way (" + (what.empty() ? "not a file" : what) +
                    "): move it elsewhere or rename it."};
    if (error == ENOSPC || error == EDQUOT)
        return {"ディスクがいっぱいです。空きを作ってください。",
                "The disk is full: make room on it."};
    if (error == EACCES || error == EPERM || error == EROFS)
        return {"フォルダー " + folder + " か " + failed +
                    " に書き込めません。書き込めるようにするか、別のフォルダーからゲームを始めてく"
                    "ださい。",
                "The folder " + folder + " or the file " + failed +
                    " may not be written: allow writing there, or start the game from another "
                    "folder."};
    return {"ディスクとフォルダー " + folder + " を確かめてください。",
            "Check the disk and the folder " + folder + "."};
}

}  // namespace

std::string KeptAside(const std::string& file, const std::string& kept, const std::string& backup) {
    if (backup.empty())
        return file + " を読み込めなかったため、" + kept +
               " として残しました。\r\n\r\nThe data file " + file +
               " could not be read; it was kept as " + kept + ".";
    return file + " を読み込めなかったため、" + kept + " として残し、" + backup +
           " から元に戻しました。\r\n\r\nThe data file " + file +
           " could not be read; it was kept as " + kept +
           ", and its content was restored from the backup " + backup + ".";
}

std::string BackupKeptAside(const std::string& backup, const std::string& kept) {
    return backup + " も読み込めなかったため、" + kept + " として残しました。\r\n\r\nThe backup " +
           backup + " could not be read either; it was kept as " + kept + ".";
}

std::string NotSetAside(const std::string& file, const std::string& folder, const std::string& kept,
                        int error) {
    const TAdvice advice = Advice(folder, kept, error);
    return file + " を読み込めず、" + kept +
           " として残すこともできなかったため、保存しませんでした。" + advice.Japanese +
           "\r\n\r\nThe data file " + file + " in the folder " + folder +
           " could not be read nor set aside as " + kept + " (" + std::strerror(error) +
           "); nothing was saved. " + advice.English;
}

std::string SaveFailed(const std::string& file, const std::string& folder,
                       const std::string& failed, int error) {
    const TAdvice advice = Advice(folder, failed, error);
    return "フォルダー " + folder + " に " + file + " を保存できませんでした。" + advice.Japanese +
           "このまま遊べますが、保存できるようになるまで進み具合は残りません。\r\n\r\nThe data "
           "file " +
           file + " could not be saved in the folder " + folder + " (" + std::strerror(error) +
           "). " + advice.English +
           " You can go on playing, but your progress is not kept until saving works again.";
}

}  // namespace data_file_messages
