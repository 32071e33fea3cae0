// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "canvas/Picture.h"
#include "formats/PictureReadError.h"
#include "io/AtomicFile.h"
#include "io/FileWriteError.h"

// The user's wording of failed writes, made where the handlers report them:
// "\"PATH\" に保存できませんでした（REASON）", the common system reasons in
// Japanese.
std::string SystemReasonText(int error);
std::string SaveFailedText(const FileWriteError& e);
// "ファイルの読み込みに失敗しました（REASON）": a refused read with its reason.
std::string ReadRefusalText(const PictureReadError& e);
// The 256-colour writer's refusal: "X,Yにパレット以外の色があります。"
std::string OffTableText(canvas::Point pixel);

// WriteFileAtomically and WriteFilesAtomically for the handlers whose
// failures reach the generic error handler: a failure leaves as an
// EditorError with SaveFailedText, with the FileWriteError nested in it.
void SaveFile(const std::string& path, std::span<const std::uint8_t> bytes);
void SaveFiles(std::span<const PendingFile> files);
