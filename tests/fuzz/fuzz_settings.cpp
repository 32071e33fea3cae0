// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as the settings file: the view settings stay within their
// ranges, and no dialog is ever asked for.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "core/Form.h"
#include "edit/EditorForm.h"
#include "tests/support/FakePlatform.h"

namespace {

struct Editor {
    Editor() {
        char templ[] = "/tmp/tessaro-fuzz-settings-XXXXXX";
        if (!::mkdtemp(templ)) std::abort();
        dir = templ;
        // Start-up reads ./tsr.def: start in an empty directory.
        if (::chdir(dir.c_str()) != 0) std::abort();
        form = std::make_unique<EditorForm>(platform);
        form->FormCreate();
        path = dir + "/tsr.def";
    }
    ~Editor() {
        std::remove(path.c_str());
        ::rmdir(dir.c_str());
    }
    FakePlatform platform;
    std::unique_ptr<EditorForm> form;
    std::string dir, path;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Editor editor;
    std::FILE* file = std::fopen(editor.path.c_str(), "wb");
    if (!file) std::abort();
    if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);

    editor.platform.shown.clear();
    editor.form->ReadSettings(editor.path);  // a dialog would throw out of here

    const EditorForm& f = *editor.form;
    if (f.Def.Zoom < 2 || f.Def.Zoom > std::max(10, f.LargestZoom()) || f.PenSize < 1 || f.PenSize > 4) std::abort();
    if (f.controls.Position() != f.Def.Zoom) std::abort();
    if (f.Def.SheetGridShown != f.controls.Checked(ControlId::wakuMenu)) std::abort();
    // A readable file is read without a word.
    if (size <= (1u << 20) && !editor.platform.shown.empty()) std::abort();
    return 0;
}
