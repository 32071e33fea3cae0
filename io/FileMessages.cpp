#include "io/FileMessages.h"

#include <cerrno>
#include <cstring>
#include <exception>

#include "core/EditorError.h"

std::string SystemReasonText(int error) {
    switch (error) {
        case ENOENT: return "ファイルまたはフォルダが見つかりません";
        case ENOTDIR: return "フォルダが見つかりません";
        case EACCES:
        case EPERM: return "書き込む権限がありません";
        case ENOSPC:
        case EDQUOT: return "ディスクの空きが足りません";
        case EROFS: return "読み込み専用のファイルシステムです";
        case ENAMETOOLONG: return "ファイル名が長すぎます";
        case EFBIG: return "ファイルの大きさの上限を超えます";
        case EISDIR: return "フォルダです";
        case EINVAL: return "通常のファイルではありません";
        default: return std::strerror(error);
    }
}

std::string SaveFailedText(const FileWriteError& e) {
    std::string text = "\"" + e.Path() + "\" に保存できませんでした（" + SystemReasonText(e.SystemError()) + "）";
    if (!e.Backup().empty()) text += "。元の内容は \"" + e.Backup() + "\" に残っています";
    return text;
}

std::string ReadRefusalText(const PictureReadError& e) {
    std::string reason;
    switch (e.Reason()) {
        case PictureReadReason::CannotOpen: reason = SystemReasonText(e.SystemError()); break;
        case PictureReadReason::NotAFile: reason = "通常のファイルではありません"; break;
        case PictureReadReason::NotAPicture: reason = "読み込める画像ファイルではありません"; break;
        case PictureReadReason::TooLarge: reason = "画像が大きすぎて読み込めません"; break;
        case PictureReadReason::FaultyData: reason = std::string("データが壊れています：") + e.what(); break;
    }
    return "ファイルの読み込みに失敗しました（" + reason + "）";
}

std::string OffTableText(canvas::Point pixel) {
    return std::to_string(pixel.x) + "," + std::to_string(pixel.y) + "にパレット以外の色があります。";
}

void SaveFile(const std::string& path, std::span<const std::uint8_t> bytes) {
    try {
        WriteFileAtomically(path, bytes);
    } catch (const FileWriteError& e) {
        // The reason stays inside for callers that word it otherwise (the
        // command line in English).
        std::throw_with_nested(EditorError(SaveFailedText(e)));
    }
}

void SaveFiles(std::span<const PendingFile> files) {
    try {
        WriteFilesAtomically(files);
    } catch (const FileWriteError& e) {
        std::throw_with_nested(EditorError(SaveFailedText(e)));
    }
}
