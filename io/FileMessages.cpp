// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/FileMessages.h"

#include <cerrno>
#include <cstring>
#include <exception>

#include "core/EditorError.h"
#include "core/Translation.h"

std::string SystemReasonText(int error) {
    switch (error) {
        case ENOENT: return Tr(TSR_MESSAGE("FileMessages", "ファイルまたはフォルダが見つかりません"));
        case ENOTDIR: return Tr(TSR_MESSAGE("FileMessages", "フォルダが見つかりません"));
        case EACCES:
        case EPERM: return Tr(TSR_MESSAGE("FileMessages", "書き込む権限がありません"));
        case ENOSPC:
        case EDQUOT: return Tr(TSR_MESSAGE("FileMessages", "ディスクの空きが足りません"));
        case EROFS: return Tr(TSR_MESSAGE("FileMessages", "読み込み専用のファイルシステムです"));
        case ENAMETOOLONG: return Tr(TSR_MESSAGE("FileMessages", "ファイル名が長すぎます"));
        case EFBIG: return Tr(TSR_MESSAGE("FileMessages", "ファイルの大きさの上限を超えます"));
        case EISDIR: return Tr(TSR_MESSAGE("FileMessages", "フォルダです"));
        case EINVAL: return Tr(TSR_MESSAGE("FileMessages", "通常のファイルではありません"));
        default: return std::strerror(error);
    }
}

std::string SaveFailedText(const FileWriteError& e) {
    std::string text = Tr(TSR_MESSAGE("FileMessages", "\"%1\" に保存できませんでした（%2）"),
                          {e.Path(), SystemReasonText(e.SystemError())});
    if (!e.Backup().empty())
        text += Tr(TSR_MESSAGE("FileMessages", "。元の内容は \"%1\" に残っています"), {e.Backup()});
    return text;
}

std::string ReadRefusalText(const PictureReadError& e) {
    std::string reason;
    switch (e.Reason()) {
        case PictureReadReason::CannotOpen: reason = SystemReasonText(e.SystemError()); break;
        case PictureReadReason::NotAFile:
            reason = Tr(TSR_MESSAGE("FileMessages", "通常のファイルではありません"));
            break;
        case PictureReadReason::NotAPicture:
            reason = Tr(TSR_MESSAGE("FileMessages", "読み込める画像ファイルではありません"));
            break;
        case PictureReadReason::TooLarge:
            reason = Tr(TSR_MESSAGE("FileMessages", "画像が大きすぎて読み込めません"));
            break;
        case PictureReadReason::FaultyData:
            reason = Tr(TSR_MESSAGE("FileMessages", "データが壊れています：%1"), {e.what()});
            break;
    }
    return Tr(TSR_MESSAGE("FileMessages", "ファイルの読み込みに失敗しました（%1）"), {reason});
}

std::string OffTableText(canvas::Point pixel) {
    return Tr(TSR_MESSAGE("FileMessages", "%1,%2にパレット以外の色があります。"),
              {std::to_string(pixel.x), std::to_string(pixel.y)});
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
