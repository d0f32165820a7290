#include "platform/FontConfigPreload.h"

#include <fontconfig/fontconfig.h>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

// True where every font folder of the configuration that exists, and every folder below, has a
// valid cache; no font is read for it. The toolkit may be writing the caches meanwhile: a folder
// it has not come to yet counts as none.
bool cachesUpToDate(FcConfig *config)
{
    std::vector<std::string> folders;
    FcStrList *dirs = FcConfigGetFontDirs(config);
    while (const FcChar8 *dir = FcStrListNext(dirs))
        folders.emplace_back(reinterpret_cast<const char *>(dir));
    FcStrListDone(dirs);
    bool valid = true;
    for (std::size_t i = 0; valid && i < folders.size(); ++i) {
        if (::access(folders[i].c_str(), F_OK) != 0)
            continue;
        FcCache *cache = FcDirCacheLoad(
            reinterpret_cast<const FcChar8 *>(folders[i].c_str()), config, nullptr);
        valid = cache != nullptr;
        for (int s = 0; cache && s < FcCacheNumSubdir(cache); ++s)
            folders.emplace_back(reinterpret_cast<const char *>(FcCacheSubdir(cache, s)));
        if (cache)
            FcDirCacheUnload(cache);
    }
    return valid;
}

// The configuration is read once, for the check and for use. Should the toolkit have read its
// own meanwhile, this one takes its place: read from the same files, it gives the same answers.
void preload()
{
    FcConfig *config = FcInitLoadConfig();
    if (!config)
        return;
    // It loads the caches and takes a reference of its own.
    if (cachesUpToDate(config))
        FcConfigSetCurrent(config);
    FcConfigDestroy(config);
}

} // namespace

FontConfigPreload::FontConfigPreload()
    : m_thread([] {
        // Behind the display server and the main thread, which start the window meanwhile.
        setpriority(PRIO_PROCESS, gettid(), 10);
        preload();
    })
{ }

FontConfigPreload::~FontConfigPreload()
{
    finish();
}

void FontConfigPreload::finish()
{
    if (m_thread.joinable())
        m_thread.join();
}
