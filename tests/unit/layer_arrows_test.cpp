// SPDX-License-Identifier: GPL-3.0-or-later
// The layer arrows of the directory READMEs, checked on every source file's
// #include lines: canvas <- formats; canvas <- core <- io <- edit <- ui, app,
// tools; io uses formats; no two files include each other; tests/ and
// bench/ may use the layers, bench/ and tests/ share only tests/support/; no
// Qt below ui/. A directory with sources that has no arrows here fails too,
// so that a new directory gets its rule when it arrives.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// What the files of each part may include besides their own part.
const std::map<std::string, std::set<std::string>> Uses = {
    {"canvas", {}},
    {"cmake", {}},
    {"formats", {"canvas"}},
    {"core", {"canvas"}},
    {"edit", {"canvas", "core", "io", "formats"}},
    {"io", {"canvas", "core", "formats"}},
    {"ui", {"canvas", "core", "edit", "io", "formats"}},
    {"app", {"canvas", "core", "edit", "io", "formats", "ui"}},
    {"tools", {"canvas", "core", "edit", "io", "formats"}},
    {"tests/support", {"canvas", "core", "edit", "io", "formats", "ui", "tools"}},
    {"tests", {"canvas", "core", "edit", "io", "formats", "ui", "app", "tools", "tests/support"}},
    {"bench", {"canvas", "core", "edit", "io", "formats", "ui", "tools", "tests/support"}},
};

// Where Qt may be included.
const std::set<std::string> QtParts = {"ui", "app", "tests", "tests/support", "bench"};

// The part a path inside the tree belongs to: its first directory, or
// tests/support.
std::string PartOf(const std::string& path) {
    if (path.starts_with("tests/support/")) return "tests/support";
    const auto slash = path.find('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool IsBuildTree(const fs::path& dir) { return fs::exists(dir / "CMakeCache.txt"); }

// Every include against the arrows under root, as "file:line: reason".
std::vector<std::string> Violations(const fs::path& root) {
    std::set<std::pair<std::string, std::string>> includes;  // (file, header) inside the tree
    static const std::regex include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    static const std::regex qt(R"(^Q[A-Za-z]*(/.*)?$)");
    std::vector<std::string> found;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const fs::path& p = it->path();
        const std::string name = p.filename().string();
        if (it->is_directory()) {
            if (name.starts_with(".") || IsBuildTree(p) || p == root / "tests" / "data") it.disable_recursion_pending();
            continue;
        }
        const std::string ext = p.extension().string();
        if (ext != ".cpp" && ext != ".h") continue;
        const std::string file = fs::relative(p, root).generic_string();
        const std::string part = PartOf(file);
        const auto uses = Uses.find(part);
        if (uses == Uses.end()) {
            found.push_back(file + ": no layer arrows for the directory \"" + part + "\"");
            continue;
        }
        std::ifstream in(p);
        std::string line;
        for (int number = 1; std::getline(in, line); ++number) {
            if (line.find("include") == std::string::npos) continue;
            std::smatch m;
            if (!std::regex_search(line, m, include)) continue;
            const std::string header = m[2];
            const std::string where = file + ":" + std::to_string(number) + ": ";
            if (m[1] == "<") {
                if (std::regex_match(header, qt) && !QtParts.contains(part))
                    found.push_back(where + "Qt header <" + header + "> below ui/");
                continue;
            }
            const std::string target = PartOf(header);
            if (!target.empty()) {
                includes.insert({file, header});
                // Two headers that include each other: a knot no include order unties.
                if (includes.contains({header, file}))
                    found.push_back(where + file + " and " + header + " include each other");
            }
            if (target.empty() || target == part) continue;  // beside the file, or its own part
            if (!Uses.contains(target)) continue;            // a library's header
            if (!uses->second.contains(target))
                found.push_back(where + part + "/ includes " + header + " against the arrows");
        }
    }
    return found;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    return text;
}

TEST(LayerArrows, EveryIncludeOfTheTreeFollowsTheArrows) {
    const std::vector<std::string> found = Violations(TESSARO_SOURCE_DIR);
    EXPECT_TRUE(found.empty()) << Joined(found);
}

// A copy of the tree with one include turned around (or one Qt header moved
// down) is caught, and only that line.
TEST(LayerArrows, AnIncludeTurnedAroundIsFound) {
    const fs::path copy = fs::temp_directory_path() / ("tessaro-arrows-" + std::to_string(::getpid()));
    fs::remove_all(copy);
    for (const char* dir :
         {"canvas", "formats", "core", "edit", "io", "ui", "app", "tools", "tests/support", "tests/unit", "bench"}) {
        fs::create_directories(copy / dir);
        fs::copy(fs::path(TESSARO_SOURCE_DIR) / dir, copy / dir, fs::copy_options::recursive);
    }
    ASSERT_EQ(Violations(copy), std::vector<std::string>{});

    struct Turn {
        const char* file;
        const char* include;
        const char* reason;
    };
    const Turn turns[] = {
        {"canvas/Picture.cpp", "#include \"core/Form.h\"", "canvas/ includes core/Form.h against the arrows"},
        {"core/rendering.cpp", "#include \"edit/pending_shape.h\"", "core/ includes edit/pending_shape.h"},
        {"io/clipboard.cpp", "#include \"edit/pen_block.h\"", "io/ includes edit/pen_block.h"},
        {"formats/PngWriter.cpp", "#include \"core/EditorError.h\"", "formats/ includes core/EditorError.h"},
        {"core/startup.cpp", "#include \"formats/PngWriter.h\"", "core/ includes formats/PngWriter.h"},
        {"io/PictureFile.cpp", "#include \"ui/MainWindow.h\"", "io/ includes ui/MainWindow.h"},
        {"tools/tessaro-script/Runner.cpp", "#include \"ui/MainWindow.h\"", "tools/ includes ui/MainWindow.h"},
        {"bench/main.cpp", "#include \"tests/unit/bmp_png_reference.h\"", "bench/ includes tests/unit/"},
        {"core/startup.cpp", "#include <QWidget>", "Qt header <QWidget> below ui/"},
        {"formats/TiledMap.cpp", "#include <QString>", "Qt header <QString> below ui/"},
    };
    for (const Turn& t : turns) {
        SCOPED_TRACE(t.file);
        const fs::path file = copy / t.file;
        std::string text;
        {
            std::ifstream in(file);
            text.assign(std::istreambuf_iterator<char>(in), {});
        }
        std::ofstream(file) << t.include << "\n" << text;
        const std::vector<std::string> found = Violations(copy);
        ASSERT_EQ(found.size(), 1u) << Joined(found);
        EXPECT_TRUE(found[0].starts_with(std::string(t.file) + ":1: ")) << found[0];
        EXPECT_NE(found[0].find(t.reason), std::string::npos) << found[0];
        std::ofstream(file) << text;
    }
    // Two headers of one directory that include each other.
    std::ofstream(copy / "core/SheetGeometry.h", std::ios::app) << "#include \"core/SheetDocument.h\"\n";
    const std::vector<std::string> knot = Violations(copy);
    ASSERT_EQ(knot.size(), 1u) << Joined(knot);
    EXPECT_NE(knot[0].find("include each other"), std::string::npos) << knot[0];
    fs::remove_all(copy);
}

}  // namespace
