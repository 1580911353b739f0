// mkimages: draws the demo images and writes them as .tsi files into the
// folder named by the first argument (default ".\Images"):
// bncljoin.tsi and bnclref.tsi (buttons) and cnlstinfo.tsi (picture). The
// second argument names the configuration whose member panel the picture
// is drawn for: ko (default), ja or cn.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Art.h"

namespace {

// Encodes img and writes it as folder\name; reports a failure on stderr.
bool Write(const std::string& folder, const char* name, const tsi::Image& img) {
    std::string path = folder + "\\" + name;
    if (img.pixels.empty() || !tsi::WriteFile(path.c_str(), tsi::Encode(img))) {
        std::fprintf(stderr, "mkimages: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    std::string folder = argc > 1 ? argv[1] : ".\\Images";
    const std::string config = argc > 2 ? argv[2] : "ko";
    const art::PanelLayout* layout = config == "ko"   ? &art::kKoreanPanel
                                     : config == "ja" ? &art::kJapanesePanel
                                     : config == "cn" ? &art::kChinesePanel
                                                      : nullptr;
    if (layout == nullptr) {
        std::fprintf(stderr, "mkimages: unknown configuration %s (ko, ja or cn)\n", config.c_str());
        return 1;
    }
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        std::fprintf(stderr, "mkimages: cannot create %s\n", folder.c_str());
        return 1;
    }
    bool ok = Write(folder, "bncljoin.tsi", art::MakeButton("JOIN", art::Mark::Arrow));
    ok = Write(folder, "bnclref.tsi", art::MakeButton("REFRESH", art::Mark::None)) && ok;
    ok = Write(folder, "cnlstinfo.tsi", art::MakeInfoPanel(*layout)) && ok;
    return ok ? 0 : 1;
}
