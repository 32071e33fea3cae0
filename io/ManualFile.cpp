// SPDX-License-Identifier: GPL-3.0-or-later
#include "io/ManualFile.h"

#include <filesystem>
#include <system_error>

std::vector<std::string> ManualPlaces(const std::string& programFolder) {
    std::vector<std::string> places;
    if (!programFolder.empty()) {
        const std::filesystem::path folder(programFolder);
        places.push_back((folder / "manual.html").string());
        places.push_back(
            (folder.parent_path() / "share" / "doc" / "tessaro" / "manual.html").lexically_normal().string());
    }
    places.push_back(InstalledManual);
    return places;
}

std::optional<std::string> FindManual(const std::string& programFolder) {
    for (const std::string& place : ManualPlaces(programFolder)) {
        std::error_code error;
        if (std::filesystem::is_regular_file(place, error)) return place;
    }
    return std::nullopt;
}

std::string ExpectedManual(const std::string& programFolder) {
#ifdef _WIN32
    if (!programFolder.empty()) return ManualPlaces(programFolder).front();
#else
    (void)programFolder;
#endif
    return InstalledManual;
}
