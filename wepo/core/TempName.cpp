// MakeTempFileName over platform::TempFile.
#include "wepo/core/TempName.h"

#include "kernel/util/FileUtil.h"
#include "platform/Paths.h"

namespace wepo {

int MakeTempFileName(std::string* out) {
    if (!out) return 0;
    auto file = platform::TempFile::Create(platform::TempFolder(), "@@@");
    if (!file) return 0;
    file->Keep();
    file->Close();
    *out = file->Path().string();
    return IsFileExist(file->Path());
}

}  // namespace wepo
