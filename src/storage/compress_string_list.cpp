// TCompressStringList: reading the container whole, and replacing it atomically.
#include "storage/compress_string_list.h"

#include <cerrno>
#include <exception>
#include <limits>
#include <utility>

#include "storage/delta_code.h"
#include "storage/text_form.h"

namespace {

// A container records its length in 32 bits: a larger file is no container.
constexpr std::uint64_t kLargestContainer = std::numeric_limits<std::uint32_t>::max();

void Release(std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t>().swap(bytes);
}

}  // namespace

TCompressStringList::TCompressStringList(TStorageReporter& reporter, TFileSystem& files)
    : reporter_(reporter), files_(files) {}

bool TCompressStringList::LoadFromFile(const std::string& FileName) {
    std::size_t dropped = 0;
    return LoadFromFile(FileName, {}, dropped);
}

// Each form of the file is let go as soon as the next is made: the container once decoded, the
// plain text once split.
bool TCompressStringList::LoadFromFile(const std::string& FileName, const TSectionCaps& caps,
                                       std::size_t& dropped) {
    TReadResult file = ReadRegularFile(FileName, kLargestContainer);
    if (file.Status == TReadResult::TStatus::Missing) {
        reporter_.Report(FileName + " がありません");
        return false;
    }
    if (!file.Ok()) return false;
    try {
        TDeltaCode codec;
        codec.CodeStream() = std::move(file.Bytes);
        if (!codec.Decode()) return false;
        Release(codec.CodeStream());
        if (text_form::NulBeforeEnd(codec.DataStream())) return false;
        auto lines = text_form::Decode(codec.DataStream(), caps, &dropped);
        Release(codec.DataStream());
        if (!lines) return false;
        lines_ = std::move(*lines);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

std::optional<std::vector<std::uint8_t>> TCompressStringList::Image(const std::string& FileName,
                                                                    int& error) {
    try {
        TDeltaCode codec(&reporter_);
        codec.DataStream() = text_form::Encode(lines_);
        codec.Encode();
        return std::move(codec.CodeStream());
    } catch (const text_form::TUnencodableLine& unencodable) {
        const std::string line = std::to_string(unencodable.Index() + 1);
        reporter_.Report(
            FileName + " の " + line +
            " 行目に Shift-JIS で書けない文字があるため、保存しませんでした。\r\n\r\n" + "Line " +
            line + " of " + FileName +
            " holds a character that Shift-JIS cannot store; the file was not saved.");
        error = EILSEQ;
    } catch (const std::exception&) {
        reporter_.Report("TCompressStringList.SaveToFile 2003.02.10");
        error = 1;
    }
    return std::nullopt;
}

int TCompressStringList::SaveToFile(const std::string& FileName) {
    if (FileName.empty()) return 1;
    int error = 0;
    const auto image = Image(FileName, error);
    if (!image) return error;
    return ReplaceFile(files_, FileName, *image);
}
